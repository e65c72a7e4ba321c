// Exact lookups of a text among the headwords and readings of the enabled,
// loaded dictionaries of a collection, for the text reader. EDICT
// dictionaries are looked up through a HeadwordTable over their own index;
// any other word dictionary through its search. Entries read are kept and
// shared, so that a word met again is not read again. Tables and entries
// belong to the dictionary itself, not its place in the collection: they go
// with a dictionary that leaves the collection, and are made anew when its
// index changes.
#ifndef DEXARU_INTERNAL_DICTIONARYLOOKUP_H
#define DEXARU_INTERNAL_DICTIONARYLOOKUP_H

#include <cstddef>
#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

class WordDictionary;
class WordDictionaryCollection;
class WordEntry;

namespace internal {

class HeadwordTable;

// An entry found, with what the reader asks of it again and again.
struct FoundEntry
{
    std::shared_ptr<const WordEntry> entry;
    // Marked "usually written in kana" (as a tag or inside a gloss).
    bool usuallyKana;
    // The word classes of its tags (WordClass bits), from every sense.
    uint32_t classes;
};

class DictionaryLookup
{
public:
    // Borrows the collection, which must outlive the lookup; null finds nothing.
    explicit DictionaryLookup(WordDictionaryCollection* collection);
    ~DictionaryLookup();
    DictionaryLookup(const DictionaryLookup&) = delete;
    DictionaryLookup& operator=(const DictionaryLookup&) = delete;

    // Takes up the dictionaries enabled and loaded now, building a table for
    // each EDICT dictionary that has none or was reloaded since.
    void refresh();

    // The entries whose headword or reading is exactly the `length`
    // characters at `text`: in dictionary order, then file order.
    void find(const wchar_t* text, std::size_t length, std::vector<FoundEntry>* entries);

    // How many of the first `length` characters at `text` may begin a
    // headword or reading: beyond it none does.
    std::size_t possiblePrefix(const wchar_t* text, std::size_t length) const;

    // No headword or reading is longer than this, in characters.
    std::size_t longestKey() const { return longest; }

    // The number of dictionaries with a table now (for tests).
    std::size_t tableCount() const { return states.size(); }

private:
    struct Source;
    struct DictionaryState;
    void findBySearch(const Source& source, const std::wstring& text,
                      std::vector<FoundEntry>* entries);
    const FoundEntry& entryAt(const Source& source, int record);

    WordDictionaryCollection* collection;
    std::vector<Source> sources;
    // The table and the entries read of each EDICT dictionary in the collection.
    std::map<const WordDictionary*, std::unique_ptr<DictionaryState>> states;
    std::vector<int> records;  // reused by find
    std::size_t longest = 0;
};

}  // namespace internal

#endif

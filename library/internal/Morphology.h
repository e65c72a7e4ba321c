// The morphological analyser under the text reader: MeCab with a dictionary
// in the IPADIC layout (Debian's mecab-ipadic-utf8 by default). It splits a
// stretch of text into morphemes and tells, for each, its part of speech,
// its base form and its reading in this sentence. Without MeCab, or when
// the dictionary cannot be opened, isAvailable() is false and the reader
// finds words by itself.
#ifndef DEXARU_INTERNAL_MORPHOLOGY_H
#define DEXARU_INTERNAL_MORPHOLOGY_H

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace internal {

// Word classes shared by the analyser's parts of speech and the
// dictionaries' tags, one bit each.
enum WordClass : uint32_t {
    NOUN = 1u << 0,
    PRONOUN = 1u << 1,
    SUFFIX = 1u << 2,  // bound suffixes and counters after a noun or number
    PREFIX = 1u << 3,
    VERB = 1u << 4,
    ADJECTIVE = 1u << 5,  // i-adjectives
    NA_ADJECTIVE = 1u << 6,
    ADVERB = 1u << 7,
    ADNOMINAL = 1u << 8,  // この, ある "a certain"
    PARTICLE = 1u << 9,
    AUXILIARY = 1u << 10,
    CONJUNCTION = 1u << 11,
    INTERJECTION = 1u << 12,
    NUMBER = 1u << 13,
    EXPRESSION = 1u << 14,
    SAHEN_NOUN = 1u << 15,  // a noun that takes する
};

// The classes of a dictionary tag ("n", "v5r-i", "adj-pn"); 0 for tags
// that are no part of speech ("uk", "vt", "P").
uint32_t wordClassesOfTag(const std::string& tag);

struct Morpheme
{
    std::size_t start = 0;  // in characters of the text analysed
    std::size_t length = 0;
    std::wstring surface;
    std::string partOfSpeech;  // the analyser's first field: 名詞, 動詞 …
    std::string subclass;  // its second: 自立, 接尾, 格助詞 …
    uint32_t classes = 0;  // the dictionary classes the part of speech allows
    std::string conjugation;  // the form of an inflected word: 連用形, 未然形 …
    std::wstring baseForm;  // empty when unknown
    std::wstring reading;  // in hiragana; empty when unknown
    bool known = false;  // false for a run the analyser's dictionary lacks

    bool is(const char* part) const { return partOfSpeech == part; }
    bool is(const char* part, const char* sub) const { return partOfSpeech == part && subclass == sub; }
};

class Morphology
{
public:
    // The dictionary folder the analyser uses unless told otherwise: the
    // DEXARU_MECAB_DICTIONARY environment variable when set (empty: none),
    // else the one found when the library was built.
    static std::string defaultDictionary();

    // Opens nothing yet: the analyser starts at the first analyse().
    explicit Morphology(std::string dictionaryFolder);
    ~Morphology();
    Morphology(const Morphology&) = delete;
    Morphology& operator=(const Morphology&) = delete;

    // Starts the analyser if not tried yet; false when it cannot serve.
    bool isAvailable();
    // Why the analyser cannot serve; empty while it can.
    const std::string& whyUnavailable() const { return failure; }

    // The morphemes of text[start, end), which must hold no NUL and no code
    // point beyond Unicode; positions are in characters of the text.
    // Spaces between morphemes belong to none.
    std::vector<Morpheme> analyse(const std::wstring& text, std::size_t start, std::size_t end);

private:
    struct Analyser;
    std::string folder;
    std::unique_ptr<Analyser> analyser;
    bool tried = false;
    std::string failure;
};

}  // namespace internal

#endif

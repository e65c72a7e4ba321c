/// @file
/// @class Deinflector
/// Takes an inflected Japanese word back to the dictionary forms it may come
/// from ("飲ませられなかった" to "飲む": causative, passive, negative, past),
/// following rules that know word classes, read from "deinflection.dat".
/// The program creates and deletes the engine; a word collection only points
/// to it. Candidates are returned by value and belong to the caller.
#ifndef DEXARU_DEINFLECTOR_H
#define DEXARU_DEINFLECTOR_H

#include <cstdint>
#include <map>
#include <string>
#include <vector>

class WordEntry;

class Deinflector
{
public:
    /// One form a typed text may come from.
    struct Candidate
    {
        /// A possible dictionary form.
        std::wstring text;
        /// What was peeled off, read from the dictionary form outwards
        /// ("causative", "passive", "negative", "past"); empty for the text
        /// as typed.
        std::vector<std::string> reasons;
        /// Bit mask of the word classes the candidate may have (all bits for
        /// the text as typed); classBit names the bits.
        uint64_t classes;
        /// The number of rules taken to reach the candidate, those that
        /// give no reason included (0 for the text as typed).
        int rules = 0;
    };

    /// The classes of the text as typed.
    static constexpr uint64_t ALL_CLASSES = ~uint64_t(0);
    /// A walk never goes deeper than this many rules.
    static constexpr int MAX_STEPS = 12;
    /// A walk stops adding candidates beyond this many (with a log message).
    static constexpr int MAX_CANDIDATES = 2000;
    /// A walk stops once it has tried this many rules whose ending matched
    /// (with a log message), however the rules are written.
    static constexpr int MAX_RULES_TRIED = 10000;
    /// A rule file beyond any of these is refused whole: more rules than this,
    static constexpr int MAX_RULES = 5000;
    /// a line longer than this many bytes,
    static constexpr int MAX_LINE_BYTES = 1024;
    /// or an ending longer than this many characters (either ending of a rule).
    static constexpr int MAX_ENDING_LENGTH = 16;

    /// An engine without rules: every text deinflects to itself only.
    Deinflector();

    /// Reads the rules of a UTF-8 file, replacing any read before. Returns 0
    /// when read (malformed lines are logged and skipped), -1 when the file
    /// cannot be opened or is refused for going beyond MAX_RULES,
    /// MAX_LINE_BYTES or MAX_ENDING_LENGTH (logged; the engine is then left
    /// without rules).
    int loadFromFile(const std::string& filename);
    /// True once a file was read.
    bool isLoaded() const;

    /// Every candidate of text: the text itself first (all classes, no
    /// reasons), then the others by number of steps, without duplicates;
    /// every chain ends by construction, and the work of one call is bounded
    /// by MAX_STEPS, MAX_CANDIDATES and MAX_RULES_TRIED.
    std::vector<Candidate> deinflect(const std::wstring& text) const;
    /// Whether an entry fits a candidate: one of the entry's parts-of-speech
    /// abbreviations is in the candidate's classes (the text as typed fits
    /// any entry).
    bool fits(const Candidate& candidate, const WordEntry& entry) const;

    /// The bit of a word class named in the rules ("v5k", "adj-i"), 0 for a
    /// class the rules never name.
    uint64_t classBit(const std::string& name) const;
    /// The number of rules read.
    int getRuleCount() const;

    /// One rule of the file: a word ending in `inflected` whose classes meet
    /// `formClasses` may end in `dictionary` instead and then has
    /// `resultClasses`. A prefix rule does the same at the start of the word
    /// (the honorific お of お待ちください).
    struct Rule
    {
        std::wstring inflected;  ///< the ending of the inflected form
        std::wstring dictionary;  ///< the ending it is replaced with
        uint64_t resultClasses;  ///< the classes the result may have
        uint64_t formClasses;  ///< the classes of the form the rule rewrites
        /// Empty for a rule that only passes through a stem.
        std::string reason;
        /// True when the reason is given only for the text as typed (a stem
        /// on its own: "食べ", continuative), never inside a longer chain.
        bool reasonOnlyWhenTyped;
        /// True when inflected and dictionary are the start of the word.
        bool prefix = false;
    };

private:
    /// One node of the index of rules by inflected ending, read backwards
    /// from the last character: the rules whose whole ending leads here.
    struct EndingNode
    {
        std::map<wchar_t, std::size_t> next;
        std::vector<std::size_t> rules;
    };

    /// An empty string when the line was read or skipped, else why the
    /// whole file is refused.
    std::string readLine(const std::string& line, int lineNumber);
    uint64_t parseClasses(const std::string& names, int lineNumber);
    void clear();
    void indexRule(std::size_t position);
    /// Fills found with the positions in rules of those whose inflected
    /// ending text ends in, in the order of the file, then of the prefix
    /// rules text starts with.
    void findRulesMatching(const std::wstring& text, std::vector<std::size_t>& found) const;

    std::vector<Rule> rules;
    /// Node 0 holds the rules without an ending.
    std::vector<EndingNode> endingIndex;
    std::vector<std::size_t> prefixRules;
    /// Bit of each class name, in order of first appearance.
    std::map<std::string, uint64_t> classBits;
    /// Classes a typed word never has: stems that only rules reach.
    uint64_t innerClasses;
    /// Classes of forms that are no dictionary word (stems, the ます form).
    uint64_t formOnlyClasses;
    bool loaded;
};

#endif

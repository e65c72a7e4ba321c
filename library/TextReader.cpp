#include "TextReader.h"

#include "Deinflector.h"
#include "WordEntry.h"
#include "internal/CharacterClass.h"
#include "internal/DictionaryLookup.h"

#include <algorithm>

using internal::CharacterClass;
using internal::classOf;

namespace {

using EntryList = std::vector<std::shared_ptr<const WordEntry>>;

bool hasTag(const WordEntry& entry, const char* abbreviation)
{
    for (const EntryInfo* info : entry.info) {
        if (info->abbreviation == abbreviation) {
            return true;
        }
    }
    return false;
}

bool isAllKana(const std::wstring& text)
{
    for (wchar_t character : text) {
        const CharacterClass kind = classOf(character);
        if (kind != CharacterClass::HIRAGANA && kind != CharacterClass::KATAKANA) {
            return false;
        }
    }
    return true;
}

// The end of the run of characters of the same class as the one at start.
std::size_t runEnd(const std::wstring& text, std::size_t start)
{
    const CharacterClass kind = classOf(text[start]);
    std::size_t end = start + 1;
    while (end < text.size() && classOf(text[end]) == kind) {
        ++end;
    }
    return end;
}

// The end of the stretch from start that a dictionary word may cover.
std::size_t wordStretchEnd(const std::wstring& text, std::size_t start)
{
    std::size_t end = start;
    while (end < text.size() && internal::mayBeInWord(classOf(text[end]))) {
        ++end;
    }
    return end;
}

TextToken plainToken(const std::wstring& text, std::size_t start, std::size_t end,
                     TextToken::Kind kind)
{
    TextToken token;
    token.kind = kind;
    token.start = start;
    token.surface = text.substr(start, end - start);
    return token;
}

}  // namespace

// One way to read the characters at a position as a dictionary word.
class TextReader::Match
{
public:
    std::size_t length = 0;
    std::shared_ptr<const WordEntry> entry;
    std::wstring lookedUp;  // the dictionary form that found the entry
    std::vector<std::string> reasons;

    // Of two readings of the same length: the common word, then the one
    // with fewer inflections, then the one written as its headword.
    bool isBetterThan(const Match& other) const
    {
        if (entry->isCommon != other.entry->isCommon) {
            return entry->isCommon;
        }
        if (reasons.size() != other.reasons.size()) {
            return reasons.size() < other.reasons.size();
        }
        return lookedUp == entry->word && other.lookedUp != other.entry->word;
    }
};

TextReader::TextReader(WordDictionaryCollection* collection, const Deinflector* deinflector)
    : deinflector(deinflector), lookup(new internal::DictionaryLookup(collection))
{
}

TextReader::~TextReader() = default;

std::wstring TextReader::joined(const std::vector<TextToken>& tokens)
{
    std::wstring text;
    for (const TextToken& token : tokens) {
        text += token.surface;
    }
    return text;
}

std::vector<TextToken> TextReader::read(const std::wstring& text)
{
    lookup->refresh();
    std::vector<TextToken> tokens;
    std::size_t start = 0;
    while (start < text.size()) {
        const CharacterClass kind = classOf(text[start]);
        std::size_t end = start + 1;
        Match match;
        if (kind == CharacterClass::SPACE) {
            end = runEnd(text, start);
            tokens.push_back(plainToken(text, start, end, TextToken::SPACE));
        } else if (kind == CharacterClass::PUNCTUATION) {
            tokens.push_back(plainToken(text, start, end, TextToken::PUNCTUATION));
        } else if (kind == CharacterClass::LATIN || kind == CharacterClass::DIGIT) {
            // Letters and digits are words only as a whole run.
            end = runEnd(text, start);
            if (bestWordAt(text, start, end, &match) && match.length == end - start) {
                tokens.push_back(wordToken(text, start, match));
            } else {
                tokens.push_back(plainToken(text, start, end, TextToken::UNKNOWN));
            }
        } else if (bestWordAt(text, start, wordStretchEnd(text, start), &match)) {
            end = start + match.length;
            tokens.push_back(wordToken(text, start, match));
        } else {
            if (kind == CharacterClass::KATAKANA) {
                end = runEnd(text, start);
            }
            tokens.push_back(plainToken(text, start, end, TextToken::UNKNOWN));
        }
        start = end;
    }
    return tokens;
}

bool TextReader::bestWordAt(const std::wstring& text, std::size_t start, std::size_t end,
                            Match* best)
{
    const std::size_t longest = std::min(end - start, lookup->longestKey());
    EntryList entries;
    std::vector<Match> found;
    for (std::size_t length = longest; length > 0; --length) {
        found.clear();
        lookup->find(text.data() + start, length, &entries);
        const std::wstring piece = text.substr(start, length);
        for (std::shared_ptr<const WordEntry>& entry : entries) {
            found.push_back(Match{length, std::move(entry), piece, {}});
        }
        if (deinflector != nullptr && length >= 2
            && classOf(text[start + length - 1]) == CharacterClass::HIRAGANA) {
            const std::vector<Deinflector::Candidate> candidates = deinflector->deinflect(piece);
            // The first candidate is the text as typed, looked up above.
            for (std::size_t c = 1; c < candidates.size(); ++c) {
                const Deinflector::Candidate& candidate = candidates[c];
                lookup->find(candidate.text.data(), candidate.text.size(), &entries);
                for (std::shared_ptr<const WordEntry>& entry : entries) {
                    if (deinflector->fits(candidate, *entry)) {
                        found.push_back(Match{length, std::move(entry), candidate.text,
                                              candidate.reasons});
                    }
                }
            }
        }
        if (found.empty()) {
            continue;
        }
        *best = found[0];
        for (const Match& match : found) {
            if (match.isBetterThan(*best)) {
                *best = match;
            }
        }
        return true;
    }
    return false;
}

TextToken TextReader::wordToken(const std::wstring& text, std::size_t start,
                                const Match& match) const
{
    TextToken token = plainToken(text, start, start + match.length, TextToken::WORD);
    const WordEntry& entry = *match.entry;
    // A word usually written in kana and written so here keeps its kana.
    const bool keepsKana = match.lookedUp != entry.word && isAllKana(match.lookedUp)
                           && hasTag(entry, "uk");
    token.dictionaryForm = keepsKana ? match.lookedUp : entry.word;
    token.reading = entry.kana;
    token.reasons = match.reasons;
    token.entry = match.entry;
    return token;
}

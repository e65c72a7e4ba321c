#include "TextReader.h"

#include "Deinflector.h"
#include "WordEntry.h"
#include "internal/CharacterClass.h"
#include "internal/DictionaryLookup.h"

#include <algorithm>
#include <map>
#include <tuple>

using internal::CharacterClass;
using internal::classOf;

namespace {

using EntryList = std::vector<internal::FoundEntry>;

// The most characters an inflection adds to the part of a word it keeps
// ("させられなかった" to "食べ" of 食べる, "しなければならない" to 存在).
const std::size_t LONGEST_ENDING = 12;

// How many words the reader looks at together to choose the first.
const int CHUNK_WORDS = 3;

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

int kanjiIn(const std::wstring& text)
{
    int count = 0;
    for (wchar_t character : text) {
        count += classOf(character) == CharacterClass::KANJI ? 1 : 0;
    }
    return count;
}

bool isAllHiragana(const std::wstring& text)
{
    for (wchar_t character : text) {
        if (classOf(character) != CharacterClass::HIRAGANA) {
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
    bool usuallyKana = false;  // the entry's word is usually written in kana
    bool common = false;  // the entry is marked common

    Match(std::size_t length, internal::FoundEntry found, std::wstring dictionaryForm,
          std::vector<std::string> inflections)
        : length(length), entry(std::move(found.entry)), lookedUp(std::move(dictionaryForm)),
          reasons(std::move(inflections)), usuallyKana(found.usuallyKana), common(entry->isCommon),
          plausibility(plausibilityOf(*entry, lookedUp, usuallyKana, common)),
          // Compounds of kanji are often technical words no one marked
          // common; a rare word of kana or one kanji is more telling.
          rare(!common && kanjiIn(lookedUp) < 2)
    {
    }
    Match() = default;

    // How likely the text is written as this word: 2 when as the
    // dictionary writes it (the headword, kanji, or kana for a word usually
    // written so); 1 for the kana reading, three kana or more, of a common
    // word written in kanji (ひとつ for 一つ); 0 for shorter readings of such
    // words and for hiragana that found an uncommon word not usually written
    // in kana: "はで" for 派手 and "のす" are more likely a particle and the
    // start of another word.
    static int plausibilityOf(const WordEntry& entry, const std::wstring& lookedUp,
                              bool usuallyKana, bool common)
    {
        if (!common && !usuallyKana && isAllHiragana(lookedUp)) {
            return 0;
        }
        if (lookedUp == entry.word || !isAllKana(lookedUp) || usuallyKana) {
            return 2;
        }
        return common && lookedUp.size() >= 3 ? 1 : 0;
    }

    int getPlausibility() const { return plausibility; }
    // Uncommon, and written in kana with at most one kanji.
    bool isRare() const { return rare; }

    // Of two readings of the same length: the plausibly written one, then
    // the common word, then the one with fewer inflections.
    bool isBetterThan(const Match& other) const
    {
        if (plausibility != other.plausibility) {
            return plausibility > other.plausibility;
        }
        if (common != other.common) {
            return common;
        }
        return reasons.size() < other.reasons.size();
    }

private:
    int plausibility = 0;
    bool rare = false;
};

namespace {

// How good a choice of the next few words is, compared in this order:
// more characters covered, fewer words implausibly written, fewer rare
// words (see Match), the longer first word, fewer words.
struct ChunkScore
{
    std::size_t covered = 0;
    int words = 0;
    int implausible = 0;  // words of plausibility 0
    int rare = 0;
    std::size_t first = 0;

    // plausibility as Match::getPlausibility gives it: 0, 1 or 2.
    void add(const std::size_t length, int plausibility, bool isRare)
    {
        covered += length;
        ++words;
        implausible += plausibility == 0 ? 1 : 0;
        rare += isRare ? 1 : 0;
    }

    bool operator>(const ChunkScore& other) const
    {
        if (covered != other.covered) {
            return covered > other.covered;
        }
        if (implausible != other.implausible) {
            return implausible < other.implausible;
        }
        if (rare != other.rare) {
            return rare < other.rare;
        }
        if (first != other.first) {
            return first > other.first;
        }
        return words < other.words;
    }
};

}  // namespace

// A stretch of text that dictionary words may cover, with the words found
// so far at each position and the best runs of words from there.
class TextReader::Stretch
{
public:
    Stretch(TextReader& reader, const std::wstring& text) : reader(reader), text(text) {}

    // Starts the stretch at a position no word may cover from before.
    void startAt(std::size_t start)
    {
        end = wordStretchEnd(text, start);
        matches.clear();
        chunks.clear();
    }

    // Drops what was found before the position, which is never asked for
    // again; this keeps a long line without punctuation small.
    void forgetBefore(std::size_t start)
    {
        matches.erase(matches.begin(), matches.lower_bound(start));
        chunks.erase(chunks.begin(), chunks.lower_bound(ChunkKey{start, 0, 0}));
    }

    const std::vector<Match>& matchesFrom(std::size_t position)
    {
        auto known = matches.find(position);
        if (known == matches.end()) {
            known = matches.emplace(position, reader.matchesAt(text, position, end)).first;
        }
        return known->second;
    }

    // The best run of at most `words` words from the position, counting
    // only the text before `limit` as covered.
    ChunkScore bestChunkFrom(std::size_t position, int words, std::size_t limit)
    {
        if (words == 0 || position >= end) {
            return ChunkScore();
        }
        const ChunkKey key{position, words, limit};
        auto known = chunks.find(key);
        if (known != chunks.end()) {
            return known->second;
        }
        ChunkScore best;
        for (const Match& match : matchesFrom(position)) {
            ChunkScore score = bestChunkFrom(position + match.length, words - 1, limit);
            score.add(match.length, match.getPlausibility(), match.isRare());
            score.covered = std::min(score.covered, limit > position ? limit - position : 0);
            if (score > best) {
                best = score;
            }
        }
        chunks.emplace(key, best);
        return best;
    }

    TextReader& reader;
    const std::wstring& text;
    std::size_t end = 0;

private:
    std::map<std::size_t, std::vector<Match>> matches;
    using ChunkKey = std::tuple<std::size_t, int, std::size_t>;  // position, words, limit
    std::map<ChunkKey, ChunkScore> chunks;
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
    Stretch stretch(*this, text);
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
            const std::vector<Match> whole = matchesAt(text, start, end);
            if (!whole.empty() && whole.front().length == end - start) {
                tokens.push_back(wordToken(text, start, whole.front()));
            } else {
                tokens.push_back(plainToken(text, start, end, TextToken::UNKNOWN));
            }
        } else {
            if (start >= stretch.end) {
                stretch.startAt(start);
            }
            stretch.forgetBefore(start);
            if (chooseWordAt(stretch, start, &match)) {
                end = start + match.length;
                tokens.push_back(wordToken(text, start, match));
            } else {
                if (kind == CharacterClass::KATAKANA) {
                    end = runEnd(text, start);
                }
                tokens.push_back(plainToken(text, start, end, TextToken::UNKNOWN));
            }
        }
        start = end;
    }
    return tokens;
}

std::vector<TextReader::Match> TextReader::matchesAt(const std::wstring& text, std::size_t start,
                                                     std::size_t end)
{
    std::vector<Match> best;
    // Words as written are no longer than the beginning some word may have;
    // inflected ones reach at most an ending beyond it.
    const std::size_t written = lookup->possiblePrefix(text.data() + start,
                                                       std::min(end - start, lookup->longestKey()));
    const std::size_t longest = std::min(end - start, written + LONGEST_ENDING);
    EntryList entries;
    std::vector<Match> found;
    for (std::size_t length = longest; length > 0; --length) {
        found.clear();
        if (length <= written) {
            lookup->find(text.data() + start, length, &entries);
        } else {
            entries.clear();
        }
        const std::wstring piece = text.substr(start, length);
        for (internal::FoundEntry& entry : entries) {
            found.push_back(Match(length, std::move(entry), piece, {}));
        }
        if (deinflector != nullptr && length >= 2 && written > 0
            && classOf(text[start + length - 1]) == CharacterClass::HIRAGANA) {
            const std::vector<Deinflector::Candidate> candidates = deinflector->deinflect(piece);
            // The first candidate is the text as typed, looked up above.
            for (std::size_t c = 1; c < candidates.size(); ++c) {
                const Deinflector::Candidate& candidate = candidates[c];
                if (candidate.text.empty()
                    || lookup->possiblePrefix(candidate.text.data(), candidate.text.size())
                           < candidate.text.size()) {
                    continue;
                }
                lookup->find(candidate.text.data(), candidate.text.size(), &entries);
                for (internal::FoundEntry& entry : entries) {
                    if (deinflector->fits(candidate, *entry.entry)) {
                        found.push_back(Match(length, std::move(entry), candidate.text,
                                              candidate.reasons));
                    }
                }
            }
        }
        if (found.empty()) {
            continue;
        }
        const Match* chosen = &found[0];
        for (const Match& match : found) {
            if (match.isBetterThan(*chosen)) {
                chosen = &match;
            }
        }
        best.push_back(*chosen);
    }
    return best;
}

bool TextReader::chooseWordAt(Stretch& stretch, std::size_t start, Match* chosen)
{
    const std::vector<Match>& firsts = stretch.matchesFrom(start);
    if (firsts.empty()) {
        return false;
    }
    auto scoresWithin = [&](std::size_t limit) {
        std::vector<ChunkScore> scores;
        for (const Match& first : firsts) {
            ChunkScore score = stretch.bestChunkFrom(start + first.length, CHUNK_WORDS - 1, limit);
            score.add(first.length, first.getPlausibility(), first.isRare());
            score.covered = std::min(score.covered, limit - start);
            score.first = first.length;
            scores.push_back(score);
        }
        return scores;
    };
    std::vector<ChunkScore> scores = scoresWithin(stretch.end);
    // The longest word holds unless a shorter one does better within the
    // text the longest and the words after it cover: a long word after a
    // short one must not pull a word apart (補|正になる for 補正|に). Within
    // that text each word is weighed with the words that follow it best
    // there. A longest word that an unknown character follows covers no
    // such text.
    const ChunkScore& longest = scores.front();
    if (longest.words == CHUNK_WORDS || start + longest.covered == stretch.end) {
        scores = scoresWithin(start + longest.covered);
    }
    std::size_t best = 0;
    for (std::size_t i = 1; i < scores.size(); ++i) {
        if (scores[i] > scores[best]) {
            best = i;
        }
    }
    *chosen = firsts[best];
    return true;
}

TextToken TextReader::wordToken(const std::wstring& text, std::size_t start,
                                const Match& match) const
{
    TextToken token = plainToken(text, start, start + match.length, TextToken::WORD);
    const WordEntry& entry = *match.entry;
    // A word usually written in kana and written so here keeps its kana.
    const bool keepsKana = match.lookedUp != entry.word && isAllKana(match.lookedUp)
                           && match.usuallyKana;
    token.dictionaryForm = keepsKana ? match.lookedUp : entry.word;
    token.reading = entry.kana;
    token.reasons = match.reasons;
    token.entry = match.entry;
    return token;
}

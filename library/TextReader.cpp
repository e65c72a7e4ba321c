#include "TextReader.h"

#include "Deinflector.h"
#include "Kana.h"
#include "Log.h"
#include "WordEntry.h"
#include "internal/CharacterClass.h"
#include "internal/DictionaryLookup.h"
#include "internal/MorphemeGroups.h"
#include "internal/Morphology.h"

#include <algorithm>
#include <map>
#include <tuple>

using internal::CharacterClass;
using internal::Morpheme;
using internal::classOf;

namespace {

using EntryList = std::vector<internal::FoundEntry>;

// The most characters an inflection adds to the part of a word it keeps
// ("させられなかった" to "食べ" of 食べる, "しなければならない" to 存在).
const std::size_t LONGEST_ENDING = 12;

// How many words the reader looks at together to choose the first.
const int CHUNK_WORDS = 3;

// The most morphemes merged into one dictionary word.
const std::size_t LONGEST_MERGE = 8;

// The analyser reads word characters in runs of at most this many; a longer
// run (no space nor punctuation in it) is cut.
const std::size_t LONGEST_ANALYSED_RUN = 2048;

// The words this close to such a cut are read again with the next run.
const std::size_t RUN_OVERLAP = 64;

// A katakana run longer than this is not searched for known words inside.
const std::size_t LONGEST_KATAKANA_SEARCH = 64;

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

// The end of the run of characters of the same class as the one at start,
// at most limit.
std::size_t runEnd(const std::wstring& text, std::size_t start, std::size_t limit)
{
    const CharacterClass kind = classOf(text[start]);
    std::size_t end = start + 1;
    while (end < limit && classOf(text[end]) == kind) {
        ++end;
    }
    return end;
}

// The end of the stretch from start that a dictionary word may cover, at
// most limit.
std::size_t wordStretchEnd(const std::wstring& text, std::size_t start, std::size_t limit)
{
    std::size_t end = start;
    while (end < limit && internal::mayBeInWord(classOf(text[end]))) {
        ++end;
    }
    return end;
}

// Characters the analyser is given: those of words, letters and digits,
// real Unicode characters only.
bool isAnalysable(wchar_t character)
{
    const CharacterClass kind = classOf(character);
    if (kind == CharacterClass::SPACE || kind == CharacterClass::PUNCTUATION) {
        return false;
    }
    const uint32_t code = static_cast<uint32_t>(character);
    return code != 0 && code <= 0x10FFFF && (code < 0xD800 || code > 0xDFFF);
}

bool hasJapanese(const std::wstring& text, std::size_t start, std::size_t end)
{
    for (std::size_t i = start; i < end; ++i) {
        const CharacterClass kind = classOf(text[i]);
        if (kind == CharacterClass::HIRAGANA || kind == CharacterClass::KATAKANA
            || kind == CharacterClass::KANJI) {
            return true;
        }
    }
    return false;
}

// Kana compared without regard to the syllabary.
bool sameKana(const std::wstring& a, const std::wstring& b)
{
    return !a.empty() && Kana::toHiragana(a) == Kana::toHiragana(b);
}

// Whether a dictionary reading is the one the analyser gives.
bool isAnalysedReading(const std::wstring& entryReading, const std::wstring& analysed)
{
    if (sameKana(entryReading, analysed)) {
        return true;
    }
    // The IPA dictionary reads 日本 にっぽん wherever it stands and UniDic
    // 私 わたくし; にほん and わたし, the common readings, are as right.
    const struct {
        const wchar_t* analysed;
        const wchar_t* common;
    } alike[] = {{L"\u306b\u3063\u307d\u3093", L"\u306b\u307b\u3093"},
                 {L"\u308f\u305f\u304f\u3057", L"\u308f\u305f\u3057"}};
    for (const auto& pair : alike) {
        const std::wstring from = pair.analysed;
        const std::size_t at = analysed.find(from);
        if (at != std::wstring::npos
            && sameKana(entryReading, analysed.substr(0, at) + pair.common + analysed.substr(at + from.size()))) {
            return true;
        }
    }
    return false;
}

bool hasKanji(const std::wstring& text)
{
    return kanjiIn(text) > 0;
}

// The reading of an inflected surface from its entry: the reading of the
// dictionary form with its kana ending replaced by the surface's (行く いく,
// 行きます: いきます); empty when the two do not line up so.
std::wstring derivedReading(const std::wstring& surface, const std::wstring& dictionaryForm,
                            const std::wstring& reading)
{
    std::size_t common = 0;
    while (common < surface.size() && common < dictionaryForm.size()
           && surface[common] == dictionaryForm[common]) {
        ++common;
    }
    const std::wstring formEnding = Kana::toHiragana(dictionaryForm.substr(common));
    const std::wstring surfaceEnding = surface.substr(common);
    const std::wstring kana = Kana::toHiragana(reading);
    if (common > 0 && formEnding == L"\u308b" && kana.size() >= 2
        && kana.compare(kana.size() - 2, 2, L"\u304f\u308b") == 0 && hasKanji(dictionaryForm.substr(common - 1, 1))) {
        return std::wstring();  // 来る: the kanji reads こ, き or く as the ending asks
    }
    if (hasKanji(formEnding) || hasKanji(surfaceEnding) || kana.size() < formEnding.size()
        || kana.compare(kana.size() - formEnding.size(), formEnding.size(), formEnding) != 0) {
        return std::wstring();
    }
    return kana.substr(0, kana.size() - formEnding.size()) + Kana::toHiragana(surfaceEnding);
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
    uint32_t classes = 0;  // the entry's word classes
    // Filled by the analysed reading: whether the entry's reading and word
    // class agree with the analyser's, and the analyser's reading of the span.
    bool readingAgrees = false;
    bool classAgrees = false;
    bool baseAgrees = true;
    std::wstring analysedReading;

    Match(std::size_t length, internal::FoundEntry found, std::wstring dictionaryForm,
          std::vector<std::string> inflections)
        : length(length), entry(std::move(found.entry)), lookedUp(std::move(dictionaryForm)),
          reasons(std::move(inflections)), usuallyKana(found.usuallyKana), common(entry->isCommon),
          classes(found.classes),
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

    // Of two readings of the same span the analyser read: the one whose
    // reading, then word class, agrees with it, then as isBetterThan.
    bool agreesBetterThan(const Match& other) const
    {
        if (readingAgrees != other.readingAgrees) {
            return readingAgrees;
        }
        if (classAgrees != other.classAgrees) {
            return classAgrees;
        }
        if (baseAgrees != other.baseAgrees) {
            return baseAgrees;
        }
        return isBetterThan(other);
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
    void startAt(std::size_t start, std::size_t limit)
    {
        end = wordStretchEnd(text, start, limit);
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
    : TextReader(collection, deinflector, internal::Morphology::defaultDictionary())
{
}

TextReader::TextReader(WordDictionaryCollection* collection, const Deinflector* deinflector,
                       const std::string& analyserDictionary)
    : deinflector(deinflector), lookup(new internal::DictionaryLookup(collection)),
      morphology(new internal::Morphology(analyserDictionary))
{
}

bool TextReader::usesAnalyser()
{
    if (morphology->isAvailable()) {
        return true;
    }
    if (!toldWithoutAnalyser) {
        toldWithoutAnalyser = true;
        Log::write(7, "TextReader: %s; words are found without it.",
                   morphology->whyUnavailable().c_str());
    }
    return false;
}

TextReader::~TextReader()
{
    std::lock_guard<std::mutex> lock(reading);  // a prepare() elsewhere ends first
}

std::wstring TextReader::joined(const std::vector<TextToken>& tokens)
{
    std::wstring text;
    for (const TextToken& token : tokens) {
        text += token.surface;
    }
    return text;
}

void TextReader::prepare()
{
    std::lock_guard<std::mutex> lock(reading);
    lookup->refresh();
    usesAnalyser();
}

bool TextReader::hasTables() const
{
    std::lock_guard<std::mutex> lock(reading);
    return lookup->tableCount() > 0;
}

std::vector<TextToken> TextReader::read(const std::wstring& text)
{
    std::vector<TextToken> tokens;
    if (text.empty()) {
        return tokens;  // nothing to build tables for
    }
    std::lock_guard<std::mutex> lock(reading);
    lookup->refresh();
    if (!usesAnalyser()) {
        readByDictionary(text, 0, text.size(), &tokens);
        return tokens;
    }
    std::size_t start = 0;
    while (start < text.size()) {
        if (!isAnalysable(text[start])) {
            std::size_t end = start + 1;
            while (end < text.size() && !isAnalysable(text[end])) {
                ++end;
            }
            readByDictionary(text, start, end, &tokens);
            start = end;
            continue;
        }
        std::size_t end = start + 1;
        while (end < text.size() && end - start < LONGEST_ANALYSED_RUN && isAnalysable(text[end])) {
            ++end;
        }
        const std::size_t before = tokens.size();
        if (hasJapanese(text, start, end)) {
            readAnalysed(text, start, end, &tokens);
        } else {
            readByDictionary(text, start, end, &tokens);
        }
        if (end < text.size() && isAnalysable(text[end]) && tokens.size() > before) {
            // A run cut for its length: the words near the cut are read
            // again with what follows, so that none is cut.
            std::size_t kept = tokens.size();
            while (kept > before + 1 && tokens[kept - 1].start + RUN_OVERLAP > end) {
                --kept;
            }
            tokens.resize(kept);
            end = tokens.back().start + tokens.back().surface.size();
        }
        start = end;
    }
    return tokens;
}

void TextReader::readByDictionary(const std::wstring& text, std::size_t start, std::size_t limit,
                                  std::vector<TextToken>* tokens)
{
    Stretch stretch(*this, text);
    while (start < limit) {
        const CharacterClass kind = classOf(text[start]);
        std::size_t end = start + 1;
        Match match;
        if (kind == CharacterClass::SPACE) {
            end = runEnd(text, start, limit);
            tokens->push_back(plainToken(text, start, end, TextToken::SPACE));
        } else if (kind == CharacterClass::PUNCTUATION) {
            tokens->push_back(plainToken(text, start, end, TextToken::PUNCTUATION));
        } else if (kind == CharacterClass::LATIN || kind == CharacterClass::DIGIT) {
            // Letters and digits are words only as a whole run.
            end = runEnd(text, start, limit);
            const std::vector<Match> whole = matchesAt(text, start, end);
            if (!whole.empty() && whole.front().length == end - start) {
                tokens->push_back(wordToken(text, start, whole.front()));
            } else {
                tokens->push_back(plainToken(text, start, end, TextToken::UNKNOWN));
            }
        } else {
            if (start >= stretch.end) {
                stretch.startAt(start, limit);
            }
            stretch.forgetBefore(start);
            if (chooseWordAt(stretch, start, &match)) {
                end = start + match.length;
                tokens->push_back(wordToken(text, start, match));
            } else {
                if (kind == CharacterClass::KATAKANA) {
                    end = unknownKatakanaEnd(text, start, runEnd(text, start, limit));
                }
                tokens->push_back(plainToken(text, start, end, TextToken::UNKNOWN));
            }
        }
        start = end;
    }
}

std::size_t TextReader::unknownKatakanaEnd(const std::wstring& text, std::size_t start,
                                           std::size_t end)
{
    if (end - start > LONGEST_KATAKANA_SEARCH || end - start < 3) {
        return end;
    }
    // covered[i]: known words of two characters or more cover text[i, end).
    std::vector<bool> covered(end - start + 1, false);
    covered[end - start] = true;
    std::size_t first = end;
    for (std::size_t at = end - 2; at > start; --at) {
        for (const Match& match : matchesAt(text, at, end)) {
            if (match.length >= 2 && covered[at + match.length - start]) {
                covered[at - start] = true;
                first = at;
                break;
            }
        }
    }
    return first;
}

void TextReader::readAnalysed(const std::wstring& text, std::size_t start, std::size_t end,
                              std::vector<TextToken>* tokens)
{
    const std::vector<Morpheme> morphemes = morphology->analyse(text, start, end);
    std::size_t position = start;
    std::size_t at = 0;
    while (at < morphemes.size()) {
        const Morpheme& morpheme = morphemes[at];
        if (morpheme.start < position) {
            ++at;  // never: the analyser's morphemes follow one another
            continue;
        }
        if (morpheme.start > position) {
            readByDictionary(text, position, morpheme.start, tokens);
        }
        Match match;
        std::size_t next = at + 1;
        if (chooseAnalysedWord(text, morphemes, at, &match, &next)) {
            TextToken token = wordToken(text, morpheme.start, match);
            if (!token.reasons.empty() && !isAllKana(token.surface)) {
                // The analyser knows how the inflected form is read (来ます: きます).
                if (!match.analysedReading.empty()) {
                    token.surfaceReading = match.analysedReading;
                }
            }
            position = morpheme.start + match.length;
            tokens->push_back(std::move(token));
        } else {
            position = morpheme.start + morpheme.length;
            readByDictionary(text, morpheme.start, position, tokens);
        }
        at = next;
        while (at < morphemes.size() && morphemes[at].start < position) {
            ++at;
        }
    }
    if (position < end) {
        readByDictionary(text, position, end, tokens);
    }
}

namespace {

// The morpheme ends to try for a word from `first`, longest first: those
// that keep an inflected word whole, then those that cut its auxiliaries
// off. A word never crosses a gap between morphemes.
std::vector<std::size_t> endsToTry(const std::vector<Morpheme>& morphemes, std::size_t first,
                                   std::size_t inflected)
{
    std::size_t last = first + 1;
    while (last < morphemes.size() && last - first < LONGEST_MERGE
           && morphemes[last].start == morphemes[last - 1].start + morphemes[last - 1].length) {
        ++last;
    }
    std::vector<std::size_t> ends;
    std::vector<std::size_t> cutting;
    for (std::size_t end = last; end > first; --end) {
        const bool cuts = end < inflected
                          || (end < morphemes.size() && end > first + 1 && end - 1 >= inflected
                              && internal::beginsInflected(morphemes, end - 1)
                              && internal::inflectedEnd(morphemes, end - 1) > end);
        (cuts ? cutting : ends).push_back(end);
    }
    ends.insert(ends.end(), cutting.begin(), cutting.end());
    return ends;
}

}  // namespace

bool TextReader::chooseAnalysedWord(const std::wstring& text, const std::vector<Morpheme>& morphemes,
                                    std::size_t first, Match* chosen, std::size_t* next)
{
    const CharacterClass headClass = classOf(text[morphemes[first].start]);
    if (headClass == CharacterClass::LATIN || headClass == CharacterClass::DIGIT) {
        return false;  // letters and digits are read as runs
    }
    const std::size_t inflected = internal::inflectedEnd(morphemes, first);
    std::vector<Match> found;
    for (std::size_t end : endsToTry(morphemes, first, inflected)) {
        analysedMatches(text, morphemes, first, end, end <= inflected, &found);
        if (found.empty()) {
            continue;
        }
        const Match* best = &found[0];
        for (const Match& match : found) {
            if (match.agreesBetterThan(*best)) {
                best = &match;
            }
        }
        *chosen = *best;
        *next = end;
        return true;
    }
    return false;
}

void TextReader::analysedMatches(const std::wstring& text, const std::vector<Morpheme>& morphemes,
                                 std::size_t first, std::size_t end, bool whole,
                                 std::vector<Match>* kept)
{
    kept->clear();
    const Morpheme& head = morphemes[first];
    const std::size_t spanStart = head.start;
    const std::size_t length = morphemes[end - 1].start + morphemes[end - 1].length - spanStart;
    if (length > lookup->longestKey() + LONGEST_ENDING) {
        return;
    }
    bool hasParticle = false;
    bool joins = true;
    std::wstring reading;  // the analyser's, of the whole span
    bool readingKnown = true;
    for (std::size_t m = first; m < end; ++m) {
        hasParticle = hasParticle || internal::isParticleOrAuxiliary(morphemes[m]);
        joins = joins && internal::mayJoinAWord(morphemes[m]);
        readingKnown = readingKnown && !morphemes[m].reading.empty();
        reading += morphemes[m].reading;
    }
    if (!whole && (internal::isParticleOrAuxiliary(head) || !joins)) {
        return;  // particles and auxiliaries stay words of their own
    }
    const std::size_t written =
        lookup->possiblePrefix(text.data() + spanStart, std::min(length, lookup->longestKey()));
    std::vector<Match> found;
    matchesOfLength(text, spanStart, length, written, &found);
    const std::wstring surface = text.substr(spanStart, length);
    if (whole) {
        addBaseFormMatches(head, end - first, surface, &found);
    }
    const uint32_t analysedClasses =
        !whole ? 0
               : head.is("名詞", "サ変接続") && end > first + 1 ? (internal::SAHEN_NOUN | internal::VERB)
                                                              : head.classes;
    for (Match& match : found) {
        const bool asWritten = match.lookedUp == surface;
        if (!whole) {
            // A word across morphemes must be written as the dictionary
            // writes it (no kana for a kanji word; a common one after the
            // prefix お, as おそれ, may be), holds a particle only when it
            // is no set phrase (いくらか, not ことができる), and reaches into
            // its last verb (寒くなる is 寒い and なる).
            const int plausible = head.is("接頭詞") ? 1 : 2;
            if (match.getPlausibility() < plausible
                || (hasParticle && (match.classes & internal::EXPRESSION) != 0)
                || (!asWritten
                    && !internal::reachesTheLastVerb(morphemes, first, end, match.lookedUp.size()))) {
                continue;
            }
        }
        // Stems and other forms the rules take back without a reason are
        // inflected too (待ち of 待つ).
        const std::wstring& kana = match.entry->kana.empty() ? match.entry->word : match.entry->kana;
        const std::wstring entryReading = asWritten ? kana : derivedReading(surface, match.lookedUp, kana);
        // A reading that cannot be told from the entry (来て) neither agrees
        // nor disagrees.
        match.readingAgrees = readingKnown && (entryReading.empty() || isAnalysedReading(entryReading, reading));
        match.classAgrees = analysedClasses == 0 || match.classes == 0
                            || (match.classes & analysedClasses) != 0;
        if (end == first + 1 && head.is("名詞", "非自立") && isAllKana(surface)) {
            // A formal noun in kana is the word usually so written (ほう: 方, not 報).
            match.classAgrees = match.classAgrees && internal::isFormalNoun(surface, match.entry->word);
        }
        // The analyser's base form of an inflected word, or a longer common
        // word of several morphemes (持っていく over 持つ, not 来てる for 来て).
        match.baseAgrees = head.baseForm.empty() || asWritten || sameKana(match.lookedUp, head.baseForm)
                           || match.lookedUp == head.baseForm
                           || (match.common && end - first > 1
                               && match.lookedUp.size() > head.baseForm.size());
        if (whole && end - first > 1 && head.is("助動詞") && !match.classAgrees) {
            continue;  // だそう is だ and そう, never a form of 出す
        }
        match.analysedReading = readingKnown ? reading : std::wstring();
        kept->push_back(std::move(match));
    }
    if (end == first + 1 && head.is("名詞", "一般")) {
        // For a plain noun the analyser's reading is its dictionary's first
        // guess, not the sentence's (値 ね in 値を返す): a common entry of
        // the word outweighs an uncommon one read so.
        const bool commonAgrees = std::any_of(kept->begin(), kept->end(), [](const Match& match) {
            return match.common && match.classAgrees;
        });
        for (Match& match : *kept) {
            match.readingAgrees = match.readingAgrees && (match.common || !commonAgrees);
        }
    }
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
    std::vector<Match> found;
    for (std::size_t length = longest; length > 0; --length) {
        found.clear();
        matchesOfLength(text, start, length, written, &found);
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

void TextReader::addBaseFormMatches(const Morpheme& head, std::size_t morphemes,
                                    const std::wstring& surface, std::vector<Match>* found)
{
    const bool inflects = head.is("動詞") || head.is("形容詞");
    if (!inflects || head.baseForm.empty() || head.baseForm == surface) {
        return;
    }
    for (const Match& match : *found) {
        if (match.lookedUp == head.baseForm) {
            return;  // the rules found it
        }
    }
    // The inflections the rules saw in the span, or the stem's own.
    std::vector<std::string> reasons;
    for (const Match& match : *found) {
        if (!match.reasons.empty()) {
            reasons = match.reasons;
            break;
        }
    }
    if (reasons.empty() && morphemes == 1 && head.conjugation.compare(0, 9, "\u9023\u7528\u5f62") == 0) {  // 連用形
        reasons.push_back("continuative");
    }
    if (reasons.empty()) {
        return;
    }
    EntryList entries;
    lookup->find(head.baseForm.data(), head.baseForm.size(), &entries);
    const uint32_t wanted = head.is("動詞") ? internal::VERB : internal::ADJECTIVE;
    for (internal::FoundEntry& entry : entries) {
        if ((entry.classes & wanted) != 0) {
            found->push_back(Match(surface.size(), std::move(entry), head.baseForm, reasons));
        }
    }
}

const std::vector<Deinflector::Candidate>& TextReader::candidatesOf(const std::wstring& piece)
{
    auto known = deinflected.find(piece);
    if (known != deinflected.end()) {
        return known->second;
    }
    // Enough for the pieces of a long text; beyond it the memory starts over.
    if (deinflected.size() >= 1024) {
        deinflected.clear();
    }
    return deinflected.emplace(piece, deinflector->deinflect(piece)).first->second;
}

void TextReader::matchesOfLength(const std::wstring& text, std::size_t start, std::size_t length,
                                 std::size_t written, std::vector<Match>* found)
{
    EntryList entries;
    if (length <= written) {
        lookup->find(text.data() + start, length, &entries);
    }
    const std::wstring piece = text.substr(start, length);
    for (internal::FoundEntry& entry : entries) {
        found->push_back(Match(length, std::move(entry), piece, {}));
    }
    if (deinflector == nullptr || length < 2 || written == 0
        || classOf(text[start + length - 1]) != CharacterClass::HIRAGANA) {
        return;
    }
    const std::vector<Deinflector::Candidate>& candidates = candidatesOf(piece);
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
                found->push_back(Match(length, std::move(entry), candidate.text, candidate.reasons));
            }
        }
    }
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
    const std::wstring& kana = entry.kana.empty() ? entry.word : entry.kana;
    if (isAllKana(token.surface)) {
        token.surfaceReading = token.surface;
    } else if (token.reasons.empty()) {
        token.surfaceReading = kana;
    } else {
        token.surfaceReading = derivedReading(token.surface, match.lookedUp, kana);
    }
    return token;
}

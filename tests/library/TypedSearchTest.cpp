// A search of what a learner types: romaji turned into kana only when all
// of it converts, English looked up in the meanings as typed, the whole
// result ranked before the limit cuts it, long vowels added to kana typed
// without them.
#include "FixtureCollection.h"
#include "TestFiles.h"
#include "TypedSearch.h"
#include "WordDictionaryCollection.h"
#include "WordEntry.h"
#include "WordResult.h"
#include "internal/GlossMatch.h"
#include "internal/LongVowels.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <set>
#include <string>
#include <vector>

namespace {

// Three hundred uncommon "waterfall" words come before 水 in the file and
// in reading order, so that a limit of 200 taken in file or reading order
// never reaches it.
std::string edictLines()
{
    std::string lines;
    for (int n = 0; n < 300; ++n) {
        lines += "滝" + std::to_string(n) + " [あ] /(n) waterfall number " + std::to_string(n) + "/\n";
    }
    lines += "水 [みず] /(n) (1) water/(2) fluid/(P)/\n"
             "ホン /(n) phon (unit of loudness)/(P)/\n"
             "本 [ほん] /(n) (1) book/volume/(2) counter for long things/(P)/\n"
             "品 [ほん] /(ctr) rank/\n"
             "東京 [とうきょう] /(n) Tokyo/(P)/\n"
             "虎皮 [こひ] /(n) tiger fur/\n"
             "公費 [こうひ] /(n) public expense/(P)/\n"
             "珈琲 [コーヒー] /(n) (uk) coffee/(P)/\n"
             "大阪 [おおさか] /(n) Osaka/(P)/\n"
             "拉麺 [ラーメン] /(n) (uk) ramen/(P)/\n"
             "勉強 [べんきょう] /(n,vs) study/(P)/\n"
             "喫する [きっする] /(vs-s,vt) (1) to eat/to drink/to smoke/(P)/\n"
             "食べる [たべる] /(v1,vt) (1) to eat/(2) to live on/(P)/\n"
             "頂く [いただく] /(v5k,vt) (1) to receive/(2) to eat/(P)/\n"
             "酒 [さけ] /(n) (1) alcohol/sake/(P)/\n"
             "ナイト /(n) night/(P)/\n"
             "石 [いし] /(n) stone/(P)/\n"
             "音色 [ねいろ] /(n) (1) tone/timbre/(P)/\n"
             "蚊 [か] /(n) mosquito/(P)/\n"
             "空手 [からて] /(n) karate/(P)/\n"
             "夜 [よる] /(n) night/(P)/\n"
             "鮭 [さけ] /(n) salmon/(P)/\n"
             // Lines with "a" or "to" as a word: uncommon ones with a gloss
             // that is the text or the kana searched as their reading, and
             // uncommon ones that merely hold it.
             "亜 [あ] /(pref) sub-/a/\n"
             "或る [ある] /(adj-pn) a certain/some/\n"
             "蛙 [かえる] /(n) a frog/\n"
             "一つ [ひとつ] /(n) (1) one/(2) a/an/(P)/\n"
             "ア /(n) letter of the kana/\n"
             "迄 [まで] /(prt) to/until/\n"
             "到る [いたる] /(v5r) (1) to arrive/(2) to/\n"
             "旅 [たび] /(n) a trip to a place/\n"
             // Spoken and Kansai negatives of verbs (犯さん, 肥えん, 食べへん)
             // against words with long vowels.
             "犯す [おかす] /(v5s,vt) commit crime/(P)/\n"
             "お母さん [おかあさん] /(n) mother/(P)/\n"
             "肥える [こえる] /(v1,vi) grow fat/(P)/\n"
             "公園 [こうえん] /(n) park/(P)/\n"
             "為る [する] /(vs-i) do/(P)/\n"
             "製図 [せいず] /(n,vs) drafting/(P)/\n";
    return lines;
}

const char* const partsOfSpeechLines =
    "n\tnoun\nctr\tcounter\nv1\tichidan verb\nv5k\tgodan verb\nvs\tsuru noun\n"
    "vs-s\tsuru verb\nvt\ttransitive\nv5s\tgodan verb\nvi\tintransitive\nvs-i\tsuru verb\n";

const int W = WordDictionary::SEARCH_WORD;
const int K = WordDictionary::SEARCH_KANA;
const int M = WordDictionary::SEARCH_MEANING;
const int I = WordDictionary::SEARCH_IGNORE_CASE;
const int F = WordDictionary::SEARCH_FUZZY;
const int WILD = WordDictionary::SEARCH_WILDCARD;

class TypedSearchTest : public FixtureCollection
{
protected:
    void SetUp() override { load(edictLines(), partsOfSpeechLines, WITHOUT_FUZZY_RULES); }

    // The headwords found, in order, joined by spaces; and the spellings
    // the search says it also tried.
    std::pair<std::wstring, std::vector<std::wstring>> search(const std::wstring& typed, int flags,
                                                              bool relevance, int limit = 200)
    {
        WordDictionary::SearchOptions options;
        options.searchFlags = flags;
        options.limit = limit;
        TypedSearch typedSearch(&collection);
        testing::internal::CaptureStderr();
        std::unique_ptr<WordResult> result(
            typedSearch.search(typed, TypedSearch::kanaOfWholeRomaji(typed), options, relevance));
        testing::internal::GetCapturedStderr();
        std::wstring words;
        for (WordEntry* entry : result->getEntries()) {
            words += (words.empty() ? L"" : L" ") + entry->word;
        }
        return {words, typedSearch.getAlsoSearched()};
    }
};

}  // namespace

TEST(TypedSearchKanaTest, RomajiBecomesKanaOnlyWhenEveryLetterConverts)
{
    const struct
    {
        const wchar_t* typed;
        const wchar_t* searched;
    } cases[] = {
        {L"hon", L"ほん"},       {L"tabemasen", L"たべません"}, {L"kan'i", L"かんい"},
        {L"TOKYO", L"トキョ"},   {L"*iku*", L"*いく*"},         {L"to-kyo-", L"とーきょー"},
        {L"water", L"water"},   {L"dog", L"dog"},             {L"eat", L"eat"},
        {L"a b", L"a b"},       {L"hello world", L"hello world"}, {L"水", L"水"},
        {L"", L""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(TypedSearch::kanaOfWholeRomaji(c.typed), c.searched) << testing::PrintToString(c.typed);
    }

    // In the relevance order, capitals as English text writes them (a name,
    // a sentence's first word) are no katakana: such romaji is read in lower
    // case. Otherwise capitals give katakana, as they always have.
    const struct
    {
        const wchar_t* typed;
        const wchar_t* relevance;
        const wchar_t* specified;
    } capitals[] = {
        {L"Tokyo", L"ときょ", L"トきょ"},
        {L"Neko", L"ねこ", L"ネこ"},
        {L"Onna no ko", L"おんな の こ", L"オんな の こ"},
        {L"Tabemashita", L"たべました", L"タべました"},
        {L"NEKO", L"ネコ", L"ネコ"},
        {L"raMEN", L"らメン", L"らメン"},
        {L"NeKo", L"ネコ", L"ネコ"},
        {L"Water", L"Water", L"Water"},
        {L"Hello World", L"Hello World", L"Hello World"},
        // Hepburn's long vowels, which the long-vowel spellings lengthen again.
        {L"Tōkyō", L"ときょ", L"Tōkyō"},
        {L"kōhī", L"こひ", L"kōhī"},
        {L"Ōsaka", L"おさか", L"Ōさか"},
        {L"benkyô", L"べんきょ", L"benkyô"},
        {L"rāmen", L"らめん", L"rāmen"},
        // Hepburn's m for ん before b, m and p.
        {L"shimbun", L"しんぶん", L"shimbun"},
        {L"sempai", L"せんぱい", L"sempai"},
        {L"Namba", L"なんば", L"Namba"},
        {L"KAMPAI", L"カンパイ", L"KAMPAI"},
        {L"member", L"member", L"member"},
        {L"mama", L"まま", L"まま"},
    };
    for (const auto& c : capitals) {
        EXPECT_EQ(TypedSearch::kanaOfWholeRomaji(c.typed, true), c.relevance) << testing::PrintToString(c.typed);
        EXPECT_EQ(TypedSearch::kanaOfWholeRomaji(c.typed, false), c.specified) << testing::PrintToString(c.typed);
    }
}

// Each case pins the first rows of the result (an empty list: no rows at
// all) and the long-vowel spellings reported.
TEST_F(TypedSearchTest, RanksTheWholeResultAsTypedThenLongVowelsThenCutsIt)
{
    const struct Case
    {
        const wchar_t* typed;
        int flags;
        bool relevance;
        int limit;
        const wchar_t* firstWords;
        std::vector<std::wstring> alsoSearched;
        bool wholeResult = false;  // the words are all the result holds
    } cases[] = {
        // Kana as typed before its katakana twin that only folding finds.
        {L"hon", W | K | I | F, true, 200, L"本 品 ホン", {}},
        {L"hon", W | K | I | F, true, 1, L"本", {}},
        // 水 is row 301 in file and reading order: ranked first only when
        // the whole result is ranked before the limit.
        {L"water", W | K | M | I | F, true, 200, L"水 滝0", {}},
        {L"water", M, true, 3, L"水 滝0 滝1", {}},
        // English typed with conversion on: "sake" is さけ and a gloss; each
        // line once.
        {L"sake", W | K | M, true, 200, L"酒 鮭", {}},
        {L"sake", W | K | M, false, 200, L"酒 鮭", {}},
        // The text as typed counts in the meanings as a whole word only:
        // "tone" is not in "stone", "ka" not in "karate".
        {L"tone", W | K | M, false, 200, L"音色", {}, true},
        {L"tone", W | K | M, true, 200, L"音色", {}, true},
        {L"ka", W | K | M, false, 200, L"蚊", {}, true},
        {L"ka", W | K | M, true, 200, L"蚊", {}, true},
        // A first gloss that is the text, and a first sense that is nothing
        // else, before broader and later senses; Japanese before the
        // English word in katakana.
        {L"eat", W | K | M | F, true, 200, L"食べる 喫する 頂く", {}},
        {L"night", W | K | M | I | F, true, 200, L"夜 ナイト", {}},
        // Long vowels, common words found through them before uncommon
        // words found as typed.
        {L"tokyo", W | K | F, true, 200, L"東京", {L"とうきょう"}},
        {L"tokyo", W | K | F | WILD, true, 200, L"東京", {L"とうきょう"}},
        {L"to*", W | K | F | WILD, true, 200, L"東京", {}},
        {L"kohi", W | K | F, true, 200, L"珈琲 公費 虎皮", {L"こうひ", L"コーヒー"}},
        {L"osaka", W | K | F, true, 200, L"大阪", {L"おおさか"}},
        {L"ramen", W | K | F, true, 200, L"拉麺", {L"ラーメン"}},
        {L"benkyo", W | K | F, true, 200, L"勉強", {L"べんきょう"}},
        {L"kohi", W | K | F, true, 1, L"珈琲", {L"こうひ", L"コーヒー"}},
        // A word spelled with its long vowels before a spoken or Kansai form
        // of another that the text is as typed; such a form first when no
        // word competes.
        {L"okasan", W | K | I | F, true, 200, L"お母さん 犯す", {L"おかあさん"}, true},
        {L"koen", W | K | I | F, true, 200, L"公園 肥える", {L"こうえん"}, true},
        {L"koen", W | K | I | F, true, 1, L"公園", {L"こうえん"}, true},
        // The written negative in ず is no spoken form: せず is する first.
        {L"sezu", W | K | I | F, true, 2, L"為る 製図", {L"せいず"}, true},
        {L"kowakan", W | K | I | F, true, 200, L"", {}},
        {L"okasahen", W | K | I | F, true, 200, L"犯す", {}, true},
        {L"koehen", W | K | I | F, true, 200, L"肥える", {}, true},
        {L"okasanakatta", W | K | I | F, true, 200, L"犯す", {}, true},
        // An inflected word or a phrase typed without long vowels, which
        // finds nothing as typed, is taken back to its dictionary form.
        {L"benkyo suru", W | K | I | F, true, 200, L"勉強", {L"べんきょうする"}, true},
        {L"benkyosuru", W | K | I | F, true, 200, L"勉強", {L"べんきょうする"}, true},
        {L"benkyo shimasu", W | K | I | F, true, 200, L"勉強", {L"べんきょうします"}, true},
        // Only in a fuzzy search; in the reading order, only where the text
        // as typed finds nothing.
        {L"tokyo", W | K, true, 200, L"", {}},
        // The reading order tries them where the text finds nothing.
        {L"tokyo", W | K | F, false, 200, L"東京", {L"とうきょう"}},
        {L"kohi", W | K | F, false, 200, L"虎皮", {}},
    };
    for (const Case& c : cases) {
        const auto found = search(c.typed, c.flags, c.relevance, c.limit);
        const std::wstring first(c.firstWords);
        EXPECT_EQ(first.empty() || c.wholeResult ? found.first : found.first.substr(0, first.size()), first)
            << testing::PrintToString(c.typed) << " flags " << c.flags << " limit " << c.limit
            << (c.relevance ? " relevance" : " reading");
        EXPECT_EQ(found.second, c.alsoSearched) << testing::PrintToString(c.typed);
    }
}

// The reading order keeps its limit in file order: 水 is not reached, and
// the meaning search of the typed text adds only what the limit leaves.
TEST_F(TypedSearchTest, ReadingOrderCutsAsTheCollectionDoes)
{
    for (const int limit : {0, 1, 5, 200}) {
        const auto found = search(L"water", W | K | M, false, limit);
        const std::size_t rows = found.first.empty() ? 0 : std::count(found.first.begin(), found.first.end(), L' ') + 1;
        EXPECT_EQ(rows, static_cast<std::size_t>(limit)) << limit;
        EXPECT_EQ(found.first.find(L"水"), std::wstring::npos) << limit;
    }
    // The converted text fills the limit first ("sake" as さけ), the meaning
    // search adds within what is left.
    EXPECT_EQ(search(L"sake", W | K | M, false, 1).first, L"酒");
    // The limit counts rows with the English text as a word: lines that
    // merely hold it ("phon", "long") come first in the file and never use
    // it up.
    EXPECT_EQ(search(L"on", W | K | M, false, 2).first, L"食べる");
    EXPECT_EQ(search(L"to", W | K | M, false, 3).first, L"頂く 喫する 食べる");
}

// English of one or two letters is in the meanings of most lines: ranked
// under a limit, only the lines that could be among the first rows are
// read. Whatever the limit, the rows are the first of the whole result,
// each line once.
TEST_F(TypedSearchTest, ALimitedRankedSearchListsTheFirstRowsOfTheWholeResult)
{
    // Romaji that turns into kana, and letters searched as they are, in
    // every line that holds them ("w", "t", "wat").
    for (const wchar_t* typed : {L"a", L"A", L"to", L"eat", L"water", L"night", L"sake", L"tone", L"one",
                                 L"w", L"t", L"wat", L"st", L"Tokyo"}) {
        for (const int flags : {W | K | M | I | F, W | K | M, M}) {
            const std::wstring whole = search(typed, flags, true, -1).first;
            for (const int limit : {1, 2, 3, 5, 8, 200}) {
                std::wstring first;
                for (std::size_t at = 0, rows = 0; at < whole.size() && rows < static_cast<std::size_t>(limit);
                     ++rows) {
                    const std::size_t space = whole.find(L' ', at);
                    first += (first.empty() ? L"" : L" ") + whole.substr(at, space - at);
                    at = space == std::wstring::npos ? whole.size() : space + 1;
                }
                EXPECT_EQ(search(typed, flags, true, limit).first, first)
                    << testing::PrintToString(typed) << " flags " << flags << " limit " << limit;
            }
        }
    }
    // Letters searched as they are find, ranked, what the collection's own
    // search finds.
    for (const wchar_t* typed : {L"w", L"t", L"wat", L"st", L"Tokyo", L"ter"}) {
        for (const int flags : {W | K | M | I | F, W | K | M, M}) {
            WordDictionary::SearchOptions options;
            options.searchFlags = flags;
            options.limit = -1;
            testing::internal::CaptureStderr();
            std::unique_ptr<WordResult> plain(collection.search(typed, &options));
            testing::internal::GetCapturedStderr();
            std::multiset<std::wstring> expected;
            for (WordEntry* entry : plain->getEntries()) {
                expected.insert(entry->word);
            }
            const std::wstring ranked = search(typed, flags, true, -1).first;
            std::multiset<std::wstring> found;
            for (std::size_t at = 0; at < ranked.size();) {
                const std::size_t space = std::min(ranked.find(L' ', at), ranked.size());
                found.insert(ranked.substr(at, space - at));
                at = space + 1;
            }
            EXPECT_EQ(found, expected) << testing::PrintToString(typed) << " flags " << flags;
        }
    }
    // What "a" and "to" find at all: the text as a word, never inside one
    // ("waterfall", "stone"); a gloss that is the text first.
    EXPECT_EQ(search(L"a", M, true, -1).first, L"亜 一つ 旅 或る 蛙");
    EXPECT_EQ(search(L"to", M, true, -1).first, L"迄 到る 喫する 食べる 頂く 旅");
}

TEST(LongVowelsTest, SpellingsFewestLongVowelsFirstAndCapped)
{
    const struct
    {
        const wchar_t* kana;
        std::vector<std::wstring> mustHold;  // in this order
        std::size_t count;
    } cases[] = {
        {L"ときょ", {L"とうきょ", L"ときょう", L"トーキョ", L"とうきょう", L"トーキョー"}, 11},
        {L"こひ", {L"こうひ", L"こおひ", L"こひい", L"コーヒ", L"コヒー", L"こうひい", L"コーヒー"}, 8},
        {L"らめん", {L"らあめん", L"らめいん", L"らめえん", L"ラーメン"}, 8},
        {L"ラメン", {L"ラーメン", L"ラメーン", L"ラーメーン"}, 3},
        // No long vowel where one is written (とう, せい, ー) or between き and
        // ょ; a vowel of its own takes one (びょいん, こえん, おさか).
        {L"おさか", {L"おうさか", L"おおさか", L"オーサカ"}, 18},
        {L"とうきょう", {}, 0},
        {L"せいと", {L"せいとう", L"セイトー"}, 3},
        {L"コーヒー", {}, 0},
        {L"びょいん", {L"びょういん", L"ビョーイン"}, 8},
        {L"こえん", {L"こうえん", L"こおえん", L"コーエン"}, 11},
        {L"きっと", {L"きいっと", L"きっとう", L"きっとお"}, 8},
        {L"ん", {}, 0},
        {L"", {}, 0},
        {L"東京", {}, 0},
        {L"tokyo", {}, 0},
        {L"と*", {}, 0},
        {L"あかさたなはまやらわ", {L"ああかさたなはまやらわ"}, internal::MAX_LONG_VOWEL_SPELLINGS},
    };
    for (const auto& c : cases) {
        const std::vector<std::wstring> spellings = internal::longVowelSpellings(c.kana);
        EXPECT_EQ(spellings.size(), c.count) << testing::PrintToString(c.kana);
        EXPECT_EQ(std::set<std::wstring>(spellings.begin(), spellings.end()).size(), spellings.size());
        auto from = spellings.begin();
        for (const std::wstring& wanted : c.mustHold) {
            from = std::find(from, spellings.end(), wanted);
            EXPECT_NE(from, spellings.end()) << testing::PrintToString(c.kana) << " lacks or misplaces "
                                             << testing::PrintToString(wanted);
        }
    }
}

TEST(GlossMatchTest, GradesTheGlossesThatAreTheText)
{
    const struct
    {
        std::vector<std::string> glosses;
        const char* text;
        internal::GlossGrade grade;
        int firstSenseGlosses;
    } cases[] = {
        {{"(1) water (esp. cool, fresh water)", "(2) fluid"}, "water", internal::FIRST_GLOSS_IS_TEXT, 1},
        {{"(1) to eat", "(2) to live on"}, "eat", internal::FIRST_GLOSS_IS_TEXT, 1},
        {{"(1) To Eat "}, " EAT", internal::FIRST_GLOSS_IS_TEXT, 1},
        {{"(1) to get tired", "to tire"}, "tired", internal::FIRST_GLOSS_IS_TEXT, 2},
        {{"(1) to be angry"}, "angry", internal::FIRST_GLOSS_IS_TEXT, 1},
        {{"(1) to become red"}, "red", internal::FIRST_GLOSS_IS_TEXT, 1},
        {{"(1) to get up"}, "get up", internal::FIRST_GLOSS_IS_TEXT, 1},
        {{"to be tired of"}, "tired", internal::NO_GLOSS_IS_TEXT, 1},
        {{"to go to"}, "go", internal::NO_GLOSS_IS_TEXT, 1},
        {{"(1) to eat", "to drink", "to smoke"}, "eat", internal::FIRST_GLOSS_IS_TEXT, 3},
        {{"(1) book", "volume", "(2) counter"}, "volume", internal::FIRST_SENSE_HAS_TEXT, 2},
        {{"to eat; to drink"}, "drink", internal::FIRST_SENSE_HAS_TEXT, 1},
        {{"(1) to receive", "(2) to eat"}, "eat", internal::LATER_SENSE_HAS_TEXT, 1},
        {{"waterfall"}, "water", internal::NO_GLOSS_IS_TEXT, 1},
        {{"{comp} file"}, "file", internal::FIRST_GLOSS_IS_TEXT, 1},
        {{"[Ok] okay"}, "okay", internal::FIRST_GLOSS_IS_TEXT, 1},
        {{"((nested) note) cat"}, "cat", internal::FIRST_GLOSS_IS_TEXT, 1},
        {{"cat"}, "", internal::NO_GLOSS_IS_TEXT, 0},
        {{}, "cat", internal::NO_GLOSS_IS_TEXT, 0},
    };
    for (const auto& c : cases) {
        WordEntry entry;
        entry.meaningsSize = static_cast<int>(c.glosses.size());
        entry.meanings = new std::string[c.glosses.size() + 1];
        std::copy(c.glosses.begin(), c.glosses.end(), entry.meanings);
        const internal::GlossMatch match = internal::glossMatch(entry, c.text);
        EXPECT_EQ(match.grade, c.grade) << c.text << " in " << testing::PrintToString(c.glosses);
        EXPECT_EQ(match.firstSenseGlosses, c.firstSenseGlosses) << c.text;
    }
}

TEST(GlossMatchTest, FindsTheTextAsAWholeWord)
{
    const struct
    {
        std::vector<std::string> glosses;
        const char* text;
        bool found;
    } cases[] = {
        {{"tone of voice"}, "tone", true},   {{"(1) stone"}, "tone", false},  {{"toner"}, "tone", false},
        {{"a stone", "(2) tone"}, "tone", true}, {{"Tone"}, "tone", true},    {{"half-tone"}, "tone", true},
        {{"karate"}, "ka", false},           {{"ka (kana)"}, "ka", true},     {{"(ka)"}, "ka", true},
        {{"water"}, "", false},              {{}, "tone", false},             {{"stone tone"}, "tone", true},
    };
    for (const auto& c : cases) {
        WordEntry entry;
        entry.meaningsSize = static_cast<int>(c.glosses.size());
        entry.meanings = new std::string[c.glosses.size() + 1];
        std::copy(c.glosses.begin(), c.glosses.end(), entry.meanings);
        EXPECT_EQ(internal::hasWord(entry, c.text), c.found) << c.text << " in " << testing::PrintToString(c.glosses);
    }
}

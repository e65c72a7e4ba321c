// Fuzzy searches through the deinflection engine, and the relevance order.
#include "Deinflector.h"
#include "Edict.h"
#include "FixtureCollection.h"
#include "WordDictionaryCollection.h"
#include "WordEntry.h"
#include "WordResult.h"
#include "TestFiles.h"
#include "internal/IndexLookup.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// Nouns and verbs whose readings are what wrong rule chains would reach.
const char* const edictLines =
    "行く [いく] /(v5k-s,vi) (1) to go/(2) to proceed/(3) to pass through/(P)/\n"
    "生きる [いきる] /(v1,vi) (1) to live/(2) to make a living/(P)/\n"
    "いい /(adj-ix) good/(P)/\n"
    "依々 [いい] /(adj-t) reluctant/\n"
    "唯々 [いい] /(adv) obediently/\n"
    "言う [いう] /(v5u,vt) to say/(P)/\n"
    "書く [かく] /(v5k,vt) to write/(P)/\n"
    "核 [かく] /(n) nucleus/(P)/\n"
    "欠く [かく] /(v5k,vt) to lack/\n"
    "飲む [のむ] /(v5m,vt) to drink/(P)/\n"
    "飲ませる [のませる] /(v1,vt) to make someone drink/\n"
    "来る [くる] /(vk,vi) to come/(P)/\n"
    "着る [きる] /(v1,vt) to wear/(P)/\n"
    "北 [きた] /(n) north/(P)/\n";

const char* const partsOfSpeechLines =
    "n\tnoun\nadv\tadverb\nadj-t\ttaru adjective\nadj-ix\tyoi/ii adjective\n"
    "v1\tichidan verb\nv5k\tgodan verb\nv5k-s\tgodan verb (iku)\nv5m\tgodan verb\n"
    "v5u\tgodan verb\nvk\tkuru verb\nvt\ttransitive\nvi\tintransitive\n";

WordDictionary::SearchOptions fuzzyOptions(int limit = -1)
{
    WordDictionary::SearchOptions options;
    options.searchFlags = WordDictionary::SEARCH_WORD | WordDictionary::SEARCH_KANA | WordDictionary::SEARCH_FUZZY;
    options.commonFilter = 0;
    options.limit = limit;
    options.matchAllPartsOfSpeech = false;
    return options;
}

struct Row
{
    std::wstring word;
    std::wstring from;
    std::string reasons;
};

class DeinflectionSearchTest : public FixtureCollection
{
protected:
    void SetUp() override { load(edictLines, partsOfSpeechLines, WITH_FUZZY_RULES); }

    // The visible rows of a search in relevance order.
    std::vector<Row> search(const std::wstring& text, WordDictionary::SearchOptions options = fuzzyOptions())
    {
        testing::internal::CaptureStderr();
        WordResult* result = collection.search(text, &options);
        result->sortByRelevance();
        testing::internal::GetCapturedStderr();
        std::vector<Row> rows;
        for (WordEntry* entry : result->getEntries()) {
            std::string reasons;
            for (const std::string& reason : entry->deinflectionReasons) {
                reasons += (reasons.empty() ? "" : ", ") + reason;
            }
            rows.push_back(Row{entry->word, entry->deinflectedFrom, reasons});
        }
        delete result;
        return rows;
    }

    static std::vector<std::wstring> words(const std::vector<Row>& rows)
    {
        std::vector<std::wstring> list;
        for (const Row& row : rows) {
            list.push_back(row.word);
        }
        return list;
    }
};

}  // namespace

TEST_F(DeinflectionSearchTest, KeepsOnlyEntriesOfAClassTheChainAllows)
{
    struct Case
    {
        const wchar_t* typed;
        std::vector<std::wstring> words;
    } cases[] = {
        // No noun, adverb or adjective whose reading a rule happens to reach.
        {L"いきました", {L"行く", L"生きる"}},
        {L"かいた", {L"書く", L"欠く"}},
        {L"かかない", {L"書く", L"欠く"}},
        {L"のませられなかった", {L"飲む", L"飲ませる"}},
        {L"きた", {L"北", L"着る", L"来る"}},
        // A phrase typed with spaces between its words, in either width.
        {L"いき ました", {L"行く", L"生きる"}},
        {L"のま\u3000せられ なかった", {L"飲む", L"飲ませる"}},
        {L" ", {}},
        // The text as typed keeps every entry of every class.
        {L"いい", {L"いい", L"言う", L"依々", L"唯々"}},
        {L"かく", {L"書く", L"核", L"欠く"}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(words(search(c.typed)), c.words) << c.typed;
    }
}

TEST_F(DeinflectionSearchTest, RecordsHowEachEntryWasFound)
{
    const std::vector<Row> rows = search(L"のませられなかった");
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[0].from, L"のませられなかった");
    EXPECT_EQ(rows[0].reasons, "causative, passive, negative, past");
    EXPECT_EQ(rows[1].reasons, "passive, negative, past");

    const std::vector<Row> typed = search(L"かく");
    for (const Row& row : typed) {
        EXPECT_TRUE(row.from.empty());
        EXPECT_TRUE(row.reasons.empty());
    }
}

TEST_F(DeinflectionSearchTest, RelevanceOrderPutsTypedThenCommonThenFewerSteps)
{
    // 北 is typed; 着る and 来る are both common and one step away, and the
    // order within them is the reading's.
    EXPECT_EQ(words(search(L"きた")), (std::vector<std::wstring>{L"北", L"着る", L"来る"}));
    // 行く has more senses than 生きる.
    EXPECT_EQ(words(search(L"いきました")), (std::vector<std::wstring>{L"行く", L"生きる"}));
    // The common いい as typed, then the common 言う, then the uncommon ones
    // as typed.
    EXPECT_EQ(words(search(L"いい")), (std::vector<std::wstring>{L"いい", L"言う", L"依々", L"唯々"}));
    // 飲む is common: before the uncommon 飲ませる with fewer steps.
    EXPECT_EQ(words(search(L"のませられなかった")), (std::vector<std::wstring>{L"飲む", L"飲ませる"}));
}

TEST_F(DeinflectionSearchTest, WithoutFuzzyOrWithoutItsFileTheSearchIsAsBefore)
{
    WordDictionary::SearchOptions plain = fuzzyOptions();
    plain.searchFlags &= ~WordDictionary::SEARCH_FUZZY;
    EXPECT_TRUE(search(L"いきました", plain).empty());

    // An engine that could not read its file leaves the fuzzy rules in
    // charge, exactly as without an engine.
    Deinflector unloaded;
    testing::internal::CaptureStderr();
    unloaded.loadFromFile(dir.path + "/missing.dat");
    testing::internal::GetCapturedStderr();
    collection.setDeinflector(&unloaded);
    WordDictionary::SearchOptions options = fuzzyOptions();
    testing::internal::CaptureStderr();
    WordResult* before = collection.search(L"いきました", &options);
    collection.setDeinflector(nullptr);
    WordResult* without = collection.search(L"いきました", &options);
    testing::internal::GetCapturedStderr();
    ASSERT_EQ(before->getEntryCount(), without->getEntryCount());
    for (int i = 0; i < before->getEntryCount(); ++i) {
        EXPECT_EQ(before->getEntries()[i]->word, without->getEntries()[i]->word);
        EXPECT_FALSE(before->getEntries()[i]->isDeinflected());
    }
    delete before;
    delete without;
}

TEST_F(DeinflectionSearchTest, TheLimitCountsEachEntryOnce)
{
    EXPECT_EQ(words(search(L"きた", fuzzyOptions(2))), (std::vector<std::wstring>{L"北", L"着る"}));
    EXPECT_TRUE(search(L"きた", fuzzyOptions(0)).empty());
}

TEST(RelevanceOrderTest, OrdersAndListsAnEntryReachedTwiceOnce)
{
    struct Entry
    {
        const wchar_t* word;
        const wchar_t* kana;
        bool common;
        int reasons;
        int senses;
    };
    // Given in an order that the relevance order must change.
    const Entry given[] = {
        {L"せ", L"せ", false, 2, 1},  {L"し", L"し", true, 2, 1},      {L"す", L"す", false, 1, 1},
        {L"さ", L"さ", true, 1, 1},   {L"け", L"け", false, 0, 1},     {L"呑む", L"のむ", true, 0, 1},
        {L"き", L"き", true, 0, 1},   {L"か", L"か", true, 0, 3},      {L"し", L"し", true, 2, 1},
        {L"飲む", L"のむ", true, 0, 1}, {L"く", L"く", true, 0, 1},
    };
    WordResult result;
    for (const Entry& e : given) {
        WordEntry* entry = new WordEntry();
        entry->word = e.word;
        entry->kana = e.kana;
        entry->isCommon = e.common;
        entry->meaningsSize = e.senses;
        entry->meanings = new std::string[e.senses];
        for (int s = 0; s < e.senses; ++s) {
            entry->meanings[s] = "(" + std::to_string(s + 1) + ") sense";
        }
        if (e.reasons > 0) {
            entry->deinflectedFrom = L"typed";
            entry->deinflectionReasons.assign(e.reasons, "reason");
        }
        result.addEntry(entry);
    }
    result.sortByRelevance();
    std::wstring order;
    for (WordEntry* entry : result.getEntries()) {
        order += entry->word;
    }
    // Common: typed (everyday kanji before 呑, then more senses first, then
    // by reading), then deinflected by steps; uncommon: typed, then
    // deinflected by steps; the second し is hidden.
    EXPECT_EQ(order, L"かきく飲む呑むさしけすせ");
    EXPECT_EQ(result.entries.size(), 11u);
    // The sorter's columns are left as they were.
    EXPECT_EQ(result.sorter->columns.size(), 3u);
}

TEST(RelevanceOrderTest, KanaTextWordsUsuallyInKanaZuruVerbsAndEarlyKanjiGoFirst)
{
    struct Entry
    {
        const wchar_t* word;
        const char* tag;  // a part of speech, or a gloss marker such as "(1) (uk)"
        bool typed;
        int rules;
        const char* laterSense = nullptr;  // a second gloss, such as "(2) (uk) likely to"
        const wchar_t* kana = L"";
    };
    struct Case
    {
        const wchar_t* typed;
        std::vector<Entry> given;
        const wchar_t* order;
    } cases[] = {
        // kana typed: a word usually written in kana that the text inflects
        // goes before kanji words that merely read so; typed kanji text keeps
        // what it matches first
        {L"しない", {{L"市内", "n", true, 0}, {L"為る", "(1) (uk)", false, 2}}, L"為る市内"},
        {L"しない", {{L"市内", "n", true, 0}, {L"する", "vs-i", false, 2}}, L"する市内"},
        {L"きた", {{L"北", "n", true, 0}, {L"来る", "vk", false, 1}}, L"北来る"},
        // two kana are far more often a noun than a short form
        {L"した", {{L"下", "n", true, 0}, {L"為る", "(1) (uk)", false, 1}}, L"下為る"},
        {L"市内", {{L"市内", "n", true, 0}, {L"為る", "(1) (uk)", false, 2}}, L"市内為る"},
        // alike otherwise: the ずる verb before its じる twin, kanji of the
        // first school years before later ones (a word usually written in
        // kana has none), at last fewer rules first
        {L"させられた", {{L"指す", "v5s", false, 3}, {L"為る", "(1) (uk)", false, 4}}, L"為る指す"},
        {L"行なった", {{L"行う", "v5u", false, 3}, {L"行なう", "v5u", false, 2}}, L"行なう行う"},
        {L"論じない", {{L"論じる", "v1", false, 2}, {L"論ずる", "vz", false, 2}}, L"論ずる論じる"},
        {L"よんだ", {{L"呼ぶ", "v5b", false, 1}, {L"読む", "v5m", false, 1}}, L"読む呼ぶ"},
        {L"とんだ", {{L"跳ぶ", "v5b", false, 1}, {L"飛ぶ", "v5b", false, 1}}, L"飛ぶ跳ぶ"},
        // a suffix sense in kana leaves the word itself a kanji word
        {L"やすかった",
         {{L"易い", "suf", false, 1, "(2) (uk) likely to"}, {L"安い", "adj-i", false, 1}},
         L"安い易い"},
        // the kanji outside everyday writing of a loanword usually written
        // in katakana are never read; those of a word usually written in
        // hiragana still make it the rarer spelling
        {L"こうひ", {{L"公費", "n", true, 0, nullptr, L"こうひ"}, {L"珈琲", "(uk)", true, 0, nullptr, L"コーヒー"}},
         L"珈琲公費"},
        {L"かく", {{L"掻く", "(uk)", true, 0, nullptr, L"かく"}, {L"書く", "v5k", true, 0, nullptr, L"かく"}},
         L"書く掻く"},
    };
    for (const Case& c : cases) {
        WordResult result;
        for (const Entry& e : c.given) {
            WordEntry* entry = new WordEntry();
            entry->word = e.word;
            entry->kana = e.kana;
            entry->isCommon = true;
            entry->meaningsSize = e.laterSense == nullptr ? 1 : 2;
            entry->meanings = new std::string[2];
            entry->meanings[0] = std::string(e.tag[0] == '(' ? e.tag : "") + " gloss";
            entry->meanings[1] = e.laterSense == nullptr ? "" : e.laterSense;
            if (e.tag[0] != '(') {
                entry->info.push_back(new EntryInfo{e.tag, ""});
            }
            if (!e.typed) {
                entry->deinflectedFrom = c.typed;
                entry->deinflectionReasons.assign(1, "reason");
                entry->deinflectionRules = e.rules;
            }
            result.addEntry(entry);
        }
        result.sortByRelevance();
        std::wstring order;
        for (WordEntry* entry : result.getEntries()) {
            order += entry->word;
        }
        EXPECT_EQ(order, c.order) << testing::PrintToString(c.typed);
    }
}

TEST_F(DeinflectionSearchTest, OnePassOverTheIndexGivesWhatEachSearchGives)
{
    Edict* edict = static_cast<Edict*>(collection.dictionaries[0]);
    const std::vector<std::wstring> texts = {L"いく", L"行く", L"かく", L"いい", L"き", L"のませる", L"ない"};
    struct Fields
    {
        int words;
        int flags;
    } fields[] = {{1, WordDictionary::SEARCH_WORD}, {0, WordDictionary::SEARCH_KANA},
                  {1, WordDictionary::SEARCH_WORD | WordDictionary::SEARCH_KANA}};
    for (const Fields& f : fields) {
        const bool readings = (f.flags & WordDictionary::SEARCH_KANA) != 0;
        testing::internal::CaptureStderr();
        const std::vector<std::vector<int>> records = internal::recordsOfTexts(*edict, texts, f.words == 1, readings);
        testing::internal::GetCapturedStderr();
        ASSERT_EQ(records.size(), texts.size());
        for (std::size_t t = 0; t < texts.size(); ++t) {
            WordDictionary::SearchOptions options = fuzzyOptions();
            options.searchFlags = f.flags;
            testing::internal::CaptureStderr();
            std::vector<WordEntry*>* searched = edict->search(texts[t], &options);
            std::vector<WordEntry*> read = internal::entriesOfRecords(*edict, records[t]);
            testing::internal::GetCapturedStderr();
            ASSERT_EQ(read.size(), searched->size()) << texts[t] << " flags " << f.flags;
            for (std::size_t e = 0; e < read.size(); ++e) {
                const WordEntry& a = *read[e];
                const WordEntry& b = *(*searched)[e];
                EXPECT_EQ(a.word, b.word);
                EXPECT_EQ(a.kana, b.kana);
                EXPECT_EQ(a.kanaRomaji, b.kanaRomaji);
                EXPECT_EQ(a.isCommon, b.isCommon);
                ASSERT_EQ(a.meaningsSize, b.meaningsSize);
                for (int m = 0; m < a.meaningsSize; ++m) {
                    EXPECT_EQ(a.meanings[m], b.meanings[m]);
                }
                ASSERT_EQ(a.info.size(), b.info.size());
                for (std::size_t k = 0; k < a.info.size(); ++k) {
                    EXPECT_EQ(a.info[k]->abbreviation, b.info[k]->abbreviation);
                }
                delete read[e];
                delete (*searched)[e];
            }
            delete searched;
        }
    }
}

TEST_F(DeinflectionSearchTest, MeaningsAreSearchedForTheTextAsTypedOnly)
{
    WordDictionary::SearchOptions meanings = fuzzyOptions();
    meanings.searchFlags = WordDictionary::SEARCH_MEANING | WordDictionary::SEARCH_FUZZY;
    const std::vector<Row> rows = search(L"drink", meanings);
    EXPECT_EQ(words(rows), (std::vector<std::wstring>{L"飲む", L"飲ませる"}));
    for (const Row& row : rows) {
        EXPECT_TRUE(row.from.empty());
    }
    // With the readings too, the forms of an inflected word are found.
    meanings.searchFlags |= WordDictionary::SEARCH_KANA;
    EXPECT_EQ(words(search(L"のんだ", meanings)), (std::vector<std::wstring>{L"飲む"}));
}

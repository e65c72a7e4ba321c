// Every reader of the library against generated bad files: truncated EUC-JP,
// random high bytes, NUL bytes inside lines, 1 MB lines, files of nothing
// but line ends or "$" lines, oversized numbers, 10,000 radicals of one
// kanji, and fuzzy rules that never stop rewriting. Each load and search
// must finish and yield only what the data holds; the sanitizer build
// checks that nothing is leaked or overrun on the way.
#include "CharacterEntry.h"
#include "Edict.h"
#include "FuzzySearch.h"
#include "Kanjidic.h"
#include "PartsOfSpeech.h"
#include "RadicalTable.h"
#include "WordEntry.h"

#include "TestFiles.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <clocale>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <set>
#include <string>
#include <vector>

namespace {

using testfiles::convert;
using testfiles::euc;
using testfiles::repeat;

std::string randomHighBytes(size_t size, const std::string& sprinkle, unsigned seed)
{
    std::mt19937 random(seed);
    std::uniform_int_distribution<int> high(0x80, 0xFF);
    std::uniform_int_distribution<size_t> pick(0, sprinkle.size() * 8 + 40);
    std::string text;
    for (size_t i = 0; i < size; ++i) {
        size_t k = pick(random);
        text += k < sprinkle.size() ? sprinkle[k] : char(high(random));
    }
    return text + "\n";
}

class HostileDataTest : public testing::Test
{
protected:
    std::string write(const std::string& name, const std::string& bytes) { return dir.write(name, bytes); }

    testfiles::Utf8Locale locale;
    testfiles::TempDir dir;
};

// An EDICT dictionary loaded from the bytes, with a small tag table.
class LoadedEdict
{
public:
    LoadedEdict(const std::string& path, PartsOfSpeech* table = nullptr)
    {
        edict.setFilename(path);
        edict.setPartsOfSpeech(table);
        status = edict.load();
    }

    // Entries found for text; the words and meanings are copied out.
    std::vector<std::wstring> words(const std::wstring& text, int flags)
    {
        std::vector<std::wstring> found;
        for (WordEntry* entry : search(text, flags)) {
            found.push_back(entry->word);
            delete entry;
        }
        return found;
    }
    std::vector<std::string> meaningsOf(const std::wstring& word)
    {
        std::vector<std::string> meanings;
        for (WordEntry* entry : search(word, WordDictionary::SEARCH_WORD)) {
            meanings.assign(entry->meanings, entry->meanings + entry->meaningsSize);
            delete entry;
        }
        return meanings;
    }
    // Runs every kind of search and reads every indexed line back.
    void exercise()
    {
        const int all = WordDictionary::SEARCH_WORD | WordDictionary::SEARCH_KANA;
        for (WordEntry* entry : search(L"*", all | WordDictionary::SEARCH_WILDCARD)) {
            delete entry;
        }
        for (WordEntry* entry : search(L"a", WordDictionary::SEARCH_MEANING)) {
            delete entry;
        }
        for (WordEntry* entry : search(L"?", all | WordDictionary::SEARCH_IGNORE_CASE)) {
            delete entry;
        }
        for (int i = 0; i < edict.indexEntriesSize; ++i) {
            delete edict.loadEntryFromEdict(edict.indexEntries[i].fileLocation);
        }
    }

    Edict edict;
    int status;

private:
    std::vector<WordEntry*> search(const std::wstring& text, int flags)
    {
        WordDictionary::SearchOptions options;
        options.searchFlags = flags;
        options.commonFilter = 0;
        options.limit = -1;
        options.matchAllPartsOfSpeech = false;
        std::vector<WordEntry*>* found = edict.search(text, &options);
        EXPECT_NE(found, nullptr);
        std::vector<WordEntry*> entries;
        if (found != nullptr) {
            entries = *found;
            delete found;
        }
        return entries;
    }
};

class LoadedKanjidic
{
public:
    explicit LoadedKanjidic(const std::string& path, RadicalTable* table = nullptr)
    {
        kanjidic.setFilename(path);
        kanjidic.setRadicalTable(table);
        status = kanjidic.load();
    }
    ~LoadedKanjidic() { delete entry; }

    // The entry of every indexed kanji is read; the one asked for is kept.
    CharacterEntry* lookUp(wchar_t kanji)
    {
        for (KANJIDIC_Index_Entry* index : kanjidic.indexEntries) {
            delete kanjidic.getInformation(index->kanji);
        }
        delete entry;
        entry = kanjidic.getInformation(kanji);
        return entry;
    }

    Kanjidic kanjidic;
    int status;

private:
    CharacterEntry* entry = nullptr;
};

// Loads the bytes with every reader of the library and asks each the usual
// questions. The readers may find nothing; they must finish.
struct EveryReader
{
    explicit EveryReader(const std::string& path)
        : words(path), characters(path)
    {
        words.exercise();
        characters.lookUp(L'亜');
        radicals.addFilename(path);
        radicals.load();
        radicals.getKanjiFromRadicals(radicals.getRadicals());
        for (RadicalEntry* entry : radicals.radicalList) {
            for (wchar_t kanji : entry->kanjiString) {
                radicals.getRadicalsForKanji(kanji);
            }
        }
        partsOfSpeechStatus = partsOfSpeech.load(path);
        for (const std::string& abbreviation : partsOfSpeech.getAbbreviations()) {
            partsOfSpeech.search(abbreviation);
        }
        fuzzyRulesOpened = fuzzyRules.loadFromFile(path);
        variants = fuzzyRules.generateStrings(L"たべました");
    }

    LoadedEdict words;
    LoadedKanjidic characters;
    RadicalTable radicals;
    PartsOfSpeech partsOfSpeech;
    int partsOfSpeechStatus;
    FuzzySearch fuzzyRules;
    bool fuzzyRulesOpened;
    std::vector<std::wstring> variants;
};

bool hasNul(const std::wstring& text)
{
    return text.find(L'\0') != std::wstring::npos;
}

}  // namespace

TEST_F(HostileDataTest, RandomHighBytesGiveNothingToEveryReader)
{
    // Without spaces, tabs, colons, "$" or "U" no reader finds a record.
    std::string path = write("high", randomHighBytes(200000, "\n\n\n", 1));
    EveryReader readers(path);
    EXPECT_EQ(readers.words.status, 0);
    EXPECT_EQ(readers.words.edict.indexEntriesSize, 0);
    EXPECT_TRUE(readers.characters.kanjidic.indexEntries.empty());
    EXPECT_TRUE(readers.radicals.radicalList.empty());
    EXPECT_EQ(readers.partsOfSpeech.entriesSize, 0);
    EXPECT_TRUE(readers.fuzzyRules.fuzzysearchInfo.empty());
    EXPECT_TRUE(readers.variants.empty());
}

TEST_F(HostileDataTest, RandomHighBytesWithSeparatorsStayWithinTheData)
{
    std::string path = write("structured", randomHighBytes(300000, " \n[]/$\t:,(U)4e9c{}S-.", 2));
    EveryReader readers(path);
    EXPECT_EQ(readers.words.status, 0);
    // No index can hold more records than the file has lines (plus the
    // unterminated last one).
    EXPECT_LE(readers.words.edict.indexEntriesSize, 300001);
    for (int i = 0; i < readers.words.edict.indexEntriesSize; ++i) {
        const IndexEntry& record = readers.words.edict.indexEntries[i];
        EXPECT_GE(record.fileLocation, 0);
        EXPECT_LT(record.fileLocation, 300001);
    }
    for (KANJIDIC_Index_Entry* index : readers.characters.kanjidic.indexEntries) {
        EXPECT_GE(index->fileloc, 0);
        EXPECT_LT(index->fileloc, 300001);
    }
}

TEST_F(HostileDataTest, TruncatedEucJpLosesOnlyTheBrokenCharacters)
{
    std::string cut = euc("犬");
    cut.pop_back();
    std::string dictionary = euc("猫 [ねこ] /cat/\n") + cut + euc(" [いぬ] /dog/\n") + euc("鳥 [とり] /bird/\n") +
                             euc("魚 [さか") + std::string(1, euc("な")[0]);
    LoadedEdict words(write("edict", dictionary));
    ASSERT_EQ(words.status, 0);
    EXPECT_EQ(words.words(L"ねこ", WordDictionary::SEARCH_KANA), std::vector<std::wstring>{L"猫"});
    EXPECT_EQ(words.words(L"鳥", WordDictionary::SEARCH_WORD), std::vector<std::wstring>{L"鳥"});
    EXPECT_EQ(words.meaningsOf(L"鳥"), std::vector<std::string>{"bird"});
    EXPECT_TRUE(words.words(L"犬", WordDictionary::SEARCH_WORD).empty());
    for (const std::wstring& word : words.words(L"*", WordDictionary::SEARCH_WORD | WordDictionary::SEARCH_WILDCARD)) {
        EXPECT_FALSE(hasNul(word));
    }
    words.exercise();

    std::string radicals = euc("$ 一 1\n亜右\n$ 口 3\n") + euc("右") + cut;
    RadicalTable table;
    ASSERT_EQ(table.addInformationFromFile(write("radkfile", radicals)), 0);
    EXPECT_EQ(table.getRadicals(), L"一口");
    EXPECT_EQ(table.getRadicalsForKanji(L'亜'), L"一");
    for (RadicalEntry* entry : table.radicalList) {
        for (wchar_t kanji : entry->kanjiString) {
            EXPECT_TRUE(kanji == L'亜' || kanji == L'右') << std::hex << unsigned(kanji);
        }
    }

    std::string kanjidic = euc("亜 3021 U4e9c S7 ア {Asia}\n唖 3022 U5516 S10 ") + cut + " " +
                           std::string(1, euc("あ")[0]) + "\n" + euc("娃 3023 U5a03 S9 ア {beau") +
                           std::string(1, euc("美")[0]);
    LoadedKanjidic characters(write("kanjidic", kanjidic));
    ASSERT_EQ(characters.status, 0);
    CharacterEntry* entry = characters.lookUp(L'唖');
    ASSERT_NE(entry, nullptr);
    EXPECT_EQ(entry->strokeCount, 10);
    for (const std::wstring& reading : entry->on) {
        EXPECT_EQ(reading.find_first_not_of(L"ァアイウエオカキクケコサシスセソタチツテトナニヌネノ"
                                            L"ハヒフヘホマミムメモヤユヨラリルレロワン"),
                  std::wstring::npos);
    }
    characters.lookUp(L'娃');
}

TEST_F(HostileDataTest, NulBytesEndWhatALineSays)
{
    std::string nul(1, '\0');
    std::string dictionary = euc("猫 [ねこ] /cat/") + nul + "ghost/\n" + nul + euc("幽霊 [ゆうれい] /ghost/\n");
    for (int i = 0; i < 20; ++i) {
        dictionary += euc("犬 [いぬ] /dog/") + nul + "ghost/\n";
    }
    dictionary += euc("鳥 [とり] /bird/\n");
    LoadedEdict words(write("edict", dictionary));
    ASSERT_EQ(words.status, 0);
    EXPECT_EQ(words.meaningsOf(L"猫"), std::vector<std::string>{"cat"});
    EXPECT_EQ(words.meaningsOf(L"鳥"), std::vector<std::string>{"bird"});
    EXPECT_TRUE(words.words(L"幽霊", WordDictionary::SEARCH_WORD).empty());
    EXPECT_TRUE(words.words(L"ghost", WordDictionary::SEARCH_MEANING).empty());
    words.exercise();

    std::string table = "n\tnoun\n";
    for (int i = 0; i < 20; ++i) {
        table += "vs\tverb" + nul + "ghost\tghost\n";
    }
    PartsOfSpeech partsOfSpeech;
    partsOfSpeech.load(write("pos", table));
    EXPECT_EQ(partsOfSpeech.search("n"), "noun");
    EXPECT_EQ(partsOfSpeech.search("ghost"), "");
    for (const std::string& abbreviation : partsOfSpeech.getAbbreviations()) {
        EXPECT_TRUE(abbreviation == "n" || abbreviation == "vs") << abbreviation;
    }

    std::string kanjidic = nul + euc(" U4e9c S7 {ghost}\n亜 3021 U4e9c S7 {Asia}") + nul + "{ghost}\n";
    LoadedKanjidic characters(write("kanjidic", kanjidic));
    CharacterEntry* entry = characters.lookUp(L'亜');
    ASSERT_NE(entry, nullptr);
    for (const std::wstring& meaning : entry->meanings) {
        EXPECT_NE(meaning, L"ghost");
    }

    std::string radicals = euc("$ 一 1\n亜") + nul + euc("右\n$") + nul + euc(" 口 3\n右\n");
    RadicalTable radicalTable;
    radicalTable.addInformationFromFile(write("radkfile", radicals));
    for (RadicalEntry* entry : radicalTable.radicalList) {
        EXPECT_FALSE(hasNul(entry->kanjiString));
    }
    EveryReader readers(write("all", dictionary + table + kanjidic + radicals));
}

TEST_F(HostileDataTest, MegabyteLinesDoNotBreakIntoEntries)
{
    // The long line's tail looks like entries; they are not lines of the file.
    std::string ghost = " " + euc("幽霊 [ゆうれい] /ghost/") + " U4e9c S7 {ghost} $ " + euc("一") + " 1 \tghost:*ghost,";
    std::string longLine = euc("長 [なが] /long/") + repeat(ghost, (1 << 20) / ghost.size()) + "\n";

    LoadedEdict words(write("edict", euc("猫 [ねこ] /cat/\n") + longLine + euc("鳥 [とり] /bird/\n")));
    ASSERT_EQ(words.status, 0);
    EXPECT_EQ(words.words(L"猫", WordDictionary::SEARCH_WORD).size(), 1u);
    EXPECT_EQ(words.words(L"鳥", WordDictionary::SEARCH_WORD).size(), 1u);
    EXPECT_EQ(words.meaningsOf(L"鳥"), std::vector<std::string>{"bird"});
    EXPECT_TRUE(words.words(L"幽霊", WordDictionary::SEARCH_WORD).empty());
    EXPECT_LE(words.edict.indexEntriesSize, 3);
    words.exercise();

    // The long line's own "U" field comes first; the one in its tail is not
    // the start of a line.
    std::string longKanjiLine = euc("長 3139 U9577 S8 {long}") +
                                repeat(euc(" {ghost} U4e9d S3 T1 ゆう"), (1 << 20) / 32) + "\n";
    std::string kanjiLine = euc("亜 3021 U4e9c S7 {Asia}\n");
    LoadedKanjidic characters(write("kanjidic", euc("唖 3022 U5516 S10 {mute}\n") + longKanjiLine + kanjiLine));
    ASSERT_EQ(characters.status, 0);
    CharacterEntry* entry = characters.lookUp(L'亜');
    ASSERT_NE(entry, nullptr);
    EXPECT_EQ(entry->meanings, std::vector<std::wstring>{L"Asia"});
    EXPECT_NE(characters.lookUp(L'唖'), nullptr);
    EXPECT_EQ(characters.lookUp(L'\x4e9d'), nullptr);
    CharacterEntry* longEntry = characters.lookUp(L'長');
    ASSERT_NE(longEntry, nullptr);
    EXPECT_EQ(longEntry->strokeCount, 8);
    ASSERT_FALSE(longEntry->meanings.empty());
    EXPECT_EQ(longEntry->meanings[0], L"long");

    PartsOfSpeech partsOfSpeech;
    partsOfSpeech.load(write("pos", "n\tnoun\n" + longLine + "vs\tverb\n"));
    EXPECT_EQ(partsOfSpeech.search("n"), "noun");
    EXPECT_EQ(partsOfSpeech.search("vs"), "verb");
    EXPECT_LE(partsOfSpeech.entriesSize, 3);

    // A long kanji line may be kept or lost; nothing else is made of it.
    RadicalTable radicals;
    radicals.addInformationFromFile(write("radkfile", euc("$ 一 1\n") + repeat(euc("亜"), 1 << 19) + "\n" +
                                                          euc("$ 口 3\n右\n")));
    EXPECT_EQ(radicals.getRadicals(), L"一口");
    ASSERT_NE(radicals.getRadical(L'一'), nullptr);
    std::wstring kanji = radicals.getRadical(L'一')->kanjiString;
    EXPECT_TRUE(kanji.empty() || kanji == L"亜");
    EXPECT_EQ(radicals.getRadicalsForKanji(L'右'), L"口");

    FuzzySearch rules;
    EXPECT_TRUE(rules.loadFromFile(write("rules", "*ました:*ます\n" + repeat("*x:*y,", 1 << 17) + "\n")));
    EXPECT_FALSE(rules.fuzzysearchInfo.empty());
    rules.generateStrings(L"たべました");
    rules.generateStrings(L"xxxx");
}

TEST_F(HostileDataTest, FileOfLineEndsOnlyIsEmptyForEveryReader)
{
    EveryReader readers(write("newlines", std::string(100000, '\n')));
    EXPECT_EQ(readers.words.status, 0);
    EXPECT_EQ(readers.words.edict.indexEntriesSize, 0);
    EXPECT_TRUE(readers.characters.kanjidic.indexEntries.empty());
    EXPECT_TRUE(readers.radicals.radicalList.empty());
    EXPECT_EQ(readers.partsOfSpeech.entriesSize, 0);
    EXPECT_TRUE(readers.fuzzyRules.fuzzysearchInfo.empty());
}

TEST_F(HostileDataTest, DollarLinesOnlyMakeNoRadicals)
{
    std::string dollars = repeat("$\n$ \n$  \n$\r\n", 2500);
    EveryReader readers(write("dollars", dollars));
    // "$ " is an EDICT line of the word "$" and nothing else.
    for (const std::wstring& word : readers.words.words(L"*", WordDictionary::SEARCH_WORD | WordDictionary::SEARCH_WILDCARD)) {
        EXPECT_EQ(word, L"$");
    }
    EXPECT_TRUE(readers.characters.kanjidic.indexEntries.empty());
    EXPECT_EQ(readers.partsOfSpeech.entriesSize, 0);
    // A "$" line without a radical names no radical.
    EXPECT_FALSE(hasNul(readers.radicals.getRadicals()));

    RadicalTable table;
    table.addInformationFromFile(write("radkfile", euc("$\n亜右\n$ 口 3\n右\n")));
    EXPECT_EQ(table.getRadicalsForKanji(L'亜'), L"");
    EXPECT_EQ(table.getRadicalsForKanji(L'右'), L"口");
    EXPECT_EQ(table.getRadicals(), L"口");
}

TEST_F(HostileDataTest, UFieldsOfTwentyHexDigits)
{
    std::string kanjidic = euc("亜 3021 U00000000000000004e9c S7 {Asia}\n"
                               "唖 3022 U4e9c4e9c4e9c4e9c4e9c S10 {mute}\n"
                               "娃 3023 Uffffffffffffffffffff S9 {beautiful}\n"
                               "阿 3024 U110000 S8 {Africa}\n");
    LoadedKanjidic characters(write("kanjidic", kanjidic));
    ASSERT_EQ(characters.status, 0);
    // Leading zeros change nothing; values beyond Unicode name no kanji.
    CharacterEntry* entry = characters.lookUp(L'亜');
    ASSERT_NE(entry, nullptr);
    EXPECT_EQ(entry->meanings, std::vector<std::wstring>{L"Asia"});
    for (KANJIDIC_Index_Entry* index : characters.kanjidic.indexEntries) {
        EXPECT_GE(index->kanji, 0);
        EXPECT_LE(index->kanji, 0x10FFFF);
    }
    EXPECT_EQ(characters.kanjidic.indexEntries.size(), 1u);
}

TEST_F(HostileDataTest, HugeStrokeCountsAreNotWrapped)
{
    std::string kanjidic = euc("亜 3021 U4e9c S300 F70000 {Asia}\n"
                               "唖 3022 U5516 S99999999999999999999 F99999999999999999999 {mute}\n"
                               "娃 3023 U5a03 S-5 F-1 {beautiful}\n"
                               "阿 3024 U963f S255 F65535 {Africa}\n");
    LoadedKanjidic characters(write("kanjidic", kanjidic));
    ASSERT_EQ(characters.status, 0);
    for (wchar_t kanji : {L'亜', L'唖', L'娃'}) {
        CharacterEntry* entry = characters.lookUp(kanji);
        ASSERT_NE(entry, nullptr);
        // Out of range is either no count at all or the largest one.
        EXPECT_TRUE(entry->strokeCount == 0 || entry->strokeCount == 255) << int(entry->strokeCount);
        EXPECT_TRUE(entry->frequency == 0 || entry->frequency == 65535) << entry->frequency;
    }
    CharacterEntry* largest = characters.lookUp(L'阿');
    ASSERT_NE(largest, nullptr);
    EXPECT_EQ(largest->strokeCount, 255);
    EXPECT_EQ(largest->frequency, 65535);

    RadicalTable radicals;
    radicals.addInformationFromFile(write("radkfile", euc("$ 一 300\n亜\n$ 口 99999999999999999999\n右\n$ 化 -3\n花\n")));
    for (RadicalEntry* entry : radicals.radicalList) {
        EXPECT_TRUE(entry->strokeCount == 0 || entry->strokeCount == 255) << int(entry->strokeCount);
    }
}

TEST_F(HostileDataTest, TenThousandRadicalsOfOneKanji)
{
    // Distinct characters of JIS X 0208 and 0212, each a radical of 亜.
    std::string file;
    std::wstring expected;
    std::set<wchar_t> seen = {L'亜', L'\x72AF', L'\x9621', L'\x5316'};
    std::string kanji = euc("亜") + "\n";
    for (int lead3 = 0; lead3 < 2 && expected.size() < 10000; ++lead3) {
        for (int first = 0xB0; first <= 0xF4 && expected.size() < 10000; ++first) {
            for (int second = 0xA1; second <= 0xFE && expected.size() < 10000; ++second) {
                std::string code = std::string(lead3 ? "\x8F" : "") + char(first) + char(second);
                std::string wide = convert(code, "WCHAR_T", "EUC-JP");
                if (wide.size() != sizeof(wchar_t)) {
                    continue;
                }
                wchar_t c = *reinterpret_cast<const wchar_t*>(wide.data());
                if (!seen.insert(c).second) {
                    continue;
                }
                expected += c;
                file += "$ " + code + " 1\n" + kanji;
            }
        }
    }
    ASSERT_EQ(expected.size(), 10000u);

    RadicalTable radicals;
    ASSERT_EQ(radicals.addInformationFromFile(write("radkfile", file)), 0);
    EXPECT_EQ(radicals.getRadicals(), expected);
    EXPECT_EQ(radicals.getRadicalsForKanji(L'亜'), expected);
    EXPECT_EQ(radicals.getKanjiFromRadicals(expected), std::set<wchar_t>{L'亜'});

    LoadedKanjidic characters(write("kanjidic", euc("亜 3021 U4e9c S7 {Asia}\n")), &radicals);
    CharacterEntry* entry = characters.lookUp(L'亜');
    ASSERT_NE(entry, nullptr);
    EXPECT_EQ(entry->radicals, expected);
}

TEST_F(HostileDataTest, FuzzyRulesThatFeedEachOtherEnd)
{
    FuzzySearch cycle;
    ASSERT_TRUE(cycle.loadFromFile(write("cycle", "*a:*b\n*b:*c\n*c:*a\n")));
    std::vector<std::wstring> variants = cycle.generateStrings(L"xa");
    EXPECT_FALSE(variants.empty());
    EXPECT_LE(variants.size(), size_t(FuzzySearch::MAX_VARIANTS));
    for (const std::wstring& variant : variants) {
        EXPECT_TRUE(variant == L"xa" || variant == L"xb" || variant == L"xc");
    }
}

TEST_F(HostileDataTest, FuzzyRulesThatGrowWithoutEndStop)
{
    FuzzySearch growth;
    ASSERT_TRUE(growth.loadFromFile(write("growth", "*:*a\n*a:*aa,*ab\n")));
    std::vector<std::wstring> variants = growth.generateStrings(L"x");
    EXPECT_FALSE(variants.empty());
    EXPECT_LE(variants.size(), size_t(FuzzySearch::MAX_VARIANTS));
    for (const std::wstring& variant : variants) {
        EXPECT_EQ(variant[0], L'x');
        EXPECT_EQ(variant.find_first_not_of(L"xab"), std::wstring::npos);
    }

    // Many branches per step: the number of variants must stay bounded.
    FuzzySearch branching;
    ASSERT_TRUE(branching.loadFromFile(write("branching", "*:*a,*b,*c,*d,*e,*f,*g,*h,*i,*j\n")));
    EXPECT_LE(branching.generateStrings(L"x").size(), size_t(FuzzySearch::MAX_VARIANTS));
}

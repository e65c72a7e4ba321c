// Every line of the real dictionaries as the library reads it, against an
// independent parse of the line written here: for EDICT, compdic and
// enamdict the headword, reading, every gloss in order, the part-of-speech
// tags and the common mark; for KANJIDIC the readings, name readings and
// meanings. This is the oracle for every change to the readers: a reader
// that cuts, merges or misreads any real line shows here. Skipped, saying
// so, when the dictionaries are not set up.
#include "Edict.h"
#include "Kanjidic.h"
#include "PartsOfSpeech.h"
#include "WordEntry.h"

#include <gtest/gtest.h>

#include <iconv.h>
#include <unistd.h>

#include <cstdio>
#include <fstream>
#include <iterator>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <vector>

namespace {

const std::string RUNTIME = DEXARU_RUNTIME_DIR;

std::string readFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// EUC-JP to wide characters through iconv, apart from the library's decoder.
class EucJp
{
public:
    EucJp() : converter(iconv_open("WCHAR_T", "EUC-JP")) { }
    ~EucJp() { iconv_close(converter); }

    std::wstring wide(const std::string& bytes)
    {
        std::wstring out(bytes.size() + 1, L'\0');
        char* in = const_cast<char*>(bytes.data());
        size_t inLeft = bytes.size();
        char* target = reinterpret_cast<char*>(&out[0]);
        size_t outLeft = out.size() * sizeof(wchar_t);
        iconv(converter, nullptr, nullptr, nullptr, nullptr);
        if (iconv(converter, &in, &inLeft, &target, &outLeft) == static_cast<size_t>(-1)) {
            return L"<unconvertible>";
        }
        out.resize(out.size() - outLeft / sizeof(wchar_t));
        return out;
    }

private:
    iconv_t converter;
};

// The lines of a file with their offsets, line ends and what follows a NUL
// byte left out.
std::vector<std::pair<long, std::string>> linesOf(const std::string& bytes)
{
    std::vector<std::pair<long, std::string>> lines;
    size_t start = 0;
    while (start < bytes.size()) {
        size_t end = bytes.find('\n', start);
        end = end == std::string::npos ? bytes.size() : end;
        std::string line = bytes.substr(start, end - start);
        line.resize(std::min(line.size(), line.find('\0')));
        while (!line.empty() && line.back() == '\r') {
            line.pop_back();
        }
        lines.emplace_back(static_cast<long>(start), line);
        start = end + 1;
    }
    return lines;
}

// The tags of the parts-of-speech file that have a description.
std::set<std::string> knownTags(const std::string& path)
{
    std::set<std::string> tags;
    std::istringstream lines(readFile(path));
    std::string line;
    while (std::getline(lines, line)) {
        const size_t tab = line.find('\t');
        if (!line.empty() && line[0] != '#' && tab != std::string::npos && tab + 1 < line.size()) {
            tags.insert(line.substr(0, tab));
        }
    }
    return tags;
}

struct Word
{
    std::wstring word;
    std::wstring kana;
    std::vector<std::string> glosses;
    std::vector<std::string> tags;
    bool common = false;

    bool operator==(const Word& other) const
    {
        return word == other.word && kana == other.kana && glosses == other.glosses
               && tags == other.tags && common == other.common;
    }
};

std::string describe(const Word& word)
{
    std::ostringstream text;
    text << word.word.size() << " and " << word.kana.size() << " characters, "
         << (word.common ? "common, " : "") << word.glosses.size() << " glosses:";
    for (const std::string& gloss : word.glosses) {
        text << " /" << gloss;
    }
    text << " tags:";
    for (const std::string& tag : word.tags) {
        text << " " << tag;
    }
    return text.str();
}

// Takes the leading "(tag,tag)" groups off a gloss while the table knows a
// tag of the group, and one space after each.
void takeTags(std::string& gloss, const std::set<std::string>& known, std::vector<std::string>& tags)
{
    while (!gloss.empty() && gloss[0] == '(') {
        const size_t close = gloss.find(')');
        if (close == std::string::npos) {
            return;
        }
        std::vector<std::string> found;
        std::istringstream items(gloss.substr(1, close - 1));
        std::string item;
        while (std::getline(items, item, ',')) {
            if (known.count(item) != 0) {
                found.push_back(item);
            }
        }
        if (found.empty()) {
            return;
        }
        tags.insert(tags.end(), found.begin(), found.end());
        gloss.erase(0, close + 1);
        if (!gloss.empty() && gloss[0] == ' ') {
            gloss.erase(0, 1);
        }
    }
}

// "WORD [READING] /gloss/gloss/.../"; false for a line that is no entry.
bool parseWordLine(const std::string& line, const std::set<std::string>& known, EucJp& euc,
                   Word* word)
{
    const size_t space = line.find(' ');
    if (space == 0 || space == std::string::npos) {
        return false;
    }
    word->word = euc.wide(line.substr(0, space));
    std::string rest = line.substr(space + 1);
    const size_t close = rest.find(']');
    if (!rest.empty() && rest[0] == '[' && close != std::string::npos) {
        word->kana = euc.wide(rest.substr(1, close - 1));
        rest.erase(0, close + 1);
    } else {
        word->kana = word->word;
    }
    std::istringstream pieces(rest);
    std::string gloss;
    while (std::getline(pieces, gloss, '/')) {
        gloss.erase(0, gloss.find_first_not_of(" \t"));
        if (!gloss.empty()) {
            word->glosses.push_back(gloss);
        }
    }
    for (size_t i = 0; i < word->glosses.size(); ++i) {
        if (word->glosses[i] == "(P)") {
            word->common = true;
            word->glosses.erase(word->glosses.begin() + static_cast<long>(i));
            break;
        }
    }
    for (std::string& each : word->glosses) {
        takeTags(each, known, word->tags);
    }
    return true;
}

Word libraryWord(const WordEntry& entry)
{
    Word word;
    word.word = entry.word;
    word.kana = entry.kana;
    word.glosses.assign(entry.meanings, entry.meanings + entry.meaningsSize);
    for (const EntryInfo* info : entry.info) {
        word.tags.push_back(info->abbreviation);
    }
    word.common = entry.isCommon;
    return word;
}

bool present(const std::string& path)
{
    if (access(path.c_str(), R_OK) == 0) {
        return true;
    }
    std::printf("%s is missing: set up the real dictionaries (scripts/setup-dictionaries.sh)\n",
                path.c_str());
    return false;
}

class RealDataFidelityTest : public testing::TestWithParam<const char*>
{
};

TEST_P(RealDataFidelityTest, EveryWordLineReadsAsItsIndependentParse)
{
    const std::string path = RUNTIME + "/dictionaries/edict/" + GetParam();
    const std::string table = RUNTIME + "/partsofspeech.drx";
    if (!present(path) || !present(table)) {
        GTEST_SKIP() << "the real dictionaries are not set up";
    }
    PartsOfSpeech partsOfSpeech;
    ASSERT_EQ(partsOfSpeech.load(table), 0);
    const std::set<std::string> known = knownTags(table);
    Edict edict;
    edict.setFilename(path);
    edict.setPartsOfSpeech(&partsOfSpeech);
    ASSERT_EQ(edict.load(), 0);
    std::map<long, int> records;
    for (int i = 0; i < edict.indexEntriesSize; ++i) {
        records[edict.indexEntries[i].fileLocation] = i;
    }

    EucJp euc;
    long lines = 0;
    long entries = 0;
    long differences = 0;
    auto report = [&](long offset, const std::string& what) {
        if (++differences <= 10) {
            ADD_FAILURE() << GetParam() << " line at offset " << offset << ": " << what;
        }
    };
    for (const auto& line : linesOf(readFile(path))) {
        ++lines;
        Word expected;
        const bool isEntry = parseWordLine(line.second, known, euc, &expected);
        const auto record = records.find(line.first);
        if (isEntry != (record != records.end())) {
            report(line.first, isEntry ? "not indexed" : "indexed, but no entry");
            continue;
        }
        if (!isEntry) {
            continue;
        }
        ++entries;
        const IndexEntry& indexed = edict.indexEntries[record->second];
        const std::wstring indexedKana = indexed.kana != nullptr ? indexed.kana : indexed.word;
        if (expected.word != indexed.word || expected.kana != indexedKana) {
            report(line.first, "index record differs");
        }
        std::unique_ptr<WordEntry> entry(edict.loadEntryFromEdict(line.first));
        if (!entry) {
            report(line.first, "not read back");
            continue;
        }
        const Word read = libraryWord(*entry);
        if (!(read == expected)) {
            report(line.first, "read " + describe(read) + "\n  expected " + describe(expected));
        }
    }
    std::printf("%s: %ld lines checked, %ld entries, %ld differences\n", GetParam(), lines,
                entries, differences);
    EXPECT_EQ(differences, 0);
    EXPECT_EQ(entries, edict.indexEntriesSize);
}

INSTANTIATE_TEST_SUITE_P(RealDictionaries, RealDataFidelityTest,
                         testing::Values("edict", "compdic", "enamdict"));

struct Character
{
    std::vector<std::wstring> on;
    std::vector<std::wstring> kun;
    std::vector<std::wstring> nanori;
    std::vector<std::wstring> meanings;

    bool operator==(const Character& other) const
    {
        return on == other.on && kun == other.kun && nanori == other.nanori
               && meanings == other.meanings;
    }
};

bool holdsKatakana(const std::wstring& text)
{
    for (wchar_t c : text) {
        if (c >= 0x30A0 && c <= 0x30FF) {
            return true;
        }
    }
    return false;
}

// "KANJI JIS U4e9c ... READING ... T1 NAME ... {meaning} {meaning}": the
// kanji's code from its U field, or 0 for a line that is no entry.
wchar_t parseKanjiLine(const std::string& line, EucJp& euc, Character* character)
{
    if (line.empty() || line[0] == '#') {
        return 0;
    }
    wchar_t kanji = 0;
    bool names = false;
    size_t position = line.find(' ');
    while (position != std::string::npos && position < line.size()) {
        if (line[position] == ' ') {
            ++position;
            continue;
        }
        if (line[position] == '{') {
            const size_t close = line.find('}', position);
            const std::string meaning = line.substr(position + 1, close - position - 1);
            character->meanings.emplace_back(meaning.begin(), meaning.end());
            position = close == std::string::npos ? close : close + 1;
            continue;
        }
        const size_t end = std::min(line.find(' ', position), line.size());
        const std::string field = line.substr(position, end - position);
        const unsigned char first = static_cast<unsigned char>(field[0]);
        if (field[0] == 'U' && kanji == 0) {
            kanji = static_cast<wchar_t>(std::stoul(field.substr(1), nullptr, 16));
        } else if (field == "T1" || field == "T2") {
            names = true;
        } else if (first == 0xA4 || first == 0xA5 || field[0] == '-') {
            const std::wstring reading = euc.wide(field);
            (names ? character->nanori : holdsKatakana(reading) ? character->on : character->kun)
                .push_back(reading);
        }
        position = end;
    }
    return kanji;
}

TEST(RealDataFidelityTest, EveryKanjidicLineReadsAsItsIndependentParse)
{
    const std::string path = RUNTIME + "/dictionaries/kanjidic/kanjidic.jis-x-0208-1990";
    if (!present(path)) {
        GTEST_SKIP() << "the real dictionaries are not set up";
    }
    Kanjidic kanjidic;
    kanjidic.setFilename(path);
    ASSERT_EQ(kanjidic.load(), 0);
    EucJp euc;
    std::set<wchar_t> seen;
    long lines = 0;
    long differences = 0;
    for (const auto& line : linesOf(readFile(path))) {
        ++lines;
        Character expected;
        const wchar_t kanji = parseKanjiLine(line.second, euc, &expected);
        if (kanji == 0 || !seen.insert(kanji).second) {
            continue;
        }
        std::unique_ptr<CharacterEntry> entry(kanjidic.getInformation(kanji));
        Character read;
        if (entry) {
            read = Character{entry->on, entry->kun, entry->nanori, entry->meanings};
        }
        if (!entry || !(read == expected)) {
            if (++differences <= 10) {
                ADD_FAILURE() << "kanjidic line at offset " << line.first << " (U+" << std::hex
                              << static_cast<unsigned>(kanji) << ") differs";
            }
        }
    }
    std::printf("kanjidic: %ld lines checked, %zu kanji, %ld differences\n", lines, seen.size(),
                differences);
    EXPECT_EQ(differences, 0);
    EXPECT_EQ(seen.size(), kanjidic.indexEntries.size());
}

}  // namespace

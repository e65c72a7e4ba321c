// Cost of showing a search in the desktop program's result tables, on the
// real dictionaries: 200 and 20,000 words of EDICT in the word table (rich
// text drawn by a delegate) and 30 kanji in the kanji table, filled, sized
// and painted in an offscreen window with the fonts of a first start. The
// big result also reports the memory it adds and the time to clear it.
#include "CharacterDictionaryCollection.h"
#include "CharacterResult.h"
#include "Edict.h"
#include "Kanjidic.h"
#include "MetaTypes.h"
#include "PartsOfSpeech.h"
#include "QCharacterResultTable.h"
#include "QWordResultTable.h"
#include "RadicalTable.h"
#include "RuntimeFiles.h"
#include "WordDictionaryCollection.h"
#include "WordResult.h"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QElapsedTimer>

#include <clocale>
#include <cstdio>
#include <memory>

#include <malloc.h>

namespace {

using runtimefiles::allPresent;
const char* const EDICT_FILE = runtimefiles::EDICT;
const char* const KANJIDIC_FILE = runtimefiles::KANJIDIC;
const char* const RADICAL_FILE = runtimefiles::RADKFILE;

// The dictionaries, loaded once for every benchmark of the program.
struct Dictionaries
{
    Dictionaries()
    {
        partsOfSpeech.load(DEXARU_RUNTIME_DIR "/partsofspeech.drx");
        Edict* edict = new Edict;
        edict->setName("edict");
        edict->setFilename(EDICT_FILE);
        words.setPartsOfSpeech(&partsOfSpeech);
        words.addDictionary(edict);
        words.load();
        Kanjidic* kanjidic = new Kanjidic;
        kanjidic->setFilename(KANJIDIC_FILE);
        kanji.addDictionary(kanjidic);
        kanji.load();
        radicals.addFilename(RADICAL_FILE);
        radicals.load();
        kanji.setRadicalTable(&radicals);
    }

    // 200 words whose reading starts with the kana, as the search box finds them.
    WordResult* words200(const wchar_t* start = L"か*")
    {
        WordDictionary::SearchOptions options;
        options.searchFlags = WordDictionary::SEARCH_KANA | WordDictionary::SEARCH_WORD
                              | WordDictionary::SEARCH_WILDCARD
                              | WordDictionary::SEARCH_IGNORE_CASE;
        options.limit = 200;
        return words.search(start, &options);
    }

    // 20,000 words, as a wildcard search without a limit finds them.
    WordResult* words20000()
    {
        WordDictionary::SearchOptions options;
        options.searchFlags = WordDictionary::SEARCH_KANA | WordDictionary::SEARCH_WORD
                              | WordDictionary::SEARCH_WILDCARD
                              | WordDictionary::SEARCH_IGNORE_CASE;
        options.limit = 20000;
        return words.search(L"*", &options);
    }

    // The first 30 kanji of those words that KANJIDIC knows.
    CharacterResult* kanji30()
    {
        std::unique_ptr<WordResult> found(words200());
        std::set<wchar_t> some;
        for (wchar_t c : found->getCharacters()) {
            if (c >= 0x4E00 && some.size() < 30)
                some.insert(c);
        }
        return kanji.search(some);
    }

    PartsOfSpeech partsOfSpeech;
    WordDictionaryCollection words;
    CharacterDictionaryCollection kanji;
    RadicalTable radicals;
};

Dictionaries* dictionaries()
{
    static Dictionaries* loaded = nullptr;
    if (loaded == nullptr) {
        fprintf(stderr, "Loading the real dictionaries...\n");
        loaded = new Dictionaries;
    }
    return loaded;
}

// What the settings dialog gives the tables at a first start.
struct Fonts
{
    QFont word = fontOfSize(16);
    QFont general = fontOfSize(12);
    QFont character = fontOfSize(42);
    QColor characterColor = QColor(0, 0, 255);

    static QFont fontOfSize(int points)
    {
        QFont font = QApplication::font();
        font.setPointSize(points);
        return font;
    }
};

// A table shown with the fonts of a first start.
struct WordTable
{
    WordTable()
    {
        table.wordFont = &fonts.word;
        table.generalFont = &fonts.general;
        table.setup();
        table.resize(700, 500);
        table.show();
    }

    // The table filled and laid out, its first rows painted and the widgets
    // it let go deleted, as when the event loop gets back control.
    void show(WordResult* result)
    {
        table.setResult(result);
        QApplication::processEvents();
        QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    Fonts fonts;
    QWordResultTable table;
};

// A search after another: every row gets new text.
void BM_WordTableSetResult200(benchmark::State& state)
{
    if (!allPresent(state, {EDICT_FILE}, "no EDICT file in the runtime folder"))
        return;
    Dictionaries* data = dictionaries();
    WordTable words;
    bool odd = false;
    for (auto _ : state) {
        state.PauseTiming();
        WordResult* result = data->words200(odd ? L"さ*" : L"か*");
        odd = !odd;
        state.ResumeTiming();
        words.show(result);
    }
    state.counters["rows"] = words.table.rowCount();
}
BENCHMARK(BM_WordTableSetResult200)->Unit(benchmark::kMillisecond);

// The first search into an empty table: every cell widget is new.
void BM_WordTableFirstResult200(benchmark::State& state)
{
    if (!allPresent(state, {EDICT_FILE}, "no EDICT file in the runtime folder"))
        return;
    Dictionaries* data = dictionaries();
    WordTable words;
    for (auto _ : state) {
        state.PauseTiming();
        words.table.clearResult();
        QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        WordResult* result = data->words200();
        state.ResumeTiming();
        words.show(result);
    }
    state.counters["rows"] = words.table.rowCount();
}
BENCHMARK(BM_WordTableFirstResult200)->Unit(benchmark::kMillisecond);

// Heap memory in use, in megabytes: freed blocks that the process keeps
// for reuse do not count, as they would in its resident size.
double residentMegabytes()
{
    return double(mallinfo2().uordblks) / (1024.0 * 1024.0);
}

// A wildcard search without a limit into an empty table, as "Search for
// words with this kanji" or an unchecked limit give; the table's memory
// beyond the result's, and the time to clear it again.
void BM_WordTableFirstResult20000(benchmark::State& state)
{
    if (!allPresent(state, {EDICT_FILE}, "no EDICT file in the runtime folder"))
        return;
    Dictionaries* data = dictionaries();
    WordTable words;
    double addedMegabytes = 0;
    double clearMilliseconds = 0;
    for (auto _ : state) {
        state.PauseTiming();
        words.table.clearResult();
        QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        WordResult* result = data->words20000();
        const double before = residentMegabytes();
        state.ResumeTiming();
        words.show(result);
        state.PauseTiming();
        addedMegabytes = residentMegabytes() - before;
        QElapsedTimer clearing;
        clearing.start();
        words.table.clearResult();
        QApplication::processEvents();
        QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        clearMilliseconds = clearing.nsecsElapsed() / 1e6;
        words.table.setResult(data->words20000());
        state.ResumeTiming();
    }
    state.counters["rows"] = words.table.rowCount();
    state.counters["addedMB"] = addedMegabytes;
    state.counters["clearMs"] = clearMilliseconds;
}
BENCHMARK(BM_WordTableFirstResult20000)->Unit(benchmark::kMillisecond);

void BM_CharacterTableSetResult30(benchmark::State& state)
{
    if (!allPresent(state, {EDICT_FILE, KANJIDIC_FILE, RADICAL_FILE},
                    "no EDICT, KANJIDIC or radical file in the runtime folder"))
        return;
    Dictionaries* data = dictionaries();
    Fonts fonts;
    QCharacterResultTable table;
    table.characterFont = &fonts.character;
    table.characterColor = &fonts.characterColor;
    table.generalFont = &fonts.general;
    table.setup();
    table.resize(300, 500);
    table.show();
    int rows = 0;
    for (auto _ : state) {
        state.PauseTiming();
        CharacterResult* result = data->kanji30();
        state.ResumeTiming();
        table.setResult(result);
        QApplication::processEvents();
        QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        rows = table.rowCount();
    }
    state.counters["rows"] = rows;
}
BENCHMARK(BM_CharacterTableSetResult30)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    std::setlocale(LC_CTYPE, "C.UTF-8");
    QApplication application(argc, argv);
    registerMetaTypes();
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}

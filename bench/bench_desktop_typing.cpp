// Searching while typing, on the real dictionaries: a 10-letter word typed
// letter by letter into the search box of the program assembled as main()
// does it, with "Search as you type" on. Each step runs from the key press
// to the word and kanji tables filled and repainted; the wait for a rest in
// typing (150 ms) is left out, as the search then runs at once. The time
// reported is the slowest step of the word, the counter mean_step_ms the
// mean over its ten steps. The _meanings variants type with the options of
// the first start (fuzzy search, the relevance order) and "Search in
// meanings" ticked: their first keystrokes ("a", "to", "wa") are English
// of one or two letters held by most glosses, and must not hold the window
// up either.
#include "DesktopProgram.h"
#include "MainWindow.h"
#include "SearchAsYouType.h"
#include "SearchBox.h"

#include <benchmark/benchmark.h>

#include <QCheckBox>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QTableWidget>

#include <algorithm>

namespace {

using desktopprogram::program;

void press(QWidget* box, Qt::Key key, const QString& text)
{
    QKeyEvent down(QEvent::KeyPress, key, Qt::NoModifier, text);
    QCoreApplication::sendEvent(box, &down);
    QKeyEvent up(QEvent::KeyRelease, key, Qt::NoModifier, text);
    QCoreApplication::sendEvent(box, &up);
}

void typeWord(benchmark::State& state, const char* word, bool fuzzy, bool ime, bool meanings = false)
{
    MainWindow& window = program().window;
    const QStringList checked = {"allowWildcards", "romajiToKana", "ignoreCase", "searchInWord",
                                 "searchInKana",   "allowLimit",   "searchAsYouType"};
    for (QCheckBox* box :
         window.findChild<QWidget*>("searchSettingsContainer")->findChildren<QCheckBox*>())
        box->setChecked(checked.contains(box->objectName())
                        || (fuzzy && box->objectName() == "fuzzySearch")
                        || (meanings && (box->objectName() == "searchInMeanings"
                                         || box->objectName() == "relevanceOrder")));
    auto* box = window.findChild<SearchBox*>("searchText");
    auto* typing = window.findChild<SearchAsYouType*>();
    box->toggleIme(ime);
    box->setFocus();
    QCoreApplication::processEvents();
    const QString letters = QString::fromLatin1(word);
    double slowest = 0;
    double total = 0;
    int steps = 0;
    for (auto _ : state) {
        box->clear();
        box->imeText.clear();
        typing->searched(QString());
        double slowestOfWord = 0;
        for (const QChar letter : letters) {
            QElapsedTimer step;
            step.start();
            press(box, Qt::Key(Qt::Key_A + (letter.toLatin1() - 'a')), letter);
            typing->searchNow();  // what the timer does once typing rests
            QCoreApplication::processEvents();
            const double ms = step.nsecsElapsed() / 1e6;
            slowestOfWord = std::max(slowestOfWord, ms);
            total += ms;
            ++steps;
        }
        slowest = std::max(slowest, slowestOfWord);
        state.SetIterationTime(slowestOfWord / 1e3);
    }
    state.counters["mean_step_ms"] = steps > 0 ? total / steps : 0;
    state.counters["slowest_step_ms"] = slowest;
    state.counters["words"] = window.findChild<QTableWidget*>("wordResults")->rowCount();
    state.counters["kanji"] = window.findChild<QTableWidget*>("characterResults")->rowCount();
}

BENCHMARK_CAPTURE(typeWord, hanabatake_exact, "hanabatake", false, false)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(typeWord, hanabatake_fuzzy, "hanabatake", true, false)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(typeWord, hanabatake_exact_ime, "hanabatake", false, true)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(typeWord, tokoroteni_fuzzy_ime, "tokoroteni", true, true)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(typeWord, arigato_meanings, "arigato", true, false, true)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(typeWord, tokyo_meanings, "tokyo", true, false, true)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(typeWord, water_meanings, "water", true, false, true)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv)
{
    return desktopprogram::runBenchmarks(argc, argv);
}

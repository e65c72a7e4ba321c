// Word searches through the main window's search handler, as a user starts
// them, on the real dictionaries: the program assembled as main() does it,
// with the three dictionaries of a first start, the window shown offscreen.
// Each search fills the word table and the kanji table; the "_painted"
// variants also let the window repaint them before the next search.
#include "DesktopProgram.h"
#include "MainWindow.h"

#include <benchmark/benchmark.h>

#include <QCheckBox>
#include <QCoreApplication>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTableWidget>

namespace {

using desktopprogram::program;

const QStringList USUAL_BOXES = {"allowWildcards", "romajiToKana", "ignoreCase",
                                 "searchInWord",   "searchInKana", "allowLimit"};

void searchFromTheWindow(benchmark::State& state, const char* text, const QStringList& checked,
                         bool painted)
{
    MainWindow& window = program().window;
    for (QCheckBox* box :
         window.findChild<QWidget*>("searchSettingsContainer")->findChildren<QCheckBox*>())
        box->setChecked(checked.contains(box->objectName()));
    window.findChild<QPlainTextEdit*>("searchText")->setPlainText(QString::fromUtf8(text));
    auto* searchButton = window.findChild<QPushButton*>("searchButton");
    QCoreApplication::processEvents();
    for (auto _ : state) {
        searchButton->click();
        if (painted)
            QCoreApplication::processEvents();
    }
    QCoreApplication::processEvents();
    state.counters["words"] = window.findChild<QTableWidget*>("wordResults")->rowCount();
    state.counters["kanji"] = window.findChild<QTableWidget*>("characterResults")->rowCount();
}

const QStringList MEANING_BOXES = {"searchInMeanings", "allowLimit"};

BENCHMARK_CAPTURE(searchFromTheWindow, neko, "neko", USUAL_BOXES, false)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(searchFromTheWindow, iku_wildcard, "*iku*", USUAL_BOXES, false)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(searchFromTheWindow, cat_meaning, "cat", MEANING_BOXES, false)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(searchFromTheWindow, neko_painted, "neko", USUAL_BOXES, true)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(searchFromTheWindow, iku_wildcard_painted, "*iku*", USUAL_BOXES, true)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(searchFromTheWindow, cat_meaning_painted, "cat", MEANING_BOXES, true)
    ->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv)
{
    return desktopprogram::runBenchmarks(argc, argv);
}

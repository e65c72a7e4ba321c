// The Study window on a study list of 10,000 cards, offscreen: opening it
// (the table filled, sorted by due time and painted; target under 200 ms),
// and a review's next card (the answer shown, the grade recorded on disk,
// the next card due shown; target under 10 ms).
#include "DesktopProgram.h"
#include "StudyList.h"
#include "StudyWindow.h"

#include <benchmark/benchmark.h>
#include <sqlite3.h>

#include <QCoreApplication>
#include <QTableWidget>
#include <QTemporaryDir>

#include <memory>
#include <string>

namespace {

const int cardCount = 10000;
const int64_t start = 1796724000;  // 2026-12-08T10:00:00Z

// A list of 10,000 cards, one added through the library, the rest copied
// from it in one transaction (adding each would sync each).
class BigList
{
public:
    BigList()
    {
        file = folder.path().toStdString() + "/study.sqlite";
        StudyList writer;
        StudyCard card;
        card.word = "勉強";
        card.reading = "べんきょう";
        card.glosses = {"(n) (1) study", "(2) diligence", "(3) discount", "reduction"};
        card.partsOfSpeech = {"n", "vs"};
        card.dictionary = "The usual edict";
        card.sentence = "毎日日本語を勉強しています。";
        card.added = start - cardCount;
        writer.open(file);
        writer.addCard(card);
        writer.close();
        sqlite3* db = nullptr;
        sqlite3_open(file.c_str(), &db);
        sqlite3_exec(db,
                     "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 9999)"
                     " INSERT INTO cards SELECT NULL, word || i, reading, glosses, parts_of_speech,"
                     " dictionary, sentence, source, added + i, tags, note, state, due + i,"
                     " stability, difficulty, elapsed_days, scheduled_days, reps, lapses,"
                     " learning_step, last_review FROM cards, n",
                     nullptr, nullptr, nullptr);
        sqlite3_close(db);
    }

    std::string file;

private:
    QTemporaryDir folder;
};

BigList& bigList()
{
    static BigList list;
    return list;
}

void openTheStudyWindow(benchmark::State& state)
{
    StudyList list;
    list.open(bigList().file);
    int rows = 0;
    for (auto _ : state) {
        StudyWindow window(&list);
        window.show();
        QCoreApplication::processEvents();
        rows = window.findChild<QTableWidget*>("studyTable")->rowCount();
    }
    state.counters["cards"] = rows;
}

void nextCardOfAReview(benchmark::State& state)
{
    StudyList list;
    list.open(bigList().file);
    StudyWindow window(&list);
    int64_t now = start;
    window.clock = [&now] { return now; };
    window.show();
    window.startReview();
    QCoreApplication::processEvents();
    for (auto _ : state) {
        window.showAnswer();
        window.grade(FsrsScheduler::RATING_GOOD);
        QCoreApplication::processEvents();
    }
    state.counters["due"] = list.countDueCards(now);
}

BENCHMARK(openTheStudyWindow)->Unit(benchmark::kMillisecond);
BENCHMARK(nextCardOfAReview)->Unit(benchmark::kMillisecond)->Iterations(500);

}  // namespace

int main(int argc, char** argv)
{
    return desktopprogram::runBenchmarks(argc, argv);
}

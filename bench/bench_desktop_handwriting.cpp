// The handwriting pad of the program assembled as main() does it, with the
// real KANJIDIC and the installed Zinnia model: a 10-stroke kanji (時) is
// drawn with the mouse, and each iteration takes its last stroke back and
// draws it again. The time reported runs from the stroke's release to its
// candidates shown on their buttons (recognition on its own thread, the
// answer back on the window's); the counter first is 1 when 時 came first.
#include "DesktopProgram.h"
#include "HandwritingPad.h"
#include "HandwritingPanel.h"
#include "HandwritingRecognizer.h"

#include <benchmark/benchmark.h>

#include <QAction>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QMouseEvent>
#include <QThread>

#include <unistd.h>

namespace {

using desktopprogram::program;

const QList<QList<QPointF>> toki = {
    {{100, 250}, {100, 750}},
    {{100, 250}, {350, 250}, {350, 750}},
    {{100, 500}, {350, 500}},
    {{100, 730}, {350, 730}},
    {{500, 200}, {850, 200}},
    {{670, 80}, {670, 400}},
    {{430, 400}, {920, 400}},
    {{430, 580}, {930, 580}},
    {{800, 450}, {800, 900}, {700, 860}},
    {{560, 650}, {620, 760}},
};

QPointF onPad(HandwritingPad* pad, const QPointF& point)
{
    const qreal side = std::min(pad->width(), pad->height()) - 1;
    return QPointF((pad->width() - side) / 2 + point.x() / 1000 * side,
                   (pad->height() - side) / 2 + point.y() / 1000 * side);
}

void send(HandwritingPad* pad, QEvent::Type type, const QPointF& point, Qt::MouseButton button,
          Qt::MouseButtons held)
{
    const QPointF at = onPad(pad, point);
    QMouseEvent event(type, at, pad->mapToGlobal(at), button, held, Qt::NoModifier);
    QCoreApplication::sendEvent(pad, &event);
}

// Presses and moves along the stroke; the release is left to the caller.
void drawAllButRelease(HandwritingPad* pad, const QList<QPointF>& stroke)
{
    send(pad, QEvent::MouseButtonPress, stroke.first(), Qt::LeftButton, Qt::LeftButton);
    for (int i = 1; i < stroke.size(); ++i)
        for (int step = 1; step <= 20; ++step)
            send(pad, QEvent::MouseMove, stroke[i - 1] + (stroke[i] - stroke[i - 1]) * step / 20.0, Qt::NoButton,
                 Qt::LeftButton);
}

// Runs the event loop until the panel shows candidates; false after 5 s.
bool waitForCandidates(HandwritingPanel* panel)
{
    bool shown = false;
    const auto connection = QObject::connect(panel, &HandwritingPanel::candidatesShown, [&shown] { shown = true; });
    QElapsedTimer waited;
    waited.start();
    while (!shown && waited.elapsed() < 5000) {
        QCoreApplication::processEvents(QEventLoop::AllEvents);
        if (!shown)
            QThread::usleep(50);
    }
    QObject::disconnect(connection);
    QCoreApplication::processEvents();  // the buttons repainted
    return shown;
}

void releaseToCandidates(benchmark::State& state)
{
    if (access(HandwritingRecognizer::DEFAULT_MODEL, R_OK) != 0) {
        state.SkipWithError("the Zinnia model of tegaki-zinnia-japanese is not installed");
        return;
    }
    MainWindow& window = program().window;
    window.findChild<QAction*>("actionHandwriting")->trigger();
    auto* panel = window.findChild<HandwritingPanel*>();
    HandwritingPad* pad = panel->pad();
    pad->clear();
    for (int i = 0; i + 1 < toki.size(); ++i) {
        drawAllButRelease(pad, toki[i]);
        send(pad, QEvent::MouseButtonRelease, toki[i].last(), Qt::LeftButton, Qt::NoButton);
        waitForCandidates(panel);
    }
    double slowest = 0;
    for (auto _ : state) {
        drawAllButRelease(pad, toki.last());
        QElapsedTimer timer;
        timer.start();
        send(pad, QEvent::MouseButtonRelease, toki.last().last(), Qt::LeftButton, Qt::NoButton);
        if (!waitForCandidates(panel)) {
            state.SkipWithError("no candidates within 5 s");
            break;
        }
        const double seconds = timer.nsecsElapsed() / 1e9;
        slowest = std::max(slowest, seconds * 1e3);
        state.SetIterationTime(seconds);
        state.PauseTiming();
        state.counters["first"] = panel->candidates().value(0) == QString("時") ? 1 : 0;
        pad->undo();
        waitForCandidates(panel);
        state.ResumeTiming();
    }
    state.counters["slowest_ms"] = slowest;
}

BENCHMARK(releaseToCandidates)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(30);

}  // namespace

int main(int argc, char** argv)
{
    return desktopprogram::runBenchmarks(argc, argv);
}

// The Handwriting panel in the window as main() assembles it: the pad drawn
// on with the mouse, Undo (button, right button, Ctrl+Z) and Clear, the
// candidates of the drawing, a candidate put into the search box at its
// cursor (searched when searching while typing) and a kanji looked up from
// its candidate.
#include "DesktopProgram.h"
#include "HandwritingPad.h"
#include "HandwritingPanel.h"
#include "HandwritingRecognizer.h"
#include "SearchAsYouType.h"

#include <QAction>
#include <QCheckBox>
#include <QContextMenuEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

#include <clocale>
#include <unistd.h>

namespace {

// One stroke through the points of the 0-1000 square, as the mouse draws it.
void drawStroke(HandwritingPad* pad, const QList<QPointF>& points)
{
    const auto at = [pad](const QPointF& point) {
        const qreal side = std::min(pad->width(), pad->height()) - 1;
        return QPointF((pad->width() - side) / 2 + point.x() / 1000 * side,
                       (pad->height() - side) / 2 + point.y() / 1000 * side);
    };
    QMouseEvent press(QEvent::MouseButtonPress, at(points.first()), pad->mapToGlobal(at(points.first())),
                      Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(pad, &press);
    for (int i = 1; i < points.size(); ++i) {
        // Every step of the way, as a mouse reports it.
        const QPointF from = points[i - 1];
        for (int step = 1; step <= 10; ++step) {
            const QPointF point = from + (points[i] - from) * step / 10.0;
            QMouseEvent move(QEvent::MouseMove, at(point), pad->mapToGlobal(at(point)), Qt::NoButton,
                             Qt::LeftButton, Qt::NoModifier);
            QCoreApplication::sendEvent(pad, &move);
        }
    }
    QMouseEvent release(QEvent::MouseButtonRelease, at(points.last()), pad->mapToGlobal(at(points.last())),
                        Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
    QCoreApplication::sendEvent(pad, &release);
}

void rightClick(QWidget* widget)
{
    QTest::mouseClick(widget, Qt::RightButton, Qt::NoModifier, widget->rect().center());
}

bool modelInstalled()
{
    return access(HandwritingRecognizer::DEFAULT_MODEL, R_OK) == 0;
}

} // namespace

class HandwritingTest : public QObject
{
    Q_OBJECT

private:
    fixtures::FixtureDir dir;
    std::unique_ptr<fixtures::DesktopProgram> program;
    HandwritingPanel* panel = nullptr;
    HandwritingPad* pad = nullptr;

    // Waits for the candidates of the newest drawing.
    QStringList candidatesAfter(const std::function<void()>& change)
    {
        QSignalSpy shown(panel, &HandwritingPanel::candidatesShown);
        change();
        if (!shown.wait(5000))
            return {QStringLiteral("(no candidates shown)")};
        // A newer drawing may still be on its way.
        while (shown.wait(200)) {
        }
        return panel->candidates();
    }

    QStringList visibleButtons()
    {
        QStringList texts;
        for (auto* button : program->find<QWidget>("handwritingCandidates")->findChildren<QPushButton*>())
            if (button->isVisibleTo(panel))
                texts << button->text();
        return texts;
    }

    void drawJuu()
    {
        drawStroke(pad, {{100, 480}, {900, 480}});
        drawStroke(pad, {{500, 100}, {500, 920}});
    }

private slots:
    void initTestCase()
    {
        std::setlocale(LC_CTYPE, "C.UTF-8");
        fixtures::writeDataFiles(dir);
        program = std::make_unique<fixtures::DesktopProgram>(dir.path());
        program->window.resize(1000, 700);
        program->window.show();
        auto* action = program->find<QAction>("actionHandwriting");
        QVERIFY(action);
        QCOMPARE(action->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_K));
        QVERIFY(program->find<QMenu>("menuView")->actions().contains(action));
        action->trigger();
        panel = program->window.findChild<HandwritingPanel*>();
        pad = program->find<HandwritingPad>("handwritingPad");
        QVERIFY(panel && pad && panel->isVisible());
        for (const char* name : {"handwritingUndo", "handwritingClear"})
            QVERIFY(program->find<QPushButton>(name));
        QVERIFY(program->find<QWidget>("handwritingCandidates"));
        QVERIFY(pad->hasHeightForWidth());
        QCOMPARE(pad->heightForWidth(321), 321);
    }

    void init()
    {
        pad->clear();
        QCoreApplication::processEvents();
    }

    // Strokes are kept as drawn; each of Undo's three ways takes the last
    // one back, Clear all of them; the numbers of strokes follow.
    void strokesUndoAndClear()
    {
        auto* undo = program->find<QPushButton>("handwritingUndo");
        auto* clear = program->find<QPushButton>("handwritingClear");
        const struct
        {
            const char* what;
            std::function<void()> act;
            std::size_t strokesLeft;
        } steps[] = {
            {"draw three", [&] { drawJuu(); drawStroke(pad, {{100, 850}, {900, 850}}); }, 3},
            {"Ctrl+Z", [&] { pad->setFocus(); QTest::keyClick(pad, Qt::Key_Z, Qt::ControlModifier); }, 2},
            {"right button", [&] { rightClick(pad); }, 1},
            {"Undo button", [&] { undo->click(); }, 0},
            {"Undo on nothing", [&] { undo->click(); }, 0},
            {"draw two", [&] { drawJuu(); }, 2},
            {"Clear", [&] { clear->click(); }, 0},
        };
        for (const auto& step : steps) {
            step.act();
            QVERIFY2(pad->strokes().size() == step.strokesLeft, step.what);
        }
        // The points drawn lie in the square where they were drawn.
        drawStroke(pad, {{100, 480}, {900, 480}});
        QCOMPARE(pad->strokes().size(), std::size_t(1));
        QVERIFY(std::abs(pad->strokes()[0].front().x - 100) < 10);
        QVERIFY(std::abs(pad->strokes()[0].back().x - 900) < 10);
        QVERIFY(pad->strokes()[0].size() >= 10);
    }

    // Candidates follow every stroke and every undo; none once cleared.
    void candidatesFollowTheDrawing()
    {
        if (!modelInstalled())
            QSKIP("the Zinnia model of tegaki-zinnia-japanese is not installed");
        const QStringList afterOne = candidatesAfter([&] { drawStroke(pad, {{100, 480}, {900, 480}}); });
        QCOMPARE(afterOne.value(0), QString("一"));
        const QStringList afterTwo = candidatesAfter([&] { drawStroke(pad, {{500, 100}, {500, 920}}); });
        QCOMPARE(afterTwo.value(0), QString("十"));
        QCOMPARE(afterTwo.size(), 10);
        QCOMPARE(visibleButtons(), afterTwo);
        QCOMPARE(candidatesAfter([&] { pad->undo(); }).value(0), QString("一"));
        QCOMPARE(candidatesAfter([&] { pad->clear(); }), QStringList());
        QCOMPARE(visibleButtons(), QStringList());
    }

    // A click puts the candidate at the box's cursor; with searching while
    // typing on, the box is then searched; a right-click looks a kanji up.
    void candidateGoesIntoTheSearchBox()
    {
        if (!modelInstalled())
            QSKIP("the Zinnia model of tegaki-zinnia-japanese is not installed");
        QCOMPARE(candidatesAfter([&] { drawJuu(); }).value(0), QString("十"));
        auto* box = program->find<QPlainTextEdit>("searchText");
        auto* first = program->find<QPushButton>("handwritingCandidate0");
        program->find<QCheckBox>("searchAsYouType")->setChecked(false);
        box->setPlainText("五円");
        QTextCursor cursor = box->textCursor();
        cursor.setPosition(1);
        box->setTextCursor(cursor);
        first->click();
        QCOMPARE(box->toPlainText(), QString("五十円"));
        QCOMPARE(box->textCursor().position(), 2);

        QSignalSpy searched(&program->window, &MainWindow::search);
        program->find<QCheckBox>("searchAsYouType")->setChecked(true);
        box->clear();
        first->click();
        QCOMPARE(box->toPlainText(), QString("十"));
        QVERIFY(searched.wait(SearchAsYouType::QUIET_MS + 2000));
        QCOMPARE(searched.last().at(0).toString(), QString("十"));
        program->find<QCheckBox>("searchAsYouType")->setChecked(false);

        // The right button asks for the context menu, as the window system does.
        QSignalSpy kanji(&program->window, &MainWindow::searchForKanji);
        QContextMenuEvent menu(QContextMenuEvent::Mouse, first->rect().center(), first->mapToGlobal(first->rect().center()));
        QCoreApplication::sendEvent(first, &menu);
        QCOMPARE(kanji.size(), 1);
        QCOMPARE(kanji.first().at(0).value<std::set<wchar_t>>(), std::set<wchar_t>{L'十'});
        QCOMPARE(box->toPlainText(), QString("十"));
    }
};

QTEST_MAIN(HandwritingTest)
#include "HandwritingTest.moc"

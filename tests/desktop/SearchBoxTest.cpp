// The search box as a user types into it: the built-in input method, its
// switch, Return and pasting.
#include "SearchBox.h"

#include <QApplication>
#include <QClipboard>
#include <QSignalSpy>
#include <QTest>

#include <functional>

class SearchBoxTest : public QObject
{
    Q_OBJECT

private slots:
    void typing_data()
    {
        QTest::addColumn<bool>("ime");
        QTest::addColumn<QString>("keys");  // "\b" is Backspace
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("pending");
        QTest::addColumn<QString>("selected");
        QTest::newRow("whole kana") << true << "kawa" << "かわ" << "" << "";
        QTest::newRow("capitals give katakana") << true << "KAWA" << "カワ" << "" << "";
        QTest::newRow("pending letter selected") << true << "k" << "k" << "k" << "k";
        QTest::newRow("longer pending replaces shorter") << true << "kawaky" << "かわky" << "ky" << "ky";
        QTest::newRow("small kana") << true << "kyo" << "きょ" << "" << "";
        QTest::newRow("long vowel mark, n waits") << true << "ra-men" << "らーめn" << "n" << "n";
        QTest::newRow("backspace removes pending") << true << "k\b" << "" << "" << "";
        QTest::newRow("backspace after kana") << true << "kawa\b" << "か" << "" << "";
        QTest::newRow("space ends pending") << true << "ka ki" << "か き" << "" << "";
        QTest::newRow("digit replaces pending") << true << "k1" << "1" << "" << "";
        QTest::newRow("input method off") << false << "kawa" << "kawa" << "" << "";
    }

    void typing()
    {
        QFETCH(bool, ime);
        QFETCH(QString, keys);
        SearchBox box;
        box.toggleIme(ime);
        QTest::keyClicks(&box, keys);
        QTEST(box.toPlainText(), "text");
        QTEST(box.imeText, "pending");
        QTEST(box.textCursor().selectedText(), "selected");
    }

    void capsLockAndF2SwitchTheInputMethod()
    {
        SearchBox box;
        QSignalSpy enabled(&box, &SearchBox::imeEnabled);
        const struct { Qt::Key key; bool on; } presses[] = {
            { Qt::Key_F2, true }, { Qt::Key_F2, false }, { Qt::Key_CapsLock, true }, { Qt::Key_F2, false },
        };
        for (const auto& press : presses) {
            QTest::keyClick(&box, press.key);
            QCOMPARE(box.imeOn, press.on);
            QCOMPARE(enabled.takeFirst()[0].toBool(), press.on);
        }
        box.toggleIme(false);
        QCOMPARE(enabled.count(), 0);
        QVERIFY(box.toPlainText().isEmpty());

        // The pending romaji survives the switch.
        box.toggleIme(true);
        QTest::keyClicks(&box, "k");
        QTest::keyClick(&box, Qt::Key_F2);
        QTest::keyClick(&box, Qt::Key_F2);
        QTest::keyClicks(&box, "a");
        QCOMPARE(box.toPlainText(), QString("か"));
    }

    void returnSearchesWithoutALineBreak()
    {
        for (bool ime : { false, true }) {
            SearchBox box;
            box.toggleIme(ime);
            QSignalSpy search(&box, &SearchBox::search);
            QTest::keyClicks(&box, "neko");
            const QString typed = box.toPlainText();
            QTest::keyClick(&box, Qt::Key_Return);
            QCOMPARE(search.count(), 1);
            QCOMPARE(box.toPlainText(), typed);
            QTest::keyClick(&box, Qt::Key_Enter, Qt::KeypadModifier);
            QCOMPARE(search.count(), 2);
            QCOMPARE(box.toPlainText(), typed);
        }
    }

    // Return and keypad Enter finish the pending romaji before the search
    // (a final n becomes ん); Escape leaves it as typed letters. Whatever
    // changes the text or cursor outside the input method drops it.
    void pendingRomajiEndsWithTheTyping_data()
    {
        QTest::addColumn<QString>("keys");
        QTest::addColumn<int>("key");  // then pressed, or 0
        QTest::addColumn<QString>("text");  // when search() is emitted, else at the end
        QTest::addColumn<QString>("selected");
        QTest::addColumn<QString>("nextWord");  // "hon" typed afterwards
        QTest::newRow("Return, final n") << "ra-men" << int(Qt::Key_Return) << "らーめん" << "" << "らーめんほn";
        QTest::newRow("keypad Enter") << "hon" << int(Qt::Key_Enter) << "ほん" << "" << "ほんほn";
        QTest::newRow("Return, pending k") << "kak" << int(Qt::Key_Return) << "かk" << "" << "かkほn";
        QTest::newRow("Escape keeps the letters") << "hon" << int(Qt::Key_Escape) << "ほn" << "" << "ほnほn";
        QTest::newRow("Home moves the cursor") << "hon" << int(Qt::Key_Home) << "ほn" << "" << "ほnほn";
    }

    void pendingRomajiEndsWithTheTyping()
    {
        QFETCH(QString, keys);
        QFETCH(int, key);
        SearchBox box;
        box.toggleIme(true);
        QTest::keyClicks(&box, keys);
        QString textAtSearch;
        QString selectedAtSearch;
        connect(&box, &SearchBox::search, this, [&] {
            textAtSearch = box.toPlainText();
            selectedAtSearch = box.textCursor().selectedText();
        });
        QTest::keyClick(&box, Qt::Key(key), key == Qt::Key_Enter ? Qt::KeypadModifier : Qt::NoModifier);
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            QTEST(textAtSearch, "text");
            QTEST(selectedAtSearch, "selected");
        } else {
            QTEST(box.toPlainText(), "text");
        }
        QCOMPARE(box.imeText, QString());
        box.moveCursor(QTextCursor::End);
        QTest::keyClicks(&box, "hon");
        QTEST(box.toPlainText(), "nextWord");
    }

    void changesOutsideTheInputMethodDropThePendingRomaji()
    {
        const std::function<void(SearchBox&)> changes[] = {
            [](SearchBox& box) { box.selectAll(); },
            [](SearchBox& box) { box.setPlainText("neko"); },
            [](SearchBox& box) { box.moveCursor(QTextCursor::Start); },
            [](SearchBox& box) { QTest::mouseClick(box.viewport(), Qt::LeftButton, {}, QPoint(2, 2)); },
        };
        for (const auto& change : changes) {
            SearchBox box;
            box.toggleIme(true);
            QTest::keyClicks(&box, "hon");
            QCOMPARE(box.imeText, QString("n"));
            change(box);
            QCOMPARE(box.imeText, QString());
        }
    }

    void pastedLinesReplaceTheContentAsOneLine()
    {
        QApplication::clipboard()->setText("first line\r\nsecond\nthird");
        for (bool ime : { false, true }) {
            SearchBox box;
            box.setPlainText("かわ*");
            box.toggleIme(ime);
            QTest::keyClicks(&box, "k");
            QTest::keyClick(&box, Qt::Key_V, Qt::ControlModifier);
            QCOMPARE(box.toPlainText(), QString("first linesecondthird"));
            // Ctrl+V went past the input method, and the new text leaves nothing pending.
            QCOMPARE(box.imeText, QString());
        }
    }
};

QTEST_MAIN(SearchBoxTest)
#include "SearchBoxTest.moc"

// The search box as a user types into it: the built-in input method, its
// switch, Return and pasting.
#include "SearchBox.h"

#include <QApplication>
#include <QClipboard>
#include <QSignalSpy>
#include <QTest>

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
            QCOMPARE(search.count(), 1);
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
            // Ctrl+V went past the input method: nothing was added to the pending text.
            QCOMPARE(box.imeText, QString(ime ? "k" : ""));
        }
    }
};

QTEST_MAIN(SearchBoxTest)
#include "SearchBoxTest.moc"

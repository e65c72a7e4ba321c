// The study list in the desktop program, offscreen: words added from the
// word table and from the Read panel with the text they were met in, the
// marks on rows kept, the View menu's count, and the Study window's table,
// removal, export and review with its intervals and keys.
#include "DesktopProgram.h"
#include "QWordResultTable.h"
#include "ReaderPanel.h"
#include "StudyTools.h"
#include "StudyWindow.h"

#include <QAction>
#include <QApplication>
#include <QHeaderView>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QStackedWidget>
#include <QTableWidget>
#include <QTest>
#include <QTimer>

#include <clocale>
#include <cstdlib>

using fixtures::DesktopProgram;

namespace {

const QByteArray EDICT_TEXT =
    "猫 [ねこ] /(n) (1) cat/(n) (2) shamisen/(P)/\n"
    "ネコ /(n) cat (colloquial)/\n"
    "が /(prt) subject marker/(P)/\n"
    "魚 [さかな] /(n) fish/(P)/\n"
    "を /(prt) object marker/(P)/\n"
    "食べる [たべる] /(v1,vt) to eat/(P)/\n";

const int64_t start = 1796724000;  // 2026-12-08T10:00:00Z

StudyCard card(const char* word, const char* reading, const char* meaning, int64_t added)
{
    StudyCard c;
    c.word = word;
    c.reading = reading;
    c.glosses = {meaning};
    c.sentence = std::string(word) + "を見た。";
    c.added = added;
    return c;
}

// Answers the next message box with the button given, once it shows.
void answerNextMessageBox(QMessageBox::StandardButton answer)
{
    QTimer::singleShot(0, [answer] {
        for (QWidget* widget : QApplication::topLevelWidgets()) {
            if (auto* box = qobject_cast<QMessageBox*>(widget); box && box->isVisible())
                box->button(answer)->click();
        }
    });
}

QStringList column(QTableWidget* table, int col)
{
    QStringList texts;
    for (int row = 0; row < table->rowCount(); ++row)
        texts << table->item(row, col)->text();
    return texts;
}

}  // namespace

// A key typed into the focused widget, as the user types it.
void press(Qt::Key key)
{
    QTest::keyClick(QApplication::focusWidget(), key);
}

class StudyWindowTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        std::setlocale(LC_CTYPE, "C.UTF-8");
    }

    void wordsAreAddedWithTheTextTheyWereMetIn()
    {
        fixtures::FixtureDir dir;
        fixtures::writeDataFiles(dir);
        dir.write("edict", fixtures::euc(EDICT_TEXT));
        QFile rules(DEXARU_SOURCE_DIR "/data/deinflection.dat");
        QVERIFY(rules.open(QIODevice::ReadOnly));
        dir.write("deinflection.dat", rules.readAll());
        const QString file = dir.path() + "/kept/study.sqlite";
        qputenv("DEXARU_STUDY_FILE", file.toUtf8());

        DesktopProgram program(dir.path());
        program.addDictionary("edict");
        program.window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&program.window));

        auto* add = program.find<QAction>("actionAddToStudyList");
        QVERIFY(add != nullptr);
        QCOMPARE(add->text(), QString("Add to study list"));
        QCOMPARE(add->shortcut(), QKeySequence("Ctrl+D"));
        auto* table = program.find<QWordResultTable>("wordResults");
        auto* readerWords = program.find<QListWidget>("readerWords");
        QVERIFY(table->actions().contains(add));
        QVERIFY(readerWords->actions().contains(add));
        auto* show = program.find<QAction>("actionStudyList");
        QVERIFY(show != nullptr);
        QCOMPARE(show->shortcut(), QKeySequence("Ctrl+Shift+S"));
        QVERIFY(program.find<QMenu>("menuView")->actions().contains(show));
        QVERIFY(!QFile::exists(file));  // nothing kept, nothing written

        // From the word table: the selected row, with the text searched.
        program.find<QPlainTextEdit>("searchText")->setPlainText("猫");
        program.find<QPushButton>("searchButton")->click();
        QCOMPARE(table->rowCount(), 1);
        table->setFocus();
        table->selectRow(0);
        add->trigger();
        add->trigger();  // twice: still one card
        StudyList list;
        QCOMPARE(list.open(file.toStdString(), StudyList::OPEN_READ_ONLY), 0);
        std::vector<StudyCard> cards;
        list.getCards(&cards);
        QCOMPARE(cards.size(), size_t(1));
        QCOMPARE(QString::fromStdString(cards[0].word), QString("猫"));
        QCOMPARE(cards[0].added, cards[0].schedule.due);
        QCOMPARE(QString::fromStdString(cards[0].reading), QString("ねこ"));
        QCOMPARE(cards[0].glosses, (std::vector<std::string>{"(1) cat", "(2) shamisen"}));
        QCOMPARE(cards[0].partsOfSpeech, std::vector<std::string>{"n"});
        QCOMPARE(QString::fromStdString(cards[0].sentence), QString("猫"));
        QCOMPARE(cards[0].source, int(StudyCard::SOURCE_TYPED));
        // The row kept carries the mark, in this search and the next ones;
        // other words do not.
        QVERIFY(!table->item(0, 2)->data(Qt::DecorationRole).value<QIcon>().isNull());
        program.find<QPlainTextEdit>("searchText")->setPlainText("魚");
        program.find<QPushButton>("searchButton")->click();
        QCOMPARE(table->rowCount(), 1);
        QVERIFY(table->item(0, 2)->data(Qt::DecorationRole).value<QIcon>().isNull());
        program.find<QPlainTextEdit>("searchText")->setPlainText("猫");
        program.find<QPushButton>("searchButton")->click();
        QVERIFY(!table->item(0, 2)->data(Qt::DecorationRole).value<QIcon>().isNull());

        // From the Read panel: the word under the cursor, with its sentence.
        auto* panel = program.window.findChild<ReaderPanel*>();
        panel->show();
        panel->showText("猫が魚を食べた。明日も食べる。");
        int eaten = -1;
        for (int row = 0; row < readerWords->count(); ++row)
            if (readerWords->item(row)->text() == "食べた")
                eaten = row;
        QVERIFY(eaten >= 0);
        readerWords->setFocus();
        readerWords->setCurrentRow(eaten);
        add->trigger();
        list.getCards(&cards);
        QCOMPARE(cards.size(), size_t(2));
        QCOMPARE(QString::fromStdString(cards[1].word), QString("食べる"));
        QCOMPARE(QString::fromStdString(cards[1].sentence), QString("猫が魚を食べた。"));
        QCOMPARE(cards[1].source, int(StudyCard::SOURCE_READ_TEXT));

        // Both are due at once: the View menu counts them.
        program.window.findChild<StudyTools*>();
        QCOMPARE(show->text(), QString("&Study list (2 due)"));
        show->trigger();
        auto* study = program.window.findChild<StudyWindow*>();
        QVERIFY(study != nullptr && study->isVisible());
        QCOMPARE(study->windowTitle(), QString("Study (2 due)"));
        QCOMPARE(study->findChild<QTableWidget*>("studyTable")->rowCount(), 2);
        study->close();
        qunsetenv("DEXARU_STUDY_FILE");
    }

    void theStudyWindowListsSortsRemovesAndExports()
    {
        fixtures::FixtureDir dir;
        StudyList list;
        QCOMPARE(list.open((dir.path() + "/study.sqlite").toStdString()), 0);
        list.addCard(card("猫", "ねこ", "(n) (1) cat", start));
        list.addCard(card("犬", "いぬ", "(n) dog", start - 100));
        list.addCard(card("鳥", "とり", "(n) bird, \"fowl\"\tx", start + 86400));
        StudyWindow window(&list);
        window.clock = [] { return start; };
        window.refresh();
        auto* table = window.findChild<QTableWidget*>("studyTable");
        // Due first: the dog, the cat (both now), then the bird tomorrow.
        QCOMPARE(column(table, 0), (QStringList{"犬", "猫", "鳥"}));
        QCOMPARE(column(table, 1), (QStringList{"いぬ", "ねこ", "とり"}));
        QCOMPARE(column(table, 2), (QStringList{"dog", "cat", "bird, \"fowl\"\tx"}));
        QCOMPARE(column(table, 3).mid(0, 2), (QStringList{"now", "now"}));
        QCOMPARE(window.windowTitle(), QString("Study (2 due)"));
        auto* count = window.findChild<QLabel*>("studyCount");
        QCOMPARE(count->text(), QString("3 cards"));
        table->sortItems(1, Qt::AscendingOrder);
        QCOMPARE(column(table, 1), (QStringList{"いぬ", "とり", "ねこ"}));
        table->sortItems(3, Qt::DescendingOrder);
        QCOMPARE(column(table, 0), (QStringList{"鳥", "猫", "犬"}));

        // Removing asks first; "No" keeps the card.
        table->selectRow(0);
        answerNextMessageBox(QMessageBox::No);
        window.findChild<QPushButton*>("studyRemove")->click();
        QCOMPARE(table->rowCount(), 3);
        answerNextMessageBox(QMessageBox::Yes);
        window.findChild<QPushButton*>("studyRemove")->click();
        QCOMPARE(column(table, 0), (QStringList{"猫", "犬"}));
        QCOMPARE(count->text(), QString("2 cards"));
        table->selectRow(0);
        answerNextMessageBox(QMessageBox::Yes);
        window.findChild<QPushButton*>("studyRemove")->click();
        QCOMPARE(count->text(), QString("1 card"));
        list.addCard(card("猫", "ねこ", "(n) (1) cat", start));

        // The desired retention is the list's.
        auto* retention = window.findChild<QSpinBox*>("studyRetention");
        QCOMPARE(retention->value(), 90);
        retention->setValue(85);
        QCOMPARE(list.getDesiredRetention(), 0.85);

        // Both exports, read back.
        const QString csv = dir.path() + "/out.csv";
        const QString anki = dir.path() + "/out.txt";
        QCOMPARE(window.exportTo(csv, StudyList::EXPORT_CSV), 0);
        QCOMPARE(window.exportTo(anki, StudyList::EXPORT_ANKI), 0);
        QFile csvFile(csv), ankiFile(anki);
        QVERIFY(csvFile.open(QIODevice::ReadOnly) && ankiFile.open(QIODevice::ReadOnly));
        const QStringList csvLines = QString::fromUtf8(csvFile.readAll()).split("\r\n", Qt::SkipEmptyParts);
        QCOMPARE(csvLines.size(), 3);
        QVERIFY(csvLines[0].startsWith("word,reading,meanings,"));
        const QStringList ankiLines = QString::fromUtf8(ankiFile.readAll()).split('\n', Qt::SkipEmptyParts);
        QCOMPARE(ankiLines.mid(0, 2), (QStringList{"#separator:tab", "#html:true"}));
        QCOMPARE(ankiLines.size(), 6);
        for (const QString& line : ankiLines.mid(4))
            QCOMPARE(line.count('\t'), 5);
        QVERIFY(ankiLines.join("\n").contains("<b>猫</b>を見た。"));
    }

    void aReviewShowsTheIntervalsAndTakesTheKeys()
    {
        fixtures::FixtureDir dir;
        StudyList list;
        QCOMPARE(list.open((dir.path() + "/study.sqlite").toStdString()), 0);
        list.addCard(card("猫", "ねこ", "(n) cat", start - 20));
        list.addCard(card("犬", "いぬ", "(n) dog", start - 10));
        StudyWindow window(&list);
        int64_t now = start;
        window.clock = [&now] { return now; };
        window.refresh();
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QApplication::setActiveWindow(&window);

        auto* word = window.findChild<QLabel*>("studyWord");
        auto* answer = window.findChild<QLabel*>("studyAnswer");
        QPushButton* grades[] = {window.findChild<QPushButton*>("studyAgain"),
                                 window.findChild<QPushButton*>("studyHard"),
                                 window.findChild<QPushButton*>("studyGood"),
                                 window.findChild<QPushButton*>("studyEasy")};
        auto* showAnswer = window.findChild<QPushButton*>("studyShowAnswer");
        QCOMPARE(showAnswer->text(), QString("Show answer"));
        window.findChild<QPushButton*>("studyReview")->click();
        QCOMPARE(window.findChild<QStackedWidget*>("studyPages")->currentWidget()->objectName(),
                 QString("reviewPage"));
        QCOMPARE(word->text(), QString("猫"));
        QVERIFY(answer->text().isEmpty());
        for (QPushButton* button : grades)
            QVERIFY(!button->isEnabled());

        press(Qt::Key_Space);
        QVERIFY(answer->text().contains("ねこ"));
        QVERIFY(answer->text().contains("<b>猫</b>を見た。"));
        const QStringList intervals = {"Again\n1m", "Hard\n6m", "Good\n10m", "Easy\n8d"};
        for (int i = 0; i < 4; ++i) {
            QVERIFY(grades[i]->isEnabled());
            QCOMPARE(grades[i]->text(), intervals[i]);
        }
        press(Qt::Key_3);
        QCOMPARE(word->text(), QString("犬"));
        QCOMPARE(window.windowTitle(), QString("Study (1 due)"));
        // No grade before the answer.
        press(Qt::Key_1);
        QCOMPARE(word->text(), QString("犬"));
        press(Qt::Key_Space);
        press(Qt::Key_4);
        QCOMPARE(word->text(), QString("No more cards are due."));
        QCOMPARE(window.windowTitle(), QString("Study (0 due)"));

        // Ten minutes on, the cat of the good grade is back.
        now += 600;
        window.findChild<QPushButton*>("studyBackToList")->click();
        QCOMPARE(window.windowTitle(), QString("Study (1 due)"));
        window.startReview();
        QCOMPARE(word->text(), QString("猫"));
        std::vector<StudyReview> reviews;
        list.getReviews(1, &reviews);
        QCOMPARE(reviews.size(), size_t(1));
        QCOMPARE(reviews[0].rating, int(FsrsScheduler::RATING_GOOD));
        list.getReviews(2, &reviews);
        QCOMPARE(reviews[0].rating, int(FsrsScheduler::RATING_EASY));
    }
};

QTEST_MAIN(StudyWindowTest)
#include "StudyWindowTest.moc"

// The main window as a user drives it: the options a search carries for the
// state of its boxes, the parts-of-speech check marks, and the dictionary
// list switching dictionaries in the core.
#include "DesktopProgram.h"

#include "WordDictionaryCollection.h"

#include <QCheckBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QSignalSpy>
#include <QStatusBar>
#include <QTest>

using fixtures::DesktopProgram;

namespace {

const char* const SEARCH_BOXES[] = {
    "allowWildcards", "fuzzySearch", "commonOnly", "romajiToKana", "ignoreCase",
    "searchInWord", "searchInKana", "searchInMeanings", "allowLimit", "searchByPartsOfSpeech",
};

// Checks the named rows of the parts-of-speech list and unchecks the others.
void checkPartsOfSpeech(QListWidget* list, const QStringList& abbreviations)
{
    for (int row = 0; row < list->count(); ++row) {
        QListWidgetItem* item = list->item(row);
        const bool wanted = std::any_of(abbreviations.begin(), abbreviations.end(), [&](const QString& abbreviation) {
            return item->text().endsWith(" (" + abbreviation + ")");
        });
        item->setCheckState(wanted ? Qt::Checked : Qt::Unchecked);
    }
}

QString checkMarks(QListWidget* list)
{
    QString marks;
    for (int row = 0; row < list->count(); ++row)
        marks += list->item(row)->checkState() == Qt::Checked ? 'x' : '.';
    return marks;
}

QStringList toStringList(const std::vector<std::string>& strings)
{
    QStringList list;
    for (const std::string& string : strings)
        list << QString::fromStdString(string);
    return list;
}

}  // namespace

class MainWindowTest : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        fixtures::writeDataFiles(dir);
        program.reset(new DesktopProgram(dir.path()));
    }

    void cleanup() { program.reset(); }

    void formStartsAsDesigned()
    {
        MainWindow& window = program->window;
        QCOMPARE(window.windowTitle(), QString("Dexaru2"));
        QCOMPARE(window.size(), QSize(800, 699));
        QCOMPARE(program->find<QPlainTextEdit>("searchText")->toPlainText(), QString("かわ*"));
        QCOMPARE(program->find<QPlainTextEdit>("limitText")->toPlainText(), QString("200"));
        QVERIFY(!program->find<QProgressBar>("progressBar")->isEnabled());
        QCOMPARE(program->find<QLabel>("label")->text(),
                 QString("Dexaru 2 alpha!  Please send any and all feedback to"));
        QStringList checked;
        for (const char* name : SEARCH_BOXES) {
            if (program->find<QCheckBox>(name)->isChecked())
                checked << name;
        }
        QCOMPARE(checked, QStringList({"allowWildcards", "romajiToKana", "ignoreCase", "searchInWord",
                                       "searchInKana", "allowLimit"}));
        QVERIFY(program->find<QListWidget>("partsOfSpeechList")->count() > 100);
        for (const char* name : {"partsOfSpeechFilter", "partsOfSpeechList", "checkUncheck", "checkAll", "checkVisible"})
            QVERIFY2(!program->find<QWidget>(name)->isEnabled(), name);
    }

    void searchCarriesTheOptionsOfTheBoxes_data()
    {
        QTest::addColumn<QStringList>("checked");
        QTest::addColumn<QString>("limitText");
        QTest::addColumn<QStringList>("partsOfSpeech");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("searched");
        QTest::addColumn<int>("flags");
        QTest::addColumn<int>("commonFilter");
        QTest::addColumn<int>("limit");
        QTest::addColumn<QStringList>("passedPartsOfSpeech");

        const QStringList usual = {"allowWildcards", "romajiToKana", "ignoreCase", "searchInWord", "searchInKana",
                                   "allowLimit"};
        QStringList all;
        for (const char* name : SEARCH_BOXES)
            all << name;
        QTest::newRow("form defaults") << usual << "200" << QStringList() << "neko*" << "ねこ*" << 27 << 0 << 200
                                       << QStringList();
        QTest::newRow("every box") << all << "200" << QStringList({"n", "v1"}) << "neko" << "ねこ" << 63 << 1 << 200
                                   << QStringList({"n", "v1"});
        QTest::newRow("no box") << QStringList() << "200" << QStringList({"n"}) << "neko" << "neko" << 0 << 0 << -1
                                << QStringList();
        QTest::newRow("meanings only") << QStringList({"searchInMeanings", "allowLimit"}) << "5" << QStringList()
                                       << "cat" << "cat" << 4 << 0 << 5 << QStringList();
        QTest::newRow("limit not a number") << usual << "many" << QStringList() << "inu" << "いぬ" << 27 << 0 << -1
                                            << QStringList();
        QTest::newRow("limit empty") << usual << "" << QStringList() << "inu" << "いぬ" << 27 << 0 << -1
                                     << QStringList();
        QTest::newRow("limit zero") << usual << "0" << QStringList() << "inu" << "いぬ" << 27 << 0 << 0
                                    << QStringList();
        QTest::newRow("checked parts of speech, in list order")
            << usual + QStringList({"searchByPartsOfSpeech"}) << "200" << QStringList({"v1", "adj-i", "n"}) << "iku"
            << "いく" << 27 << 0 << 200 << QStringList({"n", "adj-i", "v1"});
        QTest::newRow("filter box unchecked") << usual << "200" << QStringList({"v1"}) << "iku" << "いく" << 27 << 0
                                              << 200 << QStringList();
    }

    void searchCarriesTheOptionsOfTheBoxes()
    {
        QFETCH(QStringList, checked);
        QFETCH(QString, limitText);
        QFETCH(QStringList, partsOfSpeech);
        QFETCH(QString, typed);
        QFETCH(QString, searched);
        for (const char* name : SEARCH_BOXES)
            program->find<QCheckBox>(name)->setChecked(checked.contains(name));
        program->find<QPlainTextEdit>("limitText")->setPlainText(limitText);
        auto* list = program->find<QListWidget>("partsOfSpeechList");
        checkPartsOfSpeech(list, partsOfSpeech);
        // The selection is a cursor only: a selected, unchecked row is not searched.
        list->setCurrentRow(0);
        program->find<QPlainTextEdit>("searchText")->setPlainText(typed);

        QSignalSpy searches(&program->window, &MainWindow::search);
        QTest::mouseClick(program->find<QPushButton>("searchButton"), Qt::LeftButton);
        QCOMPARE(searches.count(), 1);
        QCOMPARE(searches[0][0].toString(), searched);
        const auto options = searches[0][1].value<WordDictionary::SearchOptions>();
        QTEST(options.searchFlags, "flags");
        QTEST(options.commonFilter, "commonFilter");
        QTEST(options.limit, "limit");
        QTEST(toStringList(options.partsOfSpeech), "passedPartsOfSpeech");
        QVERIFY(!options.matchAllPartsOfSpeech);
    }

    void returnSearchesOnceAndASelectionSearchesOnlyItself()
    {
        auto* box = program->find<QPlainTextEdit>("searchText");
        box->setPlainText("neko inu");
        QTextCursor cursor = box->textCursor();
        cursor.setPosition(5);
        cursor.setPosition(8, QTextCursor::KeepAnchor);
        box->setTextCursor(cursor);
        QSignalSpy searches(&program->window, &MainWindow::search);
        QTest::keyClick(box, Qt::Key_Return);
        QCOMPARE(searches.count(), 1);
        QCOMPARE(searches[0][0].toString(), QString("いぬ"));
        QCOMPARE(box->toPlainText(), QString("neko inu"));
    }

    void allAndVisibleToggleTheCheckMarks()
    {
        program->find<QCheckBox>("searchByPartsOfSpeech")->setChecked(true);
        for (const char* name : {"partsOfSpeechFilter", "partsOfSpeechList", "checkUncheck", "checkAll", "checkVisible"})
            QVERIFY2(program->find<QWidget>(name)->isEnabled(), name);
        auto* list = program->find<QListWidget>("partsOfSpeechList");
        auto* filter = program->find<QPlainTextEdit>("partsOfSpeechFilter");
        auto* all = program->find<QPushButton>("checkAll");
        auto* visible = program->find<QPushButton>("checkVisible");
        const int rows = list->count();
        const QString none(rows, '.');
        const QString every(rows, 'x');

        QTest::mouseClick(all, Qt::LeftButton);
        QCOMPARE(checkMarks(list), every);
        QTest::mouseClick(all, Qt::LeftButton);
        QCOMPARE(checkMarks(list), none);
        list->item(1)->setCheckState(Qt::Checked);
        QTest::mouseClick(all, Qt::LeftButton);
        QCOMPARE(checkMarks(list), every);

        // "VERB" matches case-insensitively; only the shown rows change.
        filter->setPlainText("VERB");
        QString expected;
        for (int row = 0; row < rows; ++row) {
            const bool shown = list->item(row)->text().contains("verb", Qt::CaseInsensitive);
            QCOMPARE(list->item(row)->isHidden(), !shown);
            expected += shown ? '.' : 'x';
        }
        QVERIFY(expected.contains('.') && expected.contains('x'));
        QTest::mouseClick(visible, Qt::LeftButton);
        QCOMPARE(checkMarks(list), expected);

        filter->setPlainText("no such part of speech");
        QTest::mouseClick(visible, Qt::LeftButton);
        QCOMPARE(checkMarks(list), expected);
        filter->setPlainText("");
        for (int row = 0; row < rows; ++row)
            QVERIFY(!list->item(row)->isHidden());

        program->find<QCheckBox>("searchByPartsOfSpeech")->setChecked(false);
        QVERIFY(!list->isEnabled() && !visible->isEnabled());
        QCOMPARE(checkMarks(list), expected);
    }

    void dictionaryRowsSwitchTheCoresDictionaries()
    {
        WordDictionary* japanese = program->addDictionary("辞書");
        program->addDictionary("Computer terms", false);
        QCOMPARE(program->dictionaryRows(), QStringList({"辞書 [x]", "Computer terms [ ]"}));
        QCOMPARE(program->core.wordDictionaries->dictionaries.size(), size_t(2));

        auto* list = program->find<QListWidget>("dictionaryList");
        QSignalSpy disabled(&program->window, &MainWindow::dictionaryDisabled);
        list->item(0)->setCheckState(Qt::Unchecked);
        QCOMPARE(disabled.count(), 1);
        QCOMPARE(disabled[0][0].toString(), QString("辞書"));
        QVERIFY(!japanese->isEnabled());

        auto search = [&](const char* text) {
            program->find<QPlainTextEdit>("searchText")->setPlainText(text);
            QTest::mouseClick(program->find<QPushButton>("searchButton"), Qt::LeftButton);
            return program->window.statusBar()->currentMessage();
        };
        QCOMPARE(search("neko"), QString("Found 0 results"));
        list->item(1)->setCheckState(Qt::Checked);
        list->item(0)->setCheckState(Qt::Checked);
        QCOMPARE(search("neko"), QString("Found 2 results"));
        QCOMPARE(program->find<QProgressBar>("progressBar")->value(), 100);
        QVERIFY(program->find<QProgressBar>("progressBar")->isEnabled());

        emit program->window.wordDictionaryRemoved(japanese);
        QCOMPARE(program->dictionaryRows(), QStringList({"Computer terms [x]"}));
        QCOMPARE(search("neko"), QString("Found 1 results"));
    }

private:
    fixtures::FixtureDir dir;
    std::unique_ptr<DesktopProgram> program;
};

QTEST_MAIN(MainWindowTest)
#include "MainWindowTest.moc"

// The main window as a user drives it: the options a search carries for the
// state of its boxes, the parts-of-speech check marks, and the dictionary
// list switching dictionaries in the core.
#include "DesktopProgram.h"

#include "ManageDictionaries.h"
#include "Settings.h"

#include "QWordResultTable.h"
#include "SearchBox.h"
#include "WordDictionaryCollection.h"
#include "WordEntry.h"
#include "WordResult.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QDialogButtonBox>
#include <QTableWidget>
#include <QLabel>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QSignalSpy>
#include <QStatusBar>
#include <QTest>

using fixtures::DesktopProgram;

namespace {

const QStringList USUAL = {"allowWildcards", "romajiToKana", "ignoreCase", "searchInWord", "searchInKana", "allowLimit"};
const QStringList EVERY = USUAL + QStringList{"fuzzySearch", "commonOnly", "searchInMeanings", "searchByPartsOfSpeech"};

// One mark per row of a list: 'x' checked, '.' not.
QString checkMarks(QListWidget* list)
{
    QString marks;
    for (int row = 0; row < list->count(); ++row)
        marks += list->item(row)->checkState() == Qt::Checked ? 'x' : '.';
    return marks;
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

    void searchCarriesTheOptionsOfTheBoxes()
    {
        struct Case {
            QStringList checked;
            QString limitText;
            QStringList checkedRows;  // abbreviations checked in the parts-of-speech list
            QString typed, searched;
            int flags, commonFilter, limit;
            QStringList partsOfSpeech;
        };
        const Case cases[] = {
            {USUAL, "200", {}, "neko*", "ねこ*", 27, 0, 200, {}},
            {EVERY, "200", {"n", "v1"}, "neko", "ねこ", 63, 1, 200, {"n", "v1"}},
            {{}, "200", {"n"}, "neko", "neko", 0, 0, -1, {}},
            {{"searchInMeanings", "allowLimit"}, "5", {}, "cat", "cat", 4, 0, 5, {}},
            {USUAL, "many", {}, "inu", "いぬ", 27, 0, -1, {}},
            {USUAL, "", {}, "inu", "いぬ", 27, 0, -1, {}},
            {USUAL, "0", {}, "inu", "いぬ", 27, 0, 0, {}},
            {USUAL + QStringList{"searchByPartsOfSpeech"}, "200", {"v1", "adj-i", "n"}, "iku", "いく", 27, 0, 200,
             {"n", "adj-i", "v1"}},
        };
        auto* list = program->find<QListWidget>("partsOfSpeechList");
        QVERIFY(list->count() > 100);
        for (const Case& c : cases) {
            const QByteArray row = c.checked.join(',').toUtf8() + " / limit '" + c.limitText.toUtf8() + "'";
            for (QCheckBox* box : program->window.findChildren<QCheckBox*>())
                box->setChecked(c.checked.contains(box->objectName()));
            program->find<QPlainTextEdit>("limitText")->setPlainText(c.limitText);
            for (int index = 0; index < list->count(); ++index) {
                const QString text = list->item(index)->text();
                const bool wanted = std::any_of(c.checkedRows.begin(), c.checkedRows.end(),
                                                [&](const QString& abbreviation) { return text.endsWith(" (" + abbreviation + ")"); });
                list->item(index)->setCheckState(wanted ? Qt::Checked : Qt::Unchecked);
            }
            list->setCurrentRow(0);  // the selection is a cursor only, never part of the filter
            program->find<QPlainTextEdit>("searchText")->setPlainText(c.typed);

            QSignalSpy searches(&program->window, &MainWindow::search);
            QTest::mouseClick(program->find<QPushButton>("searchButton"), Qt::LeftButton);
            QVERIFY2(searches.count() == 1, row);
            const auto options = searches[0][1].value<WordDictionary::SearchOptions>();
            QStringList passed;
            for (const std::string& abbreviation : options.partsOfSpeech)
                passed << QString::fromStdString(abbreviation);
            QVERIFY2(searches[0][0].toString() == c.searched, row);
            QVERIFY2(options.searchFlags == c.flags && options.commonFilter == c.commonFilter, row);
            QVERIFY2(options.limit == c.limit && !options.matchAllPartsOfSpeech, row);
            QVERIFY2(passed == c.partsOfSpeech, row);
        }
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
        const char* const filterWidgets[] = {"partsOfSpeechFilter", "partsOfSpeechList", "checkUncheck", "checkAll",
                                              "checkVisible"};
        auto* filtering = program->find<QCheckBox>("searchByPartsOfSpeech");
        for (bool on : {false, true}) {
            filtering->setChecked(on);
            for (const char* name : filterWidgets)
                QVERIFY2(program->find<QWidget>(name)->isEnabled() == on, name);
        }
        auto* list = program->find<QListWidget>("partsOfSpeechList");
        auto* filter = program->find<QPlainTextEdit>("partsOfSpeechFilter");
        auto* all = program->find<QPushButton>("checkAll");
        auto* visible = program->find<QPushButton>("checkVisible");
        const int rows = list->count();

        QTest::mouseClick(all, Qt::LeftButton);
        QCOMPARE(checkMarks(list), QString(rows, 'x'));
        QTest::mouseClick(all, Qt::LeftButton);
        QCOMPARE(checkMarks(list), QString(rows, '.'));
        list->item(1)->setCheckState(Qt::Checked);
        QTest::mouseClick(all, Qt::LeftButton);
        QCOMPARE(checkMarks(list), QString(rows, 'x'));

        // The filter matches without regard to case; "Visible" changes the shown rows only.
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

        filtering->setChecked(false);
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

        auto search = [&] {
            program->find<QPlainTextEdit>("searchText")->setPlainText("neko");
            QTest::mouseClick(program->find<QPushButton>("searchButton"), Qt::LeftButton);
            return program->window.statusBar()->currentMessage();
        };
        QCOMPARE(search(), QString("Found 0 results"));
        list->item(1)->setCheckState(Qt::Checked);
        list->item(0)->setCheckState(Qt::Checked);
        QCOMPARE(search(), QString("Found 2 results"));
        auto* progress = program->find<QProgressBar>("progressBar");
        QVERIFY(progress->isEnabled() && progress->value() == 100);

        emit program->window.wordDictionaryRemoved(japanese);
        QCOMPARE(program->dictionaryRows(), QStringList({"Computer terms [x]"}));
        QCOMPARE(search(), QString("Found 1 results"));
    }

    // Return with the input method on searches the converted text; two
    // dictionaries of one name are switched each by its own row.
    void returnFinishesTheRomajiAndRowsSwitchTheirOwnDictionary()
    {
        auto* box = program->find<SearchBox>("searchText");
        box->clear();
        box->toggleIme(true);
        QSignalSpy searches(&program->window, &MainWindow::search);
        QTest::keyClicks(box, "ramen");
        QTest::keyClick(box, Qt::Key_Return);
        QCOMPARE(searches.count(), 1);
        QCOMPARE(searches[0][0].toString(), QString("らめん"));

        WordDictionary* first = program->addDictionary("Names");
        WordDictionary* second = program->addDictionary("Names");
        program->addDictionary("missing file");
        QCOMPARE(program->dictionaryRows(), QStringList({"Names [x]", "Names (2) [x]", "missing file [x]"}));
        auto* list = program->find<QListWidget>("dictionaryList");
        list->item(1)->setCheckState(Qt::Unchecked);
        QVERIFY(first->isEnabled() && !second->isEnabled());
        // The fixture file loads; a dictionary without its file is marked, and says why.
        QVERIFY(list->item(0)->toolTip().isEmpty());
        QVERIFY(list->item(2)->toolTip().isEmpty());
        auto* failed = new Edict;
        failed->setName("gone");
        failed->setFilename("no-such-file");
        emit program->window.wordDictionaryAdded(failed);
        QVERIFY(list->item(3)->toolTip().contains("does not exist"));
        QVERIFY(!list->item(3)->icon().isNull());
        // A disabled dictionary is not loaded, which is no failure; enabled,
        // it is loaded, and marked if that fails.
        auto* later = new Edict;
        later->setName("later");
        later->setFilename("no-such-file");
        later->disable();
        emit program->window.wordDictionaryAdded(later);
        QVERIFY(!later->isLoaded && list->item(4)->toolTip().isEmpty() && list->item(4)->icon().isNull());
        list->item(4)->setCheckState(Qt::Checked);
        QVERIFY(later->isEnabled() && list->item(4)->toolTip().contains("does not exist"));
        QVERIFY(!list->item(4)->icon().isNull());
    }

    // A new result starts unselected at the top; Ctrl+C copies the
    // selected rows; the status says when the limit cut the result.
    void newResultsStartFreshAndTheLimitIsReported()
    {
        program->addDictionary("辞書");
        auto* box = program->find<SearchBox>("searchText");
        auto* limit = program->find<QPlainTextEdit>("limitText");
        auto* words = program->find<QWordResultTable>("wordResults");
        auto search = [&](const QString& text) {
            box->setPlainText(text);
            QTest::mouseClick(program->find<QPushButton>("searchButton"), Qt::LeftButton);
        };
        limit->setPlainText("2");
        search("*");
        QCOMPARE(words->rowCount(), 2);
        auto* note = program->window.statusBar()->findChildren<QLabel*>().last();
        QVERIFY(!note->isHidden() && note->text().contains("2"));
        words->selectRow(1);
        words->setFocus();
        QApplication::clipboard()->clear();
        QTest::keyClick(words, Qt::Key_C, Qt::ControlModifier);
        const QString copied = QApplication::clipboard()->text();
        QApplication::clipboard()->clear();
        words->copyAll();
        QCOMPARE(copied, QApplication::clipboard()->text());
        QVERIFY(QApplication::clipboard()->text().contains(" / "));
        limit->setPlainText("200");
        search("*");
        QVERIFY(words->selectedItems().isEmpty());
        QVERIFY(note->isHidden());
    }

    // English typed with "Convert ROMAji to kana" ticked stays English, or
    // when it converts is also searched as typed in the meanings; the relevance order ranks the whole result
    // before the limit cuts it; a fuzzy search in that order tries the long
    // vowels and the status line names the spellings that found words.
    void typedTextReachesTheWordMeant()
    {
        QByteArray lines;
        for (int n = 0; n < 30; ++n)
            lines += "滝" + QByteArray::number(n) + " [あ] /(n) waterfall " + QByteArray::number(n) + "/\n";
        lines += "水 [みず] /(n) (1) water/(2) fluid/(P)/\n犬 [いぬ] /(n) dog/(P)/\n"
                 "ホン /(n) phon/(P)/\n本 [ほん] /(n) book/(P)/\n東京 [とうきょう] /(n) Tokyo/(P)/\n"
                 "音色 [ねいろ] /(n) tone/\n";
        dir.write("edict", fixtures::euc(lines));
        program->addDictionary("辞書");
        const QStringList typing = {"romajiToKana", "searchInWord", "searchInKana", "allowLimit"};
        const QStringList meanings = typing + QStringList{"searchInMeanings"};
        // As at the first start: wildcards allowed too.
        const QStringList relevant = {"relevanceOrder", "fuzzySearch", "ignoreCase", "allowWildcards"};
        struct Case {
            QStringList checked;
            QString limit, typed, firstWord, note;
            int rows;
        } cases[] = {
            {meanings, "200", "dog", "犬", "", 1},
            // "tone" is all romaji (とね), and English in the meanings too.
            {meanings, "200", "tone", "音色", "", 1},
            {meanings + relevant, "200", "tone", "音色", "", 1},
            {meanings + relevant, "5", "water", "水", "", 5},
            // English where romaji was to become kana is ranked in any order.
            {meanings, "5", "water", "水", "", 5},
            {QStringList{"searchInMeanings", "allowLimit"}, "5", "water", "滝0", "", 5},
            {typing + relevant, "200", "hon", "本", "", 2},
            {typing + relevant, "200", "tokyo", "東京", "also searched: とうきょう", 1},
            {typing + QStringList{"fuzzySearch"}, "200", "tokyo", "東京", "also searched: とうきょう", 1},
            {typing, "200", "tokyo", "", "", 0},
        };
        auto* words = program->find<QWordResultTable>("wordResults");
        for (const Case& c : cases) {
            const QByteArray row = c.checked.join(',').toUtf8() + " " + c.typed.toUtf8();
            for (QCheckBox* box : program->window.findChildren<QCheckBox*>())
                box->setChecked(c.checked.contains(box->objectName()));
            program->find<QPlainTextEdit>("limitText")->setPlainText(c.limit);
            program->find<QPlainTextEdit>("searchText")->setPlainText(c.typed);
            QTest::mouseClick(program->find<QPushButton>("searchButton"), Qt::LeftButton);
            QVERIFY2(words->rowCount() == c.rows, row + " rows " + QByteArray::number(words->rowCount()));
            if (c.rows > 0)
                QVERIFY2(words->result->getEntries()[0]->word == c.firstWord.toStdWString(), row);
            const QString status = program->window.statusBar()->currentMessage();
            QVERIFY2(c.note.isEmpty() ? !status.contains("also searched") : status.contains(c.note),
                     row + " status: " + status.toUtf8());
        }
    }

    void keyboardReachesTheSearchBoxAndTheResults()
    {
        program->window.show();
        QVERIFY(QTest::qWaitForWindowActive(&program->window) || true);
        const char* const order[] = {"searchText", "searchButton", "wordResults", "characterResults", "radicalList"};
        for (int at = 0; at + 1 < 5; ++at) {
            QWidget* widget = program->find<QWidget>(order[at]);
            QWidget* next = widget->nextInFocusChain();
            while (next->focusPolicy() == Qt::NoFocus || !(next->focusPolicy() & Qt::TabFocus))
                next = next->nextInFocusChain();
            QCOMPARE(next->objectName(), QString(order[at + 1]));
        }
        for (const char* name : {"searchText", "wordResults", "characterResults", "radicalList"})
            QVERIFY2(!program->find<QWidget>(name)->accessibleName().isEmpty(), name);
        auto* filter = program->find<QPlainTextEdit>("partsOfSpeechFilter");
        program->find<QCheckBox>("searchByPartsOfSpeech")->setChecked(true);
        QTest::keyClicks(filter, "verb");
        QTest::keyClick(filter, Qt::Key_Return);
        QCOMPARE(filter->toPlainText(), QString("verb"));
    }

    // The dialogs made on first use show what those made at start would:
    // the list to manage holds the dictionaries added before it was opened
    // and follows later changes; the settings close with their OK button.
    void dialogsMadeWhenFirstOpenedShowTheCurrentState()
    {
        WordDictionary* first = program->addDictionary("辞書");
        program->addDictionary("Computer terms", false);
        program->window.findChild<QAction*>("actionManage_dictionaries")->trigger();
        ManageDictionaries* manage = nullptr;
        for (QWidget* window : QApplication::topLevelWidgets())
            manage = manage != nullptr ? manage : qobject_cast<ManageDictionaries*>(window);
        QVERIFY(manage != nullptr && manage->isVisible());
        auto* table = manage->findChild<QTableWidget*>("tableWidget");
        const auto names = [table] {
            QStringList names;
            for (int row = 0; row < table->rowCount(); ++row)
                names << table->item(row, 0)->text();
            return names;
        };
        QCOMPARE(names(), QStringList({"辞書", "Computer terms"}));
        program->addDictionary("Names");
        emit program->window.wordDictionaryRemoved(first);
        QCOMPARE(names(), QStringList({"Computer terms", "Names"}));

        program->window.findChild<QAction*>("actionSettings")->trigger();
        Settings* settings = nullptr;
        for (QWidget* window : QApplication::topLevelWidgets())
            settings = settings != nullptr ? settings : qobject_cast<Settings*>(window);
        QVERIFY(settings != nullptr && settings->isVisible());
        settings->findChild<QDialogButtonBox*>("buttonBox")->button(QDialogButtonBox::Ok)->click();
        QVERIFY(!settings->isVisible());
        manage->close();
    }

    void closingClosesTheDialogs()
    {
        program->window.show();
        program->window.findChild<QAction*>("actionAbout")->trigger();
        program->window.findChild<QAction*>("actionSettings")->trigger();
        QVERIFY(program->window.findChild<QAction*>("actionQuit")->shortcut() == QKeySequence(QKeySequence::Quit));
        program->window.close();
        for (QWidget* window : QApplication::topLevelWidgets())
            QVERIFY2(!window->isVisible(), qPrintable(window->objectName()));
    }

private:
    fixtures::FixtureDir dir;
    std::unique_ptr<DesktopProgram> program;
};

QTEST_MAIN(MainWindowTest)
#include "MainWindowTest.moc"

// What typing leaves behind: the text a search sees once typing rests (a
// final "n" included), the history entries that typing, Return and the
// kanji table's searches make, and what going back to them restores.
#include "DesktopProgram.h"

#include "QCharacterResultTable.h"
#include "QWordResultTable.h"
#include "SearchAsYouType.h"
#include "SearchBox.h"
#include "SearchHistory.h"

#include <QAction>
#include <QCheckBox>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSettings>
#include <QSignalSpy>
#include <QTest>

using fixtures::DesktopProgram;

namespace {

void setBoxes(DesktopProgram& program, const QStringList& checked, const QString& limit = "200")
{
    for (QCheckBox* box :
         program.find<QWidget>("searchSettingsContainer")->findChildren<QCheckBox*>())
        box->setChecked(checked.contains(box->objectName()));
    program.find<QPlainTextEdit>("limitText")->setPlainText(limit);
}

QStringList checkedBoxes(DesktopProgram& program)
{
    QStringList checked;
    for (QCheckBox* box :
         program.find<QWidget>("searchSettingsContainer")->findChildren<QCheckBox*>())
        if (box->isChecked())
            checked << box->objectName();
    checked.sort();
    return checked;
}

QString lastText(const QSignalSpy& searches)
{
    return searches.isEmpty() ? QString() : searches.last().at(0).toString();
}

int lastFlags(const QSignalSpy& searches)
{
    return searches.last().at(1).value<WordDictionary::SearchOptions>().searchFlags;
}

// The History menu's entries, newest first.
QStringList historyEntries(DesktopProgram& program)
{
    QStringList listed;
    for (QAction* action : program.find<QMenu>("menuHistory")->actions())
        if (action->isCheckable() && action->isVisible())
            listed << action->text();
    return listed;
}

const QStringList TYPING = {"romajiToKana", "searchInWord", "searchInKana", "ignoreCase",
                            "allowLimit", "searchAsYouType"};

}  // namespace

class TypedSearchesTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { registerMetaTypes(); }

    void aFinalNIsSearchedAsNOnceTypingRests()
    {
        // The text a search sees once typing rests, input method off: a
        // lone final "n" stays for the search to make ん of; other
        // unfinished romaji waits.
        const struct {
            QString typed, searched;
        } texts[] = {
            {"hon", "hon"}, {"ramen", "ramen"}, {"tabemasen", "tabemasen"}, {"HON", "HON"},
            {"kan", "kan"}, {"hony", "ho"}, {"kit", "ki"}, {"n", "n"}, {"ほn", "ほn"},
        };
        for (const auto& text : texts)
            QVERIFY2(SearchAsYouType::withoutUnfinishedRomaji(text.typed) == text.searched,
                     qPrintable(text.typed));

        // In the window: what the typed search asks the core for, with the
        // input method off and on; on, the "n" stays pending in the box.
        fixtures::ProgramWithEdict program;
        QSignalSpy searches(&program.window, &MainWindow::search);
        auto* box = program.find<SearchBox>("searchText");
        setBoxes(program, TYPING);
        const struct {
            bool ime;
            QString typed, searched;
        } typings[] = {
            {false, "hon", "ほん"}, {false, "ramen", "らめん"}, {false, "tabemasen", "たべません"},
            {true, "hon", "ほん"}, {true, "tabemasen", "たべません"},
        };
        for (const auto& typing : typings) {
            box->clear();
            box->toggleIme(typing.ime);
            QTest::keyClicks(box, typing.typed);
            QTRY_COMPARE(lastText(searches), typing.searched);
            if (typing.ime) {
                QCOMPARE(box->imeText, QString("n"));
                QCOMPARE(box->textCursor().selectedText(), QString("n"));
            }
        }
        // A vowel after the pending "n" still makes な.
        QTest::keyClicks(box, "a");
        QCOMPARE(box->toPlainText(), QString("たべませな"));
        QTRY_COMPARE(lastText(searches), QString("たべませな"));
        box->toggleIme(false);

        // English resting on letters that spell no kana: the kana search
        // waits for them, the meanings get the whole word as typed.
        QSignalSpy typed(&program.window, &MainWindow::searchTextTyped);
        setBoxes(program, TYPING + QStringList{"searchInMeanings"});
        const struct {
            QString typed, searched, meanings;
        } english[] = {{"water", "わて", "water"}, {"dog", "ど", "dog"}, {"kit", "き", "kit"}};
        for (const auto& word : english) {
            box->clear();
            QTest::keyClicks(box, word.typed);
            QTRY_COMPARE(lastText(searches), word.searched);
            QCOMPARE(lastText(typed), word.meanings);
        }
    }

    void typingReturnAndKanjiTableSearchesInTheHistory()
    {
        // Each step: r<text> records a search, r~<text> a provisional one,
        // k<chars> a kanji search, k~ a provisional one.
        const struct {
            QStringList steps;
            QString expected;
        } cases[] = {
            // Return after typing replaces what typing searched on the way.
            {{"r~らめ", "rらめん"}, "[らめん]"},
            {{"r~たべ", "r~たべませ", "rたべません"}, "[たべません]"},
            {{"rねこ", "r~らめ", "rらめん", "r~い"}, "ねこ らめん [い]"},
            // An outright search of another text stays an entry of its own.
            {{"r~らめ", "rねこ"}, "らめ [ねこ]"},
            // A definitive kanji search does not replace the radicals picked.
            {{"k~日", "k猫"}, "Kanji: 日 [Kanji: 猫]"},
            {{"k~日", "k~日月"}, "[Kanji: 日月]"},
        };
        for (const auto& c : cases) {
            SearchHistory history;
            for (const QString& step : c.steps) {
                HistoryEntry entry;
                entry.provisional = step.mid(1, 1) == "~";
                entry.kind = step.startsWith('k') ? HistoryEntry::KANJI : HistoryEntry::WORDS;
                entry.text = step.mid(entry.provisional ? 2 : 1);
                entry.options.searchFlags = 27;
                history.record(entry);
            }
            QStringList texts;
            for (int index = 0; index < history.count(); ++index) {
                const QString text = history.at(index).label();
                texts << (index == history.current() ? "[" + text + "]" : text);
            }
            QCOMPARE(texts.join(' '), c.expected);
        }

        // A kanji-table search keeps knowing it brought its own options.
        fixtures::FixtureDir dir;
        QSettings file(dir.path() + "/history.ini", QSettings::IniFormat);
        SearchHistory saved;
        for (bool own : {false, true}) {
            HistoryEntry entry;
            entry.text = own ? "猫*" : "ねこ";
            entry.ownOptions = own;
            saved.record(entry);
        }
        saved.save(file);
        SearchHistory loaded;
        loaded.load(file);
        QCOMPARE(loaded.count(), 2);
        QVERIFY(!loaded.at(0).ownOptions && loaded.at(1).ownOptions);
    }

    void returnRightAfterTypingSearchesNothingAgain()
    {
        fixtures::ProgramWithEdict program;
        QSignalSpy searches(&program.window, &MainWindow::search);
        auto* box = program.find<SearchBox>("searchText");
        setBoxes(program, TYPING);
        box->clear();
        QTest::keyClicks(box, "ramen");
        QTRY_COMPARE(searches.count(), 1);
        QCOMPARE(lastText(searches), QString("らめん"));
        QTest::keyClick(box, Qt::Key_Return);
        program.find<QPushButton>("searchButton")->click();
        QCOMPARE(searches.count(), 1);
        // The search is kept for good: typing on starts a new entry.
        box->clear();
        QTest::keyClicks(box, "neko");
        QTRY_COMPARE(lastText(searches), QString("ねこ"));
        QCOMPARE(historyEntries(program), (QStringList{"ねこ", "らめん"}));

        // Other options, a cleared table or a search in between: Return searches.
        const int before = searches.count();
        program.find<QCheckBox>("commonOnly")->setChecked(true);
        QTest::keyClick(box, Qt::Key_Return);
        QCOMPARE(searches.count(), before + 1);
        QTest::keyClick(box, Qt::Key_Return);
        QCOMPARE(searches.count(), before + 2);
        QCOMPARE(historyEntries(program), (QStringList{"ねこ", "らめん"}));
    }

    void backToAKanjiTableSearchLeavesTheBoxesAlone()
    {
        fixtures::ProgramWithEdict program;
        QSignalSpy searches(&program.window, &MainWindow::search);
        auto* box = program.find<SearchBox>("searchText");
        const QStringList options = {"romajiToKana", "searchInKana", "ignoreCase", "fuzzySearch",
                                     "allowLimit"};
        setBoxes(program, options, "20");
        box->setPlainText("inu");
        program.find<QPushButton>("searchButton")->click();
        // Words starting with 犬, from the kanji table's menu.
        auto* kanjiTable = program.find<QCharacterResultTable>("characterResults");
        emit kanjiTable->searchForWords("犬*", [] {
            WordDictionary::SearchOptions own;
            own.searchFlags = WordDictionary::SEARCH_WORD | WordDictionary::SEARCH_WILDCARD;
            return own;
        }());
        QCOMPARE(lastFlags(searches), 9);
        box->setPlainText("neko");
        program.find<QPushButton>("searchButton")->click();
        QCOMPARE(searches.count(), 3);

        auto* back = program.find<QAction>("actionBack");
        back->trigger();
        QCOMPARE(lastText(searches), QString("犬*"));
        QCOMPARE(lastFlags(searches), 9);
        QCOMPARE(checkedBoxes(program), (QStringList{"allowLimit", "fuzzySearch", "ignoreCase",
                                                     "romajiToKana", "searchInKana"}));
        QCOMPARE(box->toPlainText(), QString("neko"));
        QCOMPARE(program.find<QPlainTextEdit>("limitText")->toPlainText(), QString("20"));
        // inu still finds 犬 with the boxes as they are.
        box->setPlainText("inu");
        program.find<QPushButton>("searchButton")->click();
        QCOMPARE(program.find<QTableWidget>("wordResults")->rowCount(), 1);
        // Back to a search of the boxes restores them.
        setBoxes(program, {"searchInMeanings"});
        for (const char* passed : {"ねこ", "犬*", "いぬ"}) {
            back->trigger();
            QCOMPARE(lastText(searches), QString(passed));
        }
        QCOMPARE(checkedBoxes(program),
                 (QStringList{"allowLimit", "fuzzySearch", "ignoreCase", "searchInKana"}));

        // Back to a kanji search refills the kanji table only.
        QSignalSpy kanjiSearches(&program.window, &MainWindow::searchForKanji);
        emit qobject_cast<QWordResultTable*>(program.find<QTableWidget>("wordResults"))
            ->searchForKanji({L'犬'});
        setBoxes(program, {"searchInMeanings"});
        box->setPlainText("cat");
        program.find<QPushButton>("searchButton")->click();
        const int wordSearches = searches.count();
        back->trigger();
        QCOMPARE(kanjiSearches.count(), 2);
        QCOMPARE(searches.count(), wordSearches);
        QCOMPARE(checkedBoxes(program), QStringList{"searchInMeanings"});
        QCOMPARE(box->toPlainText(), QString("cat"));
    }
};

QTEST_MAIN(TypedSearchesTest)
#include "TypedSearchesTest.moc"

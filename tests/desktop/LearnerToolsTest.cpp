// What learners use beside the searches, each part on its own: the search
// history and its menu, the watcher of copied text, the stroke-order view
// and the search while typing.
#include "ClipboardWatcher.h"
#include "HistoryMenu.h"
#include "SearchAsYouType.h"
#include "SearchBox.h"
#include "SearchHistory.h"
#include "StrokeOrderView.h"

#include "CharacterEntry.h"
#include "CharacterHover.h"
#include "DesktopProgram.h"
#include "FixtureFiles.h"
#include "QCharacterResultTable.h"
#include "QRadicalList.h"
#include "QWordResultTable.h"

#include <QAction>
#include <QCheckBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QApplication>
#include <QClipboard>
#include <QMainWindow>
#include <QMimeData>
#include <QSettings>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

#include <algorithm>

namespace {

HistoryEntry words(const QString& text, int flags = 27, int limit = 200, bool provisional = false)
{
    HistoryEntry entry;
    entry.text = text;
    entry.options.searchFlags = flags;
    entry.options.limit = limit;
    entry.provisional = provisional;
    return entry;
}

HistoryEntry kanji(const QString& characters, bool provisional = false)
{
    HistoryEntry entry;
    entry.kind = HistoryEntry::KANJI;
    entry.text = characters;
    entry.provisional = provisional;
    return entry;
}

// The texts of the history, oldest first, the current one in brackets.
QString shown(const SearchHistory& history)
{
    QStringList texts;
    for (int index = 0; index < history.count(); ++index) {
        const QString text = history.at(index).label();
        texts << (index == history.current() ? "[" + text + "]" : text);
    }
    return texts.join(' ');
}

QStringList menuTexts(const QMenu& menu)
{
    QStringList texts;
    for (const QAction* action : menu.actions()) {
        if (action->isVisible())
            texts << (action->isSeparator() ? QStringLiteral("--") : action->text());
    }
    return texts;
}

// The boxes of the search group checked (all others unchecked) and the limit.
void setBoxes(fixtures::DesktopProgram& program, const QStringList& checked, const QString& limit)
{
    for (QCheckBox* box : program.find<QWidget>("searchSettingsContainer")->findChildren<QCheckBox*>())
        box->setChecked(checked.contains(box->objectName()));
    program.find<QPlainTextEdit>("limitText")->setPlainText(limit);
}

QStringList checkedBoxes(fixtures::DesktopProgram& program)
{
    QStringList checked;
    for (QCheckBox* box : program.find<QWidget>("searchSettingsContainer")->findChildren<QCheckBox*>())
        if (box->isChecked())
            checked << box->objectName();
    checked.sort();
    return checked;
}

QString searchedText(const QSignalSpy& searches, int index = -1)
{
    return searches.at(index < 0 ? searches.count() - 1 : index).at(0).toString();
}

}  // namespace

class LearnerToolsTest : public QObject
{
    Q_OBJECT

private slots:
    void historyRecordsMovesAndReplacesProvisionalSearches()
    {
        // Each step: r<text> records a search, r~<text> a provisional one,
        // k<chars> a kanji search, k~ a provisional one, < back, > forward.
        struct Case {
            QStringList steps;
            QString expected;
        };
        const Case cases[] = {
            {{"rねこ", "rいぬ", "rかわ"}, "ねこ いぬ [かわ]"},
            {{"rねこ", "rいぬ", "rかわ", "<"}, "ねこ [いぬ] かわ"},
            {{"rねこ", "rいぬ", "rかわ", "<", "<", "<", ">"}, "ねこ [いぬ] かわ"},
            {{"rねこ", "rいぬ", ">", ">"}, "ねこ [いぬ]"},
            // Going back and searching anew appends; the log keeps everything.
            {{"rねこ", "rいぬ", "<", "rとり"}, "ねこ いぬ [とり]"},
            // Searching the current one again adds nothing.
            {{"rねこ", "rいぬ", "<", "rねこ"}, "[ねこ] いぬ"},
            {{"rねこ", "rねこ", "rねこ"}, "[ねこ]"},
            // Typing: each longer or shorter text replaces the last typed one.
            {{"rねこ", "r~い", "r~いn", "r~いぬ", "r~いぬか"}, "ねこ [いぬか]"},
            {{"r~い", "r~いぬ", "r~い", "r~か"}, "[か]"},
            {{"r~いぬか", "r~いぬ", "r~いn"}, "[いn]"},
            {{"r~いぬ", "rいぬ", "r~いぬか"}, "いぬ [いぬか]"},
            {{"r~ねこ", "r~いぬ"}, "ねこ [いぬ]"},
            // A provisional entry gone back to is kept.
            {{"rねこ", "r~いぬ", "<", ">", "r~いぬか"}, "ねこ いぬ [いぬか]"},
            // Kanji searches; picking radicals one by one keeps the last pick.
            {{"k猫犬", "k~日", "k~日月", "k~明", "rねこ"}, "Kanji: 猫犬 Kanji: 明 [ねこ]"},
            {{"kかわ", "rかわ"}, "Kanji: かわ [かわ]"},
        };
        for (const Case& c : cases) {
            SearchHistory history;
            for (const QString& step : c.steps) {
                const bool provisional = step.mid(1, 1) == "~";
                const QString text = step.mid(provisional ? 2 : 1);
                if (step.startsWith('r'))
                    history.record(words(text, 27, 200, provisional));
                else if (step.startsWith('k'))
                    history.record(kanji(text, provisional));
                else if (step == "<")
                    history.back();
                else
                    history.forward();
            }
            QVERIFY2(shown(history) == c.expected,
                     qPrintable(c.steps.join(',') + " gave " + shown(history)));
        }
    }

    void historyTellsSameTextWithOtherOptionsApart()
    {
        SearchHistory history;
        history.record(words("ねこ", 27, 200));
        history.record(words("ねこ", 59, 200));
        history.record(words("ねこ", 59, -1));
        QCOMPARE(history.count(), 3);
        QCOMPARE(history.back()->options.searchFlags, 59);
        QCOMPARE(history.back()->options.limit, 200);
        QVERIFY(history.back() == nullptr);
    }

    void historyKeepsTheLastHundredAndSurvivesSavingAndLoading()
    {
        fixtures::FixtureDir dir;
        const QString file = dir.path() + "/preferences.ini";
        {
            SearchHistory history;
            for (int number = 1; number <= 130; ++number)
                history.record(words(QString::number(number), number, number - 50));
            HistoryEntry withPartsOfSpeech = words("いく", 63, 5);
            withPartsOfSpeech.options.partsOfSpeech = {"v5k-s", "n"};
            history.record(withPartsOfSpeech);
            history.record(kanji("猫犬"));
            QCOMPARE(history.count(), SearchHistory::KEPT);
            QSettings preferences(file, QSettings::IniFormat);
            preferences.setValue("ime/on", 1);
            history.save(preferences);
        }
        SearchHistory restored;
        QSettings preferences(file, QSettings::IniFormat);
        restored.load(preferences);
        QCOMPARE(preferences.value("ime/on").toInt(), 1);
        QCOMPARE(restored.count(), 100);
        QCOMPARE(restored.at(0).text, QString("33"));
        QCOMPARE(restored.at(0).options.searchFlags, 33);
        QCOMPARE(restored.at(0).options.limit, -17);
        const HistoryEntry& withPartsOfSpeech = restored.at(98);
        QCOMPARE(withPartsOfSpeech.options.partsOfSpeech, (std::vector<std::string>{"v5k-s", "n"}));
        QCOMPARE(restored.at(99).kind, HistoryEntry::KANJI);
        // Before a search of the new run, Back goes to the newest saved one.
        QCOMPARE(restored.current(), 100);
        QCOMPARE(restored.back()->text, QString("猫犬"));
        QCOMPARE(restored.back()->text, QString("いく"));
    }

    void historyMenuListsTheLastThirtyNewestFirstAndRerunsTheChosenOne()
    {
        QMainWindow window;
        SearchHistory history;
        HistoryMenu menu(&history, &window);
        QCOMPARE(menuTexts(menu), (QStringList{"&Back", "&Forward", "--", "&Clear history"}));
        QVERIFY(!menu.backAction->isEnabled());
        for (int number = 1; number <= 40; ++number)
            history.record(words(QString::number(number)));
        const QStringList texts = menuTexts(menu);
        QCOMPARE(texts.size(), 4 + 30 + 1);
        QCOMPARE(texts.mid(3, 3), (QStringList{"40", "39", "38"}));
        QCOMPARE(texts.at(32), QString("11"));
        QVERIFY(menu.backAction->isEnabled() && !menu.forwardAction->isEnabled());

        QSignalSpy reruns(&menu, &HistoryMenu::rerun);
        menu.actions().at(5)->trigger();  // "38"
        QCOMPARE(reruns.takeLast().at(0).value<HistoryEntry>().text, QString("38"));
        QVERIFY(menu.actions().at(5)->isChecked());
        menu.forwardAction->trigger();
        QCOMPARE(reruns.takeLast().at(0).value<HistoryEntry>().text, QString("39"));

        // The mouse's back button anywhere over the window goes back.
        QTest::mouseClick(&window, Qt::BackButton);
        QCOMPARE(reruns.takeLast().at(0).value<HistoryEntry>().text, QString("38"));

        menu.clearAction->trigger();
        QCOMPARE(history.count(), 0);
        QCOMPARE(menuTexts(menu), (QStringList{"&Back", "&Forward", "--", "&Clear history"}));
        QCOMPARE(menu.backAction->shortcut(), QKeySequence(QKeySequence::Back));
    }

    // What a menu would take for a mnemonic or a shortcut column is shown as
    // written; a long text is cut for the menu and searched whole.
    void historyMenuShowsEveryTextAsWrittenAndCutsLongOnes()
    {
        QMainWindow window;
        SearchHistory history;
        HistoryMenu menu(&history, &window);
        const QString longText = QString(30, QChar(0x732B)) + "<b>" + QString(50, QChar(0x72AC));
        const struct {
            QString searched, shown;
        } cases[] = {
            {"Tom & Jerry", "Tom && Jerry"},
            {"&&", "&&&&"},
            {"猫\tCtrl+Q", "猫 Ctrl+Q"},
            {"猫\n犬\r\n鳥", "猫 犬 鳥"},
            {QString("猫") + QChar(0) + "犬", "猫 犬"},
            {"tail\t", "tail"},
        };
        for (const auto& c : cases)
            history.record(words(c.searched));
        history.record(words(longText));
        history.record(words(QString(HistoryMenu::LONGEST_LINE + 20, QChar(0x3042))));
        QStringList texts = menuTexts(menu).mid(3, 8);
        std::reverse(texts.begin(), texts.end());
        for (int i = 0; i < 6; ++i)
            QCOMPARE(texts.at(i), cases[i].shown);
        for (const QString& text : texts) {
            QVERIFY2(text.size() <= HistoryMenu::LONGEST_LINE, qPrintable(text));
            QVERIFY(!text.contains('\t'));
        }
        QCOMPARE(HistoryMenu::menuText(QString(HistoryMenu::LONGEST_LINE + 5, QChar('x'))).size(),
                 HistoryMenu::LONGEST_LINE);
        const QString surrogates = QString::fromUcs4(U"\U00020B9F").repeated(HistoryMenu::LONGEST_LINE);
        const QString cut = HistoryMenu::menuText(surrogates);
        QVERIFY(cut.endsWith(QChar(0x2026)) && !cut.at(cut.size() - 2).isHighSurrogate());
        // The history's own labels are cut whole too: 39 units, then a pair.
        for (const QString& text : {"a" + surrogates, surrogates}) {
            HistoryEntry entry;
            entry.text = text;
            const QString label = entry.label();
            QVERIFY(label.endsWith(QChar(0x2026)) && !label.at(label.size() - 2).isHighSurrogate());
        }

        QSignalSpy reruns(&menu, &HistoryMenu::rerun);
        QAction* longLine = menu.actions().at(4);
        QVERIFY(longLine->text().endsWith(QChar(0x2026)));
        QCOMPARE(longLine->toolTip(), "<p>" + longText.toHtmlEscaped() + "</p>");
        longLine->trigger();
        QCOMPARE(reruns.takeLast().at(0).value<HistoryEntry>().text, longText);
    }

    void copiedTextWorthLookingUp()
    {
        const QString tooLong = QString(ClipboardWatcher::LONGEST, QChar(0x732B));
        const struct {
            QString copied, lookedUp;
        } cases[] = {
            {"猫", "猫"},
            {"  ねこ\n", "ねこ"},
            {"食べ\r\nもの", "食べ もの"},
            {"Tシャツ", "Tシャツ"},
            {"ｶﾀｶﾅ", "ｶﾀｶﾅ"},
            {"人々", "人々"},
            {"cat", ""},
            {"", ""},
            {"１２３！", ""},
            {"한국어", ""},
            {tooLong, tooLong},
            {tooLong + "x", ""},
        };
        for (const auto& c : cases)
            QVERIFY2(ClipboardWatcher::japaneseText(c.copied) == c.lookedUp, qPrintable(c.copied));
    }

    // Every copy is looked up, the same text copied again too; one copy seen
    // twice in a row (a clipboard manager taking it over) only once.
    void eachCopyOfJapaneseTextIsAnnouncedAndOwnOrEnglishTextNever()
    {
        QClipboard* clipboard = QGuiApplication::clipboard();
        ClipboardWatcher watcher(clipboard);
        QSignalSpy announced(&watcher, &ClipboardWatcher::japaneseTextCopied);
        const auto texts = [&] {
            QStringList texts;
            for (const QList<QVariant>& signal : announced)
                texts << signal.at(0).toString();
            announced.clear();
            return texts;
        };
        clipboard->setText("猫");
        QCOMPARE(announced.count(), 0);  // off at first

        watcher.setWatching(true);
        auto ownCopy = new QMimeData;
        ownCopy->setText("自分");
        ClipboardWatcher::markOwnCopy(ownCopy);
        for (const char* copied : {"猫", "cat", "猫", "犬", "  犬 ", "猫", "自分", "猫"}) {
            if (QByteArray(copied) == "自分")
                clipboard->setMimeData(ownCopy);
            else
                clipboard->setText(QString::fromUtf8(copied));
        }
        QCOMPARE(texts(), (QStringList{"猫", "猫", "犬", "猫", "猫"}));

        // The same text copied again a while later is a new copy.
        QTest::qWait(ClipboardWatcher::SAME_COPY_MS + 100);
        clipboard->setText("猫");
        QCOMPARE(texts(), QStringList{"猫"});

        // Switched off, nothing is looked up.
        watcher.setWatching(false);
        clipboard->setText("鳥");
        watcher.setWatching(true);
        clipboard->setText("猫");
        QCOMPARE(texts(), QStringList{"猫"});
    }

    void strokeOrderViewOnlyWithItsFont()
    {
        const QString installed = StrokeOrderView::family();
        if (!StrokeOrderView::available())
            QSKIP("The KanjiStrokeOrders font is not installed");
        QWidget parent;
        StrokeOrderView* window = StrokeOrderView::showInWindow("猫", &parent);
        QVERIFY(window != nullptr && window->isWindow() && window->isVisible());
        QCOMPARE(window->text(), QString("猫"));
        QVERIFY(window->font().pixelSize() >= StrokeOrderView::SMALLEST_PIXELS);
        QCOMPARE(StrokeOrderView::showInWindow("犬", &parent), window);  // reused

        StrokeOrderView::setFamily("No Such Font Family For Dexaru");
        QVERIFY(!StrokeOrderView::available());
        QVERIFY(StrokeOrderView::showInWindow("猫", &parent) == nullptr);
        StrokeOrderView::setFamily(installed);
    }

    void unfinishedRomajiWaits()
    {
        const struct {
            QString typed, searched;
        } cases[] = {
            {"hanab", "hana"}, {"han", "han"}, {"hanabatake", "hanabatake"}, {"h", "h"}, {"xyz", "xyz"},
            {"neko*", "neko*"}, {"ねこk", "ねこ"}, {"NEK", "NE"}, {"kitte", "kitte"}, {"kit", "ki"},
        };
        for (const auto& c : cases)
            QVERIFY2(SearchAsYouType::withoutUnfinishedRomaji(c.typed) == c.searched, qPrintable(c.typed));
    }

    void searchAsYouTypeWaitsForQuietAndLeavesPendingRomajiOut()
    {
        SearchBox box;
        SearchAsYouType typing(&box);
        QSignalSpy due(&typing, &SearchAsYouType::searchDue);
        QTest::keyClicks(&box, "neko");
        QTest::qWait(SearchAsYouType::QUIET_MS + 100);
        QCOMPARE(due.count(), 0);  // off at first

        typing.setOn(true);
        box.clear();
        QTest::keyClicks(&box, "neko");
        QCOMPARE(due.count(), 0);
        QTRY_COMPARE(due.count(), 1);
        QCOMPARE(due.takeLast().at(0).toString(), QString("neko"));

        // Pending romaji, shown selected by the input method, is left out;
        // "ねこ" plus a pending "k" is "ねこ" again, which is not searched twice.
        box.clear();
        box.toggleIme(true);
        QTest::keyClicks(&box, "neko");
        QTRY_COMPARE(due.count(), 1);
        QCOMPARE(due.takeLast().at(0).toString(), QString("ねこ"));
        QTest::keyClicks(&box, "k");
        QCOMPARE(SearchAsYouType::typedText(&box), QString("ねこ"));
        QTest::qWait(SearchAsYouType::QUIET_MS + 100);
        QCOMPARE(due.count(), 0);
        QTest::keyClicks(&box, "a");
        QTRY_COMPARE(due.count(), 1);
        QCOMPARE(due.takeLast().at(0).toString(), QString("ねこか"));

        // A search run another way drops the wait; an emptied box searches nothing.
        QTest::keyClicks(&box, "wa");
        typing.searched(box.toPlainText());
        box.clear();
        QTest::qWait(SearchAsYouType::QUIET_MS + 100);
        QCOMPARE(due.count(), 0);
    }

    void backAfterThreeSearchesRestoresTheSecondsTextAndOptions()
    {
        fixtures::FixtureDir dir;
        fixtures::writeDataFiles(dir);
        fixtures::DesktopProgram program(dir.path());
        program.addDictionary("edict");
        QSignalSpy searches(&program.window, &MainWindow::search);
        auto* box = program.find<QPlainTextEdit>("searchText");
        const struct {
            QStringList checked;
            QString limit, typed;
        } searchesMade[] = {
            {{"romajiToKana", "searchInWord", "searchInKana", "allowLimit"}, "200", "neko"},
            {{"romajiToKana", "searchInKana", "fuzzySearch", "commonOnly", "allowLimit"}, "7", "inu"},
            {{"searchInMeanings"}, "200", "cat"},
        };
        for (const auto& made : searchesMade) {
            setBoxes(program, made.checked, made.limit);
            box->setPlainText(made.typed);
            program.find<QPushButton>("searchButton")->click();
        }
        const WordDictionary::SearchOptions second = searches.at(1).at(1).value<WordDictionary::SearchOptions>();

        auto* back = program.find<QAction>("actionBack");
        auto* forward = program.find<QAction>("actionForward");
        QVERIFY(back && forward && back->isEnabled() && !forward->isEnabled());
        back->trigger();
        QCOMPARE(searches.count(), 4);
        QCOMPARE(searchedText(searches), QString("いぬ"));
        QCOMPARE(box->toPlainText(), QString("いぬ"));
        const auto restored = searches.last().at(1).value<WordDictionary::SearchOptions>();
        QCOMPARE(restored.searchFlags, second.searchFlags);
        QCOMPARE(restored.commonFilter, 1);
        QCOMPARE(restored.limit, 7);
        // The text is kana already: the romaji box stays as the last search left it.
        QCOMPARE(checkedBoxes(program), (QStringList{"allowLimit", "commonOnly", "fuzzySearch", "searchInKana"}));
        QCOMPARE(program.find<QPlainTextEdit>("limitText")->toPlainText(), QString("7"));
        QCOMPARE(program.find<QTableWidget>("wordResults")->rowCount(), 1);

        // Alt+Right goes forward again; nothing new enters the history.
        program.window.show();
        QApplication::setActiveWindow(&program.window);
        QVERIFY(QTest::qWaitForWindowActive(&program.window));
        box->setFocus();
        QTest::keyClick(box, Qt::Key_Right, Qt::AltModifier);
        QCOMPARE(searchedText(searches), QString("cat"));
        QCOMPARE(checkedBoxes(program), QStringList{"searchInMeanings"});
        auto* menu = program.find<QMenu>("menuHistory");
        QStringList listed;
        for (QAction* action : menu->actions())
            if (!action->isSeparator() && action->isVisible())
                listed << action->text();
        QCOMPARE(listed, (QStringList{"&Back", "&Forward", "cat", "いぬ", "ねこ", "&Clear history"}));
    }

    void historyAndTheCopiedTextSwitchSurviveARestart()
    {
        fixtures::FixtureDir dir;
        fixtures::writeDataFiles(dir);
        {
            fixtures::DesktopProgram first(dir.path());
            first.window.readSettings();
            QVERIFY(!first.find<QAction>("actionLookUpCopiedText")->isChecked());
            for (const char* typed : {"neko", "inu"}) {
                first.find<QPlainTextEdit>("searchText")->setPlainText(typed);
                first.find<QPushButton>("searchButton")->click();
            }
            emit first.find<QRadicalList>("radicalList")->kanjiSearched({L'猫', L'犬'});
            first.find<QAction>("actionLookUpCopiedText")->setChecked(true);
            QVERIFY(first.window.close());
        }
        fixtures::DesktopProgram second(dir.path());
        second.window.readSettings();
        QVERIFY(second.find<QAction>("actionLookUpCopiedText")->isChecked());
        QSignalSpy words(&second.window, &MainWindow::search);
        QSignalSpy kanji(&second.window, &MainWindow::searchForKanji);
        second.find<QAction>("actionBack")->trigger();  // the newest: the kanji search
        QCOMPARE(kanji.count(), 1);
        QCOMPARE(kanji.last().at(0).value<std::set<wchar_t>>(), (std::set<wchar_t>{L'犬', L'猫'}));
        second.find<QAction>("actionBack")->trigger();
        QCOMPARE(searchedText(words), QString("いぬ"));
        second.find<QAction>("actionClearHistory")->trigger();
        QVERIFY(!second.find<QAction>("actionBack")->isEnabled());
        second.find<QAction>("actionLookUpCopiedText")->setChecked(false);
    }

    void eachCopyOfJapaneseTextIsSearchedOwnAndEnglishTextNot()
    {
        fixtures::FixtureDir dir;
        fixtures::writeDataFiles(dir);
        fixtures::DesktopProgram program(dir.path());
        program.addDictionary("edict");
        QSignalSpy searches(&program.window, &MainWindow::search);
        QClipboard* clipboard = QGuiApplication::clipboard();
        clipboard->setText("子猫");
        QCOMPARE(searches.count(), 0);  // off by default

        program.find<QAction>("actionLookUpCopiedText")->setChecked(true);
        for (const char* copied : {"猫", "cat", "猫", "ねこ\n"})
            clipboard->setText(QString::fromUtf8(copied));
        QCOMPARE(searches.count(), 3);
        QCOMPARE(searchedText(searches, 0), QString("猫"));
        QCOMPARE(searchedText(searches, 1), QString("猫"));
        QCOMPARE(searchedText(searches, 2), QString("ねこ"));
        QCOMPARE(program.find<QPlainTextEdit>("searchText")->toPlainText(), QString("ねこ"));

        // "Copy word" of the word table is the program's own copy.
        auto* wordTable = program.find<QWordResultTable>("wordResults");
        program.find<QPlainTextEdit>("searchText")->setPlainText("inu");
        program.find<QPushButton>("searchButton")->click();
        QCOMPARE(searches.count(), 4);
        wordTable->selectAll();
        wordTable->copyWord();
        QCOMPARE(clipboard->text(), QString("犬"));
        QCOMPARE(searches.count(), 4);
        program.find<QAction>("actionLookUpCopiedText")->setChecked(false);
    }

    void strokeOrderAppearsInTheKanjiPopUpOnlyWithItsFont()
    {
        const QString installed = StrokeOrderView::family();
        CharacterEntry entry;
        entry.kanji = L'猫';
        if (!StrokeOrderView::available())
            QSKIP("The KanjiStrokeOrders font is not installed");
        for (bool withFont : {false, true}) {
            StrokeOrderView::setFamily(withFont ? installed : "No Such Font Family For Dexaru");
            QCharacterResultTable table;
            table.setup();
            table.hover->setInfo(&entry);
            QCOMPARE(table.hover->strokeOrder != nullptr, withFont);
            QCOMPARE(table.hover->findChildren<StrokeOrderView*>().size(), withFont ? 1 : 0);
            if (withFont) {
                QCOMPARE(table.hover->strokeOrder->text(), QString("猫"));
                QVERIFY(table.hover->strokeOrder->font().pixelSize() >= 120);
            }
            QContextMenuEvent opening(QContextMenuEvent::Mouse, QPoint(1, 1), QPoint(1, 1));
            QAction* showStrokeOrder = table.actions().last();
            QCOMPARE(showStrokeOrder->text(), QString("Show stroke order"));
            // The menu opens over the viewport; it is closed as soon as it shows.
            QTimer::singleShot(0, [] {
                if (QWidget* menu = QApplication::activePopupWidget())
                    menu->close();
            });
            QApplication::sendEvent(table.viewport(), &opening);
            QCOMPARE(showStrokeOrder->isVisible(), withFont);
        }
        StrokeOrderView::setFamily(installed);
    }

    void searchAsYouTypeSearchesOnceTypingRestsWithTheButtonsOptions()
    {
        fixtures::FixtureDir dir;
        fixtures::writeDataFiles(dir);
        fixtures::DesktopProgram program(dir.path());
        program.addDictionary("edict");
        QSignalSpy searches(&program.window, &MainWindow::search);
        auto* box = program.find<QPlainTextEdit>("searchText");
        setBoxes(program, {"romajiToKana", "searchInKana", "allowLimit", "searchAsYouType"}, "9");
        box->clear();
        QTest::keyClicks(box, "ne");
        QTRY_COMPARE(searches.count(), 1);
        QTest::keyClicks(box, "ko");
        QTRY_COMPARE(searches.count(), 2);
        QCOMPARE(searchedText(searches), QString("ねこ"));
        QCOMPARE(searches.last().at(1).value<WordDictionary::SearchOptions>().limit, 9);
        QCOMPARE(searches.last().at(1).value<WordDictionary::SearchOptions>().searchFlags,
                 int(WordDictionary::SEARCH_KANA));
        QCOMPARE(program.find<QTableWidget>("wordResults")->rowCount(), 1);
        // Return right after typing searches at once, and the timer does not repeat it.
        QTest::keyClick(box, Qt::Key_Backspace);
        QTest::keyClick(box, Qt::Key_Backspace);
        QTest::keyClicks(box, "i");
        QTest::keyClick(box, Qt::Key_Return);
        QCOMPARE(searchedText(searches), QString("ねい"));
        QTest::qWait(SearchAsYouType::QUIET_MS + 100);
        QCOMPARE(searches.count(), 3);
        // Typing left no fragments in the history: the search started with
        // Return took the place of the provisional ねこ it went on from.
        QStringList listed;
        for (QAction* action : program.find<QMenu>("menuHistory")->actions())
            if (action->isCheckable())
                listed << action->text();
        QCOMPARE(listed, (QStringList{"ねい"}));
    }
};

QTEST_MAIN(LearnerToolsTest)
#include "LearnerToolsTest.moc"

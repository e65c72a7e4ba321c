// The window as it shows dictionary text and takes the keyboard: markup in
// a dictionary's text shown as text, the result tables one Tab stop each,
// the menus' mnemonics, the colours kept from one start to the next.
#include "DesktopProgram.h"

#include "AddDictionary.h"
#include "CharacterEntry.h"
#include "CharacterHover.h"
#include "QCharacterResultTable.h"
#include "QWordResultTable.h"
#include "ResultRoom.h"
#include "RichTextDelegate.h"
#include "SearchBox.h"
#include "Settings.h"
#include "ViewSupport.h"
#include "WordEntry.h"
#include "WordHover.h"
#include "WordResult.h"

#include <QApplication>
#include <QColorDialog>
#include <QDockWidget>
#include <QHeaderView>
#include <QLabel>
#include <QMenuBar>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QSplitter>
#include <QSettings>
#include <QSignalSpy>
#include <QStatusBar>
#include <QTest>
#include <QTextDocument>

using fixtures::DesktopProgram;

namespace {

// Text as a rich-text view shows it.
QString shownText(const QString& html)
{
    QTextDocument document;
    document.setHtml(html);
    return document.toPlainText();
}

QString shownText(const QLabel* label)
{
    if (label->textFormat() == Qt::PlainText)
        return label->text();
    return shownText(label->text());
}

Settings* settingsDialog()
{
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (auto* settings = qobject_cast<Settings*>(widget))
            return settings;
    }
    return nullptr;
}

void search(DesktopProgram& program, const QString& text)
{
    program.find<QPlainTextEdit>("searchText")->setPlainText(text);
    program.find<QPushButton>("searchButton")->click();
}

}  // namespace

class WindowAndTextTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { registerMetaTypes(); }

    void dictionaryTextIsShownAsTextNotMarkup()
    {
        fixtures::FixtureDir dir;
        fixtures::writeDataFiles(dir);
        dir.write("edict", fixtures::euc("＜ [しょうなり] /(n) less-than mark (<)/<i>bold & &amp;/(P)/\n"));
        DesktopProgram program(dir.path());
        program.addDictionary("edict");
        search(program, "shounari");
        auto* table = program.find<QWordResultTable>("wordResults");
        QCOMPARE(table->rowCount(), 1);
        const QString meanings = "less-than mark (<) | <i>bold & &amp;";
        QVERIFY2(shownText(table->item(0, 1)->text()).endsWith(meanings),
                 qPrintable(table->item(0, 1)->text()));
        QCOMPARE(shownText(table->item(0, 0)->text()), QString("＜\nしょうなり"));

        // The word pop-up of the table and of the Read panel, and the kanji pop-up.
        WordEntry* entry = table->item(0, 0)->data(Qt::UserRole).value<WordEntry*>();
        QVERIFY(entry != nullptr);
        entry->word = L"<i>語</i>";
        table->hover->showEntry(*entry, L"<u>typed</u>", {"<b>past</b>"});
        const QStringList popUp = {shownText(table->hover->findChild<QLabel*>("word")),
                                   shownText(table->hover->findChild<QLabel*>("reasons")),
                                   shownText(table->hover->findChild<QLabel*>("meanings"))};
        QCOMPARE(popUp, (QStringList{"<i>語</i>", "< <u>typed</u>: <b>past</b>",
                                     "less-than mark (<)\n<i>bold & &amp;"}));
        CharacterEntry kanji;
        kanji.kanji = L'小';
        kanji.meanings = {L"less-than mark (<)", L"<b>small</b>"};
        kanji.on = {L"<ショウ>"};
        CharacterHover characterPopUp;
        characterPopUp.setInfo(&kanji);
        QCOMPARE(shownText(characterPopUp.findChild<QLabel*>("meanings")),
                 QString("less-than mark (<)\n<b>small</b>"));
        QCOMPARE(shownText(characterPopUp.findChild<QLabel*>("onReadings")), QString("<ショウ>"));
    }

    void tablesAreOneTabStopAndTheFirstDownKeepsTheTopResult()
    {
        fixtures::ProgramWithEdict program;
        search(program, "*neko");
        auto* words = program.find<QWordResultTable>("wordResults");
        QCOMPARE(words->rowCount(), 2);
        program.window.show();
        QApplication::setActiveWindow(&program.window);
        QVERIFY(QTest::qWaitForWindowActive(&program.window));

        auto* button = program.find<QPushButton>("searchButton");
        button->setFocus(Qt::TabFocusReason);
        QTest::keyClick(button, Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), words);
        // The top result is shown selected; the first Down goes to the second.
        QCOMPARE(words->currentRow(), 0);
        QVERIFY(words->item(0, 0)->isSelected());
        QTest::keyClick(words, Qt::Key_Down);
        QCOMPARE(words->currentRow(), 1);
        // Tab leaves the table, whatever cell is current.
        QTest::keyClick(words, Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget()->objectName(), QString("characterResults"));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget()->objectName(), QString("radicalList"));
        // Shift+Tab back into the word table keeps the row the user chose.
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab);
        QCOMPARE(QApplication::focusWidget(), words);
        QCOMPARE(words->currentRow(), 1);

        // Every menu of the menu bar has a mnemonic of its own; the titles
        // read as they always have.
        QStringList titles;
        QString mnemonics;
        for (QAction* menu : program.window.menuBar()->actions()) {
            const QString title = menu->text();
            const int mark = title.indexOf('&');
            QVERIFY2(mark >= 0 && mark + 1 < title.size(), qPrintable(title));
            const QChar key = title.at(mark + 1).toLower();
            QVERIFY2(!mnemonics.contains(key), qPrintable(title));
            mnemonics += key;
            titles << QString(title).remove('&');
        }
        QCOMPARE(titles.mid(0, 2), (QStringList{"Dexaru2", "Dictionaries"}));
    }

    void aFileThatIsNoDictionaryIsAnnouncedSo()
    {
        fixtures::FixtureDir dir;
        fixtures::writeDataFiles(dir);
        dir.write("passwd", "root:x:0:0:root:/root:/bin/bash\n"
                            "daemon:x:1:1:daemon:/usr/sbin:/usr/sbin/nologin\n"
                            "systemd-network:x:998:998:systemd Network Management:/:/bin/false\n");
        dir.write("words", fixtures::euc("猫 [ねこ] /(n) cat/(P)/\n犬 [いぬ] /(n) dog/\n"));
        DesktopProgram program(dir.path());
        program.find<QAction>("actionAdd_dictionary")->trigger();
        AddDictionary* adding = nullptr;
        for (QWidget* widget : QApplication::topLevelWidgets())
            if (auto* dialog = qobject_cast<AddDictionary*>(widget))
                adding = dialog;
        QVERIFY(adding != nullptr);
        auto* list = program.find<QListWidget>("dictionaryList");
        const struct {
            QString name, file, announced, tip;
        } files[] = {
            {"Words", "words", "The dictionary \"Words\" is ready.", ""},
            {"Passwords", "passwd",
             "The dictionary \"Passwords\" was loaded, but it may be no dictionary. The file",
             "no EDICT header line, and 3 of its first 3 lines are no EDICT entries."},
            {"Missing", "no such file", "The dictionary \"Missing\" could not be loaded.",
             "does not exist."},
        };
        for (const auto& file : files) {
            adding->findChild<QPlainTextEdit*>("name")->setPlainText(file.name);
            adding->findChild<QPlainTextEdit*>("filename")->setPlainText(file.file);
            adding->accept();
            QTRY_VERIFY2(program.window.statusBar()->currentMessage().startsWith(file.announced),
                         qPrintable(program.window.statusBar()->currentMessage()));
            QListWidgetItem* row = list->item(list->count() - 1);
            QCOMPARE(row->text(), file.name);
            QCOMPARE(row->icon().isNull(), file.tip.isEmpty());
            QVERIFY2(file.tip.isEmpty() ? row->toolTip().isEmpty() : row->toolTip().endsWith(file.tip),
                     qPrintable(row->toolTip()));
        }
    }

    void popUpsStayOnTheScreenShortenedWhereTheyMust()
    {
        QWordResultTable table;
        table.setup();
        auto* result = new WordResult;
        for (int glosses : {300, 2}) {
            auto* entry = new WordEntry;
            entry->word = glosses > 2 ? std::wstring(150, L'\u6F22') : L"猫";
            entry->kana = L"ねこ";
            entry->meanings = new std::string[glosses];
            entry->meaningsSize = glosses;
            for (int at = 0; at < glosses; ++at)
                entry->meanings[at] = "meaning number " + std::to_string(at + 1);
            result->addEntry(entry);
        }
        table.setResult(result);
        table.resize(400, 300);
        table.show();
        const QRect screen = table.screen()->availableGeometry();
        const auto onScreen = [&screen](const QWidget* popUp) {
            return screen.contains(QRect(popUp->pos(), popUp->size()));
        };
        const auto labelText = [](const QWidget* popUp, const char* name) {
            return popUp->findChild<QLabel*>(name)->text();
        };
        for (const QPoint mouse : {screen.topLeft() + QPoint(10, 10), screen.center(),
                                   screen.bottomRight() - QPoint(5, 5)}) {
            for (int row : {0, 1}) {
                table.hover->hide();
                QHelpEvent event(QEvent::ToolTip,
                                 table.viewport()->mapTo(&table, table.visualItemRect(table.item(row, 1)).center()),
                                 mouse);
                QApplication::sendEvent(&table, &event);
                QVERIFY(table.hover->isVisible());
                QVERIFY2(onScreen(table.hover), qPrintable(QString("row %1").arg(row)));
                const bool cut = row == 0;
                QCOMPARE(labelText(table.hover, "word").endsWith(FittingPopup::ELLIPSIS), cut);
                QCOMPARE(labelText(table.hover, "meanings").endsWith("<li>…</li></ul>"), cut);
                QVERIFY(labelText(table.hover, "meanings").startsWith("<ul><li>meaning number 1</li>"));
            }
        }

        CharacterEntry kanji;
        kanji.kanji = L'一';
        for (int at = 0; at < 200; ++at)
            kanji.meanings.push_back(L"one meaning of many");
        CharacterHover characterPopUp;
        characterPopUp.setInfo(&kanji);
        viewsupport::showBeside(&characterPopUp, screen.topLeft() + QPoint(20, 20));
        QVERIFY(onScreen(&characterPopUp));
        QVERIFY(labelText(&characterPopUp, "meanings").endsWith("<li>…</li></ul>"));
    }

    void cutLinesEndInAnEllipsis()
    {
        QFont font;
        font.setPixelSize(12);
        const QString longLine = "(1) book | volume | script | (2) this | present | (3) main | head";
        const struct {
            QString html;
            int width;
            QStringList shown;  // lines; an entry ending in "…" is a prefix that is cut
        } cells[] = {
            {"<font color=\"#00AA00\">noun</font><br>" + longLine, 2000, {"noun", longLine}},
            {"<font color=\"#00AA00\">noun</font><br>" + longLine, 150, {"noun", "(1) book…"}},
            {"<font color=\"#00AA00\">noun | prefix | suffix | counter word</font><br>cat", 120,
             {"noun | prefix…", "cat"}},
            {"<font color=\"#0000FF\">本本本本本本本本本本本本本本本本本本本本</font><br>ほん", 100,
             {"本本…", "ほん"}},
        };
        for (const auto& cell : cells) {
            const QStringList lines =
                RichTextDelegate::shownText(cell.html, font, cell.width).split('\n');
            QCOMPARE(lines.size(), cell.shown.size());
            for (int at = 0; at < lines.size(); ++at) {
                const QString& expected = cell.shown[at];
                if (!expected.endsWith("…")) {
                    QCOMPARE(lines[at], expected);
                    continue;
                }
                QVERIFY2(lines[at].endsWith("…") && lines[at].startsWith(expected.chopped(1)),
                         qPrintable(lines[at]));
                QVERIFY(QFontMetrics(font).horizontalAdvance(lines[at])
                        <= cell.width - 2 * RichTextDelegate::margin + 2);
            }
        }

        // A long phrase gets at most a third of the table.
        QWordResultTable table;
        table.setup();
        table.resize(600, 300);
        table.show();
        auto* result = new WordResult;
        auto* entry = new WordEntry;
        entry->word = std::wstring(60, L'\u6F22');
        result->addEntry(entry);
        table.setResult(result);
        QVERIFY(table.columnWidth(0) <= table.viewport()->width() / 3);
    }

    void resultsKeepTheirRoomInASmallWindow()
    {
        fixtures::ProgramWithEdict program;
        search(program, "*");
        auto* options = program.find<QScrollArea>("settingsScrollArea");
        QVERIFY(options != nullptr);
        QCOMPARE(options->widget(), program.find<QWidget>("settingsAreaWidget"));
        auto* words = program.find<QWordResultTable>("wordResults");
        program.window.resize(800, 600);
        program.window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&program.window));
        const int row = words->verticalHeader()->defaultSectionSize();
        const auto rowsShown = [words, row] { return words->viewport()->height() / row; };
        const QWidget* content = options->widget();
        const int natural = content->sizeHint().expandedTo(content->minimumSizeHint()).height();
        // At 800×600, and lower still, the options give way first: the word
        // table keeps four rows while the options keep a strip.
        for (int height : {600, 480}) {
            program.window.resize(800, height);
            QTRY_COMPARE(program.window.height(), height);
            QVERIFY2(rowsShown() >= 4, qPrintable(QString::number(words->viewport()->height())));
            QVERIFY(options->height() >= ResultRoom::LEAST_OPTIONS_HEIGHT);
        }
        QVERIFY2(options->height() < natural,
                 qPrintable(QString("%1 of %2").arg(options->height()).arg(natural)));
        program.window.resize(800, 600);
        // With the Read panel open, the tables still show several rows.
        QAction* read = nullptr;
        for (QAction* action : program.find<QMenu>("menuView")->actions())
            if (action->text() == "&Read text")
                read = action;
        QVERIFY(read != nullptr);
        read->trigger();
        QTRY_VERIFY(program.find<QDockWidget>("readerPanel")->isVisible());
        QTRY_VERIFY2(rowsShown() >= 3, qPrintable(QString::number(words->viewport()->height())));
        QVERIFY(options->isVisible() && options->height() > 0);
        // A tall window gives the options their whole height.
        read->trigger();
        program.window.resize(800, 1100);
        QTRY_COMPARE(options->height(), natural);
        // Hiding the options from the View menu hides their area.
        program.find<QAction>("actionSearch_settings")->setChecked(false);
        QVERIFY(options->isHidden());
        program.find<QAction>("actionSearch_settings")->setChecked(true);
        QVERIFY(!options->isHidden());
    }

    void chosenColoursComeBackAndTheChooserStartsFromThem()
    {
        fixtures::FixtureDir dir;
        fixtures::writeDataFiles(dir);
        const QColor red(200, 30, 30), green(20, 150, 40);
        QColor untouched;
        {
            DesktopProgram first(dir.path());
            first.window.readSettings();
            untouched = settingsDialog()->generalColor;
            settingsDialog()->setCharacterFontColor(red);
            settingsDialog()->setWordFontColor(green);
            QVERIFY(first.window.close());
        }
        QSettings saved(dir.path() + "/preferences.ini", QSettings::IniFormat);
        QCOMPARE(saved.childGroups().contains("colors"), true);
        QVERIFY(!saved.contains("colors/generalColor"));  // never chosen: not kept

        DesktopProgram second(dir.path());
        second.window.readSettings();
        Settings* settings = settingsDialog();
        QCOMPARE(settings->characterColor, red);
        QCOMPARE(settings->wordColor, green);
        QCOMPARE(settings->generalColor, untouched);
        auto* kanjiTable = second.find<QCharacterResultTable>("characterResults");
        QCOMPARE(*kanjiTable->characterColor, red);

        for (const char* button : {"characterFontColor", "wordFontColor"}) {
            settings->findChild<QPushButton*>(button)->click();
            QColorDialog* chooser = nullptr;
            for (QWidget* widget : QApplication::topLevelWidgets())
                if (auto* dialog = qobject_cast<QColorDialog*>(widget))
                    chooser = dialog;
            QVERIFY(chooser != nullptr && chooser->isVisible());
            QCOMPARE(chooser->currentColor(), QString(button) == "wordFontColor" ? green : red);
            chooser->close();
        }
    }
};

QTEST_MAIN(WindowAndTextTest)
#include "WindowAndTextTest.moc"

// The word and kanji result tables, their hover pop-ups and the radical list,
// filled with results that the library finds in fixture files.
#include "CharacterDictionaryCollection.h"
#include "CharacterHover.h"
#include "CharacterResult.h"
#include "Edict.h"
#include "FixtureFiles.h"
#include "Kanjidic.h"
#include "MetaTypes.h"
#include "PartsOfSpeech.h"
#include "QCharacterResultTable.h"
#include "QRadicalList.h"
#include "QWordResultTable.h"
#include "RadicalTable.h"
#include "RichTextDelegate.h"
#include "WordDictionaryCollection.h"
#include "WordEntry.h"
#include "WordHover.h"
#include "WordResult.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QLabel>
#include <QScreen>
#include <QSignalSpy>
#include <QTest>

#include <clocale>

using fixtures::euc;

namespace {

// Sorted by reading, then written form: 川, 皮, 可愛い. Meanings reach the
// tables as the file's EUC-JP bytes, kanji included.
const QByteArray EDICT_TEXT =
    "川 [かわ] /(n) river/stream/(P)/\n"
    "皮 [かわ] /(n) skin/hide (cf. 革)/\n"
    "可愛い [かわいい] /(adj-i) cute/lovely/(P)/\n";
// Sorted by stroke count, then kanji: 川, 可, 皮, 愛.
const QByteArray KANJIDIC_TEXT =
    "川 406E U5ddd S3 セン かわ {river} {stream}\n"
    "皮 4869 U76ae S5 ヒ かわ {pelt} {skin}\n"
    "可 3244 U53ef S5 カ コク -べ.き {can} {passable}\n"
    "愛 3226 U611b S13 アイ いと.しい {love} {affection}\n";
const QByteArray RADKFILE_TEXT =
    "$ 一 1\n可皮\n"
    "$ 口 3\n可\n"
    "$ 川 3\n川\n"
    "$ 心 4\n愛\n";

using Characters = std::set<wchar_t>;

Characters characters(const QString& text)
{
    Characters set;
    for (QChar c : text)
        set.insert(wchar_t(c.unicode()));
    return set;
}

// The rich text a word-table cell holds and its delegate draws.
QString labelText(QTableWidget& table, int row, int column)
{
    return table.item(row, column)->data(Qt::DisplayRole).toString();
}

QSize cellSizeHint(QTableWidget& table, int row, int column)
{
    QStyleOptionViewItem option;
    option.initFrom(&table);
    const QModelIndex index = table.model()->index(row, column);
    return table.itemDelegateForIndex(index)->sizeHint(option, index);
}

QAction* actionNamed(QWidget& widget, const QString& text)
{
    for (QAction* action : widget.actions()) {
        if (action->text() == text)
            return action;
    }
    return nullptr;
}

void triggerAction(QWidget& widget, const QString& text)
{
    QAction* action = actionNamed(widget, text);
    QVERIFY2(action != nullptr, qPrintable(text));
    action->trigger();
}

// Where a tool-tip event for the item lands in the table's own coordinates:
// the viewport passes the events it does not answer on to the table.
QPoint tablePointOf(QTableWidget& table, QTableWidgetItem* item)
{
    return table.viewport()->mapTo(&table, table.visualItemRect(item).center());
}

// Press, release and double-click, as a window system delivers them.
void doubleClick(QWidget* widget, const QPoint& position)
{
    const QPoint global = widget->mapToGlobal(position);
    for (QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease, QEvent::MouseButtonDblClick}) {
        QMouseEvent event(type, position, global, Qt::LeftButton,
                          type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(widget, &event);
    }
}

void sendToolTip(QTableWidget& table, const QPoint& position, const QPoint& global)
{
    QHelpEvent event(QEvent::ToolTip, position, global);
    QApplication::sendEvent(&table, &event);
}

} // namespace

class ResultViewsTest : public QObject
{
    Q_OBJECT

private:
    WordResult* searchWords() { return words.search(L"かわ*", &wordOptions); }
    CharacterResult* searchKanji() { return kanji.search(characters(QStringLiteral("川皮可愛い"))); }
    void fillWordTable(QWordResultTable& table, bool showRomaji = false)
    {
        table.setup();
        table.showRomaji = showRomaji;
        table.setResult(searchWords());
    }
    void fillCharacterTable(QCharacterResultTable& table)
    {
        table.setup();
        table.setResult(searchKanji());
    }

    fixtures::FixtureDir dir;
    PartsOfSpeech partsOfSpeech;
    WordDictionaryCollection words;
    CharacterDictionaryCollection kanji;
    RadicalTable radicals;
    WordDictionary::SearchOptions wordOptions;

private slots:
    void initTestCase()
    {
        std::setlocale(LC_CTYPE, "C.UTF-8");
        registerMetaTypes();
        partsOfSpeech.load(dir.write("pos.drx", "n\tnoun\nadj-i\tadjective\n"));
        Edict* edict = new Edict;
        edict->setName("edict");
        edict->setFilename(dir.write("edict", euc(EDICT_TEXT)));
        words.setPartsOfSpeech(&partsOfSpeech);
        words.addDictionary(edict);
        words.load();
        wordOptions.searchFlags = WordDictionary::SEARCH_KANA | WordDictionary::SEARCH_WILDCARD;
        Kanjidic* kanjidic = new Kanjidic;
        kanjidic->setFilename(dir.write("kanjidic", euc(KANJIDIC_TEXT)));
        kanji.addDictionary(kanjidic);
        kanji.load();
        radicals.addFilename(dir.write("radkfile", euc(RADKFILE_TEXT)));
        radicals.load();
        kanji.setRadicalTable(&radicals);
    }

    void wordTableShowsOneRowPerEntry_data()
    {
        QTest::addColumn<bool>("showRomaji");
        QTest::addColumn<QStringList>("wordLabels");
        QTest::newRow("kana") << false << QStringList{
            "<font color=\"#0000FF\">川</font><br>かわ",
            "<font color=\"#0000FF\">皮</font><br>かわ",
            "<font color=\"#0000FF\">可愛い</font><br>かわいい"};
        QTest::newRow("romaji") << true << QStringList{
            "<font color=\"#0000FF\">川</font><br><font size=-2>kawa</font>",
            "<font color=\"#0000FF\">皮</font><br><font size=-2>kawa</font>",
            "<font color=\"#0000FF\">可愛い</font><br><font size=-2>kawaii</font>"};
    }

    void wordTableShowsOneRowPerEntry()
    {
        QFETCH(bool, showRomaji);
        QFETCH(QStringList, wordLabels);
        const QStringList meaningLabels{
            "<font color=\"#00AA00\">noun</font><br>river | stream",
            "<font color=\"#00AA00\">noun</font><br>skin | hide (cf. 革)",
            "<font color=\"#00AA00\">adjective</font><br>cute | lovely"};
        const QStringList common{"Yes", "", "Yes"};
        QWordResultTable table;
        QFont wordFont("Serif", 21);
        table.wordFont = &wordFont;
        fillWordTable(table, showRomaji);

        QCOMPARE(table.rowCount(), 3);
        const std::vector<WordEntry*> entries = table.result->getEntries();
        for (int row = 0; row < 3; ++row) {
            QCOMPARE(labelText(table, row, 0), wordLabels[row]);
            QCOMPARE(labelText(table, row, 1), meaningLabels[row]);
            QCOMPARE(table.item(row, 2)->text(), common[row]);
            QCOMPARE(table.item(row, 0)->font().pointSize(), 21);
            QCOMPARE(table.cellWidget(row, 0), nullptr);
            QVERIFY(!table.item(row, 0)->data(Qt::AccessibleTextRole).toString().contains('<'));
            QVERIFY(table.item(row, 1)->data(Qt::AccessibleTextRole).toString().contains(
                meaningLabels[row].section("<br>", 1).section(" | ", 0, 0)));
            for (int column = 0; column < 3; ++column)
                QCOMPARE(table.item(row, column)->data(Qt::UserRole).value<WordEntry*>(), entries[row]);
            QVERIFY(!(table.item(row, 0)->flags() & Qt::ItemIsEditable));
        }

        for (int row = 0; row < 3; ++row) {
            for (int column = 0; column < 2; ++column)
                QVERIFY(table.rowHeight(row) >= cellSizeHint(table, row, column).height());
        }
        for (int row = 0; row < 3; ++row)
            QVERIFY(table.columnWidth(0) >= cellSizeHint(table, row, 0).width());

        // A shorter result after a longer one: the rows that stay show the new entries.
        WordDictionary::SearchOptions cuteOnly = wordOptions;
        table.setResult(words.search(L"かわい*", &cuteOnly));
        QCOMPARE(table.rowCount(), 1);
        QCOMPARE(labelText(table, 0, 0), wordLabels[2]);
        QCOMPARE(labelText(table, 0, 1), meaningLabels[2]);
        QCOMPARE(table.item(0, 2)->text(), QStringLiteral("Yes"));
        QCOMPARE(table.item(0, 1)->data(Qt::UserRole).value<WordEntry*>()->word, std::wstring(L"可愛い"));

        table.setResult(new WordResult);
        QCOMPARE(table.rowCount(), 0);
        table.setResult(searchWords());
        table.clearResult();
        QCOMPARE(table.rowCount(), 0);
        QCOMPARE(table.result, nullptr);
    }

    void wordTableCopiesTheLastSelectedRow_data()
    {
        QTest::addColumn<QString>("action");
        QTest::addColumn<int>("firstRow");
        QTest::addColumn<int>("lastRow");
        QTest::addColumn<QString>("clipboard");
        QTest::newRow("word, three rows") << "   Copy word" << 0 << 2 << "可愛い";
        QTest::newRow("kana, romaji shown") << "   Copy kana" << 1 << 1 << "かわ";
        QTest::newRow("meaning") << "   Copy meaning" << 0 << 0 << "river; stream";
        QTest::newRow("all") << "Copy" << 0 << 1 << "皮 / かわ : skin; hide (cf. 革)";
        for (const char* action : {"Copy", "   Copy word", "   Copy kana", "   Copy meaning"})
            QTest::newRow(qPrintable(QStringLiteral("%1, nothing selected").arg(action)))
                << action << -1 << -1 << "";
    }

    void wordTableCopiesTheLastSelectedRow()
    {
        QFETCH(QString, action);
        QFETCH(int, firstRow);
        QFETCH(int, lastRow);
        QFETCH(QString, clipboard);
        QWordResultTable table;
        fillWordTable(table, true);
        if (firstRow >= 0)
            table.setRangeSelected(QTableWidgetSelectionRange(firstRow, 0, lastRow, 2), true);
        QApplication::clipboard()->setText(QStringLiteral("left over"));
        triggerAction(table, action);
        QCOMPARE(QApplication::clipboard()->text(), clipboard);
    }

    void wordTableSearchesTheKanjiOfWords()
    {
        QWordResultTable table;
        fillWordTable(table);
        table.show();
        QVERIFY(QTest::qWaitForWindowExposed(&table));
        QSignalSpy searched(&table, &QWordResultTable::searchForKanji);

        triggerAction(table, "Search for these kanji");
        table.setRangeSelected(QTableWidgetSelectionRange(0, 0, 0, 2), true);
        table.setRangeSelected(QTableWidgetSelectionRange(2, 0, 2, 2), true);
        triggerAction(table, "Search for these kanji");
        const QPoint commonCell = table.visualItemRect(table.item(2, 2)).center();
        doubleClick(table.viewport(), commonCell);
        doubleClick(table.viewport(), table.visualItemRect(table.item(1, 0)).topLeft() + QPoint(5, 5));

        QCOMPARE(searched.count(), 4);
        QCOMPARE(searched[0][0].value<Characters>(), Characters{});
        QCOMPARE(searched[1][0].value<Characters>(), characters("川可愛い"));
        QCOMPARE(searched[2][0].value<Characters>(), characters("可愛い"));
        QCOMPARE(searched[3][0].value<Characters>(), characters("皮"));
    }

    void wordsStayReadableOnADarkBackground()
    {
        const QString cell = QStringLiteral("<font color=\"#0000FF\">\u732B</font><br>\u306D\u3053");
        QPalette light;
        light.setColor(QPalette::Base, Qt::white);
        QPalette dark;
        dark.setColor(QPalette::Base, QColor(30, 30, 30));
        QCOMPARE(RichTextDelegate::readableOn(light, cell), cell);
        const QString onDark = RichTextDelegate::readableOn(dark, cell);
        QVERIFY(!onDark.contains(QStringLiteral("#0000FF")));
        QVERIFY(onDark.endsWith(QStringLiteral("\u732B</font><br>\u306D\u3053")));
    }

    void wordColumnLeavesTheMeaningsInSight()
    {
        // Widths of the word column, fitted to words of these lengths in a
        // 600-pixel table: short words get their width, a long phrase at
        // most half the table.
        for (int length : {2, 8, 120}) {
            QWordResultTable table;
            table.setup();
            table.resize(600, 300);
            table.show();
            WordResult* result = new WordResult;
            for (int words = 0; words < 3; ++words) {
                WordEntry* entry = new WordEntry;
                entry->word = std::wstring(words == 1 ? length : 2, L'\u6F22');
                entry->kana = L"かん";
                result->addEntry(entry);
            }
            table.setResult(result);
            const int fitted = table.columnWidth(0);
            QVERIFY2(fitted <= table.viewport()->width() / 2, qPrintable(QString::number(length)));
            if (length <= 8)
                QVERIFY(fitted >= cellSizeHint(table, 1, 0).width());
        }
    }

    void wordHoverFollowsTheMouse()
    {
        QWordResultTable table;
        fillWordTable(table, true);
        table.resize(400, 300);
        table.show();
        const QRect screen = table.screen()->availableGeometry();
        const QPoint overRow1 = tablePointOf(table, table.item(1, 1));
        const QPoint topLeft = screen.topLeft() + QPoint(10, 10);

        sendToolTip(table, overRow1, topLeft);
        QVERIFY(table.hover->isVisible());
        QCOMPARE(table.hover->findChild<QLabel*>("word")->text(), QStringLiteral("皮"));
        QCOMPARE(table.hover->findChild<QLabel*>("kana")->text(), QStringLiteral("kawa"));
        QCOMPARE(table.hover->findChild<QLabel*>("info")->text(), QStringLiteral("<ul><li>noun</li></ul>"));
        QCOMPARE(table.hover->findChild<QLabel*>("meanings")->text(),
                 QStringLiteral("<ul><li>skin</li><li>hide (cf. 革)</li></ul>"));
        QCOMPARE(table.hover->pos(), topLeft + QPoint(8, 8));

        // Near the bottom right corner it opens left of and above the mouse.
        const QPoint corner = screen.bottomRight() - QPoint(5, 5);
        sendToolTip(table, tablePointOf(table, table.item(0, 0)), corner);
        QCOMPARE(table.hover->findChild<QLabel*>("word")->text(), QStringLiteral("川"));
        QCOMPARE(table.hover->pos(), corner - QPoint(table.hover->width(), table.hover->height()) - QPoint(8, 8));

        // Resting on the same item changes nothing; leaving hides, and coming back shows again.
        table.hover->move(0, 0);
        sendToolTip(table, tablePointOf(table, table.item(0, 0)), topLeft);
        QCOMPARE(table.hover->pos(), QPoint(0, 0));
        QEvent leave(QEvent::Leave);
        QApplication::sendEvent(&table, &leave);
        QVERIFY(!table.hover->isVisible());
        sendToolTip(table, tablePointOf(table, table.item(0, 0)), topLeft);
        QVERIFY(table.hover->isVisible());

        // Below the last row there is no item: the pop-up hides.
        sendToolTip(table, QPoint(200, 290), topLeft);
        QVERIFY(!table.hover->isVisible());
    }

    void characterTableShowsOneRowPerKanji()
    {
        QCharacterResultTable table;
        QFont characterFont("Serif", 30);
        QColor characterColor(200, 0, 0);
        QFont generalFont("Sans", 9);
        table.characterFont = &characterFont;
        table.characterColor = &characterColor;
        table.generalFont = &generalFont;
        fillCharacterTable(table);

        const QStringList rows{"川|river | stream|3", "可|can | passable|5", "皮|pelt | skin|5",
                               "愛|love | affection|13"};
        QCOMPARE(table.rowCount(), rows.size());
        for (int row = 0; row < rows.size(); ++row) {
            const QStringList cells = rows[row].split('|');
            QCOMPARE(table.item(row, 0)->text(), cells[0]);
            QCOMPARE(table.item(row, 1)->text(), cells.mid(1, cells.size() - 2).join('|'));
            QCOMPARE(table.item(row, 2)->text(), cells.last());
            QCOMPARE(table.item(row, 0)->font().pointSize(), 30);
            QCOMPARE(table.item(row, 0)->foreground().color(), characterColor);
            QCOMPARE(table.item(row, 2)->font().pointSize(), 9);
            QCOMPARE(table.item(row, 1)->data(Qt::UserRole).value<CharacterEntry*>()->kanji,
                     wchar_t(cells[0][0].unicode()));
        }
        characterFont.setPointSize(40);
        table.updateFonts();
        QCOMPARE(table.item(0, 0)->font().pointSize(), 40);
        table.clearResult();
        QCOMPARE(table.rowCount(), 0);
    }

    void characterTableSearchesWordsWithTheKanji_data()
    {
        QTest::addColumn<QString>("action");
        QTest::addColumn<int>("row");
        QTest::addColumn<QString>("text");
        QTest::newRow("starting") << "Search for words starting with this kanji" << 1 << "可*";
        QTest::newRow("anywhere") << "Search for words with this kanji anywhere" << 0 << "*川*";
        QTest::newRow("ending") << "Search for words ending with this kanji" << 3 << "*愛";
        QTest::newRow("starting, nothing selected") << "Search for words starting with this kanji" << -1 << "";
        QTest::newRow("anywhere, nothing selected") << "Search for words with this kanji anywhere" << -1 << "";
        QTest::newRow("ending, nothing selected") << "Search for words ending with this kanji" << -1 << "";
    }

    void characterTableSearchesWordsWithTheKanji()
    {
        QFETCH(QString, action);
        QFETCH(int, row);
        QFETCH(QString, text);
        QCharacterResultTable table;
        fillCharacterTable(table);
        if (row >= 0)
            table.selectRow(row);
        QSignalSpy searched(&table, &QCharacterResultTable::searchForWords);
        triggerAction(table, action);
        QCOMPARE(searched.count(), 1);
        QCOMPARE(searched[0][0].toString(), text);
        const auto options = searched[0][1].value<WordDictionary::SearchOptions>();
        QCOMPARE(options.searchFlags, 9);
        QCOMPARE(options.limit, -1);
        QCOMPARE(options.commonFilter, 0);
        QVERIFY(options.partsOfSpeech.empty());
        QVERIFY(!options.matchAllPartsOfSpeech);
    }

    void characterTableCopiesAndSelectsRadicals()
    {
        QCharacterResultTable table;
        fillCharacterTable(table);
        const QList<QPair<QString, QString>> copies{
            {"Copy", "可 / カ; コク / -べ.き : can; passable"},
            {"   Copy character", "可"},
            {"   Copy on readings", "カ; コク"},
            {"   Copy kun readings", "-べ.き"},
            {"   Copy meaning", "can; passable"}};
        for (const auto& [action, text] : copies) {
            table.clearSelection();
            triggerAction(table, action);
            QCOMPARE(QApplication::clipboard()->text(), QString());
            table.setRangeSelected(QTableWidgetSelectionRange(0, 0, 1, 2), true);
            triggerAction(table, action);
            QCOMPARE(QApplication::clipboard()->text(), text);
        }

        QSignalSpy selected(&table, &QCharacterResultTable::radicalsSelected);
        triggerAction(table, "Select this kanji's radicals");
        triggerAction(table, "Search for similar kanji");
        QCOMPARE(selected.count(), 2);
        QCOMPARE(selected[0][0].value<Characters>(), characters("川一口"));
        QCOMPARE(selected[0][1].toBool(), false);
        QCOMPARE(selected[1][1].toBool(), true);
    }

    void characterHoverShowsTheEntry()
    {
        QCharacterResultTable table;
        fillCharacterTable(table);
        table.resize(300, 300);
        table.show();
        const QPoint topLeft = table.screen()->availableGeometry().topLeft() + QPoint(20, 20);
        sendToolTip(table, tablePointOf(table, table.item(1, 2)), topLeft);
        QVERIFY(table.hover->isVisible());
        const QList<QPair<const char*, QString>> labels{
            {"character", "可"},
            {"radicals", "一   口   "},
            {"onReadings", "<ul><li>カ</li><li>コク</li></ul>"},
            {"kunReadings", "<ul><li>-べ.き</li></ul>"},
            {"meanings", "<ul><li>can</li><li>passable</li></ul>"}};
        for (const auto& [name, text] : labels)
            QCOMPARE(table.hover->findChild<QLabel*>(name)->text(), text);
        QCOMPARE(table.hover->pos(), topLeft + QPoint(8, 8));
        QWheelEvent wheel(QPointF(10, 10), QPointF(topLeft), QPoint(), QPoint(0, -120), Qt::NoButton,
                          Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(table.viewport(), &wheel);
        QVERIFY(!table.hover->isVisible());
    }

    void radicalListSearchesTheSelectedRadicals()
    {
        QRadicalList list;
        list.setSelectionMode(QAbstractItemView::MultiSelection);
        list.setup();
        list.setRadicalTable(&radicals);
        QStringList texts;
        for (int i = 0; i < list.count(); ++i)
            texts << list.item(i)->text();
        QCOMPARE(texts, (QStringList{"一", "口", "川", "心"}));
        QSignalSpy searched(&list, &QRadicalList::kanjiSearched);
        QSignalSpy modeChanged(&list, &QRadicalList::searchOnSelectChanged);

        list.item(0)->setSelected(true);
        QCOMPARE(searched.count(), 0);
        triggerAction(list, "Search kanji with these radicals");
        QCOMPARE(searched.count(), 1);
        QCOMPARE(searched.last()[0].value<Characters>(), characters("可皮"));

        triggerAction(list, "Instant search");
        QVERIFY(list.searchOnSelect);
        list.item(1)->setSelected(true);
        QCOMPARE(searched.count(), 2);
        QCOMPARE(searched.last()[0].value<Characters>(), characters("可"));

        list.selectRadicals(characters("川心"));
        QCOMPARE(searched.count(), 2);
        QStringList selected;
        for (QListWidgetItem* item : list.selectedItems())
            selected << item->text();
        selected.sort();
        QCOMPARE(selected, (QStringList{"川", "心"}));
        list.selectRadicals(characters("一"), true);
        QCOMPARE(searched.count(), 3);
        QCOMPARE(searched.last()[0].value<Characters>(), characters("可皮"));

        triggerAction(list, "Instant search");
        QVERIFY(!list.searchOnSelect);
        QCOMPARE(modeChanged.count(), 2);
        list.setSearchOnSelect(false);
        QCOMPARE(modeChanged.count(), 2);
        list.setSearchOnSelect(true);
        QVERIFY(actionNamed(list, "Instant search")->isChecked());
    }
};

QTEST_MAIN(ResultViewsTest)
#include "ResultViewsTest.moc"

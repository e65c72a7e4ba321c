// The radical picker as a learner uses it: the real RADKFILE's radicals
// grouped by stroke count in a dense grid and named in their tool tips, the
// instant-search switch beside the grid, and the kanji that two chosen
// radicals find, in a grid of their own wired into the window.
#include "DesktopProgram.h"

#include "Kanjidic.h"
#include "KanjiGrid.h"
#include "QCharacterResultTable.h"
#include "QRadicalList.h"
#include "RadicalPicker.h"
#include "RadicalTable.h"
#include "StrokeGridDelegate.h"

#include <QAction>
#include <QCheckBox>
#include <QLabel>
#include <QSignalSpy>
#include <QTest>
#include <QToolButton>

#include <clocale>

using fixtures::DesktopProgram;
using fixtures::euc;

namespace {

// Sorted in the kanji grid by stroke count, then frequency (none last).
const QByteArray KANJIDIC_TEXT =
    "右 3126 U53f3 S5 F602 ウ みぎ {right}\n"
    "可 3244 U53ef S5 F397 カ {can} {passable}\n"
    "石 4050 U77f3 S5 F360 セキ いし {stone}\n"
    "吾 3863 U543e S7 ゴ われ {I} {my}\n"
    "否 4B5D U5426 S7 F1250 ヒ いな {negate} {no}\n"
    "下 323C U4e0b S3 F97 カ した {below}\n"
    "品 494A U54c1 S9 F312 ヒン しな {goods}\n";
// 一 and 口 share 右 可 石 吾 否; 木 and 田 share nothing with them.
const QByteArray RADKFILE_TEXT =
    "$ 一 1\n右可石吾否下\n"
    "$ 口 3\n右可石吾否品\n"
    "$ 木 4\n本\n"
    "$ 田 5\n町\n";

QListWidgetItem* itemWithText(QListWidget* list, const QString& text)
{
    const QList<QListWidgetItem*> found = list->findItems(text, Qt::MatchExactly);
    return found.isEmpty() ? nullptr : found.first();
}

// The middle of an item's own cell, right of its group marker if it has one.
QPoint cellCentre(QListWidget* list, QListWidgetItem* item)
{
    const QRect rect = list->visualItemRect(item);
    return QPoint(rect.right() - rect.height() / 2, rect.center().y());
}

void click(QListWidget* list, const QString& text)
{
    QListWidgetItem* item = itemWithText(list, text);
    QVERIFY2(item != nullptr, qPrintable(text));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, cellCentre(list, item));
}

// The grid as read from the top: "[5] 石 可" for a group of 5 strokes.
QString gridText(QListWidget* list)
{
    QStringList cells;
    for (int row = 0; row < list->count(); ++row) {
        const QVariant group = list->item(row)->data(StrokeGridDelegate::GroupStartRole);
        if (group.isValid())
            cells << QString("[%1]").arg(group.toInt());
        cells << list->item(row)->text();
    }
    return cells.join(' ');
}

QString dimmedRadicals(QListWidget* list)
{
    QString dimmed;
    for (int row = 0; row < list->count(); ++row) {
        if (list->item(row)->data(StrokeGridDelegate::DimmedRole).toBool())
            dimmed += list->item(row)->text();
    }
    return dimmed;
}

QAction* instantSearchAction(QRadicalList* list)
{
    for (QAction* action : list->actions()) {
        if (action->text() == "Instant search")
            return action;
    }
    return nullptr;
}

}  // namespace

class RadicalPickerTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        std::setlocale(LC_CTYPE, "C.UTF-8");
        registerMetaTypes();
    }

    void realRadicalsComeGroupedByStrokeCountDenseAndNamed()
    {
        RadicalTable radicals;
        radicals.addFilename(DEXARU_SOURCE_DIR "/data/radkfile");
        radicals.load();
        QCharacterResultTable table;
        // The picker takes the list in, and deletes it with itself.
        auto* radicalList = new QRadicalList;
        QRadicalList& list = *radicalList;
        list.setSelectionMode(QAbstractItemView::MultiSelection);
        RadicalPicker picker(&list, &table);
        QFont font = list.font();
        font.setPixelSize(20);
        list.setFont(font);
        list.setup();
        list.setRadicalTable(&radicals);
        QCOMPARE(list.count(), int(radicals.getRadicals().size()));
        QCOMPARE(list.count(), 253);

        // Every radical sits in the group of its own stroke count, and the
        // groups come in ascending order, each opened once.
        QList<int> groups;
        int current = 0;
        for (int row = 0; row < list.count(); ++row) {
            QListWidgetItem* item = list.item(row);
            const RadicalEntry* radical = radicals.getRadical(wchar_t(item->text().at(0).unicode()));
            QVERIFY(radical != nullptr);
            const QVariant group = item->data(StrokeGridDelegate::GroupStartRole);
            if (group.isValid())
                groups << (current = group.toInt());
            QCOMPARE(int(radical->strokeCount), current);
        }
        QCOMPARE(groups, (QList<int>{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 17}));

        // Each radical's meaning, Kangxi number and strokes, stand-in forms
        // and shapes outside the 214 Kangxi radicals included.
        const QList<QPair<QString, QString>> toolTips{
            {"一", "one\nKangxi radical 1, 1 stroke"},
            {QString(QChar(0x2E85)), "person (亻, at the left)\nKangxi radical 9, 2 strokes"},
            {"汁", "water (氵, at the left)\nKangxi radical 85, 3 strokes"},
            {QString(QChar(0x2ED6)), "mound (阝, at the left)\nKangxi radical 170, 3 strokes"},
            {"ユ", "katakana ユ (a shape within kanji)\n2 strokes"},
            {"言", "speech\nKangxi radical 149, 7 strokes"},
            {"龠", "flute\nKangxi radical 214, 17 strokes"}};
        for (const auto& [radical, toolTip] : toolTips) {
            QListWidgetItem* item = itemWithText(&list, radical);
            QVERIFY2(item != nullptr, qPrintable(radical));
            QCOMPARE(item->toolTip(), toolTip);
        }
        for (int row = 0; row < list.count(); ++row) {
            const QStringList lines = list.item(row)->toolTip().split('\n');
            QVERIFY2(lines.size() == 2 && !lines[0].isEmpty(), qPrintable(list.item(row)->text()));
        }

        // Square cells without gaps, a marker cell before each group's first,
        // ten or more to a row of 340 pixels.
        picker.resize(340, 600);
        picker.show();
        QVERIFY(QTest::qWaitForWindowExposed(&picker));
        list.doItemsLayout();
        const int side = StrokeGridDelegate::cellSide(list.font());
        int firstRowCells = 0;
        for (int row = 0; row < list.count(); ++row) {
            const QRect rect = list.visualItemRect(list.item(row));
            const bool opens = list.item(row)->data(StrokeGridDelegate::GroupStartRole).isValid();
            QCOMPARE(rect.size(), QSize(opens ? 2 * side : side, side));
            if (rect.top() == list.visualItemRect(list.item(0)).top())
                firstRowCells += rect.width() / side;
        }
        QVERIFY2(firstRowCells >= 10, qPrintable(QString::number(firstRowCells)));

        // A click on a marker chooses nothing; on the cell, the radical.
        QListWidgetItem* two = itemWithText(&list, "二");
        QTest::mouseClick(list.viewport(), Qt::LeftButton, {}, list.visualItemRect(two).topLeft() + QPoint(3, 3));
        QVERIFY(list.selectedItems().isEmpty());
        click(&list, "二");
        QCOMPARE(list.selectedItems(), QList<QListWidgetItem*>{two});
    }

    void instantSearchIsShownBesideTheGridAndKeptInStepWithTheMenu()
    {
        QCharacterResultTable table;
        auto* radicalList = new QRadicalList;
        QRadicalList& list = *radicalList;
        list.setup();
        RadicalPicker picker(&list, &table);
        auto* box = picker.findChild<QCheckBox*>("instantSearch");
        auto* searchButton = picker.findChild<QToolButton*>("radicalSearchButton");
        QAction* action = instantSearchAction(&list);
        QVERIFY(box && searchButton && action);
        QSignalSpy changed(&list, &QRadicalList::searchOnSelectChanged);

        // Built off, as the list is; the first preferences switch it on.
        struct Step { const char* how; bool on; };
        const Step steps[] = {{"start", false}, {"box", true}, {"menu", false}, {"list", true}, {"box", false}};
        for (const Step& step : steps) {
            const QString how = step.how;
            if (how == "box")
                box->setChecked(step.on);
            else if (how == "menu")
                action->setChecked(step.on);
            else if (how == "list")
                list.setSearchOnSelect(step.on);
            QCOMPARE(list.searchOnSelect, step.on);
            QCOMPARE(box->isChecked(), step.on);
            QCOMPARE(action->isChecked(), step.on);
            QCOMPARE(searchButton->isHidden(), step.on);
        }
        QCOMPARE(changed.count(), 4);
    }

    void twoChosenRadicalsFillTheKanjiGridByStrokeCount()
    {
        fixtures::FixtureDir dir;
        fixtures::writeDataFiles(dir);
        DesktopProgram program(dir.path());
        auto* kanjidic = new Kanjidic;
        kanjidic->setFilename(dir.write("kanjidic", euc(KANJIDIC_TEXT)));
        program.core.addCharacterDictionary(kanjidic);
        auto* radicalTable = new RadicalTable;
        radicalTable->addFilename(dir.write("radkfile", euc(RADKFILE_TEXT)));
        program.core.addRadicalTable(radicalTable);
        program.window.resize(1000, 800);
        program.window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&program.window));

        auto* radicals = program.find<QRadicalList>("radicalList");
        auto* grid = program.find<KanjiGrid>("kanjiGrid");
        auto* table = program.find<QCharacterResultTable>("characterResults");
        auto* count = program.find<QLabel>("kanjiCount");
        QVERIFY(radicals && grid && table && count);
        QVERIFY(radicals->isVisible() && grid->isVisible());
        radicals->setSearchOnSelect(true);
        radicals->doItemsLayout();

        // Each click searches; the grid and the kanji table show the answer.
        struct Pick { QString radical; QString grid; QString dimmed; QString count; int tableRows; };
        const Pick picks[] = {
            {"一", "[3] 下 [5] 石 可 右 [7] 否 吾", "木田", "6 kanji", 6},
            {"口", "[5] 石 可 右 [7] 否 吾", "木田", "5 kanji", 5},
        };
        for (const Pick& pick : picks) {
            click(radicals, pick.radical);
            QCOMPARE(gridText(grid), pick.grid);
            QCOMPARE(dimmedRadicals(radicals), pick.dimmed);
            QCOMPARE(count->text(), pick.count);
            QCOMPARE(table->rowCount(), pick.tableRows);
        }
        QCOMPARE(grid->item(0)->toolTip(), QString("石  5 strokes\nstone\nセキ、いし"));
        QCOMPARE(grid->item(4)->toolTip(), QString("吾  7 strokes\nI; my\nゴ、われ"));

        // A click shows the kanji's row in the table; a double click searches
        // its words, whatever the option boxes say.
        QSignalSpy searched(&program.window, &MainWindow::search);
        QListWidgetItem* go = itemWithText(grid, "吾");
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, cellCentre(grid, go));
        QCOMPARE(table->selectedItems().value(0)->text(), QString("吾"));
        QTest::mouseDClick(grid->viewport(), Qt::LeftButton, {}, cellCentre(grid, go));
        QCOMPARE(searched.count(), 1);
        QCOMPARE(searched[0][0].toString(), QString("*吾*"));
        const auto options = searched[0][1].value<WordDictionary::SearchOptions>();
        QCOMPARE(options.searchFlags, 9);
        QCOMPARE(options.limit, -1);

        // A word search refills the table but leaves the picker's grid alone;
        // clearing the radicals empties it.
        QCOMPARE(gridText(grid), QString("[5] 石 可 右 [7] 否 吾"));
        program.find<QToolButton>("clearRadicals")->click();
        QCOMPARE(gridText(grid), QString());
        QCOMPARE(dimmedRadicals(radicals), QString());
        QCOMPARE(count->text(), QString());
    }
};

QTEST_MAIN(RadicalPickerTest)
#include "RadicalPickerTest.moc"

#include "QRadicalList.h"

#include "EntryText.h"
#include "MetaTypes.h"
#include "RadicalNames.h"
#include "RadicalTable.h"
#include "StrokeGridDelegate.h"
#include "ViewSupport.h"

#include <QMouseEvent>
#include <QSignalBlocker>

#include <algorithm>
#include <vector>

QRadicalList::QRadicalList(QWidget* parent)
    : QListWidget(parent), radicalFont(nullptr), radicalTable(nullptr), searchOnSelect(false)
{
}

void QRadicalList::setup()
{
    if (radicalFont != nullptr)
        setFont(*radicalFont);
    connect(this, &QListWidget::itemSelectionChanged, this, &QRadicalList::radicalSelected);
    connect(this, &QListWidget::itemSelectionChanged, this,
            &QRadicalList::dimRadicalsThatFindNothing);

    setContextMenuPolicy(Qt::ActionsContextMenu);
    viewsupport::addAction(this, tr("Search kanji with these radicals"),
                           &QRadicalList::searchForKanji);
    viewsupport::addSeparator(this);
    viewsupport::addAction(this, tr("Clear selection"), &QListWidget::clearSelection,
                           QStringLiteral(":/images/resource/clear.png"));
    viewsupport::addSeparator(this);
    QAction* instant = new QAction(tr("Instant search"), this);
    instant->setCheckable(true);
    instant->setChecked(searchOnSelect);
    connect(instant, &QAction::toggled, this, &QRadicalList::setSearchOnSelect);
    connect(this, &QRadicalList::searchOnSelectChanged, instant, &QAction::setChecked);
    addAction(instant);
}

void QRadicalList::setRadicalTable(RadicalTable* table)
{
    radicalTable = table;
    if (table == nullptr)
        return;
    // The files list radicals by stroke count already; a radical that only a
    // later file adds still joins its own count's group.
    std::vector<const RadicalEntry*> radicals;
    for (wchar_t radical : table->getRadicals())
        radicals.push_back(table->getRadical(radical));
    std::stable_sort(radicals.begin(), radicals.end(),
                     [](const RadicalEntry* a, const RadicalEntry* b) {
                         return a->strokeCount < b->strokeCount;
                     });
    int previousCount = -1;
    for (const RadicalEntry* radical : radicals) {
        auto* item = new QListWidgetItem(entrytext::character(radical->radical));
        item->setToolTip(RadicalNames::describe(radical->radical, radical->strokeCount));
        if (radical->strokeCount != previousCount)
            item->setData(StrokeGridDelegate::GroupStartRole, int(radical->strokeCount));
        previousCount = radical->strokeCount;
        addItem(item);
    }
}

void QRadicalList::setSearchOnSelect(bool state)
{
    if (state == searchOnSelect)
        return;
    searchOnSelect = state;
    emit searchOnSelectChanged(state);
}

void QRadicalList::radicalSelected()
{
    if (searchOnSelect)
        searchForKanji();
}

void QRadicalList::searchForKanji()
{
    std::set<wchar_t> kanji;
    if (radicalTable != nullptr)
        kanji = radicalTable->getKanjiFromRadicals(selectedRadicals());
    emit kanjiSearched(kanji);
}

std::wstring QRadicalList::selectedRadicals() const
{
    std::wstring radicals;
    for (const QListWidgetItem* item : selectedItems()) {
        const QString text = item->text();
        if (!text.isEmpty())
            radicals += wchar_t(text.at(0).unicode());
    }
    return radicals;
}

// A radical is worth adding when at least one kanji of the current choice
// contains it; the shorter of the two sorted lists is walked.
void QRadicalList::dimRadicalsThatFindNothing()
{
    if (radicalTable == nullptr)
        return;
    const std::wstring chosen = selectedRadicals();
    const std::set<wchar_t> kanji = radicalTable->getKanjiFromRadicals(chosen);
    for (int row = 0; row < count(); ++row) {
        QListWidgetItem* cell = item(row);
        const QString text = cell->text();
        const RadicalEntry* radical =
            text.isEmpty() ? nullptr : radicalTable->getRadical(wchar_t(text.at(0).unicode()));
        bool findsSomething = true;
        if (!chosen.empty() && radical != nullptr && !cell->isSelected()) {
            const std::wstring& own = radical->kanjiString;
            if (own.size() < kanji.size())
                findsSomething = std::any_of(own.begin(), own.end(),
                                             [&kanji](wchar_t k) { return kanji.count(k) > 0; });
            else
                findsSomething = std::any_of(kanji.begin(), kanji.end(), [&own](wchar_t k) {
                    return std::binary_search(own.begin(), own.end(), k);
                });
        }
        if (cell->data(StrokeGridDelegate::DimmedRole).toBool() == findsSomething)
            cell->setData(StrokeGridDelegate::DimmedRole, !findsSomething);
    }
}

void QRadicalList::selectRadicals(std::set<wchar_t> radicalSet, bool search)
{
    {
        const QSignalBlocker blocker(this);
        clearSelection();
        for (wchar_t radical : radicalSet) {
            const QString text = entrytext::character(radical);
            for (QListWidgetItem* item : findItems(text, Qt::MatchExactly))
                item->setSelected(true);
        }
    }
    // The view missed the blocked selection signals; let it repaint.
    dimRadicalsThatFindNothing();
    viewport()->update();
    if (search)
        searchForKanji();
}

void QRadicalList::selectRadicals(std::set<wchar_t> radicalSet)
{
    selectRadicals(std::move(radicalSet), false);
}

void QRadicalList::updateFonts()
{
    if (radicalFont != nullptr)
        setFont(*radicalFont);
    update();
}

void QRadicalList::mousePressEvent(QMouseEvent* event)
{
    if (StrokeGridDelegate::isOnMarker(this, event->position().toPoint())) {
        event->accept();
        return;
    }
    QListWidget::mousePressEvent(event);
}

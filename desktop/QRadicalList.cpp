#include "QRadicalList.h"

#include "EntryText.h"
#include "MetaTypes.h"
#include "RadicalTable.h"
#include "ViewSupport.h"

#include <QSignalBlocker>

QRadicalList::QRadicalList(QWidget* parent)
    : QListWidget(parent), radicalFont(nullptr), radicalTable(nullptr), searchOnSelect(false)
{
}

void QRadicalList::setup()
{
    if (radicalFont != nullptr)
        setFont(*radicalFont);
    connect(this, &QListWidget::itemSelectionChanged, this, &QRadicalList::radicalSelected);

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
    for (wchar_t radical : table->getRadicals())
        addItem(entrytext::character(radical));
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
    std::wstring radicals;
    for (const QListWidgetItem* item : selectedItems()) {
        const QString text = item->text();
        if (!text.isEmpty())
            radicals += wchar_t(text.at(0).unicode());
    }
    std::set<wchar_t> kanji;
    if (radicalTable != nullptr)
        kanji = radicalTable->getKanjiFromRadicals(radicals);
    emit kanjiSearched(kanji);
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

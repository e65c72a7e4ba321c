#include "RadicalPicker.h"

#include "EntryText.h"
#include "KanjiGrid.h"
#include "QCharacterResultTable.h"
#include "QRadicalList.h"
#include "StrokeGridDelegate.h"

#include <QCheckBox>
#include <QEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QSplitter>
#include <QToolButton>
#include <QVBoxLayout>

RadicalPicker::RadicalPicker(QRadicalList* radicalList, QCharacterResultTable* characterTable)
    : radicals(radicalList),
      characterTable(characterTable),
      kanjiGrid(new KanjiGrid),
      splitter(new QSplitter(Qt::Vertical)),
      instantSearch(new QCheckBox(tr("Instant search"))),
      searchButton(new QToolButton),
      clearButton(new QToolButton),
      summary(new QLabel),
      awaitingKanji(false)
{
    setObjectName(QStringLiteral("radicalPicker"));
    if (auto* formSplitter = qobject_cast<QSplitter*>(radicals->parentWidget())) {
        const int at = formSplitter->indexOf(radicals);
        formSplitter->replaceWidget(at, this);
        // Two grids need more room than the kanji table beside them; saved
        // splitter positions replace these first ones.
        QList<int> sizes(formSplitter->count(), 100);
        sizes[at] = 250;
        formSplitter->setSizes(sizes);
        // and a grid wants width: the kanji column grows with the window too.
        if (auto* outer = qobject_cast<QSplitter*>(formSplitter->parentWidget()))
            outer->setStretchFactor(outer->indexOf(formSplitter), 1);
    }
    StrokeGridDelegate::applyTo(radicals);
    kanjiGrid->setObjectName(QStringLiteral("kanjiGrid"));
    kanjiGrid->setAccessibleName(tr("Kanji with the chosen radicals"));
    kanjiGrid->setFont(radicals->font());
    radicals->installEventFilter(this);
    splitter->setObjectName(QStringLiteral("radicalSplitter"));
    splitter->setChildrenCollapsible(false);
    splitter->addWidget(radicals);
    splitter->addWidget(kanjiGrid);
    splitter->setSizes({250, 250});
    radicals->show();
    buildControls();

    connect(radicals, &QRadicalList::kanjiSearched, this, [this] { awaitingKanji = true; });
    connect(radicals, &QListWidget::itemSelectionChanged, this, &RadicalPicker::showSummary);
    connect(kanjiGrid, &KanjiGrid::kanjiChosen, this, &RadicalPicker::showInCharacterTable);
    connect(kanjiGrid, &KanjiGrid::searchForWords, this, &RadicalPicker::searchForWords);
    showSummary();
}

void RadicalPicker::buildControls()
{
    instantSearch->setObjectName(QStringLiteral("instantSearch"));
    instantSearch->setToolTip(tr("Search at every click on a radical"));
    instantSearch->setChecked(radicals->searchOnSelect);
    connect(instantSearch, &QCheckBox::toggled, radicals, &QRadicalList::setSearchOnSelect);
    connect(radicals, &QRadicalList::searchOnSelectChanged, instantSearch, &QCheckBox::setChecked);
    searchButton->setObjectName(QStringLiteral("radicalSearchButton"));
    searchButton->setText(tr("Search"));
    searchButton->setToolTip(tr("Search kanji with these radicals"));
    searchButton->setHidden(radicals->searchOnSelect);
    connect(searchButton, &QToolButton::clicked, radicals, &QRadicalList::searchForKanji);
    connect(radicals, &QRadicalList::searchOnSelectChanged, searchButton, &QWidget::setHidden);
    clearButton->setObjectName(QStringLiteral("clearRadicals"));
    clearButton->setText(tr("Clear"));
    clearButton->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    clearButton->setToolTip(tr("Clear selection"));
    clearButton->setIcon(QIcon(QStringLiteral(":/images/resource/clear.png")));
    connect(clearButton, &QToolButton::clicked, radicals, &QListWidget::clearSelection);
    summary->setObjectName(QStringLiteral("kanjiCount"));
    summary->setAlignment(Qt::AlignRight | Qt::AlignVCenter);

    auto* controls = new QHBoxLayout;
    controls->setContentsMargins(2, 0, 2, 0);
    controls->addWidget(instantSearch);
    controls->addWidget(searchButton);
    controls->addWidget(clearButton);
    controls->addWidget(summary, 1);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 2, 0, 0);
    layout->setSpacing(2);
    layout->addLayout(controls);
    layout->addWidget(splitter, 1);
}

void RadicalPicker::characterResultArrived(CharacterResult* result)
{
    if (!awaitingKanji)
        return;
    awaitingKanji = false;
    kanjiGrid->showResult(result);
    showSummary();
}

void RadicalPicker::showSummary()
{
    const int chosen = radicals->selectedItems().size();
    if (chosen == 0)
        summary->clear();
    else if (kanjiGrid->count() == 0)
        summary->setText(tr("No kanji"));
    else
        summary->setText(kanjiGrid->count() == 1 ? tr("1 kanji") : tr("%1 kanji").arg(kanjiGrid->count()));
}

void RadicalPicker::showInCharacterTable(wchar_t kanji)
{
    for (int row = 0; row < characterTable->rowCount(); ++row) {
        QTableWidgetItem* cell = characterTable->item(row, 0);
        if (cell != nullptr && cell->text() == entrytext::character(kanji)) {
            characterTable->selectRow(row);
            characterTable->scrollToItem(cell, QAbstractItemView::PositionAtCenter);
            return;
        }
    }
}

void RadicalPicker::joinTabOrder()
{
    QWidget::setTabOrder(radicals, kanjiGrid);
    QWidget::setTabOrder(kanjiGrid, instantSearch);
    QWidget::setTabOrder(instantSearch, searchButton);
    QWidget::setTabOrder(searchButton, clearButton);
}

bool RadicalPicker::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == radicals && event->type() == QEvent::FontChange)
        kanjiGrid->setFont(radicals->font());
    return QWidget::eventFilter(watched, event);
}

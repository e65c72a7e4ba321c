#include "KanjiGrid.h"

#include "CharacterEntry.h"
#include "CharacterResult.h"
#include "EntryText.h"
#include "StrokeGridDelegate.h"
#include "ViewSupport.h"

#include <QMouseEvent>

#include <algorithm>
#include <vector>

namespace {

// A kanji without a frequency rank comes after every ranked one.
int rankOf(const CharacterEntry* entry)
{
    return entry->frequency == 0 ? 1 << 16 : entry->frequency;
}

bool beforeInGrid(const CharacterEntry* a, const CharacterEntry* b)
{
    if (a->strokeCount != b->strokeCount)
        return a->strokeCount < b->strokeCount;
    if (rankOf(a) != rankOf(b))
        return rankOf(a) < rankOf(b);
    return a->kanji < b->kanji;
}

// "猫  11 strokes", then the meanings, then the readings.
QString toolTipOf(const CharacterEntry* entry)
{
    QStringList lines{entrytext::character(entry->kanji) + "  " + StrokeGridDelegate::strokesText(entry->strokeCount)};
    const QString meanings = entrytext::joined(entry->meanings, "; ");
    if (!meanings.isEmpty())
        lines << meanings;
    QStringList readings = entrytext::wideList(entry->on) + entrytext::wideList(entry->kun);
    if (!readings.isEmpty())
        lines << readings.join(QStringLiteral("、"));
    return lines.join('\n');
}

}  // namespace

KanjiGrid::KanjiGrid(QWidget* parent)
    : QListWidget(parent)
{
    StrokeGridDelegate::applyTo(this);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setContextMenuPolicy(Qt::ActionsContextMenu);
    viewsupport::addAction(this, tr("Search for words with this kanji anywhere"),
                           &KanjiGrid::searchForWordsWithSelectedKanji);
    viewsupport::addAction(this, tr("Search for words starting with this kanji"),
                           &KanjiGrid::searchForWordsStartingWithSelectedKanji);
    viewsupport::addSeparator(this);
    viewsupport::addAction(this, tr("Copy character"), &KanjiGrid::copyCharacter,
                           QStringLiteral(":/images/resource/copy-icon.png"));
    connect(this, &QListWidget::itemClicked, this,
            [this](QListWidgetItem* item) { emit kanjiChosen(kanjiOf(item)); });
    connect(this, &QListWidget::itemActivated, this,
            &KanjiGrid::searchForWordsWithSelectedKanji);
}

void KanjiGrid::showResult(CharacterResult* result)
{
    clear();
    if (result == nullptr)
        return;
    std::vector<const CharacterEntry*> entries;
    for (const CharacterEntry* entry : result->getEntries())
        entries.push_back(entry);
    std::sort(entries.begin(), entries.end(), beforeInGrid);
    int previousCount = -1;
    for (const CharacterEntry* entry : entries) {
        auto* item = new QListWidgetItem(entrytext::character(entry->kanji));
        item->setData(Qt::UserRole, int(entry->kanji));
        item->setToolTip(toolTipOf(entry));
        if (entry->strokeCount != previousCount)
            item->setData(StrokeGridDelegate::GroupStartRole, int(entry->strokeCount));
        previousCount = entry->strokeCount;
        addItem(item);
    }
    scrollToTop();
}

wchar_t KanjiGrid::kanjiOf(const QListWidgetItem* item)
{
    return item == nullptr ? 0 : wchar_t(item->data(Qt::UserRole).toInt());
}

void KanjiGrid::searchForWordsWithSelectedKanji()
{
    searchWords(QStringLiteral("*%1*"));
}

void KanjiGrid::searchForWordsStartingWithSelectedKanji()
{
    searchWords(QStringLiteral("%1*"));
}

void KanjiGrid::copyCharacter()
{
    if (currentItem() != nullptr)
        viewsupport::setOwnClipboardText(currentItem()->text());
}

void KanjiGrid::searchWords(const QString& pattern)
{
    if (currentItem() == nullptr)
        return;
    WordDictionary::SearchOptions options;
    options.searchFlags = WordDictionary::SEARCH_WORD | WordDictionary::SEARCH_WILDCARD;
    options.commonFilter = 0;
    options.limit = -1;
    emit searchForWords(pattern.arg(currentItem()->text()), options);
}

void KanjiGrid::mousePressEvent(QMouseEvent* event)
{
    if (StrokeGridDelegate::isOnMarker(this, event->position().toPoint())) {
        event->accept();
        return;
    }
    QListWidget::mousePressEvent(event);
}

#include "QWordResultTable.h"

#include "EntryText.h"
#include "Log.h"
#include "MetaTypes.h"
#include "ViewSupport.h"
#include "WordEntry.h"
#include "WordHover.h"
#include "WordResult.h"

#include <QHeaderView>
#include <QLabel>

#include <algorithm>
#include <vector>

namespace {

QString wordLabelHtml(const QString& word, const QString& reading)
{
    return QStringLiteral("<font color=\"#0000FF\">") + word + QStringLiteral("</font><br>")
           + reading;
}

QString romajiHtml(const QString& romaji)
{
    return QStringLiteral("<font size=-2>") + romaji + QStringLiteral("</font>");
}

QString meaningLabelHtml(const QString& tags, const QString& meanings)
{
    return QStringLiteral("<font color=\"#00AA00\">") + tags + QStringLiteral("</font><br>")
           + meanings;
}

QString wordLabelText(const WordEntry& entry, bool showRomaji)
{
    return wordLabelHtml(entrytext::wide(entry.word),
                         showRomaji ? romajiHtml(QString::fromStdString(entry.kanaRomaji))
                                    : entrytext::wide(entry.kana));
}

QString meaningLabelText(const WordEntry& entry)
{
    QStringList tags;
    for (const EntryInfo* info : entry.info)
        tags << entrytext::dictionary(info->text);
    return meaningLabelHtml(tags.join(QStringLiteral(" | ")),
                            entrytext::meanings(entry).join(QStringLiteral(" | ")));
}

void logWordRow(const char* function, int row, const WordEntry& entry)
{
    Log::write(7, "%s: Row #%d: Word: %S", function, row, entry.word.c_str());
}

void logKanaRow(const char* function, int row, const WordEntry& entry)
{
    Log::write(7, "%s: Row #%d: Kana: %S", function, row, entry.kana.c_str());
}

}  // namespace

QWordResultTable::QWordResultTable(QWidget* parent)
    : QTableWidget(0, 3, parent),
      generalFont(nullptr),
      wordFont(nullptr),
      result(nullptr),
      hover(nullptr),
      hoverItem(nullptr)
{
    // Made once the table is whole: adding a child already sends the table
    // an event, which must find the pop-up null rather than unset.
    hover = new WordHover(this);
    setHorizontalHeaderLabels({tr("Word"), tr("Meaning"), tr("Common")});
    viewsupport::prepareHover(hover);
}

QWordResultTable::~QWordResultTable()
{
    delete result;
}

void QWordResultTable::setup()
{
    viewsupport::setupColumns(this);
    connect(this, &QTableWidget::itemDoubleClicked, this, &QWordResultTable::searchByDoubleClick);

    setContextMenuPolicy(Qt::ActionsContextMenu);
    viewsupport::addAction(this, tr("Search for these kanji"),
                           &QWordResultTable::searchForKanjiFromSelectedWords);
    viewsupport::addSeparator(this);
    viewsupport::addCopyShortcut(
        viewsupport::addAction(this, tr("Copy"), &QWordResultTable::copyAll,
                               QStringLiteral(":/images/resource/copy-icon.png")));
    viewsupport::addAction(this, tr("   Copy word"), &QWordResultTable::copyWord);
    viewsupport::addAction(this, tr("   Copy kana"), &QWordResultTable::copyKana);
    viewsupport::addAction(this, tr("   Copy meaning"), &QWordResultTable::copyMeaning);
    viewsupport::addSeparator(this);
    viewsupport::addAction(this, tr("Clear all entries"), &QWordResultTable::clearResult,
                           QStringLiteral(":/images/resource/clear.png"));
}

void QWordResultTable::setResult(WordResult* newResult)
{
    viewsupport::startFresh(this, hover, hoverItem);
    delete result;
    result = newResult;
    if (result == nullptr) {
        clearContents();
        setRowCount(0);
        return;
    }
    // Hundreds of cell widgets change at once: one repaint when all are in
    // place. Every cell of every row is replaced below, so the rows that stay
    // keep their labels for the new text instead of deleting and creating
    // hundreds of widgets.
    const bool updating = updatesEnabled();
    setUpdatesEnabled(false);
    setRowCount(result->getEntryCount());
    int row = viewsupport::fillRows(result, rowCount(),
                                    [this](int at, WordEntry* entry) { fillRow(at, entry); });
    for (; row < rowCount(); ++row) {
        for (int column = 0; column < columnCount(); ++column) {
            removeCellWidget(row, column);
            delete takeItem(row, column);
        }
    }
    updateFonts();
    setUpdatesEnabled(updating);
}

void QWordResultTable::fillRow(int row, WordEntry* entry)
{
    const QVariant pointer = QVariant::fromValue(entry);

    QTableWidgetItem* word = viewsupport::newEntryItem(this, pointer);
    word->setForeground(QBrush(QColor(0, 0, 255)));
    setItem(row, 0, word);
    labelAt(row, 0, wordFont)->setText(wordLabelText(*entry, showRomaji));

    setItem(row, 1, viewsupport::newEntryItem(this, pointer));
    labelAt(row, 1, generalFont)->setText(meaningLabelText(*entry));

    QTableWidgetItem* common = viewsupport::newEntryItem(this, pointer);
    common->setText(entry->isCommon ? tr("Yes") : QString());
    setItem(row, 2, common);
}

QLabel* QWordResultTable::labelAt(int row, int column, const QFont* font)
{
    if (QLabel* label = qobject_cast<QLabel*>(cellWidget(row, column)))
        return label;
    // Born in the viewport, with a size, so that showing it as a cell widget
    // neither moves it between parents nor lays out its text to size itself.
    QLabel* label = new QLabel(viewport());
    label->resize(0, 0);
    label->setMargin(3);
    if (font != nullptr)
        label->setFont(*font);
    label->setTextFormat(Qt::RichText);
    setCellWidget(row, column, label);
    return label;
}

void QWordResultTable::clearResult()
{
    viewsupport::clearTable(this, result, hoverItem, hover);
}

void QWordResultTable::updateFonts()
{
    for (int row = 0; row < rowCount(); ++row) {
        if (wordFont != nullptr && cellWidget(row, 0) != nullptr)
            cellWidget(row, 0)->setFont(*wordFont);
        if (generalFont != nullptr) {
            if (cellWidget(row, 1) != nullptr)
                cellWidget(row, 1)->setFont(*generalFont);
            if (item(row, 2) != nullptr)
                item(row, 2)->setFont(*generalFont);
        }
    }
    resizeRowsToLabels();
    resizeWordColumnToLabels();
    // A stretched meaning column takes the width left: measuring it is wasted.
    if (horizontalHeader()->sectionResizeMode(1) != QHeaderView::Stretch)
        resizeColumnToContents(1);
    resizeColumnToContents(2);
}

void QWordResultTable::resizeWordColumnToLabels()
{
    // Laying out hundreds of rich-text labels to find the widest is slow, so
    // the font metrics of the two plain lines estimate each label's width
    // first, and only labels that may be the widest are measured. A romaji
    // line is drawn smaller than its estimate, never more than about half.
    const QFontMetrics metrics(wordFont != nullptr ? *wordFont : font());
    const double shrink = showRomaji ? 0.5 : 0.9;
    std::vector<int> estimates(rowCount(), 0);
    int widestEstimate = 0;
    for (int row = 0; row < rowCount(); ++row) {
        const WordEntry* entry = viewsupport::entryOf<WordEntry>(item(row, 0));
        if (entry == nullptr)
            continue;
        const QString reading = showRomaji ? QString::fromStdString(entry->kanaRomaji)
                                           : entrytext::wide(entry->kana);
        estimates[row] = std::max(metrics.horizontalAdvance(entrytext::wide(entry->word)),
                                  metrics.horizontalAdvance(reading));
        widestEstimate = std::max(widestEstimate, estimates[row]);
    }
    int widest = 0;
    for (int row = 0; row < rowCount(); ++row) {
        if (estimates[row] >= widestEstimate * shrink - metrics.averageCharWidth()
            && cellWidget(row, 0) != nullptr)
            widest = std::max(widest, cellWidget(row, 0)->sizeHint().width());
    }
    // What resizeColumnToContents adds: the grid line and the header's own need.
    if (showGrid())
        widest += 1;
    if (!horizontalHeader()->isHidden())
        widest = std::max(widest, horizontalHeader()->sectionSizeHint(0));
    horizontalHeader()->resizeSection(0, widest);
}

void QWordResultTable::resizeRowsToLabels()
{
    // Every row holds a two-line word label and a two-line meaning label in
    // the same fonts, so every row needs the height of labels whose lines
    // hold the tallest glyphs they may show: kanji and Latin letters. Two
    // sample labels are measured instead of laying out the text of each row.
    const QString tallest = QStringLiteral("\u6F22\u3042Ag");
    QLabel wordSample;
    QLabel meaningSample;
    wordSample.setMargin(3);
    meaningSample.setMargin(3);
    wordSample.setFont(wordFont != nullptr ? *wordFont : font());
    meaningSample.setFont(generalFont != nullptr ? *generalFont : font());
    wordSample.setText(
        wordLabelHtml(tallest, showRomaji ? romajiHtml(QStringLiteral("Ag")) : tallest));
    meaningSample.setText(meaningLabelHtml(QStringLiteral("Ag"), tallest));
    // The common column's one line is lower than either label.
    verticalHeader()->setDefaultSectionSize(
        std::max(wordSample.sizeHint().height(), meaningSample.sizeHint().height()));
}

template <typename RowText>
void QWordResultTable::copyRows(const char* function, bool logKana, RowText rowText)
{
    viewsupport::copyRows<WordEntry>(this, function, logKana ? logKanaRow : logWordRow, rowText);
}

void QWordResultTable::copyAll()
{
    copyRows("copyAll", false, [](const WordEntry& entry) {
        return entrytext::wide(entry.word) + QStringLiteral(" / ") + entrytext::wide(entry.kana)
               + QStringLiteral(" : ") + entrytext::meanings(entry).join(QStringLiteral("; "));
    });
}

void QWordResultTable::copyWord()
{
    copyRows("copyWord", false, [](const WordEntry& entry) { return entrytext::wide(entry.word); });
}

void QWordResultTable::copyKana()
{
    copyRows("copyKana", true, [](const WordEntry& entry) { return entrytext::wide(entry.kana); });
}

void QWordResultTable::copyMeaning()
{
    copyRows("copyMeaning", false, [](const WordEntry& entry) {
        return entrytext::meanings(entry).join(QStringLiteral("; "));
    });
}

void QWordResultTable::searchForKanjiFromSelectedWords()
{
    std::set<wchar_t> characters;
    for (const auto& [row, entry] : viewsupport::selectedEntries<WordEntry>(
             this, "searchForKanjiFromSelectedWords", viewsupport::Columns::First)) {
        logWordRow("searchForKanjiFromSelectedWords", row, *entry);
        characters.insert(entry->word.begin(), entry->word.end());
    }
    Log::write(7, "%s: Searching for kanji from selected items.",
               "searchForKanjiFromSelectedWords");
    emit searchForKanji(characters);
}

void QWordResultTable::searchByDoubleClick(QTableWidgetItem* item)
{
    const WordEntry* entry = viewsupport::entryOf<WordEntry>(item);
    if (entry == nullptr)
        return;
    logWordRow("searchByDoubleClick", item->row(), *entry);
    const std::set<wchar_t> characters(entry->word.begin(), entry->word.end());
    Log::write(7, "%s: Searching for kanji from double-clicked item.", "searchByDoubleClick");
    emit searchForKanji(characters);
}

bool QWordResultTable::event(QEvent* event)
{
    const auto fill = [this](WordEntry* entry) {
        hover->showRomaji = showRomaji;
        hover->setInfo(entry);
    };
    if (hover != nullptr
        && viewsupport::answerHoverEvent<WordEntry>(this, event, hover, hoverItem, fill)) {
        return true;
    }
    return QTableWidget::event(event);
}

bool QWordResultTable::viewportEvent(QEvent* event)
{
    if (hover != nullptr) {
        viewsupport::answerViewportEvent(event, hover, hoverItem);
    }
    return QTableWidget::viewportEvent(event);
}

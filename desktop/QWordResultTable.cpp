#include "QWordResultTable.h"

#include "EntryText.h"
#include "Log.h"
#include "MetaTypes.h"
#include "RichTextDelegate.h"
#include "ViewSupport.h"
#include "WordEntry.h"
#include "WordHover.h"
#include "WordResult.h"

#include <QHeaderView>

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
    // Dictionary text is plain text: escaped before it joins the markup.
    const QString reading = entrytext::reading(entry, showRomaji).toHtmlEscaped();
    return wordLabelHtml(entrytext::wide(entry.word).toHtmlEscaped(),
                         showRomaji ? romajiHtml(reading) : reading);
}

QString tagsText(const WordEntry& entry)
{
    QStringList tags;
    for (const EntryInfo* info : entry.info)
        tags << entrytext::dictionary(info->text);
    return tags.join(QStringLiteral(" | "));
}

// For a word found through deinflection, a grey first line with the form
// typed and its inflections; nothing for a word found as typed.
QString inflectionHtml(const WordEntry& entry)
{
    const QString inflection = entrytext::inflection(entry.deinflectedFrom, entry.deinflectionReasons);
    if (inflection.isEmpty())
        return QString();
    return QStringLiteral("<font color=\"#808080\">") + inflection.toHtmlEscaped()
           + QStringLiteral("</font><br>");
}

QString accessibleInflection(const WordEntry& entry)
{
    const QString inflection = entrytext::inflection(entry.deinflectedFrom, entry.deinflectionReasons);
    return inflection.isEmpty() ? QString() : QStringLiteral(" (") + inflection.mid(2) + QLatin1Char(')');
}

QString meaningLabelText(const WordEntry& entry)
{
    return inflectionHtml(entry)
           + meaningLabelHtml(
               tagsText(entry).toHtmlEscaped(),
               entrytext::meanings(entry).join(QStringLiteral(" | ")).toHtmlEscaped());
}

// A cell that makes its texts when the view asks for them: a big result
// shows a few dozen of its thousands of rows, so the rich text (display
// text), the plain text (for screen readers) and the font (the table's
// current one) of the rest are never made.
class WordCell : public QTableWidgetItem
{
public:
    WordCell(const QWordResultTable* table, WordEntry* entry, int column)
        : table(table), entry(entry), column(column), showRomaji(table->showRomaji)
    {
        if (const QTableWidgetItem* prototype = table->itemPrototype())
            setFlags(prototype->flags());
    }

    QVariant data(int role) const override
    {
        switch (role) {
        case Qt::DisplayRole:
        case Qt::EditRole: return displayText();
        case Qt::AccessibleTextRole: return accessibleText();
        case Qt::UserRole: return QVariant::fromValue(entry);
        case Qt::ForegroundRole:
            if (column == 0)
                return QBrush(QColor(0, 0, 255));
            break;
        case Qt::FontRole:
            if (const QFont* font = column == 0 ? table->wordFont : table->generalFont)
                return *font;
            break;
        default: break;
        }
        return QTableWidgetItem::data(role);
    }

    QTableWidgetItem* clone() const override { return new WordCell(*this); }

private:
    QString displayText() const
    {
        switch (column) {
        case 0: return wordLabelText(*entry, showRomaji);
        case 1: return meaningLabelText(*entry);
        default: return entry->isCommon ? QWordResultTable::tr("Yes") : QString();
        }
    }

    QString accessibleText() const
    {
        switch (column) {
        case 0:
            return entrytext::wide(entry->word) + QStringLiteral(", ")
                   + entrytext::reading(*entry, showRomaji);
        case 1:
            return tagsText(*entry) + QStringLiteral(": ")
                   + entrytext::meanings(*entry).join(QStringLiteral("; "))
                   + accessibleInflection(*entry);
        default: return displayText();
        }
    }

    const QWordResultTable* table;
    WordEntry* entry;  // owned by the table's result
    int column;
    bool showRomaji;  // as the table's when the cell was made
};

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
    auto* richText = new RichTextDelegate(this);
    setItemDelegateForColumn(0, richText);
    setItemDelegateForColumn(1, richText);
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
    clearContents();
    if (result == nullptr) {
        setRowCount(0);
        return;
    }
    // Thousands of cells change at once: one repaint when all are in place.
    const bool updating = updatesEnabled();
    setUpdatesEnabled(false);
    setRowCount(result->getEntryCount());
    const int filled = viewsupport::fillRows(
        result, rowCount(), [this](int row, WordEntry* entry) { fillRow(row, entry); });
    setRowCount(filled);
    updateFonts();
    setUpdatesEnabled(updating);
}

void QWordResultTable::fillRow(int row, WordEntry* entry)
{
    for (int column = 0; column < 3; ++column)
        setItem(row, column, new WordCell(this, entry, column));
}

void QWordResultTable::clearResult()
{
    viewsupport::clearTable(this, result, hoverItem, hover);
}

void QWordResultTable::updateFonts()
{
    // The cells take the fonts from the table whenever they are drawn.
    viewport()->update();
    resizeRowsToText();
    resizeWordColumnToText();
    // A stretched meaning column takes the width left: measuring it is wasted.
    if (horizontalHeader()->sectionResizeMode(1) != QHeaderView::Stretch)
        resizeColumnToContents(1);
    resizeColumnToContents(2);
}

void QWordResultTable::resizeWordColumnToText()
{
    // Laying out thousands of rich texts, or even shaping their plain
    // lines, to find the widest is slow. Kana and kanji are about equally
    // wide, so the longest lines are the widest candidates: the cells of
    // the longest few dozen are measured.
    const QFont cellFont = wordFont != nullptr ? *wordFont : font();
    std::vector<std::pair<int, int>> lengths;  // longest line, row
    lengths.reserve(rowCount());
    for (int row = 0; row < rowCount(); ++row) {
        const WordEntry* entry = viewsupport::entryOf<WordEntry>(item(row, 0));
        if (entry == nullptr)
            continue;
        const int reading = showRomaji ? int(entry->kanaRomaji.size()) / 2
                                       : int(entry->kana.size());
        lengths.emplace_back(std::max(int(entry->word.size()), reading), row);
    }
    const std::size_t measured = std::min<std::size_t>(lengths.size(), 40);
    std::partial_sort(lengths.begin(), lengths.begin() + measured, lengths.end(), std::greater<>());
    int widest = 0;
    for (std::size_t at = 0; at < measured; ++at)
        widest = std::max(
            widest,
            RichTextDelegate::sizeOf(item(lengths[at].second, 0)->text(), cellFont).width());
    // What resizeColumnToContents adds: the grid line and the header's own need.
    if (showGrid())
        widest += 1;
    if (!horizontalHeader()->isHidden())
        widest = std::max(widest, horizontalHeader()->sectionSizeHint(0));
    // One long phrase among thousands of words must not push the meanings
    // out of sight: the fitted width stops at a third of the table (the
    // phrase ends in "…"), and the user may still drag the column wider.
    const int third = viewport()->width() / 3;
    if (third > horizontalHeader()->sectionSizeHint(0)) {
        widest = std::min(widest, third);
    }
    horizontalHeader()->resizeSection(0, widest);
}

void QWordResultTable::resizeRowsToText()
{
    // Every row holds two lines of word and two lines of meanings in the
    // same fonts, so every row needs the height of the lines with the
    // tallest glyphs they may show: kanji and Latin letters. Two samples
    // are measured instead of laying out the text of each row.
    const QString tallest = QStringLiteral("\u6F22\u3042Ag");
    const QSize word = RichTextDelegate::sizeOf(
        wordLabelHtml(tallest, showRomaji ? romajiHtml(QStringLiteral("Ag")) : tallest),
        wordFont != nullptr ? *wordFont : font());
    const QSize meaning = RichTextDelegate::sizeOf(meaningLabelHtml(QStringLiteral("Ag"), tallest),
                                                   generalFont != nullptr ? *generalFont : font());
    // The common column's one line is lower than either.
    verticalHeader()->setDefaultSectionSize(std::max(word.height(), meaning.height()));
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

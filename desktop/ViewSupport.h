// What the result tables and the radical list share: context-menu actions,
// the tables' columns, cells and walk over the selected entries, and the
// hover pop-up's answer to tool-tip events (which item the mouse rests on,
// and where the pop-up opens on the screen under the mouse).
#ifndef DEXARU_DESKTOP_VIEWSUPPORT_H
#define DEXARU_DESKTOP_VIEWSUPPORT_H

#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QHelpEvent>
#include <QIcon>
#include <QTableWidget>
#include <QVariant>

#include <utility>
#include <vector>

namespace viewsupport {

// Appends an action to the widget's context menu (Qt::ActionsContextMenu).
template <typename Receiver, typename Slot>
QAction* addAction(Receiver* view, const QString& text, Slot slot, const QString& icon = QString())
{
    QAction* action = new QAction(text, view);
    if (!icon.isEmpty())
        action->setIcon(QIcon(icon));
    QObject::connect(action, &QAction::triggered, view, slot);
    view->addAction(action);
    return action;
}

QAction* addSeparator(QWidget* view);
// Sets the clipboard text, marked as this program's own copy so that
// looking up copied text passes it over.
void setOwnClipboardText(const QString& text);
void logSelectedCount(const char* function, int count);

// A result table's three columns: the first and last resize interactively,
// the middle one stretches; no cell can be edited.
void setupColumns(QTableWidget* table);
// A cell cloned from the table's item prototype, carrying the entry under
// Qt::UserRole; the caller places it.
QTableWidgetItem* newEntryItem(const QTableWidget* table, const QVariant& entry);

// Fills row after row from the result's entries, at most rowCount rows;
// returns the number of rows filled.
template <typename Result, typename FillRow>
int fillRows(Result* result, int rowCount, FillRow fillRow)
{
    result->resetNextEntry();
    int row = 0;
    for (auto* entry = result->getNextEntry(); entry != nullptr && row < rowCount;
         entry = result->getNextEntry())
        fillRow(row++, entry);
    return row;
}

// A new or cleared result: nothing selected, scrolled to the top, and the
// pop-up, which showed an entry of the old result, hidden.
void startFresh(QTableWidget* table, QWidget* popup, QTableWidgetItem*& remembered);

// The copy action also answers the standard copy keys while the table has the focus.
void addCopyShortcut(QAction* copy);

// Empties the table, then deletes its result and sets it to null; the
// hover hides and forgets the item it was shown for.
template <typename Result>
void clearTable(QTableWidget* table, Result*& result, QTableWidgetItem*& remembered, QWidget* popup)
{
    startFresh(table, popup, remembered);
    table->clearContents();
    table->setRowCount(0);
    delete result;
    result = nullptr;
}

// The entry a result-table cell carries under Qt::UserRole, or null.
template <typename Entry> Entry* entryOf(const QTableWidgetItem* item)
{
    return item != nullptr ? item->data(Qt::UserRole).value<Entry*>() : nullptr;
}

enum class Columns
{
    All,
    First
};

// The row and entry of each selected cell that carries an entry, in the
// order of the selection list, of the first column only or of all. Logs the
// count of selected cells (all columns) under the function's name first.
template <typename Entry>
std::vector<std::pair<int, const Entry*>> selectedEntries(const QTableWidget* table,
                                                          const char* function, Columns columns)
{
    const QList<QTableWidgetItem*> items = table->selectedItems();
    logSelectedCount(function, int(items.size()));
    std::vector<std::pair<int, const Entry*>> entries;
    for (const QTableWidgetItem* item : items) {
        const Entry* entry = entryOf<Entry>(item);
        if (entry != nullptr && (columns == Columns::All || item->column() == 0))
            entries.emplace_back(item->row(), entry);
    }
    return entries;
}

// The copy actions: empties the clipboard, then for each selected row (by
// its first-column cell) logs it with logRow(function, row, entry) and sets
// the clipboard to rowText(entry), so the last row's text stays.
template <typename Entry, typename LogRow, typename RowText>
void copyRows(const QTableWidget* table, const char* function, LogRow logRow, RowText rowText)
{
    setOwnClipboardText(QString());
    for (const auto& [row, entry] : selectedEntries<Entry>(table, function, Columns::First)) {
        logRow(function, row, *entry);
        setOwnClipboardText(rowText(*entry));
    }
}

// A hover pop-up that never takes focus or input and floats like a tool tip.
void prepareHover(QWidget* popup);
// Hides the pop-up and forgets the item it was shown for.
void hideHover(QWidget* popup, QTableWidgetItem*& remembered);

// The item under a tool-tip event that reached the table itself (its
// viewport passes on the events it does not answer), or null.
QTableWidgetItem* itemUnderToolTip(QTableWidget* table, const QHelpEvent* event);
void logHoverItem(const QHelpEvent* event, const QTableWidgetItem* item);
// Moves the pop-up 8 pixels beside the mouse, to its left or above it where
// it would pass the available area of the screen under the mouse, and shows it.
void showBeside(QWidget* popup, const QPoint& mouse);

// Answers a tool-tip event over a result table. Without an item under the
// mouse the pop-up hides; over a new item with an entry, fill(entry) sets
// the pop-up's content and the pop-up opens beside the mouse. remembered is
// the item of the last answer, so resting on one item does not redraw.
template <typename Entry, typename Fill>
void answerToolTip(QTableWidget* table, QHelpEvent* event, QWidget* popup,
                   QTableWidgetItem*& remembered, Fill fill)
{
    QTableWidgetItem* item = itemUnderToolTip(table, event);
    if (item == nullptr) {
        hideHover(popup, remembered);
        event->ignore();
        return;
    }
    if (item == remembered)
        return;
    logHoverItem(event, item);
    popup->hide();
    remembered = item;
    Entry* entry = entryOf<Entry>(item);
    if (entry == nullptr)
        return;
    fill(entry);
    showBeside(popup, event->globalPos());
}

// A result table's answer to its own events, before the base class sees
// them: leave and wheel events hide the pop-up and go on; tool-tip events
// are answered as above and end here (returns true).
template <typename Entry, typename Fill>
bool answerHoverEvent(QTableWidget* table, QEvent* event, QWidget* popup,
                      QTableWidgetItem*& remembered, Fill fill)
{
    switch (event->type()) {
    case QEvent::Leave:
    case QEvent::Wheel: hideHover(popup, remembered); return false;
    case QEvent::ToolTip:
        answerToolTip<Entry>(table, static_cast<QHelpEvent*>(event), popup, remembered, fill);
        return true;
    default: return false;
    }
}

// Wheel events over the rows scroll the viewport and never reach the
// table's own event(): the viewport hides the pop-up for them.
void answerViewportEvent(const QEvent* event, QWidget* popup, QTableWidgetItem*& remembered);

}  // namespace viewsupport

#endif

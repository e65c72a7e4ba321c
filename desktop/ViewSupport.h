// What the result tables and the radical list share: context-menu actions,
// and the hover pop-up's answer to tool-tip events (which item the mouse
// rests on, and where the pop-up opens on the screen under the mouse).
#ifndef DEXARU_DESKTOP_VIEWSUPPORT_H
#define DEXARU_DESKTOP_VIEWSUPPORT_H

#include <QAction>
#include <QHelpEvent>
#include <QIcon>
#include <QTableWidget>
#include <QVariant>

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

void addSeparator(QWidget* view);

// The entry a result-table cell carries under Qt::UserRole, or null.
template <typename Entry>
Entry* entryOf(const QTableWidgetItem* item)
{
    return item != nullptr ? item->data(Qt::UserRole).value<Entry*>() : nullptr;
}

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
        popup->hide();
        remembered = nullptr;
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

} // namespace viewsupport

#endif

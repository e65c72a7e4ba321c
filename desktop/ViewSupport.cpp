#include "ViewSupport.h"

#include "ClipboardWatcher.h"
#include "FittingPopup.h"
#include "Log.h"

#include <QGuiApplication>
#include <QMimeData>
#include <QHeaderView>
#include <QKeyEvent>
#include <QScreen>

#include <algorithm>
#include <cstdint>

namespace viewsupport {

QAction* addSeparator(QWidget* view)
{
    QAction* separator = new QAction(view);
    separator->setSeparator(true);
    view->addAction(separator);
    return separator;
}

void setOwnClipboardText(const QString& text)
{
    auto* data = new QMimeData;
    data->setText(text);
    ClipboardWatcher::markOwnCopy(data);
    QGuiApplication::clipboard()->setMimeData(data);
}

void logSelectedCount(const char* function, int count)
{
    Log::write(7, "%s: There are %d selected items.", function, count);
}

void setupColumns(QTableWidget* table)
{
    QHeaderView* header = table->horizontalHeader();
    header->setSectionResizeMode(0, QHeaderView::Interactive);
    header->setSectionResizeMode(1, QHeaderView::Stretch);
    header->setSectionResizeMode(2, QHeaderView::Interactive);
    header->setStyleSheet(table->styleSheet());
    QTableWidgetItem* prototype = new QTableWidgetItem;
    prototype->setFlags(prototype->flags() & ~Qt::ItemIsEditable);
    table->setItemPrototype(prototype);
}

QTableWidgetItem* newEntryItem(const QTableWidget* table, const QVariant& entry)
{
    const QTableWidgetItem* prototype = table->itemPrototype();
    QTableWidgetItem* item = prototype != nullptr ? prototype->clone() : new QTableWidgetItem;
    item->setData(Qt::UserRole, entry);
    return item;
}

void startFresh(QTableWidget* table, QWidget* popup, QTableWidgetItem*& remembered)
{
    table->clearSelection();
    table->setCurrentItem(nullptr);
    table->scrollToTop();
    if (popup != nullptr)
        hideHover(popup, remembered);
    remembered = nullptr;
}

namespace {

// Item views answer the copy keys themselves, with the current cell's
// display text (rich text here): the keys go to the copy action instead.
class CopyKeys : public QObject
{
public:
    CopyKeys(QAction* copy, QObject* view) : QObject(view), copy(copy) { }

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() != QEvent::KeyPress
            || !static_cast<QKeyEvent*>(event)->matches(QKeySequence::Copy))
            return false;
        copy->trigger();
        return true;
    }

private:
    QAction* copy;
};

}  // namespace

void addCopyShortcut(QAction* copy)
{
    copy->setShortcut(QKeySequence::Copy);
    copy->setShortcutContext(Qt::WidgetWithChildrenShortcut);
    if (QObject* view = copy->parent())
        view->installEventFilter(new CopyKeys(copy, view));
}

void prepareHover(QWidget* popup)
{
    popup->setFocusPolicy(Qt::NoFocus);
    popup->setEnabled(false);
    popup->setWindowFlags(Qt::ToolTip);
}

void hideHover(QWidget* popup, QTableWidgetItem*& remembered)
{
    popup->hide();
    remembered = nullptr;
}

void answerViewportEvent(const QEvent* event, QWidget* popup, QTableWidgetItem*& remembered)
{
    if (event->type() == QEvent::Wheel)
        hideHover(popup, remembered);
}

QTableWidgetItem* itemUnderToolTip(QTableWidget* table, const QHelpEvent* event)
{
    QTableWidgetItem* item = table->itemAt(table->viewport()->mapFrom(table, event->pos()));
    return item != nullptr && item->tableWidget() == table ? item : nullptr;
}

void logHoverItem(const QHelpEvent* event, const QTableWidgetItem* item)
{
    Log::write(7, "XY is ( %d, %d ).", event->x(), event->y());
    Log::write(7, "Position is ( %d, %d ).", event->pos().x(), event->pos().y());
    Log::write(7, "Global position is ( %d, %d ).", event->globalX(), event->globalY());
    Log::write(7, "Item is 0x%lX", static_cast<unsigned long>(reinterpret_cast<uintptr_t>(item)));
    Log::write(7, "Row is: %d", item->row());
}

void showBeside(QWidget* popup, const QPoint& mouse)
{
    QScreen* screen = QGuiApplication::screenAt(mouse);
    if (screen == nullptr)
        screen = popup->screen();
    const QRect area = screen->availableGeometry();
    if (auto* fitting = dynamic_cast<FittingPopup*>(popup)) {
        fitting->fitInto(area.size());
    }
    const QSize size = popup->size();
    int x = mouse.x() + 8;
    int y = mouse.y() + 8;
    if (mouse.x() + size.width() > area.right())
        x = mouse.x() - size.width() - 8;
    if (mouse.y() + size.height() > area.bottom())
        y = mouse.y() - size.height() - 8;
    // Neither side may have the room: the pop-up stays on the screen, over
    // the mouse if it must.
    x = std::max(area.left(), std::min(x, area.left() + area.width() - size.width()));
    y = std::max(area.top(), std::min(y, area.top() + area.height() - size.height()));
    popup->move(x, y);
    popup->show();
}

}  // namespace viewsupport

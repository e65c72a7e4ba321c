#include "StrokeGridDelegate.h"

#include <QFontInfo>
#include <QHelpEvent>
#include <QToolTip>
#include <QListView>
#include <QPainter>

#include <algorithm>

namespace {

// The tables' header colour, so that the markers read as headers.
const QColor MARKER_COLOR(128, 128, 255);

QRect markerRect(const QRect& itemRect)
{
    return QRect(itemRect.topLeft(), QSize(itemRect.height(), itemRect.height()));
}

void paintMarker(QPainter* painter, const QRect& rect, int strokeCount, QFont font)
{
    painter->fillRect(rect.adjusted(0, 0, -1, -1), MARKER_COLOR);
    font.setBold(true);
    font.setPixelSize(std::max(8, rect.height() * 2 / 5));
    painter->setFont(font);
    painter->setPen(Qt::white);
    painter->drawText(rect, Qt::AlignCenter, QString::number(strokeCount));
}

}  // namespace

StrokeGridDelegate::StrokeGridDelegate(QObject* parent)
    : QStyledItemDelegate(parent)
{
}

int StrokeGridDelegate::cellSide(const QFont& font)
{
    // The em square, not the line height: CJK fonts add much leading.
    return QFontInfo(font).pixelSize() + 8;
}

QSize StrokeGridDelegate::sizeHint(const QStyleOptionViewItem& option,
                                   const QModelIndex& index) const
{
    const int side = cellSide(option.font);
    const bool opensGroup = index.data(GroupStartRole).isValid();
    return QSize(opensGroup ? 2 * side : side, side);
}

void StrokeGridDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                               const QModelIndex& index) const
{
    painter->save();
    QRect cell = option.rect;
    const QVariant group = index.data(GroupStartRole);
    if (group.isValid()) {
        const QRect marker = markerRect(cell);
        paintMarker(painter, marker, group.toInt(), option.font);
        cell.setLeft(marker.right() + 1);
    }
    const QPalette& palette = option.palette;
    const bool selected = option.state & QStyle::State_Selected;
    QColor background = palette.color(QPalette::Base);
    if (selected)
        background = palette.color(QPalette::Highlight);
    else if (option.state & QStyle::State_MouseOver)
        background = palette.color(QPalette::AlternateBase);
    const QRect inside = cell.adjusted(0, 0, -1, -1);
    painter->fillRect(inside, background);
    painter->setPen(palette.color(QPalette::Midlight));
    painter->drawRect(inside);
    if (option.state & QStyle::State_HasFocus) {
        painter->setPen(palette.color(QPalette::Highlight));
        painter->drawRect(inside.adjusted(1, 1, -1, -1));
    }

    QColor ink = palette.color(QPalette::Text);
    if (selected)
        ink = palette.color(QPalette::HighlightedText);
    else if (index.data(DimmedRole).toBool())
        ink = palette.color(QPalette::Disabled, QPalette::Text);
    painter->setPen(ink);
    painter->setFont(option.font);
    painter->drawText(cell, Qt::AlignCenter, index.data(Qt::DisplayRole).toString());
    painter->restore();
}

bool StrokeGridDelegate::isOnMarker(const QAbstractItemView* view, const QPoint& point)
{
    const QModelIndex index = view->indexAt(point);
    return index.isValid() && index.data(GroupStartRole).isValid()
           && markerRect(view->visualRect(index)).contains(point);
}

bool StrokeGridDelegate::helpEvent(QHelpEvent* event, QAbstractItemView* view,
                                   const QStyleOptionViewItem& option, const QModelIndex& index)
{
    if (event->type() == QEvent::ToolTip && isOnMarker(view, event->pos())) {
        QToolTip::showText(event->globalPos(),
                           strokesText(index.data(GroupStartRole).toInt()), view);
        return true;
    }
    return QStyledItemDelegate::helpEvent(event, view, option, index);
}

QString StrokeGridDelegate::strokesText(int strokeCount)
{
    return strokeCount == 1 ? tr("1 stroke") : tr("%1 strokes").arg(strokeCount);
}

void StrokeGridDelegate::applyTo(QListView* view)
{
    view->setItemDelegate(new StrokeGridDelegate(view));
    view->setViewMode(QListView::ListMode);
    view->setFlow(QListView::LeftToRight);
    view->setWrapping(true);
    view->setResizeMode(QListView::Adjust);
    view->setUniformItemSizes(false);
    view->setSpacing(0);
    view->setMouseTracking(true);
    view->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
}

// Draws a list view as a dense grid of square character cells, the way a
// paper dictionary's radical and stroke indexes look: an item that opens a
// group of one stroke count carries that count and is drawn with a marker
// cell before it ("3" in a blue square), so the groups run on in one flow.
// Chosen cells are filled with the highlight colour; cells marked dimmed are
// greyed. The views set the two roles below on their items.
#ifndef DEXARU_DESKTOP_STROKEGRIDDELEGATE_H
#define DEXARU_DESKTOP_STROKEGRIDDELEGATE_H

#include <QStyledItemDelegate>

class QAbstractItemView;
class QListView;

class StrokeGridDelegate : public QStyledItemDelegate
{
    Q_OBJECT

public:
    // The stroke count of the group an item opens (int); unset inside a group.
    static constexpr int GroupStartRole = Qt::UserRole + 16;
    // true: the item is drawn greyed (it would find nothing).
    static constexpr int DimmedRole = Qt::UserRole + 17;

    explicit StrokeGridDelegate(QObject* parent = nullptr);

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;
    // A marker's tool tip names its stroke count; a cell's is the item's own.
    bool helpEvent(QHelpEvent* event, QAbstractItemView* view, const QStyleOptionViewItem& option,
                   const QModelIndex& index) override;

    // The side of one square cell for characters of the font.
    static int cellSide(const QFont& font);
    // Whether the point of the view's viewport lies on a group's marker,
    // which answers no clicks.
    static bool isOnMarker(const QAbstractItemView* view, const QPoint& point);
    // "1 stroke", "3 strokes".
    static QString strokesText(int strokeCount);
    // Lays the view out as this delegate's grid: cells left to right,
    // wrapping, re-laid out on resize, no gaps between them.
    static void applyTo(QListView* view);
};

#endif

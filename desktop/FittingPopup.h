// A hover pop-up that can shorten what it shows to fit the screen: long
// lines elided with "…", long lists cut with "…" as their last item. The
// pop-ups implement fitInto; showing one beside the mouse calls it with the
// room the screen has. The helpers do the shortening for any such pop-up.
#ifndef DEXARU_DESKTOP_FITTINGPOPUP_H
#define DEXARU_DESKTOP_FITTINGPOPUP_H

#include <QSize>
#include <QStringList>

class QLabel;
class QWidget;

class FittingPopup
{
public:
    // Shortens the content, as shown last, until the pop-up fits the room
    // if it can; content that fits stays whole.
    virtual void fitInto(const QSize& room) = 0;

    static const QString ELLIPSIS;

    // Makes the popup at most `width` wide by eliding the plain texts of
    // the labels, in order, until it is narrow enough.
    static void elideToWidth(QWidget* popup, const QList<QLabel*>& labels, const QStringList& texts,
                             int width);
    // Shows in the label the bulleted list of the most items for which the
    // popup is at most `height` high, followed by an item "…" when some
    // are left out; at least one item stays. Returns false when even that
    // is too high.
    static bool cutListToHeight(QWidget* popup, QLabel* label, const QStringList& items,
                                int height);

protected:
    ~FittingPopup() = default;
};

#endif

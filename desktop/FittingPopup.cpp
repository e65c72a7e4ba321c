#include "FittingPopup.h"

#include "EntryText.h"

#include <QFontMetrics>
#include <QLabel>
#include <QWidget>

#include <algorithm>

const QString FittingPopup::ELLIPSIS = QString(QChar(0x2026));

namespace {

void relayOut(QWidget* popup, QLabel* label)
{
    label->adjustSize();
    popup->adjustSize();
}

}  // namespace

void FittingPopup::elideToWidth(QWidget* popup, const QList<QLabel*>& labels,
                                const QStringList& texts, int width)
{
    for (int at = 0; at < labels.size() && at < texts.size(); ++at) {
        const int excess = popup->sizeHint().width() - width;
        if (excess <= 0) {
            return;
        }
        QLabel* label = labels[at];
        const int room = label->sizeHint().width() - excess;
        if (room >= label->fontMetrics().horizontalAdvance(texts[at])) {
            continue;
        }
        label->setText(
            label->fontMetrics().elidedText(texts[at], Qt::ElideRight, std::max(room, 0)));
        relayOut(popup, label);
    }
}

bool FittingPopup::cutListToHeight(QWidget* popup, QLabel* label, const QStringList& items,
                                   int height)
{
    const auto show = [&](int count) {
        QStringList shown = items.mid(0, count);
        if (count < items.size()) {
            shown << ELLIPSIS;
        }
        label->setText(entrytext::bulleted(shown));
        relayOut(popup, label);
        return popup->height() <= height;
    };
    if (show(int(items.size()))) {
        return true;
    }
    // The most items that fit, found by halving: a pop-up's lists are
    // short, but a gloss list may run to dozens of lines.
    int fits = 0;
    int tooMany = int(items.size());
    while (tooMany - fits > 1) {
        const int middle = (fits + tooMany) / 2;
        if (show(middle)) {
            fits = middle;
        } else
            tooMany = middle;
    }
    return show(std::max(fits, 1));
}

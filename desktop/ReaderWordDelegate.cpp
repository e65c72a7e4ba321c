#include "ReaderWordDelegate.h"

#include "TextToken.h"

#include <QApplication>
#include <QFontMetrics>
#include <QPainter>

#include <algorithm>

namespace {

const int PADDING = 3;

bool isDark(const QPalette& palette)
{
    return palette.color(QPalette::Base).lightness() < 128;
}

QColor colourOf(int kind, const QPalette& palette)
{
    // Blue as in the word table, lighter where the background is dark.
    if (kind == TextToken::WORD)
        return isDark(palette) ? QColor(128, 160, 255) : QColor(0, 0, 255);
    return palette.color(QPalette::Text);
}

}  // namespace

ReaderWordDelegate::ReaderWordDelegate(QObject* parent)
    : QStyledItemDelegate(parent), hasWordFont(false)
{
}

void ReaderWordDelegate::setWordFont(const QFont& font)
{
    wordFont = font;
    hasWordFont = true;
}

QFont ReaderWordDelegate::largeFont(const QFont& viewFont) const
{
    if (hasWordFont)
        return wordFont;
    QFont font = viewFont;
    font.setPointSizeF(viewFont.pointSizeF() * 2);
    return font;
}

QFont ReaderWordDelegate::smallFont(const QFont& viewFont) const
{
    QFont font = largeFont(viewFont);
    font.setPointSizeF(std::max(7.0, font.pointSizeF() * 0.55));
    return font;
}

ReaderWordDelegate::Lines ReaderWordDelegate::linesOf(const QModelIndex& index)
{
    Lines lines;
    lines.written = index.data(Qt::DisplayRole).toString();
    const QString reading = index.data(READING_ROLE).toString();
    const QString dictionaryForm = index.data(DICTIONARY_FORM_ROLE).toString();
    if (!dictionaryForm.isEmpty() && dictionaryForm != lines.written)
        lines.below = dictionaryForm;
    if (reading != lines.written && reading != dictionaryForm)
        lines.above = reading;
    // A run of spaces or a line end takes the room of one space.
    if (index.data(KIND_ROLE).toInt() == TextToken::SPACE)
        lines.written = QStringLiteral(" ");
    return lines;
}

QSize ReaderWordDelegate::sizeHint(const QStyleOptionViewItem& option,
                                   const QModelIndex& index) const
{
    const Lines lines = linesOf(index);
    const QFontMetrics large(largeFont(option.font));
    const QFontMetrics small(smallFont(option.font));
    const int width = std::max({large.horizontalAdvance(lines.written),
                                small.horizontalAdvance(lines.above),
                                small.horizontalAdvance(lines.below)});
    return QSize(width + 2 * PADDING, large.height() + 2 * small.height() + 2 * PADDING);
}

void ReaderWordDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                               const QModelIndex& index) const
{
    QStyleOptionViewItem background = option;
    initStyleOption(&background, index);
    background.text.clear();
    const QWidget* widget = option.widget;
    QStyle* style = widget != nullptr ? widget->style() : QApplication::style();
    style->drawPrimitive(QStyle::PE_PanelItemViewItem, &background, painter, widget);

    const Lines lines = linesOf(index);
    const QFont large = largeFont(option.font);
    const QFont small = smallFont(option.font);
    const QFontMetrics smallMetrics(small);
    const QFontMetrics largeMetrics(large);
    const int smallHeight = smallMetrics.height();
    const int largeHeight = largeMetrics.height();
    const QRect area = option.rect.adjusted(PADDING, PADDING, -PADDING, -PADDING);
    const QRect top(area.left(), area.top(), area.width(), smallHeight);
    const QRect middle(area.left(), top.bottom() + 1, area.width(), largeHeight);
    const QRect bottom(area.left(), middle.bottom() + 1, area.width(), smallHeight);
    const QPalette& palette = option.palette;

    // A long inflected word keeps its reading and dictionary form over its
    // start, where the stem is; a short word stands centred under its reading.
    const bool wordIsWidest = largeMetrics.horizontalAdvance(lines.written)
                              >= std::max(smallMetrics.horizontalAdvance(lines.above),
                                          smallMetrics.horizontalAdvance(lines.below));
    const Qt::Alignment across = wordIsWidest ? Qt::AlignLeft : Qt::AlignHCenter;

    painter->save();
    painter->setFont(small);
    painter->setPen(isDark(palette) ? QColor(96, 208, 96) : QColor(0, 140, 0));
    painter->drawText(top, across | Qt::AlignBottom, lines.above);
    painter->setFont(large);
    painter->setPen(colourOf(index.data(KIND_ROLE).toInt(), palette));
    painter->drawText(middle, across | Qt::AlignVCenter, lines.written);
    painter->setFont(small);
    painter->setPen(palette.color(QPalette::PlaceholderText));
    painter->drawText(bottom, across | Qt::AlignTop, lines.below);
    painter->restore();
}

#include "RichTextDelegate.h"

#include <QAbstractTextDocumentLayout>
#include <QApplication>
#include <QFontMetricsF>
#include <QPainter>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextLayout>

#include <algorithm>
#include <cmath>
#include <vector>

namespace {

const QString ELLIPSIS = QString(QChar(0x2026));

}  // namespace

RichTextDelegate::RichTextDelegate(QObject* parent) : QStyledItemDelegate(parent)
{
}

// The cells name pure blue for words, which is nearly black on a dark
// background: there it is drawn as a light blue. The cell's text stays as it
// is, for copying and screen readers.
QString RichTextDelegate::readableOn(const QPalette& palette, const QString& html)
{
    if (palette.color(QPalette::Base).lightness() >= 128)
        return html;
    QString readable = html;
    readable.replace(QLatin1String("color=\"#0000FF\""), QLatin1String("color=\"#8CA0FF\""),
                     Qt::CaseInsensitive);
    return readable;
}

void RichTextDelegate::layOut(QTextDocument& document, const QString& html, const QFont& font)
{
    document.setDocumentMargin(0);
    document.setDefaultFont(font);
    document.setHtml(html);
}

void RichTextDelegate::elideLines(QTextDocument& document, int width)
{
    if (document.idealWidth() <= width) {
        return;
    }
    const qreal ellipsis = QFontMetricsF(document.defaultFont()).horizontalAdvance(ELLIPSIS);
    struct Cut
    {
        int from, to;
    };
    std::vector<Cut> cuts;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        const QTextLayout* layout = block.layout();
        const QString text = block.text();
        for (int at = 0; layout != nullptr && at < layout->lineCount(); ++at) {
            const QTextLine line = layout->lineAt(at);
            if (line.naturalTextWidth() <= width) {
                continue;
            }
            int end = line.textStart() + line.textLength();
            // A <br> ends its line with a line separator, which stays.
            if (end > line.textStart() && end <= text.size()
                && text.at(end - 1) == QChar::LineSeparator) {
                --end;
            }
            const int cut = line.xToCursor(std::max<qreal>(width - ellipsis, 0));
            if (cut < end) {
                cuts.push_back({block.position() + cut, block.position() + end});
            }
        }
    }
    // From the end, so that the positions of the cuts before stay valid.
    for (auto cut = cuts.rbegin(); cut != cuts.rend(); ++cut) {
        QTextCursor cursor(&document);
        cursor.setPosition(cut->from);
        cursor.setPosition(cut->to, QTextCursor::KeepAnchor);
        cursor.insertText(ELLIPSIS);
    }
}

QString RichTextDelegate::shownText(const QString& html, const QFont& font, int width)
{
    QTextDocument document;
    layOut(document, html, font);
    elideLines(document, width - 2 * margin);
    return document.toPlainText();
}

QSize RichTextDelegate::sizeOf(const QString& html, const QFont& font)
{
    QTextDocument document;
    layOut(document, html, font);
    return QSize(int(std::ceil(document.idealWidth())) + 2 * margin,
                 int(std::ceil(document.size().height())) + 2 * margin);
}

QSize RichTextDelegate::sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const
{
    QStyleOptionViewItem cell = option;
    initStyleOption(&cell, index);
    return sizeOf(cell.text, cell.font);
}

void RichTextDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                             const QModelIndex& index) const
{
    QStyleOptionViewItem cell = option;
    initStyleOption(&cell, index);
    const QString html = cell.text;
    // Background, selection and focus as for any cell, without the text.
    cell.text.clear();
    const QWidget* widget = option.widget;
    QStyle* style = widget != nullptr ? widget->style() : QApplication::style();
    style->drawControl(QStyle::CE_ItemViewItem, &cell, painter, widget);

    QRect area = option.rect.adjusted(margin, margin, -margin, -margin);
    QTextDocument document;
    layOut(document, readableOn(option.palette, html), cell.font);
    elideLines(document, area.width());
    QAbstractTextDocumentLayout::PaintContext context;
    // The view's text colour, not the item's foreground: the item's brush
    // is for plain views of the cell, the text names its own colours.
    const bool selected = option.state & QStyle::State_Selected;
    context.palette = option.palette;
    context.palette.setColor(
        QPalette::Text,
        option.palette.color(selected ? QPalette::HighlightedText : QPalette::Text));
    // Centred vertically, as a label centres its text.
    const int spare = area.height() - int(std::ceil(document.size().height()));
    if (spare > 0)
        area.adjust(0, spare / 2, 0, 0);
    context.clip = QRectF(0, 0, area.width(), area.height());
    painter->save();
    painter->translate(area.topLeft());
    painter->setClipRect(context.clip);
    document.documentLayout()->draw(painter, context);
    painter->restore();
}

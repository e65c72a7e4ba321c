// Draws a table cell whose display text is rich text (a little HTML), as a
// QLabel with a margin of 3 pixels would show it, in the cell's font. The
// colours the text names stay; the rest takes the view's text colour, or
// the highlighted one in a selected cell. A line too long for the cell ends
// in "…" where it is cut.
#ifndef DEXARU_DESKTOP_RICHTEXTDELEGATE_H
#define DEXARU_DESKTOP_RICHTEXTDELEGATE_H

#include <QStyledItemDelegate>

class QPalette;
class QTextDocument;

class RichTextDelegate : public QStyledItemDelegate
{
    Q_OBJECT

public:
    explicit RichTextDelegate(QObject* parent = nullptr);

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;

    // The size of rich text in a font, margins included, as sizeHint gives it.
    static QSize sizeOf(const QString& html, const QFont& font);

    // The plain text a cell `width` pixels wide shows of the rich text: a
    // line too long for it is cut and ends in "…".
    static QString shownText(const QString& html, const QFont& font, int width);

    // The text as it is drawn on a background of this palette.
    static QString readableOn(const QPalette& palette, const QString& html);

    static constexpr int margin = 3;

private:
    static void layOut(QTextDocument& document, const QString& html, const QFont& font);
    // Cuts every line wider than the width, ending it in "…".
    static void elideLines(QTextDocument& document, int width);
};

#endif

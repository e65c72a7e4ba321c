// Draws one token of the reader panel's word list in three lines: the
// reading small above (left blank where it would only repeat what is
// written), the text as it stands in the sentence large, and for a word not
// written as the dictionary writes it (an inflected form) its dictionary
// form small below. Every item gets the same height, so the words of a line
// stand on one base line. The delegate reads the item's roles only.
#ifndef DEXARU_DESKTOP_READERWORDDELEGATE_H
#define DEXARU_DESKTOP_READERWORDDELEGATE_H

#include <QStyledItemDelegate>

class ReaderWordDelegate : public QStyledItemDelegate
{
    Q_OBJECT

public:
    // Roles beside Qt::DisplayRole, which holds the text as written.
    enum Role
    {
        READING_ROLE = Qt::UserRole + 1,  // QString: the reading in kana of the text as written
        DICTIONARY_FORM_ROLE,  // QString: the word as the dictionary lists it
        KIND_ROLE  // int: the TextToken::Kind
    };

    explicit ReaderWordDelegate(QObject* parent = nullptr);

    // The font of the written line; the reading and the dictionary form
    // take a little over half its size. Until set, twice the view's font.
    void setWordFont(const QFont& font);

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;

    // The three lines of an item: empty where nothing is drawn.
    struct Lines
    {
        QString above;
        QString written;
        QString below;
    };
    static Lines linesOf(const QModelIndex& index);

private:
    QFont largeFont(const QFont& viewFont) const;
    QFont smallFont(const QFont& viewFont) const;

    QFont wordFont;
    bool hasWordFont;
};

#endif

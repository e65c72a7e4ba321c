// The one-line search field with a small romaji-to-kana input method of its
// own: while it is on, typed letters turn into kana as soon as they spell
// whole kana. CapsLock or F2 switch it; Return or keypad Enter finish the
// pending romaji and ask for a search; Escape drops the pending romaji;
// pasted text is flattened to one line. Any change of the text or cursor
// that the input method did not make drops the pending romaji too.
#ifndef DEXARU_DESKTOP_SEARCHBOX_H
#define DEXARU_DESKTOP_SEARCHBOX_H

#include <QPlainTextEdit>
#include <QString>

class QKeyEvent;
class QMimeData;

class SearchBox : public QPlainTextEdit
{
    Q_OBJECT

public:
    explicit SearchBox(QWidget* parent = nullptr);

    // True when the input method consumed the key.
    bool handleImeKey(QKeyEvent* event);
    // Turns the pending romaji, shown selected, into kana as a search does
    // (a final "n" becomes "ん"); nothing when none is pending.
    void finishPending();
    // Forgets the pending romaji; its letters stay in the box, unselected.
    void cancelPending();

    bool imeOn;
    QString imeText;  // romaji typed since the last whole conversion

signals:
    void search();
    void imeEnabled(bool enabled);

public slots:
    void toggleIme(bool on);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void insertFromMimeData(const QMimeData* source) override;

private:
    void showPendingSelected();
    void dropPendingUnlessImeEditing();

    bool imeEditing;  // true while the input method changes the text
};

#endif

// The one-line search field with a small romaji-to-kana input method of its
// own: while it is on, typed letters turn into kana as soon as they spell
// whole kana. CapsLock or F2 switch it; Return asks for a search; pasted
// text is flattened to one line.
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
};

#endif

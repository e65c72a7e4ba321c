// Watches the clipboard and, where the window system has one (X11), the
// selection, for Japanese text copied in other programs, and announces each
// such text once. Text this program put there itself, text without kana or
// kanji, and text longer than 200 characters are passed over. The
// selection is read a moment after it last changed, so that a selection
// still being dragged is not announced piece by piece. Off at first.
#ifndef DEXARU_DESKTOP_CLIPBOARDWATCHER_H
#define DEXARU_DESKTOP_CLIPBOARDWATCHER_H

#include <QClipboard>
#include <QObject>
#include <QSet>
#include <QString>
#include <QTimer>

class QMimeData;

class ClipboardWatcher : public QObject
{
    Q_OBJECT

public:
    static const int LONGEST = 200;
    // Waited after the selection's last change before it is read.
    static const int SELECTION_SETTLE_MS = 300;

    explicit ClipboardWatcher(QClipboard* clipboard, QObject* parent = nullptr);

    bool isWatching() const;
    // The copied text worth looking up: trimmed, line breaks removed, with at
    // least one kana or kanji and at most LONGEST characters; else empty.
    static QString japaneseText(const QString& copied);
    // Marks clipboard contents as this program's own copy, which the
    // watcher passes over even where the window system cannot tell.
    static void markOwnCopy(QMimeData* data);

signals:
    void japaneseTextCopied(QString text);

public slots:
    // Switching on forgets the texts announced before.
    void setWatching(bool on);

private slots:
    void clipboardChanged(QClipboard::Mode mode);
    void readSelection();

private:
    void consider(QClipboard::Mode mode);

    QClipboard* clipboard;
    bool watching;
    QSet<QString> announced;
    QTimer selectionSettled;
};

#endif

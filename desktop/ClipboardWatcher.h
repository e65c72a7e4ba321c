// Watches the clipboard and, where the window system has one (X11), the
// selection, for Japanese text copied in other programs, and announces each
// copy of such text, the same text copied again included. One copy seen
// twice (selected, then copied; or taken over by a clipboard manager) is
// announced once: the same text right after it, within SAME_COPY_MS and
// with no other change between. Text this program put there itself, text
// without kana or kanji, and text longer than 200 characters are passed
// over. The selection is read a moment after it last changed, so that a
// selection still being dragged is not announced piece by piece. Off at
// first.
#ifndef DEXARU_DESKTOP_CLIPBOARDWATCHER_H
#define DEXARU_DESKTOP_CLIPBOARDWATCHER_H

#include <QClipboard>
#include <QElapsedTimer>
#include <QObject>
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
    // The same text again within this time, with nothing else copied
    // between, is the same copy seen twice.
    static const int SAME_COPY_MS = 1500;

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
    void setWatching(bool on);

private slots:
    void clipboardChanged(QClipboard::Mode mode);
    void readSelection();

private:
    void consider(QClipboard::Mode mode);

    QClipboard* clipboard;
    bool watching;
    QString lastText;  // of the last change considered, empty when not Japanese
    QElapsedTimer sinceLastAnnounced;  // invalid until a text is announced
    QTimer selectionSettled;
};

#endif

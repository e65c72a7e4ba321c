#include "SearchBox.h"

#include "Kana.h"
#include "Log.h"
#include "Romaji.h"

#include <QKeyEvent>
#include <QMimeData>
#include <QScopedValueRollback>
#include <QTextCursor>

namespace {

bool isRomajiKey(int key)
{
    return (key >= Qt::Key_A && key <= Qt::Key_Z) || key == Qt::Key_Minus
           || key == Qt::Key_Apostrophe;
}

}  // namespace

SearchBox::SearchBox(QWidget* parent) : QPlainTextEdit(parent), imeOn(false), imeEditing(false)
{
    // The pending romaji is the selection the input method made; once the
    // text or cursor changes otherwise, that selection is gone or different.
    connect(this, &QPlainTextEdit::textChanged, this, &SearchBox::dropPendingUnlessImeEditing);
    connect(this, &QPlainTextEdit::cursorPositionChanged, this,
            &SearchBox::dropPendingUnlessImeEditing);
    connect(this, &QPlainTextEdit::selectionChanged, this, &SearchBox::dropPendingUnlessImeEditing);
}

void SearchBox::dropPendingUnlessImeEditing()
{
    if (!imeEditing)
        imeText.clear();
}

void SearchBox::finishPending()
{
    if (imeText.isEmpty())
        return;
    const std::wstring kana = Romaji::romajiStringToKana(imeText.toStdWString(), true);
    imeText.clear();
    QScopedValueRollback<bool> editing(imeEditing, true);
    insertPlainText(QString::fromStdWString(kana));
}

void SearchBox::cancelPending()
{
    imeText.clear();
    QTextCursor cursor = textCursor();
    cursor.clearSelection();
    setTextCursor(cursor);
}

void SearchBox::toggleIme(bool on)
{
    if (on == imeOn) {
        return;
    }
    imeOn = on;
    emit imeEnabled(on);
}

void SearchBox::keyPressEvent(QKeyEvent* event)
{
    const int key = event->key();
    if (key == Qt::Key_CapsLock || key == Qt::Key_F2) {
        const bool on = !imeOn;
        Log::write(7, "%s: CapsLock or F2.  Setting IME to %s.", "keyPressEvent",
                   on ? "on" : "off");
        toggleIme(on);
        return;
    }
    if (key == Qt::Key_Return || key == Qt::Key_Enter) {
        finishPending();
        emit search();
        return;
    }
    if (key == Qt::Key_Escape) {
        cancelPending();
        // The window closes its pop-ups on Escape too.
        event->ignore();
        return;
    }
    if (!imeOn || !handleImeKey(event)) {
        QPlainTextEdit::keyPressEvent(event);
    }
}

bool SearchBox::handleImeKey(QKeyEvent* event)
{
    if (event->modifiers() & Qt::ControlModifier) {
        event->ignore();
        return false;
    }
    if (!isRomajiKey(event->key())) {
        if (!event->text().isEmpty()) {
            imeText.clear();
        }
        return false;
    }

    QScopedValueRollback<bool> editing(imeEditing, true);
    imeText += event->text();
    const std::wstring pending = imeText.toStdWString();
    Log::write(7, "%s: imeText: %S", "handleImeKey", pending.c_str());
    const std::wstring kana = Romaji::romajiStringToKana(pending, false);
    Log::write(7, "%s: %S -> %S", "handleImeKey", pending.c_str(), kana.c_str());
    if (Kana::isKana(kana)) {
        imeText.clear();
        insertPlainText(QString::fromStdWString(kana));
    } else {
        showPendingSelected();
    }
    return true;
}

// The pending romaji replaces the shorter pending text shown before and stays
// selected, so that the next letter or a Backspace acts on all of it.
void SearchBox::showPendingSelected()
{
    insertPlainText(imeText);
    QTextCursor cursor = textCursor();
    cursor.movePosition(QTextCursor::Left, QTextCursor::KeepAnchor, imeText.length());
    setTextCursor(cursor);
}

void SearchBox::insertFromMimeData(const QMimeData* source)
{
    if (!source->hasText()) {
        QPlainTextEdit::insertFromMimeData(source);
        return;
    }
    QString text = source->text();
    text.remove(QLatin1Char('\r'));
    text.remove(QLatin1Char('\n'));
    setPlainText(text);
}

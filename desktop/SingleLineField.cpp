#include "SingleLineField.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QPlainTextEdit>

SingleLineField::SingleLineField(QPlainTextEdit* field) : QObject(field)
{
}

void SingleLineField::makeSingleLine(QPlainTextEdit* field)
{
    field->setTabChangesFocus(true);
    field->setLineWrapMode(QPlainTextEdit::NoWrap);
    field->installEventFilter(new SingleLineField(field));
}

bool SingleLineField::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() != QEvent::KeyPress)
        return false;
    const int key = static_cast<QKeyEvent*>(event)->key();
    if (key != Qt::Key_Return && key != Qt::Key_Enter)
        return false;
    // As Tab does in a field that lets Tab move the focus.
    QKeyEvent tab(QEvent::KeyPress, Qt::Key_Tab, Qt::NoModifier);
    QCoreApplication::sendEvent(watched, &tab);
    return true;
}

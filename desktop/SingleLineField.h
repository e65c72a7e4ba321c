// Makes a plain-text edit behave as a one-line field: Tab moves the focus,
// Return or keypad Enter mean "done" and move the focus on, and neither
// puts a control character into the text. The field owns the filter.
#ifndef DEXARU_DESKTOP_SINGLELINEFIELD_H
#define DEXARU_DESKTOP_SINGLELINEFIELD_H

#include <QObject>

class QPlainTextEdit;

class SingleLineField : public QObject
{
    Q_OBJECT

public:
    // Installs a new filter on the field, as the field's child.
    static void makeSingleLine(QPlainTextEdit* field);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    explicit SingleLineField(QPlainTextEdit* field);
};

#endif

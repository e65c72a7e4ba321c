#include "SearchAsYouType.h"

#include "SearchBox.h"

#include <QTextCursor>

SearchAsYouType::SearchAsYouType(SearchBox* box, QObject* parent)
    : QObject(parent), box(box), on(false)
{
    quiet.setSingleShot(true);
    quiet.setInterval(QUIET_MS);
    connect(&quiet, &QTimer::timeout, this, &SearchAsYouType::searchNow);
    connect(box, &QPlainTextEdit::textChanged, this, &SearchAsYouType::boxChanged);
}

bool SearchAsYouType::isOn() const
{
    return on;
}

void SearchAsYouType::setOn(bool state)
{
    on = state;
    if (!on)
        quiet.stop();
}

QString SearchAsYouType::typedText(const SearchBox* box)
{
    const QString text = box->toPlainText();
    if (!box->imeOn || box->imeText.isEmpty())
        return text;
    const QTextCursor cursor = box->textCursor();
    if (!cursor.hasSelection() || cursor.selectedText() != box->imeText)
        return text;
    return text.left(cursor.selectionStart()) + text.mid(cursor.selectionEnd());
}

void SearchAsYouType::searched(const QString& text)
{
    quiet.stop();
    lastSearched = text;
}

void SearchAsYouType::boxChanged()
{
    if (on)
        quiet.start();
}

void SearchAsYouType::searchNow()
{
    quiet.stop();
    const QString text = typedText(box);
    if (!on || text.trimmed().isEmpty() || text == lastSearched)
        return;
    lastSearched = text;
    emit searchDue(text);
}

#include "SearchAsYouType.h"

#include "Romaji.h"
#include "SearchBox.h"

#include <QTextCursor>

namespace {

bool isFinalN(const QString& letters)
{
    return letters.compare(QLatin1String("n"), Qt::CaseInsensitive) == 0;
}

}  // namespace

SearchAsYouType::SearchAsYouType(SearchBox* box, QObject* parent)
    : QObject(parent), box(box), on(false), convertsRomaji(false)
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

void SearchAsYouType::setConvertsRomaji(bool converts)
{
    convertsRomaji = converts;
}

// Letters that do not spell kana yet come out of the conversion unchanged.
QString SearchAsYouType::withoutUnfinishedRomaji(const QString& text)
{
    const std::wstring kana = Romaji::romajiStringToKana(text.toStdWString(), false);
    size_t unfinished = 0;
    while (unfinished < kana.size()) {
        const wchar_t last = kana[kana.size() - 1 - unfinished];
        if (!((last >= L'a' && last <= L'z') || (last >= L'A' && last <= L'Z')))
            break;
        ++unfinished;
    }
    if (unfinished == 0 || unfinished == kana.size() || int(unfinished) > text.size())
        return text;
    // A final "n" is finished once typing rests: the search spells it ん.
    if (unfinished == 1 && isFinalN(text.right(1))) {
        return text;
    }
    return text.left(text.size() - int(unfinished));
}

QString SearchAsYouType::typedText(const SearchBox* box)
{
    const QString text = box->toPlainText();
    if (!box->imeOn || box->imeText.isEmpty())
        return text;
    const QTextCursor cursor = box->textCursor();
    if (!cursor.hasSelection() || cursor.selectedText() != box->imeText)
        return text;
    // A pending "n" stays in the box, where a vowel may still make な of
    // it; the search takes it as the ん it is when nothing follows.
    QString pending;
    if (isFinalN(box->imeText)) {
        const std::wstring n = box->imeText.toStdWString();
        pending = QString::fromStdWString(Romaji::romajiStringToKana(n, true));
    }
    return text.left(cursor.selectionStart()) + pending + text.mid(cursor.selectionEnd());
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
    QString text = typedText(box);
    if (convertsRomaji && !box->imeOn)
        text = withoutUnfinishedRomaji(text);
    if (!on || text.trimmed().isEmpty() || text == lastSearched)
        return;
    lastSearched = text;
    emit searchDue(text);
}

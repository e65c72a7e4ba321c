#include "ClipboardWatcher.h"

#include <QMimeData>

namespace {

const QString OWN_COPY_FORMAT = QStringLiteral("application/x-dexaru-own-copy");

bool isKanaOrKanji(char32_t code)
{
    return (code >= 0x3040 && code <= 0x30FF)  // hiragana, katakana
           || (code >= 0x31F0 && code <= 0x31FF)  // katakana phonetic extensions
           || (code >= 0xFF66 && code <= 0xFF9F)  // half-width katakana
           || code == 0x3005  // 々
           || (code >= 0x3400 && code <= 0x4DBF)  // CJK extension A
           || (code >= 0x4E00 && code <= 0x9FFF)  // CJK unified ideographs
           || (code >= 0xF900 && code <= 0xFAFF)  // CJK compatibility ideographs
           || (code >= 0x20000 && code <= 0x3134F);  // CJK extensions B to G
}

}  // namespace

ClipboardWatcher::ClipboardWatcher(QClipboard* clipboard, QObject* parent)
    : QObject(parent), clipboard(clipboard), watching(false)
{
    selectionSettled.setSingleShot(true);
    selectionSettled.setInterval(SELECTION_SETTLE_MS);
    connect(&selectionSettled, &QTimer::timeout, this, &ClipboardWatcher::readSelection);
    connect(clipboard, &QClipboard::changed, this, &ClipboardWatcher::clipboardChanged);
}

bool ClipboardWatcher::isWatching() const
{
    return watching;
}

void ClipboardWatcher::setWatching(bool on)
{
    if (on && !watching)
        lastText.clear();
    watching = on;
    if (!on)
        selectionSettled.stop();
}

QString ClipboardWatcher::japaneseText(const QString& copied)
{
    QString text = copied;
    text.remove(QLatin1Char('\r'));
    text.replace(QLatin1Char('\n'), QLatin1Char(' '));
    text = text.trimmed();
    if (text.isEmpty() || text.size() > LONGEST)
        return QString();
    for (char32_t code : text.toUcs4()) {
        if (isKanaOrKanji(code))
            return text;
    }
    return QString();
}

void ClipboardWatcher::markOwnCopy(QMimeData* data)
{
    data->setData(OWN_COPY_FORMAT, QByteArray("1"));
}

void ClipboardWatcher::clipboardChanged(QClipboard::Mode mode)
{
    if (!watching)
        return;
    if (mode == QClipboard::Clipboard)
        consider(mode);
    else if (mode == QClipboard::Selection)
        selectionSettled.start();
}

void ClipboardWatcher::readSelection()
{
    if (watching)
        consider(QClipboard::Selection);
}

void ClipboardWatcher::consider(QClipboard::Mode mode)
{
    const bool own = mode == QClipboard::Clipboard ? clipboard->ownsClipboard()
                                                   : clipboard->ownsSelection();
    const QMimeData* data = clipboard->mimeData(mode);
    const QString text = own || data == nullptr || data->hasFormat(OWN_COPY_FORMAT)
                             ? QString()
                             : japaneseText(data->text());
    const bool sameCopy = !text.isEmpty() && text == lastText && sinceLastAnnounced.isValid()
                          && sinceLastAnnounced.elapsed() < SAME_COPY_MS;
    lastText = text;
    if (text.isEmpty() || sameCopy)
        return;
    sinceLastAnnounced.start();
    emit japaneseTextCopied(text);
}

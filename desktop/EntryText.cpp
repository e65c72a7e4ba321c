#include "EntryText.h"

#include "Encoding.h"
#include "WordEntry.h"

namespace entrytext {

QString wide(const std::wstring& text)
{
    return QString::fromWCharArray(text.data(), int(text.size()));
}

QString character(wchar_t code)
{
    return QString(QChar(char16_t(code & 0xFFFF)));
}

static bool isAscii(const std::string& bytes)
{
    for (unsigned char byte : bytes) {
        if (byte >= 0x80)
            return false;
    }
    return true;
}

QString dictionary(const std::string& bytes)
{
    // Nearly every gloss is plain ASCII; only the others pay for iconv.
    if (isAscii(bytes))
        return QString::fromLatin1(bytes.data(), int(bytes.size()));
    char* utf8 = nullptr;
    int utf8Size = 0;
    if (Encoding::convert("EUC-JP", const_cast<char*>(bytes.data()), int(bytes.size()), "UTF-8",
                          &utf8, &utf8Size)
        != 0)
        return QString::fromUtf8(bytes.data(), int(bytes.size()));
    QString text = QString::fromUtf8(utf8, utf8Size);
    delete[] utf8;
    return text;
}

QStringList wideList(const std::vector<std::wstring>& list)
{
    QStringList texts;
    texts.reserve(int(list.size()));
    for (const std::wstring& item : list)
        texts << wide(item);
    return texts;
}

QString joined(const std::vector<std::wstring>& list, const QString& separator)
{
    return wideList(list).join(separator);
}

QStringList meanings(const WordEntry& entry)
{
    QStringList texts;
    texts.reserve(entry.meaningsSize);
    for (int i = 0; i < entry.meaningsSize; ++i)
        texts << dictionary(entry.meanings[i]);
    return texts;
}

QString reading(const WordEntry& entry, bool showRomaji)
{
    return showRomaji ? QString::fromStdString(entry.kanaRomaji) : wide(entry.kana);
}

QString bulleted(const QStringList& items)
{
    QString html = QStringLiteral("<ul>");
    for (const QString& item : items)
        html += QStringLiteral("<li>") + item.toHtmlEscaped() + QStringLiteral("</li>");
    return html + QStringLiteral("</ul>");
}

QString inflection(const std::wstring& typed, const std::vector<std::string>& reasons)
{
    if (typed.empty() || reasons.empty())
        return QString();
    QStringList names;
    for (const std::string& reason : reasons)
        names << QString::fromStdString(reason);
    return QStringLiteral("< ") + wide(typed) + QStringLiteral(": ")
           + names.join(QStringLiteral(", "));
}

}  // namespace entrytext

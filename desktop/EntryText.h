// Display text of library entries for the desktop views: wide strings,
// dictionary bytes (EUC-JP, as the file holds them) and joined lists.
#ifndef DEXARU_DESKTOP_ENTRYTEXT_H
#define DEXARU_DESKTOP_ENTRYTEXT_H

#include <QString>
#include <QStringList>

#include <string>
#include <vector>

class WordEntry;

namespace entrytext {

QString wide(const std::wstring& text);
// One character, by the low 16 bits of its code point.
QString character(wchar_t code);
// Bytes read from a dictionary file: EUC-JP, or UTF-8 when they are not.
QString dictionary(const std::string& bytes);
QString joined(const std::vector<std::wstring>& list, const QString& separator);
QStringList meanings(const WordEntry& entry);
// The word's kana, or its romaji when the views show romaji.
QString reading(const WordEntry& entry, bool showRomaji);
// Each item of the list, HTML-escaped, between "<li>" and "</li>", all
// inside "<ul>": dictionary text such as "less-than mark (<)" shows whole.
QString bulleted(const QStringList& items);
QStringList wideList(const std::vector<std::wstring>& list);
// How a word was met, as plain text: "< 飲ませられなかった: causative,
// passive, negative, past"; empty when nothing was typed (the word as the
// dictionary writes it) or nothing was peeled off.
QString inflection(const std::wstring& typed, const std::vector<std::string>& reasons);

}  // namespace entrytext

#endif

#include "SearchHistory.h"

#include <QSettings>
#include <QStringList>

#include <algorithm>

namespace {

bool sameOptions(const WordDictionary::SearchOptions& a, const WordDictionary::SearchOptions& b)
{
    return a.searchFlags == b.searchFlags && a.commonFilter == b.commonFilter
           && a.limit == b.limit && a.partsOfSpeech == b.partsOfSpeech
           && a.matchAllPartsOfSpeech == b.matchAllPartsOfSpeech;
}

// Whether the next search takes the place of the newest, provisional entry.
// Word searches that go on with the text typed do, whether typed too or
// started outright (Return after typing "ramen" replaces the らめ searched
// while typing); kanji searches only while radicals are picked one by one.
bool continues(const HistoryEntry& newest, const HistoryEntry& next)
{
    if (!newest.provisional || newest.kind != next.kind) {
        return false;
    }
    if (newest.kind == HistoryEntry::KANJI)
        return next.provisional;
    // Typing on or deleting back: the texts agree up to the last character
    // of the shorter one, which romaji still being typed may change.
    const QString& a = newest.text;
    const QString& b = next.text;
    const int shorter = std::min(a.size(), b.size());
    int same = 0;
    while (same < shorter && a[same] == b[same])
        ++same;
    return same >= shorter - 1;
}

}  // namespace

bool HistoryEntry::sameSearch(const HistoryEntry& other) const
{
    return kind == other.kind && text == other.text
           && (kind == KANJI || sameOptions(options, other.options));
}

QString HistoryEntry::label() const
{
    int longest = 40;
    // Never half of a character beyond the 16-bit range.
    if (text.size() > longest && text.at(longest - 1).isHighSurrogate())
        --longest;
    QString shown = text.left(longest);
    if (text.size() > longest)
        shown += QChar(0x2026);
    if (kind == KANJI)
        return QObject::tr("Kanji: %1").arg(shown);
    return shown;
}

SearchHistory::SearchHistory(QObject* parent) : QObject(parent), cursor(0)
{
}

void SearchHistory::record(const HistoryEntry& entry)
{
    // Before any search of this run, the newest saved entry is the current one.
    const int shown = std::min(cursor, count() - 1);
    if (shown >= 0 && entries[shown].sameSearch(entry)) {
        cursor = shown;
        entries[cursor].provisional = entries[cursor].provisional && entry.provisional;
        emit changed();
        return;
    }
    if (!entries.empty() && cursor == count() - 1 && continues(entries.back(), entry))
        entries.back() = entry;
    else
        entries.push_back(entry);
    if (count() > KEPT)
        entries.erase(entries.begin(), entries.begin() + (count() - KEPT));
    cursor = count() - 1;
    emit changed();
}

const HistoryEntry* SearchHistory::back()
{
    return canGoBack() ? goTo(cursor - 1) : nullptr;
}

const HistoryEntry* SearchHistory::forward()
{
    return canGoForward() ? goTo(cursor + 1) : nullptr;
}

const HistoryEntry* SearchHistory::goTo(int index)
{
    if (index < 0 || index >= count())
        return nullptr;
    cursor = index;
    // Once gone back to, a provisional entry is a search of its own.
    entries[cursor].provisional = false;
    emit changed();
    return &entries[cursor];
}

bool SearchHistory::canGoBack() const
{
    return cursor > 0;
}

bool SearchHistory::canGoForward() const
{
    return cursor + 1 < count();
}

int SearchHistory::count() const
{
    return int(entries.size());
}

const HistoryEntry& SearchHistory::at(int index) const
{
    return entries[index];
}

int SearchHistory::current() const
{
    return cursor;
}

void SearchHistory::clear()
{
    entries.clear();
    cursor = 0;
    emit changed();
}

void SearchHistory::save(QSettings& preferences) const
{
    preferences.remove("history");
    preferences.beginWriteArray("history", count());
    for (int index = 0; index < count(); ++index) {
        const HistoryEntry& entry = entries[index];
        preferences.setArrayIndex(index);
        preferences.setValue("kind", entry.kind == HistoryEntry::KANJI ? "kanji" : "words");
        preferences.setValue("text", entry.text);
        if (entry.kind == HistoryEntry::KANJI)
            continue;
        preferences.setValue("flags", entry.options.searchFlags);
        preferences.setValue("common", entry.options.commonFilter);
        preferences.setValue("limit", entry.options.limit);
        QStringList partsOfSpeech;
        for (const std::string& abbreviation : entry.options.partsOfSpeech)
            partsOfSpeech << QString::fromStdString(abbreviation);
        preferences.setValue("partsOfSpeech", partsOfSpeech.join(' '));
        preferences.setValue("matchAllPartsOfSpeech", entry.options.matchAllPartsOfSpeech);
        if (entry.ownOptions) {
            preferences.setValue("ownOptions", true);
        }
    }
    preferences.endArray();
}

// Entries after a hundredth (a hand-edited file) are dropped, the oldest first.
void SearchHistory::load(QSettings& preferences)
{
    entries.clear();
    const int saved = preferences.beginReadArray("history");
    for (int index = 0; index < saved; ++index) {
        preferences.setArrayIndex(index);
        HistoryEntry entry;
        entry.kind = preferences.value("kind").toString() == QLatin1String("kanji")
                         ? HistoryEntry::KANJI
                         : HistoryEntry::WORDS;
        entry.text = preferences.value("text").toString();
        entry.options.searchFlags = preferences.value("flags", 0).toInt();
        entry.options.commonFilter = preferences.value("common", 0).toInt();
        entry.options.limit = preferences.value("limit", -1).toInt();
        const QStringList partsOfSpeech =
            preferences.value("partsOfSpeech").toString().split(' ', Qt::SkipEmptyParts);
        for (const QString& abbreviation : partsOfSpeech)
            entry.options.partsOfSpeech.push_back(abbreviation.toStdString());
        entry.options.matchAllPartsOfSpeech =
            preferences.value("matchAllPartsOfSpeech", false).toBool();
        entry.ownOptions = preferences.value("ownOptions", false).toBool();
        entries.push_back(entry);
    }
    preferences.endArray();
    if (count() > KEPT)
        entries.erase(entries.begin(), entries.begin() + (count() - KEPT));
    cursor = count();
    emit changed();
}

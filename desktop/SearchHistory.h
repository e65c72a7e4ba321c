// The searches a user started, oldest first, with a cursor for Back and
// Forward: word searches keep their text and options, kanji searches the
// characters looked up. Searches made while typing, or while picking
// radicals one by one, are provisional: the next such search replaces them
// instead of piling up one entry per keystroke. The history keeps the last
// 100 searches and saves itself in the preferences group "history".
#ifndef DEXARU_DESKTOP_SEARCHHISTORY_H
#define DEXARU_DESKTOP_SEARCHHISTORY_H

#include "WordDictionary.h"

#include <QMetaType>
#include <QObject>
#include <QString>

#include <vector>

class QSettings;

struct HistoryEntry
{
    enum Kind
    {
        WORDS,  // a word search: text and options
        KANJI  // a kanji search: text holds the characters, options are unused
    };

    Kind kind = WORDS;
    QString text;
    WordDictionary::SearchOptions options;
    bool provisional = false;
    // A word search that brought its own options (those of the kanji
    // table's menu) instead of the option boxes': going back to it leaves
    // the boxes and the search box as they are.
    bool ownOptions = false;

    // Same kind, text and options; provisional or not does not matter.
    bool sameSearch(const HistoryEntry& other) const;
    // The line the History menu shows.
    QString label() const;
};

Q_DECLARE_METATYPE(HistoryEntry)

class SearchHistory : public QObject
{
    Q_OBJECT

public:
    static const int KEPT = 100;

    explicit SearchHistory(QObject* parent = nullptr);

    // Adds a search the user started and makes it current. The same search
    // as the current one adds nothing. A provisional newest entry of the same
    // kind is replaced when the new search continues it (kanji searches
    // when the new one is provisional too; word searches, provisional or
    // not, when the texts agree but for the last character of the shorter
    // one).
    void record(const HistoryEntry& entry);
    // Moves the cursor and returns the entry to re-run; null when there is
    // none. The pointer lives until the history next changes.
    const HistoryEntry* back();
    const HistoryEntry* forward();
    const HistoryEntry* goTo(int index);
    bool canGoBack() const;
    bool canGoForward() const;

    int count() const;
    const HistoryEntry& at(int index) const;
    // The index of the current entry; count() before any search of this run.
    int current() const;
    void clear();

    // The group "history" of the preferences: entries oldest first.
    void save(QSettings& preferences) const;
    void load(QSettings& preferences);

signals:
    // Entries or the cursor changed.
    void changed();

private:
    std::vector<HistoryEntry> entries;
    int cursor;
};

#endif

// How a word dictionary came through its load, in words for the user: ready,
// failed (with the reason), or loaded but most likely no EDICT dictionary
// (a file chosen by mistake, whose lines would turn into nonsense words).
// The main window marks the dictionary's row with it and announces it in
// the status bar.
#ifndef DEXARU_DESKTOP_DICTIONARYSTATUS_H
#define DEXARU_DESKTOP_DICTIONARYSTATUS_H

#include <QString>

class QListWidgetItem;
class WordDictionary;

class DictionaryStatus
{
public:
    enum State
    {
        READY,
        FAILED,
        SUSPICIOUS  // loaded, but the file does not look like EDICT
    };

    // Looks at the dictionary's load status and, once loaded, at the first
    // lines of its file. A dictionary switched off and not loaded yet (it
    // is loaded when switched on) counts as ready.
    static DictionaryStatus of(WordDictionary* dictionary);

    // A warning icon, a dark red text and the reason as tool tip for a
    // failed or suspicious dictionary; none of them for a ready one.
    void markRow(QListWidgetItem* row) const;
    // The status bar's sentence after the dictionary was added.
    QString announcement() const;

    State state;
    QString name;
    QString reason;  // empty when ready
};

#endif

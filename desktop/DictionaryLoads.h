// Dictionaries loaded on worker threads while the window answers (those the
// user adds, and at the program's start the saved ones), handed on in the
// order they were added, whatever order their loads end in: the list, the
// numbering of equal names ("edict (2)") and the saved preferences keep the
// user's order. Until its turn comes, each dictionary has a row of its own
// at the end of the dictionary list, greyed and not switchable, which the
// preferences save like any other, so that a dictionary still loading when
// the program quits comes back at the next start. The list is borrowed; a
// dictionary belongs to this object until `loaded` hands it on, and one
// never handed on is deleted with it.
#ifndef DEXARU_DESKTOP_DICTIONARYLOADS_H
#define DEXARU_DESKTOP_DICTIONARYLOADS_H

#include "MetaTypes.h"

#include <QObject>
#include <QPointer>

#include <deque>

class QListWidget;
class QThread;

class DictionaryLoads : public QObject
{
    Q_OBJECT

public:
    explicit DictionaryLoads(QListWidget* list, QObject* parent = nullptr);
    // Waits for the loads under way: their threads use the dictionaries.
    ~DictionaryLoads() override;
    DictionaryLoads(const DictionaryLoads&) = delete;
    DictionaryLoads& operator=(const DictionaryLoads&) = delete;

    // Takes the dictionary, gives it its row and starts its load; a
    // disabled one is not loaded (the core loads it once enabled).
    void add(WordDictionary* dictionary);
    // Waits for every load under way and hands every dictionary on: a
    // search must find the words of every dictionary the list shows.
    void finishAll();
    // Is the dictionary still waiting for its load or its turn?
    bool isWaiting(const WordDictionary* dictionary) const;

signals:
    // A dictionary whose load was tried, in the order of adding; the
    // receiver takes it. Its placeholder row is still in the list, to be
    // replaced by the dictionary's own.
    void loaded(WordDictionary* dictionary);
    // A load ended, in whatever order (the dictionary is not handed on yet).
    void loadEnded(WordDictionary* dictionary);

private:
    struct Waiting
    {
        WordDictionary* dictionary;
        QPointer<QThread> thread;  // null when nothing is loaded
        bool ready;  // loaded, or not to be loaded: waiting only for its turn
    };

    std::deque<Waiting>::iterator find(const WordDictionary* dictionary);
    void handOnInOrder();

    QListWidget* list;
    std::deque<Waiting> waiting;  // in the order of adding
};

#endif

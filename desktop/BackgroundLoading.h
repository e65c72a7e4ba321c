// Loading library objects without freezing the window. A job loads objects
// that nothing else can see yet on a worker thread (the library objects are
// not thread-safe), then hands them back on the thread of its receiver,
// which is the first to use them. Also the words that explain a failed load.
#ifndef DEXARU_DESKTOP_BACKGROUNDLOADING_H
#define DEXARU_DESKTOP_BACKGROUNDLOADING_H

#include <QString>

#include <functional>

class Loadable;
class QObject;
class QThread;
class WordDictionary;

namespace backgroundloading {

// Runs work() on a new thread, then done() in the receiver's thread once
// work() has returned. work() must touch nothing the receiver's thread
// uses meanwhile. Without a receiver any more, done() is not run. Returns
// the thread, which deletes itself once done() is queued.
QThread* run(QObject* receiver, std::function<void()> work, std::function<void()> done);

// Waits until the work of every job has returned. The owner of the library
// objects that jobs touch calls it, from the thread that made the jobs,
// before deleting them.
void waitForAll();

// Loads the object as a collection's load loop would, marking it loaded on
// success, so that the collection later skips it. Returns load()'s status.
int load(Loadable* loadable);

// Why a word dictionary that is not loaded could not be loaded, as one
// sentence for its tool tip.
QString failureReason(WordDictionary* dictionary);

}  // namespace backgroundloading

#endif

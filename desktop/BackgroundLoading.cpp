#include "BackgroundLoading.h"

#include "Loadable.h"
#include "WordDictionary.h"

#include <QFile>
#include <QFileInfo>
#include <QObject>
#include <QThread>

#include <mutex>
#include <set>

namespace backgroundloading {

namespace {

// The jobs whose work has not returned yet. A thread object is deleted on
// the thread that made it, after its work has returned, so every thread
// listed here is alive for whoever waits on that thread.
std::mutex runningMutex;
std::set<QThread*> running;

}  // namespace

QThread* run(QObject* receiver, std::function<void()> work, std::function<void()> done)
{
    QThread* thread = QThread::create(std::move(work));
    {
        std::lock_guard<std::mutex> lock(runningMutex);
        running.insert(thread);
    }
    // Direct: in the worker, as its work returns.
    QObject::connect(thread, &QThread::finished, [thread] {
        std::lock_guard<std::mutex> lock(runningMutex);
        running.erase(thread);
    });
    // Queued to the receiver's thread; dropped with the receiver.
    QObject::connect(thread, &QThread::finished, receiver, std::move(done), Qt::QueuedConnection);
    QObject::connect(thread, &QThread::finished, thread, &QObject::deleteLater);
    thread->start();
    return thread;
}

void waitForAll()
{
    for (;;) {
        QThread* thread = nullptr;
        {
            std::lock_guard<std::mutex> lock(runningMutex);
            if (running.empty())
                return;
            thread = *running.begin();
        }
        thread->wait();
        std::lock_guard<std::mutex> lock(runningMutex);
        running.erase(thread);
    }
}

int load(Loadable* loadable)
{
    loadable->isLoading = true;
    loadable->percentDone = 0;
    const int status = loadable->load();
    loadable->isLoading = false;
    if (status == 0) {
        loadable->isLoaded = true;
        loadable->percentDone = 100;
    }
    return status;
}

QString failureReason(WordDictionary* dictionary)
{
    const QString name = QFile::decodeName(dictionary->getFilename().c_str());
    if (name.isEmpty())
        return QObject::tr("No file was chosen for this dictionary.");
    const QFileInfo file(name);
    if (!file.exists())
        return QObject::tr("The file \"%1\" does not exist.").arg(name);
    if (!file.isFile() || !file.isReadable())
        return QObject::tr("The file \"%1\" cannot be read.").arg(name);
    return QObject::tr("The file \"%1\" could not be read as an EDICT dictionary.").arg(name);
}

}  // namespace backgroundloading

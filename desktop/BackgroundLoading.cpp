#include "BackgroundLoading.h"

#include "Loadable.h"
#include "WordDictionary.h"

#include <QFile>
#include <QFileInfo>
#include <QObject>
#include <QThread>

namespace backgroundloading {

QThread* run(QObject* receiver, std::function<void()> work, std::function<void()> done)
{
    QThread* thread = QThread::create(std::move(work));
    // Queued to the receiver's thread; dropped with the receiver.
    QObject::connect(thread, &QThread::finished, receiver, std::move(done), Qt::QueuedConnection);
    QObject::connect(thread, &QThread::finished, thread, &QObject::deleteLater);
    thread->start();
    return thread;
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

#include "DictionaryStatus.h"

#include "BackgroundLoading.h"
#include "EdictFileCheck.h"
#include "WordDictionary.h"

#include <QApplication>
#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QListWidgetItem>
#include <QObject>
#include <QStyle>

namespace {

QString suspicionInFile(const std::string& filename)
{
    const EdictFileCheck check = EdictFileCheck::ofFile(filename);
    if (!check.opened || check.looksLikeEdict()) {
        return QString();
    }
    const QString file = QFile::decodeName(filename.c_str());
    const QString lines = QObject::tr("%1 of its first %2 lines are no EDICT entries")
                              .arg(check.linesRead - check.entryLines)
                              .arg(check.linesRead);
    if (!check.header) {
        return QObject::tr(
                   "The file \"%1\" does not look like an EDICT dictionary: it has no "
                   "EDICT header line, and %2.")
            .arg(file, lines);
    }
    return QObject::tr("The file \"%1\" does not look like an EDICT dictionary: %2.")
        .arg(file, lines);
}

// The suspicion of a file read once for as long as the file stays as it was:
// a dictionary's row is marked again at each switch on or off, and a newly
// loaded one both marks its row and is announced, each reading up to a
// thousand lines on the window's thread.
QString suspicionOf(const std::string& filename)
{
    struct Checked
    {
        qint64 size;
        QDateTime modified;
        QString suspicion;
    };
    static QHash<QString, Checked> checked;
    const QFileInfo file(QFile::decodeName(filename.c_str()));
    const qint64 size = file.size();
    const QDateTime modified = file.lastModified();
    const auto known = checked.constFind(file.absoluteFilePath());
    if (known != checked.constEnd() && known->size == size && known->modified == modified) {
        return known->suspicion;
    }
    const QString suspicion = suspicionInFile(filename);
    checked.insert(file.absoluteFilePath(), Checked{size, modified, suspicion});
    return suspicion;
}

}  // namespace

DictionaryStatus DictionaryStatus::of(WordDictionary* dictionary)
{
    DictionaryStatus status;
    status.name = QString::fromStdString(dictionary->getName());
    // A dictionary switched off is loaded once switched on: until then
    // nothing is known against it.
    if (!dictionary->isLoaded && !dictionary->isEnabled()) {
        status.state = READY;
        return status;
    }
    if (!dictionary->isLoaded) {
        status.state = FAILED;
        status.reason = backgroundloading::failureReason(dictionary);
        return status;
    }
    status.reason = suspicionOf(dictionary->getFilename());
    status.state = status.reason.isEmpty() ? READY : SUSPICIOUS;
    return status;
}

void DictionaryStatus::markRow(QListWidgetItem* row) const
{
    const bool marked = state != READY;
    row->setIcon(marked ? QApplication::style()->standardIcon(QStyle::SP_MessageBoxWarning)
                        : QIcon());
    row->setData(Qt::ForegroundRole, marked ? QVariant(QColor(160, 0, 0)) : QVariant());
    if (state == FAILED) {
        row->setToolTip(QObject::tr("This dictionary could not be loaded. %1").arg(reason));
    } else {
        row->setToolTip(reason);
    }
}

QString DictionaryStatus::announcement() const
{
    switch (state) {
    case FAILED:
        return QObject::tr("The dictionary \"%1\" could not be loaded. %2").arg(name, reason);
    case SUSPICIOUS:
        return QObject::tr("The dictionary \"%1\" was loaded, but it may be no dictionary. %2")
            .arg(name, reason);
    default: return QObject::tr("The dictionary \"%1\" is ready.").arg(name);
    }
}

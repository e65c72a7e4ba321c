// Fixture files for the desktop tests: a temporary directory that removes
// itself and can become the working directory for the duration of a test,
// with text written as UTF-8 or converted to EUC-JP like the real data files.
#ifndef DEXARU_DESKTOP_FIXTUREFILES_H
#define DEXARU_DESKTOP_FIXTUREFILES_H

#include "Encoding.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <memory>
#include <string>

namespace fixtures {

// The EUC-JP bytes of a UTF-8 text; empty when it has characters EUC-JP lacks.
inline QByteArray euc(const QByteArray& utf8)
{
    char* converted = nullptr;
    int size = 0;
    QByteArray copy = utf8;
    if (Encoding::convert("UTF-8", copy.data(), copy.size(), "EUC-JP", &converted, &size) != 0) {
        return QByteArray();
    }
    std::unique_ptr<char[]> owned(converted);
    return QByteArray(converted, size);
}

class FixtureDir
{
public:
    // Writes the bytes into a file of the directory and returns its path.
    std::string write(const QString& name, const QByteArray& bytes) const
    {
        QFile file(dir.filePath(name));
        if (file.open(QIODevice::WriteOnly)) {
            file.write(bytes);
        }
        return QFile::encodeName(file.fileName()).toStdString();
    }

    QString path() const { return dir.path(); }

private:
    QTemporaryDir dir;
};

// Makes a directory the working directory until the scope ends.
class WorkingDirectory
{
public:
    explicit WorkingDirectory(const QString& path)
        : previous(QDir::currentPath())
    {
        QDir::setCurrent(path);
    }
    ~WorkingDirectory() { QDir::setCurrent(previous); }

    WorkingDirectory(const WorkingDirectory&) = delete;
    WorkingDirectory& operator=(const WorkingDirectory&) = delete;

private:
    QString previous;
};

} // namespace fixtures

#endif

// The desktop program as main() assembles it, working in a fixture directory:
// window and core wired together and the parts of speech loaded. The data
// files a test needs are written into the directory first.
#ifndef DEXARU_DESKTOP_DESKTOPPROGRAM_H
#define DEXARU_DESKTOP_DESKTOPPROGRAM_H

#include "Core.h"
#include "Edict.h"
#include "FixtureFiles.h"
#include "MainWindow.h"
#include "MetaTypes.h"
#include "Startup.h"

#include <QFile>
#include <QListWidget>

namespace fixtures {

inline const QByteArray EDICT_TEXT =
    "猫 [ねこ] /(n) cat/(P)/\n"
    "子猫 [こねこ] /(n) kitten/\n"
    "犬 [いぬ] /(n) dog/(P)/\n"
    "行く [いく] /(v5k-s) to go/(P)/\n";

// The real parts-of-speech file and an EDICT file "edict", as the program finds them.
inline void writeDataFiles(const FixtureDir& dir)
{
    QFile partsOfSpeech(DEXARU_SOURCE_DIR "/data/partsofspeech.drx");
    partsOfSpeech.open(QIODevice::ReadOnly);
    dir.write("partsofspeech.drx", partsOfSpeech.readAll());
    dir.write("edict", euc(EDICT_TEXT));
}

class DesktopProgram
{
public:
    explicit DesktopProgram(const QString& directory)
        : inside(directory)
    {
        registerMetaTypes();
        connectWindowAndCore(&window, &core);
        core.load();
    }

    template <typename Widget>
    Widget* find(const char* name)
    {
        return window.findChild<Widget*>(QString::fromUtf8(name));
    }

    // Adds an Edict of the fixture file "edict" as the add-dictionary dialog does.
    WordDictionary* addDictionary(const std::string& name, bool enabled = true)
    {
        auto* edict = new Edict;
        edict->setName(name);
        edict->setFilename("edict");
        if (!enabled)
            edict->disable();
        emit window.wordDictionaryAdded(edict);
        return edict;
    }

    QStringList dictionaryRows()
    {
        QStringList rows;
        auto* list = find<QListWidget>("dictionaryList");
        for (int row = 0; row < list->count(); ++row) {
            const bool checked = list->item(row)->checkState() == Qt::Checked;
            rows << list->item(row)->text() + (checked ? " [x]" : " [ ]");
        }
        return rows;
    }

    WorkingDirectory inside;
    MainWindow window;
    Core core;
};

// A fixture directory holding the data files.
struct DataFilesDir
{
    DataFilesDir() { writeDataFiles(dir); }

    FixtureDir dir;
};

// The program working in a fixture directory of its own that holds the data
// files, with the fixture dictionary "edict" added.
class ProgramWithEdict : public DataFilesDir, public DesktopProgram
{
public:
    ProgramWithEdict()
        : DesktopProgram(dir.path())
    {
        addDictionary("edict");
    }
};

} // namespace fixtures

#endif

// dexaru-desktop: the window appears as soon as it is built; the saved word
// dictionaries, the kanji dictionary and the radical tables are read on
// worker threads meanwhile (a search waits for the word dictionaries).
#include "Core.h"
#include "Log.h"
#include "MainWindow.h"
#include "MetaTypes.h"
#include "Startup.h"

#include <QApplication>
#include <QListWidget>
#include <QStatusBar>

int main(int argc, char* argv[])
{
    QApplication application(argc, argv);
    registerMetaTypes();

    MainWindow window;
    Core core;
    connectWindowAndCore(&window, &core);
    core.load();
    window.loadSavedDictionariesInBackground();
    window.readSettings();
    showWindowNow(&window);
    Log::write(7, "%s: The window is shown.", "main");
    window.statusBar()->showMessage(
        QObject::tr("Loading the kanji dictionary and the radicals..."));
    addCharacterDataInBackground(&core, [&window] {
        window.statusBar()->clearMessage();
        Log::write(7, "%s: The kanji dictionary and the radical list are ready.", "main");
        // Says at a glance whether a radical file was found at all.
        if (const auto* radicals = window.findChild<QListWidget*>("radicalList"))
            Log::write(7, "%s: The radical list holds %d radicals.", "main", radicals->count());
    });
    return application.exec();
}

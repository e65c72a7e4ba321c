// dexaru-desktop: the window appears once the word dictionaries are loaded;
// the kanji dictionary and the radical tables are read after that, on
// worker threads, while the window already answers.
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

// The desktop program assembled as main() does it, for the benchmarks that
// drive its main window: the runtime folder as working folder, the three
// word dictionaries of a first start (the names one off), the window shown
// offscreen and the character data added. Built once on first use and never
// destroyed, so that the benchmarks of a program share it. Their main()
// runs them in an offscreen application.
#ifndef DEXARU_BENCH_DESKTOPPROGRAM_H
#define DEXARU_BENCH_DESKTOPPROGRAM_H

#include "Core.h"
#include "Edict.h"
#include "MainWindow.h"
#include "MetaTypes.h"
#include "Startup.h"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QDir>

namespace desktopprogram {

struct Program
{
    Program()
    {
        QDir::setCurrent(DEXARU_RUNTIME_DIR);
        registerMetaTypes();
        connectWindowAndCore(&window, &core);
        core.load();
        const char* const dictionaries[][3] = {
            {"The usual edict", "dictionaries/edict/edict", "1"},
            {"Computer terms", "dictionaries/edict/compdic", "1"},
            {"Names", "dictionaries/edict/enamdict", "0"},
        };
        for (const auto& [name, file, enabled] : dictionaries) {
            auto* edict = new Edict;
            edict->setName(name);
            edict->setFilename(file);
            if (*enabled == '0')
                edict->disable();
            emit window.wordDictionaryAdded(edict);
        }
        showWindowNow(&window);
        addCharacterData(&core);
    }

    MainWindow window;
    Core core;
};

inline Program& program()
{
    static Program* assembled = new Program;
    return *assembled;
}

// The whole of main(): the benchmarks run in an application on the offscreen
// platform unless QT_QPA_PLATFORM names another.
inline int runBenchmarks(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}

}  // namespace desktopprogram

#endif

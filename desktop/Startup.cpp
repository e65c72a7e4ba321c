#include "Startup.h"

#include "BackgroundLoading.h"
#include "Core.h"
#include "HandwritingPanel.h"
#include "Kanjidic.h"
#include "LearnerTools.h"
#include "MainWindow.h"
#include "RadicalTable.h"
#include "ReaderPanel.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QStatusBar>
#include <QThread>
#include <QWindow>

#include <memory>

void connectWindowAndCore(MainWindow* window, Core* core)
{
    QObject::connect(core, &Core::dictionaryAdded, window, &MainWindow::addWordDictionary);
    QObject::connect(core, &Core::dictionaryRemoved, window, &MainWindow::removeWordDictionary);
    QObject::connect(window, &MainWindow::wordDictionaryAdded, core, &Core::addWordDictionary);
    QObject::connect(window, &MainWindow::wordDictionaryRemoved, core, &Core::removeWordDictionary);
    QObject::connect(core, &Core::radicalTableAdded, window, &MainWindow::addRadicals);
    QObject::connect(core, &Core::partOfSpeechAdded, window, &MainWindow::addPartOfSpeechToList);
    QObject::connect(core, &Core::resultFound, window, &MainWindow::showWordResult);
    QObject::connect(core, &Core::characterResultFound, window, &MainWindow::showCharacterResult);
    QObject::connect(window, &MainWindow::search, core, &Core::search);
    QObject::connect(window, &MainWindow::searchForKanji, core, &Core::searchForKanji);
    QObject::connect(window, &MainWindow::dictionaryEnabled, core, &Core::enableDictionary);
    QObject::connect(window, &MainWindow::dictionaryDisabled, core, &Core::disableDictionary);
    QObject::connect(window, &MainWindow::relevanceOrderChanged, core, &Core::setRelevanceOrder);
    QObject::connect(window, &MainWindow::searchTextTyped, core, &Core::setTypedText);
    // The status line that the result set ("Found 3 results") says which
    // other spellings were searched too.
    QObject::connect(core, &Core::alsoSearched, window, [window](const QStringList& spellings) {
        if (spellings.isEmpty())
            return;
        QStatusBar* status = window->statusBar();
        status->showMessage(QObject::tr("%1 (also searched: %2)")
                                .arg(status->currentMessage(), spellings.join(QStringLiteral(", "))));
    });
    window->learnerTools->reader()->setReader(core->textReader());
    window->handwritingPanel->setCharacterDictionaries(core->characterDictionaries);
}

void showWindowNow(MainWindow* window)
{
    window->show();
    // The window system maps the window asynchronously; wait a little for
    // it, never long, since a hidden desktop may never expose the window.
    const int longestWaitMs = 500;
    QElapsedTimer waited;
    waited.start();
    QWindow* handle = window->windowHandle();
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    while (handle && !handle->isExposed() && waited.elapsed() < longestWaitMs) {
        QThread::msleep(1);
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    }
}

namespace {

Kanjidic* newKanjidic()
{
    auto* kanjidic = new Kanjidic;
    kanjidic->setName("The usual Kanjidic");
    kanjidic->setFilename("dictionaries/kanjidic/kanjidic.jis-x-0208-1990");
    return kanjidic;
}

RadicalTable* newRadicalTable()
{
    auto* radicalTable = new RadicalTable;
    radicalTable->addFilename("dictionaries/radical/radkfile");
    radicalTable->addFilename("dictionaries/radical/radkfile2");
    return radicalTable;
}

}  // namespace

void addCharacterData(Core* core)
{
    core->addCharacterDictionary(newKanjidic());
    core->addRadicalTable(newRadicalTable());
}

void addCharacterDataInBackground(Core* core, std::function<void()> ready)
{
    // Two workers, one per object: neither object is seen by the core, nor
    // by anything else, until its worker is done.
    auto* kanjidic = newKanjidic();
    auto* radicalTable = newRadicalTable();
    auto waiting = std::make_shared<int>(2);
    const auto oneDone = [waiting, ready] {
        if (--*waiting == 0 && ready)
            ready();
    };
    backgroundloading::run(
        core, [kanjidic] { backgroundloading::load(kanjidic); },
        [core, kanjidic, oneDone] {
            core->addCharacterDictionary(kanjidic);
            oneDone();
        });
    backgroundloading::run(
        core, [radicalTable] { radicalTable->load(); },
        [core, radicalTable, oneDone] {
            core->addLoadedRadicalTable(radicalTable);
            oneDone();
        });
}

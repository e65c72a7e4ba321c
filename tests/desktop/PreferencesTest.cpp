// "preferences.ini": what closing the window saves comes back in the next
// window built from the same file, a missing file gives the defaults, and
// the launcher's first run writes preferences that list the dictionaries.
#include "DesktopProgram.h"

#include "AddDictionary.h"
#include "DictionaryLoads.h"
#include "QRadicalList.h"
#include "Settings.h"
#include "WordDictionaryCollection.h"

#include <QApplication>
#include <QCheckBox>
#include <QPlainTextEdit>
#include <QProcess>
#include <QPushButton>
#include <QSettings>
#include <QSpinBox>
#include <QSignalSpy>
#include <QStatusBar>
#include <QTest>

#include <chrono>
#include <cstdlib>
#include <thread>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

using fixtures::DesktopProgram;

namespace {

// The settings dialog of the one window alive: a top-level window of its own.
Settings* settingsDialog()
{
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (auto* settings = qobject_cast<Settings*>(widget))
            return settings;
    }
    return nullptr;
}

// What the preferences keep, as a user would describe the window.
QStringList keptState(DesktopProgram& program)
{
    QStringList state = program.dictionaryRows();
    for (QCheckBox* box : program.window.findChildren<QCheckBox*>()) {
        if (box->isChecked())
            state << box->objectName();
    }
    const Settings* settings = settingsDialog();
    state << "limit " + program.find<QPlainTextEdit>("limitText")->toPlainText()
          << QString("IME %1").arg(program.find<QPushButton>("imeButton")->isChecked() ? "on" : "off")
          << QString("instant search %1").arg(program.find<QRadicalList>("radicalList")->searchOnSelect ? "on" : "off");
    for (const QFont* font : {&settings->characterFont, &settings->wordFont, &settings->generalFont})
        state << QString("%1 %2 pt").arg(font->family()).arg(font->pointSize());
    state << QString("radicals %1 pt, list %2 pt")
                 .arg(settings->radicalFont.pointSize())
                 .arg(program.find<QRadicalList>("radicalList")->font().pointSize());
    return state;
}

// The add-dictionary dialog of the one window alive, opened as the menu does.
AddDictionary* addDictionaryDialog(MainWindow& window)
{
    window.findChild<QAction*>("actionAdd_dictionary")->trigger();
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (auto* dialog = qobject_cast<AddDictionary*>(widget))
            return dialog;
    }
    return nullptr;
}

// A dictionary file whose load waits, in its open, until release() gives it
// the fixture text: a FIFO, which a loader opens only once a writer has.
class SlowFile
{
public:
    SlowFile(const fixtures::FixtureDir& dir, const QString& name)
        : path(QFile::encodeName(dir.path() + "/" + name))
    {
        mkfifo(path.constData(), 0600);
    }
    void release()
    {
        const int writer = open(path.constData(), O_WRONLY);
        const QByteArray text = fixtures::euc(fixtures::EDICT_TEXT);
        QVERIFY(write(writer, text.constData(), text.size()) == text.size());
        close(writer);
    }
    // From now on a plain file of the fixture text.
    void makePlain()
    {
        unlink(path.constData());
        QFile file(QFile::decodeName(path));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(fixtures::euc(fixtures::EDICT_TEXT));
    }

    QByteArray path;
};

// The names and files of the saved word dictionaries, in saved order.
QStringList savedDictionaries(const QString& directory)
{
    QSettings written(directory + "/preferences.ini", QSettings::IniFormat);
    written.beginGroup("dictionaries/word");
    QStringList saved;
    for (int row = 0; row < written.childGroups().size(); ++row)
        saved << written.value(QString("%1/name").arg(row)).toString() + " <"
                     + written.value(QString("%1/filename").arg(row)).toString() + ">";
    return saved;
}

}  // namespace

class PreferencesTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { registerMetaTypes(); }

    void closingSavesWhatTheNextWindowRestores()
    {
        fixtures::FixtureDir dir;
        fixtures::writeDataFiles(dir);
        QStringList saved;
        {
            DesktopProgram first(dir.path());
            first.window.readSettings();
            first.addDictionary("辞書");
            first.addDictionary("Computer terms", false);
            for (const char* name : {"allowWildcards", "fuzzySearch", "showRomaji"})
                first.find<QCheckBox>(name)->toggle();
            first.find<QPlainTextEdit>("limitText")->setPlainText("50");
            first.find<QPlainTextEdit>("searchText")->setPlainText("inu");
            first.find<QPushButton>("imeButton")->setChecked(true);
            first.find<QRadicalList>("radicalList")->setSearchOnSelect(true);
            QFont wordFont("Noto Sans CJK JP", 20);
            settingsDialog()->setWordFont(wordFont);
            settingsDialog()->setCharacterFontSize(30);
            settingsDialog()->setGeneralFontSize(14);
            settingsDialog()->findChild<QSpinBox*>("radicalFontSize")->setValue(24);
            saved = keptState(first);
            QVERIFY(first.window.close());
        }
        QVERIFY(saved.contains("Noto Sans CJK JP 20 pt") && saved.contains("radicals 24 pt, list 24 pt"));

        DesktopProgram second(dir.path());
        second.window.readSettings();
        QCOMPARE(keptState(second), saved);
        QCOMPARE(second.find<QPlainTextEdit>("searchText")->toPlainText(), QString("かわ*"));
        // The enabled dictionary is loaded; the disabled one once it is enabled.
        WordDictionary* disabled = second.core.wordDictionaries->getDictionaryByName("Computer terms");
        QVERIFY(!disabled->isEnabled() && !disabled->isLoaded);
        QVERIFY(second.core.wordDictionaries->getDictionaryByName("辞書")->isLoaded);
        second.find<QListWidget>("dictionaryList")->item(1)->setCheckState(Qt::Checked);
        QVERIFY(disabled->isEnabled() && disabled->isLoaded);
    }

    void missingFileGivesTheDefaultsAndClosingWritesIt()
    {
        fixtures::FixtureDir dir;
        fixtures::writeDataFiles(dir);
        DesktopProgram program(dir.path());
        program.window.readSettings();
        const QString family = QFont().family();
        QCOMPARE(keptState(program),
                 QStringList({"allowWildcards", "romajiToKana", "ignoreCase", "searchInWord", "searchInKana",
                              "allowLimit", "limit 200", "IME off", "instant search off", family + " 42 pt",
                              family + " 16 pt", family + " 10 pt", "radicals 32 pt, list 32 pt"}));

        QVERIFY(program.window.close());
        QSettings written(dir.path() + "/preferences.ini", QSettings::IniFormat);
        QCOMPARE(written.value("settings/check/allowWildcards").toInt(), 1);
        QCOMPARE(written.value("settings/text/limitText").toString(), QString("200"));
        QCOMPARE(written.value("fonts/characterFontSize").toInt(), 42);
        QVERIFY(written.contains("window/splitters/resultSplitter/state"));
        QVERIFY(!written.contains("settings/text/searchText"));
    }

    void dictionariesKeepTheirOrderAndAreRenumberedAfterARemoval()
    {
        fixtures::FixtureDir dir;
        fixtures::writeDataFiles(dir);
        QStringList expected;
        {
            DesktopProgram first(dir.path());
            std::vector<WordDictionary*> added;
            for (int number = 0; number < 12; ++number)
                added.push_back(first.addDictionary("dictionary " + std::to_string(number), number % 3 != 0));
            emit first.window.wordDictionaryRemoved(added[1]);
            expected = first.dictionaryRows();
            QVERIFY(first.window.close());
        }
        QSettings written(dir.path() + "/preferences.ini", QSettings::IniFormat);
        written.beginGroup("dictionaries/word");
        QCOMPARE(written.childGroups().size(), 11);
        QCOMPARE(written.value("1/name").toString(), QString("dictionary 2"));
        QCOMPARE(written.value("10/name").toString(), QString("dictionary 11"));
        QVERIFY(!written.contains("11/name"));

        DesktopProgram second(dir.path());
        second.window.readSettings();
        QCOMPARE(second.dictionaryRows(), expected);
    }

    // Two dictionaries added in one turn of the event loop, the first one's
    // load ending last: the list, the numbering of the equal names, the
    // check marks and the saved order follow the order of adding. A
    // dictionary still loading when the window closes is saved all the same
    // and comes back at the next start.
    void dictionariesAddedTogetherKeepTheirOrderAndSurviveQuittingWhileLoading()
    {
        fixtures::FixtureDir dir;
        fixtures::writeDataFiles(dir);
        SlowFile slowFile(dir, "slow");
        SlowFile namesFile(dir, "names");
        {
            DesktopProgram first(dir.path());
            first.window.readSettings();
            auto* loads = first.window.findChild<DictionaryLoads*>("dictionaryLoads");
            QVERIFY(loads != nullptr);
            QSignalSpy ended(loads, &DictionaryLoads::loadEnded);
            const auto newEdict = [](const char* name, const char* file) {
                auto* edict = new Edict;
                edict->setName(name);
                edict->setFilename(file);
                return edict;
            };
            Edict* slow = newEdict("edict", "slow");
            Edict* quick = newEdict("edict", "edict");
            emit addDictionaryDialog(first.window)->loadedDictionary(slow);
            emit addDictionaryDialog(first.window)->loadedDictionary(quick);
            QTRY_COMPARE(ended.count(), 1);
            QCOMPARE(ended[0][0].value<WordDictionary*>(), static_cast<WordDictionary*>(quick));
            // Still waiting for the first: listed, not switchable, not yet in the core.
            QCOMPARE(first.dictionaryRows(), QStringList({"edict [x]", "edict [x]"}));
            QVERIFY(first.core.wordDictionaries->dictionaries.empty());
            auto* list = first.find<QListWidget>("dictionaryList");
            QVERIFY(!(list->item(0)->flags() & Qt::ItemIsUserCheckable));

            slowFile.release();
            QTRY_COMPARE(first.core.wordDictionaries->dictionaries.size(), size_t(2));
            QCOMPARE(first.dictionaryRows(), QStringList({"edict [x]", "edict (2) [x]"}));
            QCOMPARE(list->item(0)->data(Qt::UserRole).value<WordDictionary*>(),
                     static_cast<WordDictionary*>(slow));
            list->item(1)->setCheckState(Qt::Unchecked);
            QVERIFY(slow->isEnabled() && !quick->isEnabled());

            emit addDictionaryDialog(first.window)->loadedDictionary(newEdict("Names", "names"));
            QCOMPARE(first.dictionaryRows(), QStringList({"edict [x]", "edict (2) [ ]", "Names [x]"}));
            QVERIFY(first.window.close());
            QCOMPARE(savedDictionaries(dir.path()),
                     QStringList({"edict <slow>", "edict (2) <edict>", "Names <names>"}));
            namesFile.release();  // the program ends once the load under way has
        }
        slowFile.makePlain();
        namesFile.makePlain();
        DesktopProgram second(dir.path());
        second.window.readSettings();
        QCOMPARE(second.dictionaryRows(), QStringList({"edict [x]", "edict (2) [ ]", "Names [x]"}));
        QVERIFY(second.core.wordDictionaries->getDictionaryByName("Names")->isLoaded);
    }

    // At the program's start the saved dictionaries load while the window
    // shows: listed at once in saved order, handed to the core in that
    // order, the disabled one left unloaded, and a search started before
    // the loads end waits for them and finds the words of all.
    void savedDictionariesLoadWhileTheWindowShowsAndASearchWaitsForThem()
    {
        fixtures::FixtureDir dir;
        fixtures::writeDataFiles(dir);
        SlowFile slowFile(dir, "slow");
        {
            QSettings saved(dir.path() + "/preferences.ini", QSettings::IniFormat);
            const char* dictionaries[][3] = {{"A", "slow", "1"}, {"B", "edict", "1"}, {"Names", "edict", "0"}};
            for (int row = 0; row < 3; ++row) {
                const QString group = QString("dictionaries/word/%1/").arg(row);
                saved.setValue(group + "name", dictionaries[row][0]);
                saved.setValue(group + "filename", dictionaries[row][1]);
                saved.setValue(group + "enabled", dictionaries[row][2]);
            }
        }
        DesktopProgram program(dir.path());
        program.window.loadSavedDictionariesInBackground();
        program.window.readSettings();
        QCOMPARE(program.dictionaryRows(), QStringList({"A [x]", "B [x]", "Names [ ]"}));
        QVERIFY(program.core.wordDictionaries->dictionaries.empty());  // A waits for its file

        // The file comes while the search waits, on the window's thread.
        std::thread writer([path = slowFile.path] {
            std::this_thread::sleep_for(std::chrono::milliseconds(100));
            const int file = open(path.constData(), O_WRONLY);
            const QByteArray text = fixtures::euc(fixtures::EDICT_TEXT);
            const bool whole = write(file, text.constData(), text.size()) == text.size();
            close(file);
            if (!whole)
                std::abort();
        });
        std::vector<std::string> searched;  // the core's dictionaries as the search leaves
        QObject::connect(&program.window, &MainWindow::search, [&] {
            for (WordDictionary* dictionary : program.core.wordDictionaries->dictionaries) {
                if (dictionary->isLoaded)
                    searched.push_back(dictionary->getName());
            }
        });
        program.find<QCheckBox>("romajiToKana")->setChecked(true);
        program.find<QPlainTextEdit>("searchText")->setPlainText("neko");
        program.find<QPushButton>("searchButton")->click();
        writer.join();
        QCOMPARE(searched, (std::vector<std::string>{"A", "B"}));
        QCOMPARE(program.window.statusBar()->currentMessage(), QString("Found 1 results"));  // B's
        QCOMPARE(program.core.wordDictionaries->getDictionaryNames(),
                 (std::vector<std::string>{"A", "B", "Names"}));
        QVERIFY(!program.core.wordDictionaries->getDictionaryByName("Names")->isLoaded);
        QCOMPARE(program.dictionaryRows(), QStringList({"A [x]", "B [x]", "Names [ ]"}));
        auto* list = program.find<QListWidget>("dictionaryList");
        QVERIFY(list->item(2)->flags() & Qt::ItemIsUserCheckable);
        QVERIFY(list->item(2)->toolTip().isEmpty());
    }

    void launcherFirstRunListsTheDictionariesForTheWindow()
    {
        // The launcher as installed, pointing at a program folder of fixtures.
        const QString programDir = DEXARU_LAUNCHER_TEST_PROGRAM_DIR;
        QDir(programDir).removeRecursively();
        QVERIFY(QDir().mkpath(programDir + "/dictionaries/edict"));
        fixtures::FixtureDir dataSource;
        fixtures::writeDataFiles(dataSource);
        QVERIFY(QFile::copy(dataSource.path() + "/partsofspeech.drx", programDir + "/partsofspeech.drx"));
        for (const char* name : {"edict", "compdic", "enamdict"})
            QVERIFY(QFile::copy(dataSource.path() + "/edict", programDir + "/dictionaries/edict/" + name));
        QFile stub(programDir + "/dexaru-desktop");
        QVERIFY(stub.open(QIODevice::WriteOnly));
        stub.write("#!/bin/sh\npwd > started-in\n");
        stub.close();
        stub.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);

        fixtures::FixtureDir home;
        auto runLauncher = [&] {
            QProcess launcher;
            QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
            environment.insert("HOME", home.path());
            environment.insert("XDG_DATA_HOME", home.path() + "/data");
            launcher.setProcessEnvironment(environment);
            launcher.start(DEXARU_LAUNCHER_TEST, {});
            return launcher.waitForFinished() && launcher.exitStatus() == QProcess::NormalExit
                && launcher.exitCode() == 0;
        };
        QVERIFY(runLauncher());
        const QString userDir = home.path() + "/data/dexaru";
        QFile startedIn(userDir + "/started-in");
        QVERIFY(startedIn.open(QIODevice::ReadOnly));
        QCOMPARE(QDir(QString(startedIn.readAll()).trimmed()).canonicalPath(), QDir(userDir).canonicalPath());
        QCOMPARE(QFileInfo(userDir + "/dictionaries").symLinkTarget(), programDir + "/dictionaries");
        // The folder also keeps the study list: the user's alone, as when
        // dexaru2 creates it first.
        const QFile::Permissions ownerOnly = QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner;
        const QFile::Permissions others = QFile::ReadGroup | QFile::WriteGroup | QFile::ExeGroup
                                          | QFile::ReadOther | QFile::WriteOther | QFile::ExeOther;
        QCOMPARE(QFileInfo(userDir).permissions() & (ownerOnly | others), ownerOnly);

        {
            DesktopProgram program(userDir);
            program.window.readSettings();
            QCOMPARE(program.dictionaryRows(),
                     QStringList({"The usual edict [x]", "Computer terms [x]", "Names [ ]"}));
            // New users get results while they type; the form's default is off.
            QVERIFY(program.find<QCheckBox>("searchAsYouType")->isChecked());
            // and inflected words with the word meant first.
            for (const char* box : {"fuzzySearch", "relevanceOrder"})
                QVERIFY2(program.find<QCheckBox>(box)->isChecked(), box);
            // and a radical picker that searches at every click, its radicals
            // small enough for a dense grid.
            QVERIFY(program.find<QRadicalList>("radicalList")->searchOnSelect);
            QVERIFY(program.find<QCheckBox>("instantSearch")->isChecked());
            QCOMPARE(settingsDialog()->radicalFont.pointSize(), 16);
            // The disabled names dictionary (740,000 lines) waits until it is enabled.
            for (WordDictionary* dictionary : program.core.wordDictionaries->dictionaries)
                QCOMPARE(dictionary->isLoaded, dictionary->isEnabled());
            program.addDictionary("Added later");
            QVERIFY(program.window.close());
        }
        // Later starts keep the user's preferences.
        QVERIFY(runLauncher());
        QSettings kept(userDir + "/preferences.ini", QSettings::IniFormat);
        QCOMPARE(kept.value("dictionaries/word/3/name").toString(), QString("Added later"));
    }
};

QTEST_MAIN(PreferencesTest)
#include "PreferencesTest.moc"

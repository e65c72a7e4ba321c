// "preferences.ini": what closing the window saves comes back in the next
// window built from the same file, a missing file gives the defaults, and
// the launcher's first run writes preferences that list the dictionaries.
#include "DesktopProgram.h"

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
#include <QTest>

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
        QVERIFY(!second.core.wordDictionaries->getDictionaryByName("Computer terms")->isEnabled());
        for (WordDictionary* dictionary : second.core.wordDictionaries->dictionaries)
            QVERIFY(dictionary->isLoaded);
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
            for (WordDictionary* dictionary : program.core.wordDictionaries->dictionaries)
                QVERIFY(dictionary->isLoaded);
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

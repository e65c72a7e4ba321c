// The dialogs as the main window and a user drive them: font and colour
// settings, adding a dictionary, deleting one from the list, and About.
#include "About.h"
#include "AddDictionary.h"
#include "ManageDictionaries.h"
#include "Settings.h"

#include "Edict.h"

#include <QApplication>
#include <QColorDialog>
#include <QDialogButtonBox>
#include <QFontDialog>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTableWidget>
#include <QTest>

#include <functional>
#include <memory>

namespace {

template <typename Chooser>
Chooser* visibleChooser()
{
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (auto* chooser = qobject_cast<Chooser*>(widget); chooser != nullptr && chooser->isVisible()) {
            return chooser;
        }
    }
    return nullptr;
}

QFont fontOfSize(int points)
{
    QFont font;
    font.setPointSize(points);
    return font;
}

using SettingsChange = std::function<void(Settings&)>;

} // namespace

Q_DECLARE_METATYPE(SettingsChange)

class DialogsTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { registerMetaTypes(); }

    void settingsSetupShowsTheDefaults()
    {
        Settings settings;
        settings.characterFont = fontOfSize(42);
        settings.radicalFont = fontOfSize(32);
        settings.setup();
        QCOMPARE(settings.characterColor, QColor(0, 0, 255));
        QCOMPARE(settings.wordColor, QColor(0, 0, 0));
        QCOMPARE(settings.generalColor, QColor(0, 0, 0));
        QCOMPARE(settings.findChild<QSpinBox*>("characterFontSize")->value(), 42);
        QCOMPARE(settings.findChild<QSpinBox*>("radicalFontSize")->value(), 32);
        auto* name = settings.findChild<QLabel*>("characterFontName");
        QCOMPARE(name->text(), settings.characterFont.family());
        QCOMPARE(name->palette().color(QPalette::WindowText), QColor(0, 0, 255));
        QCOMPARE(settings.windowTitle(), QString("Dialog"));
    }

    void settingsSettersShowTheValueAndReportOnce_data()
    {
        QTest::addColumn<SettingsChange>("change");
        QTest::addColumn<QString>("box");
        QTest::addColumn<int>("shown");
        QTest::addColumn<SettingsChange>("check");
        auto size = [](QFont Settings::*font, int points) {
            return SettingsChange([=](Settings& s) { QCOMPARE((s.*font).pointSize(), points); });
        };
        QTest::newRow("character font") << SettingsChange([](Settings& s) { s.setCharacterFont(fontOfSize(20)); })
                                        << "characterFontSize" << 20 << size(&Settings::characterFont, 20);
        QTest::newRow("word font") << SettingsChange([](Settings& s) { s.setWordFont(fontOfSize(21)); })
                                   << "wordFontSize" << 21 << size(&Settings::wordFont, 21);
        QTest::newRow("general font") << SettingsChange([](Settings& s) { s.setGeneralFont(fontOfSize(22)); })
                                      << "generalFontSize" << 22 << size(&Settings::generalFont, 22);
        QTest::newRow("character size") << SettingsChange([](Settings& s) { s.setCharacterFontSize(30); })
                                        << "characterFontSize" << 30 << size(&Settings::characterFont, 30);
        QTest::newRow("word size") << SettingsChange([](Settings& s) { s.setWordFontSize(31); })
                                   << "wordFontSize" << 31 << size(&Settings::wordFont, 31);
        QTest::newRow("general size") << SettingsChange([](Settings& s) { s.setGeneralFontSize(32); })
                                      << "generalFontSize" << 32 << size(&Settings::generalFont, 32);
        auto typed = [](const char* box, int points) {
            return SettingsChange([=](Settings& s) { s.findChild<QSpinBox*>(box)->setValue(points); });
        };
        QTest::newRow("character box") << typed("characterFontSize", 50) << "characterFontSize" << 50
                                       << size(&Settings::characterFont, 50);
        QTest::newRow("word box") << typed("wordFontSize", 18) << "wordFontSize" << 18 << size(&Settings::wordFont, 18);
        QTest::newRow("general box") << typed("generalFontSize", 9) << "generalFontSize" << 9
                                     << size(&Settings::generalFont, 9);
        QTest::newRow("radical box") << typed("radicalFontSize", 40) << "radicalFontSize" << 40
                                     << size(&Settings::radicalFont, 40);
        // Sizes beyond the usual range and fonts sized in pixels keep their
        // size on the way through the size boxes.
        QTest::newRow("large word font") << SettingsChange([](Settings& s) { s.setWordFont(fontOfSize(200)); })
                                         << "wordFontSize" << 200 << size(&Settings::wordFont, 200);
        QTest::newRow("pixel-sized general font") << SettingsChange([](Settings& s) {
            QFont pixels;
            pixels.setPixelSize(32);
            s.setGeneralFont(pixels);
        }) << "generalFontSize" << 24 /* points at the offscreen 96 dpi */ << SettingsChange([](Settings& s) {
            QCOMPARE(s.generalFont.pixelSize(), 32);
        });
        auto painted = [](QColor Settings::*field, const char* label, QColor color) {
            return SettingsChange([=](Settings& s) {
                QCOMPARE(s.*field, color);
                QCOMPARE(s.findChild<QLabel*>(label)->palette().color(QPalette::WindowText), color);
                QCOMPARE(s.findChild<QLabel*>(label)->palette().color(QPalette::Window), QColor(255, 255, 255));
            });
        };
        QTest::newRow("character colour") << SettingsChange([](Settings& s) { s.setCharacterFontColor(Qt::red); })
                                          << "characterFontSize" << 12
                                          << painted(&Settings::characterColor, "characterFontName", Qt::red);
        QTest::newRow("word colour") << SettingsChange([](Settings& s) { s.setWordFontColor(Qt::green); })
                                     << "wordFontSize" << 12 << painted(&Settings::wordColor, "wordFontName", Qt::green);
        QTest::newRow("general colour") << SettingsChange([](Settings& s) { s.setGeneralFontColor(Qt::gray); })
                                        << "generalFontSize" << 12
                                        << painted(&Settings::generalColor, "generalFontName", Qt::gray);
    }

    void settingsSettersShowTheValueAndReportOnce()
    {
        QFETCH(SettingsChange, change);
        QFETCH(QString, box);
        QFETCH(int, shown);
        QFETCH(SettingsChange, check);
        Settings settings;
        settings.characterFont = settings.wordFont = settings.generalFont = settings.radicalFont = fontOfSize(12);
        settings.setup();
        QSignalSpy changed(&settings, &Settings::settingsChanged);
        change(settings);
        QCOMPARE(changed.count(), 1);
        QCOMPARE(settings.findChild<QSpinBox*>(box)->value(), shown);
        check(settings);
    }

    void choosersAnswerTheRowTheyWereOpenedFor()
    {
        Settings settings;
        settings.setup();
        settings.findChild<QPushButton*>("wordFontButton")->click();
        auto* fonts = visibleChooser<QFontDialog>();
        QVERIFY(fonts != nullptr);
        QVERIFY(!fonts->isModal());
        fonts->setCurrentFont(fontOfSize(20));
        fonts->accept();
        QCOMPARE(settings.wordFont.pointSize(), 20);
        QCOMPARE(settings.findChild<QSpinBox*>("wordFontSize")->value(), 20);

        const struct { const char* button; QColor Settings::*field; QColor color; } picks[] = {
            { "characterFontColor", &Settings::characterColor, Qt::red },
            { "generalFontColor", &Settings::generalColor, Qt::green },
        };
        for (const auto& pick : picks) {
            settings.findChild<QPushButton*>(pick.button)->click();
            auto* colors = visibleChooser<QColorDialog>();
            QVERIFY(colors != nullptr);
            colors->setCurrentColor(pick.color);
            colors->accept();
            QCOMPARE(settings.*pick.field, pick.color);
        }
        QCOMPARE(settings.characterColor, QColor(Qt::red));

        QSignalSpy changed(&settings, &Settings::settingsChanged);
        settings.findChild<QPushButton*>("radicalFontColor")->click();
        QCOMPARE(changed.count(), 0);
        QVERIFY(visibleChooser<QColorDialog>() == nullptr);
    }

    void acceptingAddDictionaryHandsOverAnEdictAsTyped_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("file");
        QTest::newRow("japanese name") << "辞書" << "/data/edict";
        QTest::newRow("local file name") << "edict" << "/data/辞書/edict";
        QTest::newRow("nothing typed") << "" << "";
    }

    void acceptingAddDictionaryHandsOverAnEdictAsTyped()
    {
        QFETCH(QString, name);
        QFETCH(QString, file);
        AddDictionary dialog;
        QCOMPARE(dialog.windowTitle(), QString("Add dictionary"));
        dialog.show();
        dialog.findChild<QPlainTextEdit*>("name")->setPlainText(name);
        dialog.findChild<QPlainTextEdit*>("filename")->setPlainText(file);
        QSignalSpy loaded(&dialog, &AddDictionary::loadedDictionary);
        dialog.findChild<QDialogButtonBox*>("okayCancel")->button(QDialogButtonBox::Ok)->click();
        QCOMPARE(loaded.count(), 1);
        std::unique_ptr<WordDictionary> dictionary(loaded[0][0].value<WordDictionary*>());
        QVERIFY(dynamic_cast<Edict*>(dictionary.get()) != nullptr);
        QCOMPARE(QString::fromStdString(dictionary->getName()), name);
        QCOMPARE(QByteArray::fromStdString(dictionary->getFilename()), QFile::encodeName(file));
        QVERIFY(!dialog.isVisible());
        QCOMPARE(dialog.findChild<QPlainTextEdit*>("name")->toPlainText(), name);

        dialog.show();
        dialog.findChild<QDialogButtonBox*>("okayCancel")->button(QDialogButtonBox::Cancel)->click();
        QCOMPARE(loaded.count(), 1);
    }

    void manageDictionariesListsAndAsksToDelete()
    {
        Edict first, second, third;
        first.setName("edict");
        second.setName("辞書");
        third.setName("names");
        ManageDictionaries dialog;
        auto* table = dialog.findChild<QTableWidget*>("tableWidget");
        for (Edict* dictionary : { &first, &second, &third, &second }) {
            dialog.addWordDictionary(dictionary);
        }
        const QStringList names = { "edict", "辞書", "names", "辞書" };
        QCOMPARE(table->rowCount(), names.size());
        for (int row = 0; row < table->rowCount(); ++row) {
            QCOMPARE(table->item(row, 0)->text(), names[row]);
        }
        QCOMPARE(table->item(2, 0)->data(Qt::UserRole).value<WordDictionary*>(), &third);

        QSignalSpy removed(&dialog, &ManageDictionaries::wordDictionaryRemoved);
        auto* deleteButton = dialog.findChild<QPushButton*>("deleteButton");
        deleteButton->click();
        QCOMPARE(removed.count(), 0);

        table->selectRow(2);
        deleteButton->click();
        QCOMPARE(removed.count(), 1);
        QCOMPARE(removed[0][0].value<WordDictionary*>(), &third);
        QCOMPARE(table->rowCount(), 4);  // the row waits for the removal to come back

        // The removal comes back from the core while the request is still being sent.
        connect(&dialog, &ManageDictionaries::wordDictionaryRemoved, &dialog, &ManageDictionaries::removeWordDictionary);
        table->selectRow(1);
        deleteButton->click();
        QCOMPARE(removed.count(), 2);
        QCOMPARE(removed[1][0].value<WordDictionary*>(), &second);
        QCOMPARE(table->rowCount(), 2);
        QCOMPARE(table->item(0, 0)->text(), QString("edict"));
        QCOMPARE(table->item(1, 0)->text(), QString("names"));
    }

    void aboutIsModal()
    {
        About about;
        QVERIFY(about.isModal());
        QCOMPARE(about.windowTitle(), QString("About Dexaru"));
        QCOMPARE(about.findChild<QLabel*>("about2")->text(), QString("Version 2.0a-6.0"));
    }
};

QTEST_MAIN(DialogsTest)
#include "DialogsTest.moc"

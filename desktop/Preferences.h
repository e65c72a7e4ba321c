// The desktop program's "preferences.ini" in the working directory: the
// window's geometry, state and splitters, the word dictionaries, the search
// options, the IME switch, the fonts, the colours the user chose and the
// radical list's instant mode.
// It borrows the widgets it reads and writes; they must outlive it. The
// dictionaries it re-creates go to the caller, who takes them.
#ifndef DEXARU_DESKTOP_PREFERENCES_H
#define DEXARU_DESKTOP_PREFERENCES_H

#include <QColor>
#include <QList>
#include <QString>

#include <functional>

class QAbstractButton;
class QListWidget;
class QMainWindow;
class QRadicalList;
class QSettings;
class QWidget;
class Settings;
class WordDictionary;

class Preferences
{
public:
    // The window's widgets whose state is kept.
    struct Widgets
    {
        QMainWindow* window;
        QListWidget* dictionaryList;  // rows carry WordDictionary* under Qt::UserRole
        QWidget* searchSettingsContainer;  // its check boxes and plain-text edits
        QAbstractButton* imeButton;
        QRadicalList* radicalList;
        Settings* settings;  // the fonts
    };

    explicit Preferences(const Widgets& widgets,
                         const QString& fileName = QStringLiteral("preferences.ini"));

    // Restores everything from the file; each saved dictionary is re-created
    // as an Edict and handed to addDictionary, in saved order. A missing
    // file leaves the widgets as they are and adds no dictionary.
    void read(const std::function<void(WordDictionary*)>& addDictionary);
    // Writes everything to the file; logs a file that could not be written.
    void write();
    // The file's name, for the groups that other classes keep there.
    QString file() const { return fileName; }

private:
    void readWindow(QSettings& preferences);
    void readDictionaries(QSettings& preferences,
                          const std::function<void(WordDictionary*)>& addDictionary);
    void readSearchOptions(QSettings& preferences);
    void readFonts(QSettings& preferences);
    void writeWindow(QSettings& preferences);
    void writeDictionaries(QSettings& preferences);
    void writeSearchOptions(QSettings& preferences);
    void writeFonts(QSettings& preferences);
    void readColors(QSettings& preferences);
    void writeColors(QSettings& preferences);

    Widgets widgets;
    QString fileName;
    // The settings' colours before reading, in the order of the keys:
    // those the user has not changed since are not written.
    QList<QColor> startColors;
};

#endif

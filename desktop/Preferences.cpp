#include "Preferences.h"

#include "Edict.h"
#include "Log.h"
#include "MetaTypes.h"
#include "QRadicalList.h"
#include "Settings.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QFile>
#include <QListWidget>
#include <QMainWindow>
#include <QPlainTextEdit>
#include <QSettings>
#include <QSignalBlocker>
#include <QSplitter>

#include <algorithm>
#include <iterator>

namespace {

QByteArray nameOf(const QSettings& preferences)
{
    return preferences.fileName().toLocal8Bit();
}

// QSettings lists groups as strings, where "10" sorts before "2"; rows are
// restored in the order they were saved.
void sortNumerically(QStringList& groups)
{
    std::stable_sort(groups.begin(), groups.end(), [](const QString& a, const QString& b) {
        bool aIsNumber = false;
        bool bIsNumber = false;
        const int aNumber = a.toInt(&aIsNumber);
        const int bNumber = b.toInt(&bIsNumber);
        if (aIsNumber && bIsNumber)
            return aNumber < bNumber;
        if (aIsNumber != bIsNumber)
            return aIsNumber;
        return a < b;
    });
}

QString pixelSizeKey(const char* familyKey)
{
    return QString::fromLatin1(familyKey) + QStringLiteral("PixelSize");
}

}  // namespace

Preferences::Preferences(const Widgets& widgets, const QString& fileName)
    : widgets(widgets), fileName(fileName)
{
}

void Preferences::read(const std::function<void(WordDictionary*)>& addDictionary)
{
    QSettings preferences(fileName, QSettings::IniFormat);
    Log::write(7, "%s: Reading settings from '%s'...", "readSettings",
               nameOf(preferences).constData());

    readWindow(preferences);
    readDictionaries(preferences, addDictionary);
    readSearchOptions(preferences);
    widgets.imeButton->setChecked(preferences.value("ime/on", 0).toInt() != 0);
    readFonts(preferences);
    readColors(preferences);
    widgets.radicalList->setSearchOnSelect(
        preferences.value("radicals/searchOnSelect", false).toBool());
}

void Preferences::readWindow(QSettings& preferences)
{
    widgets.window->restoreGeometry(preferences.value("window/geometry").toByteArray());
    widgets.window->restoreState(preferences.value("window/state").toByteArray());
    preferences.beginGroup("window/splitters");
    for (const QString& name : preferences.childGroups()) {
        const QByteArray splitterName = name.toUtf8();
        Log::write(7, "%s: Looking for a splitter called '%s' to restore.", "readSettings",
                   splitterName.constData());
        auto* splitter = widgets.window->findChild<QSplitter*>(name);
        if (!splitter)
            continue;
        Log::write(7, "%s: Found splitter '%s'.", "readSettings", splitterName.constData());
        splitter->restoreGeometry(preferences.value(name + "/geometry").toByteArray());
        splitter->restoreState(preferences.value(name + "/state").toByteArray());
    }
    preferences.endGroup();
}

// Names are UTF-8 text, as the library holds them; file names are in the
// local 8-bit encoding of the file system.
void Preferences::readDictionaries(QSettings& preferences,
                                   const std::function<void(WordDictionary*)>& addDictionary)
{
    preferences.beginGroup("dictionaries/word");
    QStringList rows = preferences.childGroups();
    sortNumerically(rows);
    for (const QString& row : rows) {
        auto* dictionary = new Edict;
        dictionary->setName(preferences.value(row + "/name").toString().toStdString());
        dictionary->setFilename(
            QFile::encodeName(preferences.value(row + "/filename").toString()).toStdString());
        if (preferences.value(row + "/enabled", 0).toInt() != 0) {
            Log::write(7, "%s: Enabling dictionary '%s'...", "readSettings",
                       dictionary->getName().c_str());
            dictionary->enable();
        } else {
            Log::write(7, "%s: Disabling dictionary '%s'...", "readSettings",
                       dictionary->getName().c_str());
            dictionary->disable();
        }
        addDictionary(dictionary);
    }
    preferences.endGroup();
}

void Preferences::readSearchOptions(QSettings& preferences)
{
    preferences.beginGroup("settings/check");
    for (const QString& name : preferences.childKeys()) {
        if (auto* box = widgets.searchSettingsContainer->findChild<QCheckBox*>(name))
            box->setChecked(preferences.value(name).toInt() != 0);
    }
    preferences.endGroup();

    preferences.beginGroup("settings/text");
    for (const QString& name : preferences.childKeys()) {
        if (auto* edit = widgets.searchSettingsContainer->findChild<QPlainTextEdit*>(name))
            edit->setPlainText(preferences.value(name).toString());
    }
    preferences.endGroup();
}

// Each font starts from the toolkit's default, so that an empty family
// leaves the default family in place rather than the previous font's.
void Preferences::readFonts(QSettings& preferences)
{
    struct NamedFont
    {
        const char* familyKey;
        const char* sizeKey;
        int defaultSize;
        void (Settings::*apply)(QFont);
    };
    const NamedFont namedFonts[] = {
        {"fonts/characterFont", "fonts/characterFontSize", 42, &Settings::setCharacterFont},
        {"fonts/wordFont", "fonts/wordFontSize", 16, &Settings::setWordFont},
        {"fonts/generalFont", "fonts/generalFontSize", 10, &Settings::setGeneralFont},
    };
    Settings* settings = widgets.settings;
    {
        // The views take the fonts once, when all are read: each change
        // would have them measure their rows in fonts that are not kept.
        const QSignalBlocker onceAtTheEnd(settings);
        for (const NamedFont& named : namedFonts) {
            QFont font;
            const int size = preferences.value(named.sizeKey, named.defaultSize).toInt();
            font.setPointSize(size > 0 ? size : named.defaultSize);
            const int pixels = preferences.value(pixelSizeKey(named.familyKey), 0).toInt();
            if (pixels > 0)
                font.setPixelSize(pixels);
            const QString family = preferences.value(named.familyKey).toString();
            if (!family.isEmpty())
                font.setFamily(family);
            (settings->*named.apply)(font);
        }
        const int radicalSize = preferences.value("fonts/radicalFontSize", 32).toInt();
        settings->radicalFont.setPointSize(radicalSize > 0 ? radicalSize : 32);
        settings->loadFromFonts();
    }
    emit settings->settingsChanged();
}

namespace {

struct NamedColor
{
    const char* key;
    QColor Settings::*field;
    void (Settings::*apply)(QColor);
};

const NamedColor NAMED_COLORS[] = {
    {"colors/characterColor", &Settings::characterColor, &Settings::setCharacterFontColor},
    {"colors/wordColor", &Settings::wordColor, &Settings::setWordFontColor},
    {"colors/generalColor", &Settings::generalColor, &Settings::setGeneralFontColor},
};

}  // namespace

// The colours the user chose, as "#rrggbb". A colour never chosen is not
// kept, so that it follows the desktop's light or dark look at each start.
void Preferences::readColors(QSettings& preferences)
{
    Settings* settings = widgets.settings;
    startColors.clear();
    for (const NamedColor& named : NAMED_COLORS) {
        startColors << settings->*named.field;
        const QColor saved(preferences.value(named.key).toString());
        if (saved.isValid()) {
            (settings->*named.apply)(saved);
        }
    }
}

void Preferences::writeColors(QSettings& preferences)
{
    const Settings* settings = widgets.settings;
    preferences.remove("colors");
    for (int at = 0; at < int(std::size(NAMED_COLORS)); ++at) {
        const QColor color = settings->*NAMED_COLORS[at].field;
        if (color.isValid() && (at >= startColors.size() || color != startColors[at])) {
            preferences.setValue(NAMED_COLORS[at].key, color.name());
        }
    }
}

void Preferences::write()
{
    QSettings preferences(fileName, QSettings::IniFormat);
    Log::write(7, "%s: Saving settings to '%s'...", "closeEvent", nameOf(preferences).constData());

    writeWindow(preferences);
    writeDictionaries(preferences);
    writeSearchOptions(preferences);
    preferences.remove("ime");
    preferences.setValue("ime/on", widgets.imeButton->isChecked() ? 1 : 0);
    writeFonts(preferences);
    writeColors(preferences);
    preferences.remove("radicals");
    preferences.setValue("radicals/searchOnSelect", widgets.radicalList->searchOnSelect);

    preferences.sync();
    if (preferences.status() != QSettings::NoError)
        Log::write(3, "%s: Could not write the settings to '%s'.", "closeEvent",
                   nameOf(preferences).constData());
}

void Preferences::writeWindow(QSettings& preferences)
{
    preferences.remove("window");
    preferences.setValue("window/geometry", widgets.window->saveGeometry());
    preferences.setValue("window/state", widgets.window->saveState());
    for (QSplitter* splitter : widgets.window->findChildren<QSplitter*>()) {
        const QString key = "window/splitters/" + splitter->objectName();
        preferences.setValue(key + "/state", splitter->saveState());
        preferences.setValue(key + "/geometry", splitter->saveGeometry());
    }
}

void Preferences::writeDictionaries(QSettings& preferences)
{
    preferences.remove("dictionaries/word");
    QListWidget* list = widgets.dictionaryList;
    for (int row = 0; row < list->count(); ++row) {
        auto* dictionary = list->item(row)->data(Qt::UserRole).value<WordDictionary*>();
        if (!dictionary)
            continue;
        const QString group = QStringLiteral("dictionaries/word/%1/").arg(row);
        preferences.setValue(group + "name", QString::fromStdString(dictionary->getName()));
        preferences.setValue(group + "filename",
                             QFile::decodeName(dictionary->getFilename().c_str()));
        preferences.setValue(group + "enabled", dictionary->isEnabled() ? 1 : 0);
    }
    preferences.remove("dictionaries/check");
}

void Preferences::writeSearchOptions(QSettings& preferences)
{
    // Not removed first: keys of check boxes that no longer exist stay.
    preferences.beginGroup("settings/check");
    const QList<QCheckBox*> boxes = widgets.searchSettingsContainer->findChildren<QCheckBox*>();
    Log::write(7, "%s: Found %d QCheckBox children.", "closeEvent", int(boxes.size()));
    for (const QCheckBox* box : boxes)
        preferences.setValue(box->objectName(), box->isChecked() ? 1 : 0);
    preferences.endGroup();

    preferences.remove("settings/text");
    preferences.beginGroup("settings/text");
    const QList<QPlainTextEdit*> edits =
        widgets.searchSettingsContainer->findChildren<QPlainTextEdit*>();
    Log::write(7, "%s: Found %d QPlainTextEdit children.", "closeEvent", int(edits.size()));
    for (const QPlainTextEdit* edit : edits)
        preferences.setValue(edit->objectName(), edit->toPlainText());
    preferences.endGroup();
}

void Preferences::writeFonts(QSettings& preferences)
{
    const Settings* settings = widgets.settings;
    preferences.remove("fonts");
    preferences.setValue("fonts/characterFont", settings->characterFont.family());
    preferences.setValue("fonts/characterFontSize", settings->characterFont.pointSize());
    preferences.setValue("fonts/wordFont", settings->wordFont.family());
    preferences.setValue("fonts/wordFontSize", settings->wordFont.pointSize());
    preferences.setValue("fonts/generalFont", settings->generalFont.family());
    preferences.setValue("fonts/generalFontSize", settings->generalFont.pointSize());
    preferences.setValue("fonts/radicalFontSize", settings->radicalFont.pointSize());
    // A font sized in pixels has no point size (-1 above, read back as the
    // default): its pixel size goes beside.
    const std::pair<const char*, const QFont*> fonts[] = {
        {"fonts/characterFont", &settings->characterFont},
        {"fonts/wordFont", &settings->wordFont},
        {"fonts/generalFont", &settings->generalFont},
    };
    for (const auto& [familyKey, font] : fonts) {
        if (font->pointSize() <= 0 && font->pixelSize() > 0)
            preferences.setValue(pixelSizeKey(familyKey), font->pixelSize());
    }
}

#include "MainWindow.h"

#include "About.h"
#include "AddDictionary.h"
#include "Edict.h"
#include "Log.h"
#include "ManageDictionaries.h"
#include "PartsOfSpeechListItem.h"
#include "Romaji.h"
#include "Settings.h"
#include "ui_MainWindow.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QFile>
#include <QSettings>
#include <QSplitter>
#include <QTextCursor>

#include <algorithm>

namespace {

const QString preferencesFile = QStringLiteral("preferences.ini");

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

bool isChecked(const QCheckBox* box)
{
    return box->checkState() == Qt::Checked;
}

}  // namespace

MainWindow::MainWindow(QWidget* parent)
    : QMainWindow(parent),
      ui(new Ui::MainWindow),
      aboutDialog(new About),
      addDictionaryDialog(new AddDictionary),
      manageDictionariesDialog(new ManageDictionaries),
      settingsDialog(new Settings)
{
    ui->setupUi(this);
    settingsDialog->setup();
    ui->wordResults->setup();
    ui->characterResults->setup();
    // The views read the settings dialog's current values at every change.
    ui->characterResults->characterFont = &settingsDialog->characterFont;
    ui->characterResults->characterColor = &settingsDialog->characterColor;
    ui->characterResults->generalFont = &settingsDialog->generalFont;
    ui->wordResults->wordFont = &settingsDialog->wordFont;
    ui->wordResults->generalFont = &settingsDialog->generalFont;
    ui->radicalList->radicalFont = &settingsDialog->radicalFont;
    connectWidgets();
    ui->radicalList->setup();
    ui->progressBar->setValue(0);
    ui->progressBar->setEnabled(false);
    togglePartOfSpeechFiltering(Qt::Unchecked);
    ui->searchText->appendPlainText(QStringLiteral("かわ*"));
}

MainWindow::~MainWindow()
{
    delete ui;
}

// The search button, "All", "Visible" and the two dictionary actions reach
// their on_<object>_<signal> slots through setupUi's connection by name.
void MainWindow::connectWidgets()
{
    connect(ui->actionQuit, &QAction::triggered, this, &QWidget::close);
    connect(ui->actionAbout, &QAction::triggered, this, &MainWindow::about);
    connect(ui->actionSettings, &QAction::triggered, this, &MainWindow::settings);

    connect(settingsDialog.get(), &Settings::settingsChanged, ui->characterResults,
            &QCharacterResultTable::updateFonts);
    connect(settingsDialog.get(), &Settings::settingsChanged, ui->wordResults,
            &QWordResultTable::updateFonts);
    connect(settingsDialog.get(), &Settings::settingsChanged, ui->radicalList,
            &QRadicalList::updateFonts);

    connect(ui->wordResults, &QWordResultTable::searchForKanji, this, &MainWindow::searchForKanji);
    connect(ui->characterResults, &QCharacterResultTable::radicalsSelected, ui->radicalList,
            qOverload<std::set<wchar_t>, bool>(&QRadicalList::selectRadicals));
    connect(ui->characterResults, &QCharacterResultTable::searchForWords, this,
            &MainWindow::search);
    connect(ui->radicalList, &QRadicalList::kanjiSearched, this, &MainWindow::searchForKanji);

    connect(ui->searchText, &SearchBox::search, this, &MainWindow::on_searchButton_clicked);
    connect(ui->searchText, &SearchBox::imeEnabled, ui->imeButton, &QPushButton::setChecked);
    connect(ui->imeButton, &QPushButton::toggled, ui->searchText, &SearchBox::toggleIme);

    connect(ui->dictionaryList, &QListWidget::itemChanged, this,
            &MainWindow::enableOrDisableDictionary);
    connect(ui->searchByPartsOfSpeech, &QCheckBox::stateChanged, this,
            &MainWindow::togglePartOfSpeechFiltering);
    connect(ui->partsOfSpeechFilter, &QPlainTextEdit::textChanged, this,
            &MainWindow::filterPartsOfSpeech);

    connect(ui->actionSearch_settings, &QAction::toggled, this,
            &MainWindow::toggleView_SearchSettings);
    connect(ui->actionCharacter_results, &QAction::toggled, this,
            &MainWindow::toggleView_CharacterResults);
    connect(ui->actionWord_results, &QAction::toggled, this, &MainWindow::toggleView_WordResults);

    connect(addDictionaryDialog.get(), &AddDictionary::loadedDictionary, this,
            &MainWindow::wordDictionaryAdded);
    connect(manageDictionariesDialog.get(), &ManageDictionaries::wordDictionaryRemoved, this,
            &MainWindow::wordDictionaryRemoved);
}

void MainWindow::on_checkVisible_clicked()
{
    toggleCheckMarks(true);
}

void MainWindow::on_checkAll_clicked()
{
    toggleCheckMarks(false);
}

void MainWindow::toggleCheckMarks(bool visibleOnly)
{
    QList<QListWidgetItem*> rows;
    for (int row = 0; row < ui->partsOfSpeechList->count(); ++row) {
        QListWidgetItem* item = ui->partsOfSpeechList->item(row);
        if (!visibleOnly || !item->isHidden())
            rows.append(item);
    }
    if (rows.isEmpty())
        return;
    const Qt::CheckState newState = rows.first()->checkState() == Qt::Checked ? Qt::Unchecked
                                                                              : Qt::Checked;
    for (QListWidgetItem* item : rows)
        item->setCheckState(newState);
}

void MainWindow::toggleView_SearchSettings(bool toggle)
{
    ui->settingsAreaWidget->setVisible(toggle);
}

void MainWindow::toggleView_CharacterResults(bool toggle)
{
    ui->characterResults->setVisible(toggle);
}

void MainWindow::toggleView_WordResults(bool toggle)
{
    ui->wordResults->setVisible(toggle);
}

void MainWindow::on_searchButton_clicked()
{
    QString text = searchText();
    const WordDictionary::SearchOptions options = searchOptionsFromControls();
    if (isChecked(ui->romajiToKana)) {
        const std::wstring original = text.toStdWString();
        Log::write(7, "%s: The original search text is '%S'.", "on_searchButton_clicked",
                   original.c_str());
        const std::wstring kana = Romaji::romajiStringToKana(original, true);
        Log::write(7, "%s: The [new] search text is '%S'.", "on_searchButton_clicked",
                   kana.c_str());
        text = QString::fromStdWString(kana);
    }
    ui->wordResults->showRomaji = ui->showRomaji->isChecked();
    ui->progressBar->setValue(0);
    ui->progressBar->setEnabled(true);
    emit search(text, options);
}

// The selection inside the search box when there is one, else all its text.
QString MainWindow::searchText() const
{
    const QTextCursor cursor = ui->searchText->textCursor();
    if (cursor.hasSelection())
        return cursor.selectedText();
    return ui->searchText->toPlainText();
}

WordDictionary::SearchOptions MainWindow::searchOptionsFromControls() const
{
    WordDictionary::SearchOptions options;
    options.searchFlags = 0;
    options.commonFilter = 0;
    options.limit = -1;
    options.matchAllPartsOfSpeech = false;

    const std::pair<const QCheckBox*, int> flags[] = {
        {ui->searchInKana, WordDictionary::SEARCH_KANA},
        {ui->searchInWord, WordDictionary::SEARCH_WORD},
        {ui->searchInMeanings, WordDictionary::SEARCH_MEANING},
        {ui->ignoreCase, WordDictionary::SEARCH_IGNORE_CASE},
        {ui->fuzzySearch, WordDictionary::SEARCH_FUZZY},
        {ui->allowWildcards, WordDictionary::SEARCH_WILDCARD},
    };
    for (const auto& [box, flag] : flags) {
        if (isChecked(box))
            options.searchFlags |= flag;
    }
    if (isChecked(ui->commonOnly))
        options.commonFilter = 1;
    if (isChecked(ui->allowLimit)) {
        bool isNumber = false;
        const int limit = ui->limitText->toPlainText().toInt(&isNumber, 10);
        if (isNumber)
            options.limit = limit;
    }
    // The check marks, which "All" and "Visible" toggle, choose the parts of
    // speech; the list's selection is only a cursor.
    if (isChecked(ui->searchByPartsOfSpeech)) {
        for (int row = 0; row < ui->partsOfSpeechList->count(); ++row) {
            QListWidgetItem* item = ui->partsOfSpeechList->item(row);
            if (item->type() == QListWidgetItem::UserType && item->checkState() == Qt::Checked)
                options.partsOfSpeech.push_back(
                    static_cast<PartsOfSpeechListItem*>(item)->abbreviation.toStdString());
        }
    }
    return options;
}

void MainWindow::on_actionAdd_dictionary_triggered()
{
    addDictionaryDialog->show();
}

void MainWindow::on_actionManage_dictionaries_triggered()
{
    manageDictionariesDialog->show();
}

void MainWindow::about()
{
    aboutDialog->show();
}

void MainWindow::settings()
{
    settingsDialog->show();
}

void MainWindow::addPartOfSpeechToList(std::string abbreviation, std::string name)
{
    ui->partsOfSpeechList->addItem(new PartsOfSpeechListItem(QString::fromStdString(abbreviation),
                                                             QString::fromStdString(name)));
}

void MainWindow::filterPartsOfSpeech()
{
    for (int row = 0; row < ui->partsOfSpeechList->count(); ++row)
        ui->partsOfSpeechList->item(row)->setHidden(true);
    const QString filter = ui->partsOfSpeechFilter->toPlainText();
    for (QListWidgetItem* item : ui->partsOfSpeechList->findItems(filter, Qt::MatchContains))
        item->setHidden(false);
}

void MainWindow::togglePartOfSpeechFiltering(int state)
{
    const bool enabled = state == Qt::Checked;
    ui->partsOfSpeechFilter->setEnabled(enabled);
    ui->partsOfSpeechList->setEnabled(enabled);
    ui->checkUncheck->setEnabled(enabled);
    ui->checkAll->setEnabled(enabled);
    ui->checkVisible->setEnabled(enabled);
}

void MainWindow::addWordDictionary(WordDictionary* dictionary)
{
    // Filled before it joins the list, so that no itemChanged fires for it.
    auto* row = new QListWidgetItem(QString::fromStdString(dictionary->getName()));
    row->setFlags(row->flags() | Qt::ItemIsUserCheckable);
    row->setCheckState(dictionary->isEnabled() ? Qt::Checked : Qt::Unchecked);
    row->setData(Qt::UserRole, QVariant::fromValue(dictionary));
    ui->dictionaryList->addItem(row);
    manageDictionariesDialog->addWordDictionary(dictionary);
}

void MainWindow::removeWordDictionary(WordDictionary* dictionary)
{
    for (int row = 0; row < ui->dictionaryList->count();) {
        if (ui->dictionaryList->item(row)->data(Qt::UserRole).value<WordDictionary*>()
            == dictionary)
            delete ui->dictionaryList->takeItem(row);
        else
            ++row;
    }
    manageDictionariesDialog->removeWordDictionary(dictionary);
}

void MainWindow::enableOrDisableDictionary(QListWidgetItem* item)
{
    if (item->checkState() == Qt::Checked)
        emit dictionaryEnabled(item->text());
    else
        emit dictionaryDisabled(item->text());
}

void MainWindow::addRadicals(RadicalTable* radicalTable)
{
    ui->radicalList->setRadicalTable(radicalTable);
}

void MainWindow::showWordResult(WordResult* result)
{
    statusBar()->showMessage(QStringLiteral("Found %1 results").arg(result->getEntryCount()));
    ui->wordResults->setResult(result);
    ui->progressBar->setValue(50);
}

void MainWindow::showCharacterResult(CharacterResult* result)
{
    ui->characterResults->setResult(result);
    ui->progressBar->setValue(100);
}

void MainWindow::readSettings()
{
    QSettings preferences(preferencesFile, QSettings::IniFormat);
    Log::write(7, "%s: Reading settings from '%s'...", "readSettings",
               nameOf(preferences).constData());

    restoreGeometry(preferences.value("window/geometry").toByteArray());
    restoreState(preferences.value("window/state").toByteArray());
    preferences.beginGroup("window/splitters");
    for (const QString& name : preferences.childGroups()) {
        const QByteArray splitterName = name.toUtf8();
        Log::write(7, "%s: Looking for a splitter called '%s' to restore.", "readSettings",
                   splitterName.constData());
        auto* splitter = findChild<QSplitter*>(name);
        if (!splitter)
            continue;
        Log::write(7, "%s: Found splitter '%s'.", "readSettings", splitterName.constData());
        splitter->restoreGeometry(preferences.value(name + "/geometry").toByteArray());
        splitter->restoreState(preferences.value(name + "/state").toByteArray());
    }
    preferences.endGroup();

    readDictionaries(preferences);
    readSearchOptions(preferences);
    ui->imeButton->setChecked(preferences.value("ime/on", 0).toInt() != 0);
    readFonts(preferences);
    ui->radicalList->setSearchOnSelect(
        preferences.value("radicals/searchOnSelect", false).toBool());
}

// Names are UTF-8 text, as the library holds them; file names are in the
// local 8-bit encoding of the file system.
void MainWindow::readDictionaries(QSettings& preferences)
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
        emit wordDictionaryAdded(dictionary);
    }
    preferences.endGroup();
}

void MainWindow::readSearchOptions(QSettings& preferences)
{
    preferences.beginGroup("settings/check");
    for (const QString& name : preferences.childKeys()) {
        if (auto* box = ui->searchSettingsContainer->findChild<QCheckBox*>(name))
            box->setChecked(preferences.value(name).toInt() != 0);
    }
    preferences.endGroup();

    preferences.beginGroup("settings/text");
    for (const QString& name : preferences.childKeys()) {
        if (auto* edit = ui->searchSettingsContainer->findChild<QPlainTextEdit*>(name))
            edit->setPlainText(preferences.value(name).toString());
    }
    preferences.endGroup();
}

// Each font starts from the toolkit's default, so that an empty family
// leaves the default family in place rather than the previous font's.
void MainWindow::readFonts(QSettings& preferences)
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
    for (const NamedFont& named : namedFonts) {
        QFont font;
        const int size = preferences.value(named.sizeKey, named.defaultSize).toInt();
        font.setPointSize(size > 0 ? size : named.defaultSize);
        const QString family = preferences.value(named.familyKey).toString();
        if (!family.isEmpty())
            font.setFamily(family);
        (settingsDialog.get()->*named.apply)(font);
    }
    const int radicalSize = preferences.value("fonts/radicalFontSize", 32).toInt();
    settingsDialog->radicalFont.setPointSize(radicalSize > 0 ? radicalSize : 32);
    settingsDialog->loadFromFonts();
}

void MainWindow::closeEvent(QCloseEvent* event)
{
    QSettings preferences(preferencesFile, QSettings::IniFormat);
    Log::write(7, "%s: Saving settings to '%s'...", "closeEvent", nameOf(preferences).constData());

    preferences.remove("window");
    preferences.setValue("window/geometry", saveGeometry());
    preferences.setValue("window/state", saveState());
    for (QSplitter* splitter : findChildren<QSplitter*>()) {
        const QString key = "window/splitters/" + splitter->objectName();
        preferences.setValue(key + "/state", splitter->saveState());
        preferences.setValue(key + "/geometry", splitter->saveGeometry());
    }

    writeDictionaries(preferences);
    writeSearchOptions(preferences);
    preferences.remove("ime");
    preferences.setValue("ime/on", ui->imeButton->isChecked() ? 1 : 0);
    writeFonts(preferences);
    preferences.remove("radicals");
    preferences.setValue("radicals/searchOnSelect", ui->radicalList->searchOnSelect);

    preferences.sync();
    if (preferences.status() != QSettings::NoError)
        Log::write(3, "%s: Could not write the settings to '%s'.", "closeEvent",
                   nameOf(preferences).constData());
    QMainWindow::closeEvent(event);
}

void MainWindow::writeDictionaries(QSettings& preferences)
{
    preferences.remove("dictionaries/word");
    for (int row = 0; row < ui->dictionaryList->count(); ++row) {
        auto* dictionary =
            ui->dictionaryList->item(row)->data(Qt::UserRole).value<WordDictionary*>();
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

void MainWindow::writeSearchOptions(QSettings& preferences)
{
    // Not removed first: keys of check boxes that no longer exist stay.
    preferences.beginGroup("settings/check");
    const QList<QCheckBox*> boxes = ui->searchSettingsContainer->findChildren<QCheckBox*>();
    Log::write(7, "%s: Found %d QCheckBox children.", "closeEvent", int(boxes.size()));
    for (const QCheckBox* box : boxes)
        preferences.setValue(box->objectName(), box->isChecked() ? 1 : 0);
    preferences.endGroup();

    preferences.remove("settings/text");
    preferences.beginGroup("settings/text");
    const QList<QPlainTextEdit*> edits =
        ui->searchSettingsContainer->findChildren<QPlainTextEdit*>();
    Log::write(7, "%s: Found %d QPlainTextEdit children.", "closeEvent", int(edits.size()));
    for (const QPlainTextEdit* edit : edits)
        preferences.setValue(edit->objectName(), edit->toPlainText());
    preferences.endGroup();
}

void MainWindow::writeFonts(QSettings& preferences)
{
    preferences.remove("fonts");
    preferences.setValue("fonts/characterFont", settingsDialog->characterFont.family());
    preferences.setValue("fonts/characterFontSize", settingsDialog->characterFont.pointSize());
    preferences.setValue("fonts/wordFont", settingsDialog->wordFont.family());
    preferences.setValue("fonts/wordFontSize", settingsDialog->wordFont.pointSize());
    preferences.setValue("fonts/generalFont", settingsDialog->generalFont.family());
    preferences.setValue("fonts/generalFontSize", settingsDialog->generalFont.pointSize());
    preferences.setValue("fonts/radicalFontSize", settingsDialog->radicalFont.pointSize());
}

#include "MainWindow.h"

#include "About.h"
#include "AddDictionary.h"
#include "BackgroundLoading.h"
#include "BusyCursor.h"
#include "CharacterHover.h"
#include "ClipboardWatcher.h"
#include "HistoryMenu.h"
#include "Log.h"
#include "ManageDictionaries.h"
#include "PartsOfSpeechListItem.h"
#include "Preferences.h"
#include "Romaji.h"
#include "SearchAsYouType.h"
#include "SearchHistory.h"
#include "Settings.h"
#include "SingleLineField.h"
#include "WordHover.h"
#include "ui_MainWindow.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QLabel>
#include <QMenuBar>
#include <QSettings>
#include <QShortcut>
#include <QStyle>
#include <QTextCursor>

#include <algorithm>

namespace {

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
      settingsDialog(new Settings),
      limitNote(nullptr),
      searchLimit(-1),
      history(nullptr),
      clipboardWatcher(nullptr),
      asYouType(nullptr),
      lookUpCopiedText(nullptr),
      searchingWhileTyping(false)
{
    ui->setupUi(this);
    preferences = std::make_unique<Preferences>(
        Preferences::Widgets{this, ui->dictionaryList, ui->searchSettingsContainer, ui->imeButton,
                             ui->radicalList, settingsDialog.get()});
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
    setupKeyboard();
    ui->radicalList->setup();
    ui->progressBar->setValue(0);
    ui->progressBar->setEnabled(false);
    togglePartOfSpeechFiltering(Qt::Unchecked);
    ui->searchText->appendPlainText(QStringLiteral("かわ*"));
    ui->label->setText(
        tr("Dexaru 2 alpha!  Please send questions, ideas and bug reports to the "
           "Dexaru project's issue tracker."));
    ui->menuView->addAction(ui->dockWidget->toggleViewAction());
    limitNote = new QLabel(this);
    statusBar()->addPermanentWidget(limitNote);
    limitNote->hide();
    setupLearnerTools();
    adaptToDarkPalette();
}

// The form draws some text in fixed colours meant for a light window: the
// "IME" button's grey face and the kanji column's blue. Under a dark
// palette the button's text would be light on light grey and the blue
// nearly black on the dark table, so both get colours that read there.
void MainWindow::adaptToDarkPalette()
{
    if (palette().color(QPalette::Window).lightness() >= 128)
        return;
    QPalette buttonColours = ui->imeButton->palette();
    buttonColours.setColor(QPalette::ButtonText, Qt::black);
    ui->imeButton->setPalette(buttonColours);
    settingsDialog->setCharacterFontColor(QColor(120, 150, 255));
}

void MainWindow::setupKeyboard()
{
    ui->actionQuit->setShortcut(QKeySequence::Quit);
    for (const QKeySequence& keys : {QKeySequence(Qt::CTRL | Qt::Key_L), QKeySequence(Qt::Key_F6)})
        connect(new QShortcut(keys, this), &QShortcut::activated, this, [this] {
            ui->searchText->setFocus(Qt::ShortcutFocusReason);
            ui->searchText->selectAll();
        });
    connect(new QShortcut(QKeySequence(Qt::Key_Escape), this), &QShortcut::activated, this, [this] {
        ui->searchText->cancelPending();
        ui->wordResults->hover->hide();
        ui->characterResults->hover->hide();
    });
    SingleLineField::makeSingleLine(ui->partsOfSpeechFilter);
    SingleLineField::makeSingleLine(ui->limitText);

    const QList<QWidget*> order = {
        ui->searchText,          ui->searchButton,      ui->wordResults,
        ui->characterResults,    ui->radicalList,       ui->imeButton,
        ui->allowWildcards,      ui->fuzzySearch,       ui->commonOnly,
        ui->romajiToKana,        ui->ignoreCase,        ui->searchInWord,
        ui->searchInKana,        ui->searchInMeanings,  ui->searchAsYouType, ui->showRomaji,
        ui->allowLimit,          ui->limitText,         ui->searchByPartsOfSpeech,
        ui->partsOfSpeechFilter, ui->partsOfSpeechList, ui->checkAll,
        ui->checkVisible,        ui->dictionaryList};
    for (int at = 1; at < order.size(); ++at)
        setTabOrder(order[at - 1], order[at]);
    ui->searchText->setAccessibleName(tr("Search text"));
    ui->wordResults->setAccessibleName(tr("Word results"));
    ui->characterResults->setAccessibleName(tr("Kanji results"));
    ui->radicalList->setAccessibleName(tr("Radicals"));
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

    const auto searchKanji = [this](std::set<wchar_t> characters) {
        const BusyCursor busy;
        emit searchForKanji(characters);
    };
    connect(ui->wordResults, &QWordResultTable::searchForKanji, this, searchKanji);
    connect(ui->characterResults, &QCharacterResultTable::radicalsSelected, ui->radicalList,
            qOverload<std::set<wchar_t>, bool>(&QRadicalList::selectRadicals));
    connect(ui->characterResults, &QCharacterResultTable::searchForWords, this,
            [this](QString text, WordDictionary::SearchOptions options) {
                startSearch(text, options);
            });
    connect(ui->radicalList, &QRadicalList::kanjiSearched, this, searchKanji);

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
            &MainWindow::loadInBackground);
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
    ui->searchText->finishPending();
    runSearch(searchText(), false);
}

void MainWindow::runSearch(QString text, bool whileTyping)
{
    if (!whileTyping)
        asYouType->searched(SearchAsYouType::typedText(ui->searchText));
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
    searchingWhileTyping = whileTyping;
    emitSearch(text, options);
    searchingWhileTyping = false;
}

void MainWindow::emitSearch(const QString& text, const WordDictionary::SearchOptions& options)
{
    ui->wordResults->showRomaji = ui->showRomaji->isChecked();
    startSearch(text, options);
}

void MainWindow::startSearch(const QString& text, const WordDictionary::SearchOptions& options)
{
    const BusyCursor busy;
    searchLimit = options.limit;
    showProgress(0);
    ui->progressBar->setEnabled(true);
    emit search(text, options);
}

// Drawn at once: the window gets no chance to paint until the search returns.
void MainWindow::showProgress(int percent)
{
    ui->progressBar->setValue(percent);
    ui->progressBar->repaint();
}

void MainWindow::loadInBackground(WordDictionary* dictionary)
{
    const QString name = QString::fromStdString(dictionary->getName());
    statusBar()->showMessage(tr("Loading the dictionary \"%1\"...").arg(name));
    backgroundloading::run(
        this, [dictionary] { backgroundloading::load(dictionary); },
        [this, dictionary, name] {
            emit wordDictionaryAdded(dictionary);
            statusBar()->showMessage(tr("The dictionary \"%1\" is ready.").arg(name), 5000);
        });
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
    if (!dictionary->isLoaded) {
        row->setIcon(style()->standardIcon(QStyle::SP_MessageBoxWarning));
        row->setForeground(QColor(160, 0, 0));
        row->setToolTip(tr("This dictionary could not be loaded. %1")
                            .arg(backgroundloading::failureReason(dictionary)));
    }
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
    const int found = result->getEntryCount();
    statusBar()->showMessage(QStringLiteral("Found %1 results").arg(found));
    limitNote->setVisible(searchLimit > 0 && found >= searchLimit);
    limitNote->setText(tr("Only the first %1 results are shown: raise or uncheck the limit to "
                          "see more.")
                           .arg(searchLimit));
    searchLimit = -1;
    ui->wordResults->setResult(result);
    showProgress(50);
}

void MainWindow::showCharacterResult(CharacterResult* result)
{
    ui->characterResults->setResult(result);
    showProgress(100);
}

void MainWindow::readSettings()
{
    preferences->read([this](WordDictionary* dictionary) { emit wordDictionaryAdded(dictionary); });
    readLearnerTools();
}

void MainWindow::closeEvent(QCloseEvent* event)
{
    preferences->write();
    writeLearnerTools();
    // Dialogs left open would keep the program running, and what changed
    // in them would never be saved.
    for (QWidget* window : QApplication::topLevelWidgets()) {
        if (window != this && window->isVisible() && !(window->windowType() == Qt::ToolTip))
            window->close();
    }
    QMainWindow::closeEvent(event);
}

// Every search the user starts is recorded: those of the search box and of
// the kanji table through the window's search signal, the kanji searches
// of the word table and of the radical list as they leave those views.
void MainWindow::setupLearnerTools()
{
    history = new SearchHistory(this);
    auto* historyMenu = new HistoryMenu(history, this);
    menuBar()->insertMenu(ui->menuHelp->menuAction(), historyMenu);
    connect(historyMenu, &HistoryMenu::rerun, this, &MainWindow::rerun);
    connect(this, &MainWindow::search, this,
            [this](const QString& text, const WordDictionary::SearchOptions& options) {
                HistoryEntry entry;
                entry.text = text;
                entry.options = options;
                entry.provisional = searchingWhileTyping;
                history->record(entry);
            });
    connect(ui->wordResults, &QWordResultTable::searchForKanji, this,
            [this](const std::set<wchar_t>& characters) { recordKanjiSearch(characters, false); });
    connect(ui->radicalList, &QRadicalList::kanjiSearched, this,
            [this](const std::set<wchar_t>& characters) { recordKanjiSearch(characters, true); });

    asYouType = new SearchAsYouType(ui->searchText, this);
    connect(ui->searchAsYouType, &QCheckBox::toggled, asYouType, &SearchAsYouType::setOn);
    asYouType->setConvertsRomaji(ui->romajiToKana->isChecked());
    connect(ui->romajiToKana, &QCheckBox::toggled, asYouType, &SearchAsYouType::setConvertsRomaji);
    connect(asYouType, &SearchAsYouType::searchDue, this,
            [this](const QString& text) { runSearch(text, true); });

    clipboardWatcher = new ClipboardWatcher(QGuiApplication::clipboard(), this);
    lookUpCopiedText = new QAction(tr("&Look up copied text"), this);
    lookUpCopiedText->setObjectName(QStringLiteral("actionLookUpCopiedText"));
    lookUpCopiedText->setCheckable(true);
    lookUpCopiedText->setToolTip(
        tr("Look up Japanese text copied or selected in other programs"));
    ui->menuDexaru2->insertAction(ui->menuDexaru2->actions().value(1), lookUpCopiedText);
    connect(lookUpCopiedText, &QAction::toggled, clipboardWatcher, &ClipboardWatcher::setWatching);
    // Searched as if typed; the window is not raised, the user reads on.
    connect(clipboardWatcher, &ClipboardWatcher::japaneseTextCopied, this,
            [this](const QString& text) {
                putInSearchBox(text);
                on_searchButton_clicked();
            });
}

void MainWindow::readLearnerTools()
{
    QSettings file(preferences->file(), QSettings::IniFormat);
    history->load(file);
    lookUpCopiedText->setChecked(file.value("clipboard/lookUp", false).toBool());
}

void MainWindow::writeLearnerTools()
{
    QSettings file(preferences->file(), QSettings::IniFormat);
    history->save(file);
    file.setValue("clipboard/lookUp", lookUpCopiedText->isChecked());
}

void MainWindow::putInSearchBox(const QString& text)
{
    ui->searchText->imeText.clear();
    ui->searchText->setPlainText(text);
}

void MainWindow::recordKanjiSearch(const std::set<wchar_t>& characters, bool provisional)
{
    if (characters.empty())
        return;
    HistoryEntry entry;
    entry.kind = HistoryEntry::KANJI;
    entry.text = QString::fromStdWString(std::wstring(characters.begin(), characters.end()));
    entry.provisional = provisional;
    history->record(entry);
}

// A word search comes back with its text in the box and its options in the
// boxes; a kanji search only refills the kanji table.
void MainWindow::rerun(const HistoryEntry& entry)
{
    if (entry.kind == HistoryEntry::KANJI) {
        const std::wstring characters = entry.text.toStdWString();
        emit searchForKanji(std::set<wchar_t>(characters.begin(), characters.end()));
        return;
    }
    restoreOptions(entry.options);
    putInSearchBox(entry.text);
    asYouType->searched(entry.text);
    emitSearch(entry.text, entry.options);
}

void MainWindow::restoreOptions(const WordDictionary::SearchOptions& options)
{
    const std::pair<QCheckBox*, bool> boxes[] = {
        {ui->searchInKana, (options.searchFlags & WordDictionary::SEARCH_KANA) != 0},
        {ui->searchInWord, (options.searchFlags & WordDictionary::SEARCH_WORD) != 0},
        {ui->searchInMeanings, (options.searchFlags & WordDictionary::SEARCH_MEANING) != 0},
        {ui->ignoreCase, (options.searchFlags & WordDictionary::SEARCH_IGNORE_CASE) != 0},
        {ui->fuzzySearch, (options.searchFlags & WordDictionary::SEARCH_FUZZY) != 0},
        {ui->allowWildcards, (options.searchFlags & WordDictionary::SEARCH_WILDCARD) != 0},
        {ui->commonOnly, options.commonFilter == 1},
        {ui->allowLimit, options.limit >= 0},
        {ui->searchByPartsOfSpeech, !options.partsOfSpeech.empty()},
    };
    for (const auto& [box, checked] : boxes)
        box->setChecked(checked);
    if (options.limit >= 0)
        ui->limitText->setPlainText(QString::number(options.limit));
    if (options.partsOfSpeech.empty())
        return;
    for (int row = 0; row < ui->partsOfSpeechList->count(); ++row) {
        QListWidgetItem* item = ui->partsOfSpeechList->item(row);
        if (item->type() != QListWidgetItem::UserType)
            continue;
        const std::string abbreviation =
            static_cast<PartsOfSpeechListItem*>(item)->abbreviation.toStdString();
        const bool wanted = std::find(options.partsOfSpeech.begin(), options.partsOfSpeech.end(),
                                      abbreviation)
                            != options.partsOfSpeech.end();
        item->setCheckState(wanted ? Qt::Checked : Qt::Unchecked);
    }
}

#include "MainWindow.h"

#include "About.h"
#include "AddDictionary.h"
#include "BackgroundLoading.h"
#include "BusyCursor.h"
#include "DarkPalette.h"
#include "DictionaryLoads.h"
#include "DictionaryStatus.h"
#include "HandwritingPad.h"
#include "HandwritingPanel.h"
#include "LearnerTools.h"
#include "Log.h"
#include "ManageDictionaries.h"
#include "Preferences.h"
#include "RadicalPicker.h"
#include "ResultRoom.h"
#include "Romaji.h"
#include "TypedSearch.h"
#include "SearchOptionControls.h"
#include "Settings.h"
#include "StudyTools.h"
#include "WindowKeyboard.h"
#include "ui_MainWindow.h"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QListWidgetItem>
#include <QSignalBlocker>
#include <QLabel>
#include <QTextCursor>

MainWindow::MainWindow(QWidget* parent)
    : QMainWindow(parent),
      ui(new Ui::MainWindow),
      settingsDialog(new Settings),
      dictionaryLoads(nullptr),
      limitNote(nullptr),
      searchLimit(-1),
      radicalPicker(nullptr),
      searchingWhileTyping(false),
      searchingWithOwnOptions(false),
      savedDictionariesInBackground(false)
{
    ui->setupUi(this);
    radicalPicker = new RadicalPicker(ui->radicalList, ui->characterResults);
    connect(radicalPicker, &RadicalPicker::searchForWords, this,
            [this](QString text, WordDictionary::SearchOptions options) {
                startSearch(text, options);
            });
    searchOptions = std::make_unique<SearchOptionControls>(ui);
    dictionaryLoads = new DictionaryLoads(ui->dictionaryList, this);
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
    WindowKeyboard::setUp(this, ui);
    new ResultRoom(ui);  // a child of the splitter it shares out
    radicalPicker->joinTabOrder();
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
    setupHandwriting();
    studyTools = std::make_unique<StudyTools>(this, ui, learnerTools->reader());
    DarkPalette::adapt(this, ui->imeButton, settingsDialog.get());
}

// The tools ask for searches through the window, so that the search box's
// searches, those they start and those they record are all the same.
void MainWindow::setupLearnerTools()
{
    learnerTools =
        std::make_unique<LearnerTools>(this, ui, settingsDialog.get(), searchOptions.get());
    connect(this, &MainWindow::search, learnerTools.get(),
            [this](const QString& text, const WordDictionary::SearchOptions& options) {
                learnerTools->recordWordSearch(text, options, searchingWhileTyping,
                                               searchingWithOwnOptions);
            });
    connect(learnerTools.get(), &LearnerTools::typedSearchDue, this,
            [this](const QString& text) { runSearch(text, true); });
    connect(learnerTools.get(), &LearnerTools::searchBoxSearchDue, this,
            &MainWindow::on_searchButton_clicked);
    connect(learnerTools.get(), &LearnerTools::wordSearchRerun, this, &MainWindow::emitSearch);
    connect(learnerTools.get(), &LearnerTools::kanjiSearchRerun, this, &MainWindow::searchForKanji);
    connect(ui->relevanceOrder, &QCheckBox::toggled, this, &MainWindow::relevanceOrderChanged);
}

void MainWindow::setupHandwriting()
{
    // A dock at the right, closed until asked for; a saved window state
    // puts it back where the user left it.
    handwritingPanel = new HandwritingPanel(this);
    addDockWidget(Qt::RightDockWidgetArea, handwritingPanel);
    handwritingPanel->hide();
    QAction* showPad = handwritingPanel->toggleViewAction();
    showPad->setObjectName(QStringLiteral("actionHandwriting"));
    showPad->setText(tr("&Handwriting"));
    showPad->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_K));
    ui->menuView->addAction(showPad);
    connect(showPad, &QAction::triggered, handwritingPanel, [this](bool shown) {
        if (shown) {
            handwritingPanel->raise();
            handwritingPanel->pad()->setFocus(Qt::ShortcutFocusReason);
        }
    });
    connect(handwritingPanel, &HandwritingPanel::characterChosen, this, &MainWindow::insertIntoSearchBox);
    connect(handwritingPanel, &HandwritingPanel::kanjiSearched, this, [this](std::set<wchar_t> kanji) {
        const BusyCursor busy;
        emit searchForKanji(kanji);
    });
}

// At the box's cursor, after the pending romaji has become kana; searching
// while typing then searches the box as after a key.
void MainWindow::insertIntoSearchBox(const QString& character)
{
    ui->searchText->finishPending();
    ui->searchText->insertPlainText(character);
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
                searchingWithOwnOptions = true;
                startSearch(text, options);
                searchingWithOwnOptions = false;
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

    connect(dictionaryLoads, &DictionaryLoads::loaded, this, [this](WordDictionary* dictionary) {
        emit wordDictionaryAdded(dictionary);
        const DictionaryStatus status = DictionaryStatus::of(dictionary);
        statusBar()->showMessage(status.announcement(),
                                 status.state == DictionaryStatus::READY ? 5000 : 0);
    });
}

void MainWindow::on_checkVisible_clicked()
{
    searchOptions->toggleCheckMarks(true);
}

void MainWindow::on_checkAll_clicked()
{
    searchOptions->toggleCheckMarks(false);
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
        learnerTools->searchBoxSearched();
    const WordDictionary::SearchOptions options = searchOptions->options();
    if (ui->romajiToKana->checkState() == Qt::Checked) {
        const std::wstring original = text.toStdWString();
        Log::write(7, "%s: The original search text is '%S'.", "on_searchButton_clicked",
                   original.c_str());
        // English leaves letters behind as kana ("water" as わてr): it stays.
        const std::wstring kana =
            TypedSearch::kanaOfWholeRomaji(original, ui->relevanceOrder->isChecked());
        Log::write(7, "%s: The [new] search text is '%S'.", "on_searchButton_clicked",
                   kana.c_str());
        // While typing rests, letters that spell no kana yet are left out of
        // the kana ("water" rests as わて); the meanings still get the
        // whole word as typed.
        const bool restingOnLetters = whileTyping && !ui->searchText->imeOn;
        emit searchTextTyped(restingOnLetters ? ui->searchText->toPlainText() : text);
        text = QString::fromStdWString(kana);
    }
    if (!whileTyping && learnerTools->showsTypedSearch(text, options)) {
        return;
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
    dictionaryLoads->finishAll();
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
    dictionaryLoads->add(dictionary);
}

// The selection inside the search box when there is one, else all its text.
QString MainWindow::searchText() const
{
    const QTextCursor cursor = ui->searchText->textCursor();
    if (cursor.hasSelection())
        return cursor.selectedText();
    return ui->searchText->toPlainText();
}

// The dialogs that nothing needs before they are asked for are made then:
// the first icon of a button costs the loading of the icon theme, About its
// rich text. The list of dictionaries to manage starts as the window's.
void MainWindow::on_actionAdd_dictionary_triggered()
{
    if (!addDictionaryDialog) {
        addDictionaryDialog = std::make_unique<AddDictionary>();
        connect(addDictionaryDialog.get(), &AddDictionary::loadedDictionary, this,
                &MainWindow::loadInBackground);
    }
    addDictionaryDialog->show();
}

void MainWindow::on_actionManage_dictionaries_triggered()
{
    if (!manageDictionariesDialog) {
        manageDictionariesDialog = std::make_unique<ManageDictionaries>();
        connect(manageDictionariesDialog.get(), &ManageDictionaries::wordDictionaryRemoved, this,
                &MainWindow::wordDictionaryRemoved);
        for (int row = 0; row < ui->dictionaryList->count(); ++row) {
            auto* dictionary =
                ui->dictionaryList->item(row)->data(Qt::UserRole).value<WordDictionary*>();
            if (dictionary != nullptr && !dictionaryLoads->isWaiting(dictionary))
                manageDictionariesDialog->addWordDictionary(dictionary);
        }
    }
    manageDictionariesDialog->show();
}

void MainWindow::about()
{
    if (!aboutDialog)
        aboutDialog = std::make_unique<About>();
    aboutDialog->show();
}

void MainWindow::settings()
{
    settingsDialog->show();
}

void MainWindow::addPartOfSpeechToList(std::string abbreviation, std::string name)
{
    searchOptions->addPartOfSpeech(QString::fromStdString(abbreviation),
                                   QString::fromStdString(name));
}

void MainWindow::filterPartsOfSpeech()
{
    searchOptions->filterPartsOfSpeech();
}

void MainWindow::togglePartOfSpeechFiltering(int state)
{
    searchOptions->enablePartsOfSpeech(state == Qt::Checked);
}

// A dictionary added while the program runs takes the place of the row that
// stood for it while it loaded.
void MainWindow::addWordDictionary(WordDictionary* dictionary)
{
    // Filled before it joins the list, so that no itemChanged fires for it.
    auto* row = new QListWidgetItem(QString::fromStdString(dictionary->getName()));
    row->setFlags(row->flags() | Qt::ItemIsUserCheckable);
    row->setCheckState(dictionary->isEnabled() ? Qt::Checked : Qt::Unchecked);
    row->setData(Qt::UserRole, QVariant::fromValue(dictionary));
    showLoadState(row, dictionary);
    int place = ui->dictionaryList->count();
    for (int other = 0; other < ui->dictionaryList->count(); ++other) {
        if (ui->dictionaryList->item(other)->data(Qt::UserRole).value<WordDictionary*>()
            == dictionary) {
            delete ui->dictionaryList->takeItem(other);
            place = other;
            break;
        }
    }
    ui->dictionaryList->insertItem(place, row);
    if (manageDictionariesDialog)
        manageDictionariesDialog->addWordDictionary(dictionary);
}

void MainWindow::showLoadState(QListWidgetItem* row, WordDictionary* dictionary)
{
    const QSignalBlocker quiet(ui->dictionaryList);
    DictionaryStatus::of(dictionary).markRow(row);
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
    if (manageDictionariesDialog)
        manageDictionariesDialog->removeWordDictionary(dictionary);
}

void MainWindow::enableOrDisableDictionary(QListWidgetItem* item)
{
    if (item->checkState() == Qt::Checked) {
        const BusyCursor busy;  // the dictionary is loaded when first enabled
        emit dictionaryEnabled(item->text());
    } else {
        emit dictionaryDisabled(item->text());
    }
    if (auto* dictionary = item->data(Qt::UserRole).value<WordDictionary*>())
        showLoadState(item, dictionary);
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
    studyTools->markWordRows();
    showProgress(50);
}

void MainWindow::showCharacterResult(CharacterResult* result)
{
    radicalPicker->characterResultArrived(result);
    ui->characterResults->setResult(result);
    showProgress(100);
}

void MainWindow::readSettings()
{
    preferences->read([this](WordDictionary* dictionary) {
        if (savedDictionariesInBackground)
            dictionaryLoads->add(dictionary);
        else
            emit wordDictionaryAdded(dictionary);
    });
    learnerTools->read(preferences->file());
}

void MainWindow::closeEvent(QCloseEvent* event)
{
    preferences->write();
    learnerTools->write(preferences->file());
    // Dialogs left open would keep the program running, and what changed
    // in them would never be saved.
    for (QWidget* window : QApplication::topLevelWidgets()) {
        if (window != this && window->isVisible() && !(window->windowType() == Qt::ToolTip))
            window->close();
    }
    QMainWindow::closeEvent(event);
}

#include "MainWindow.h"

#include "About.h"
#include "AddDictionary.h"
#include "BackgroundLoading.h"
#include "BusyCursor.h"
#include "DarkPalette.h"
#include "LearnerTools.h"
#include "Log.h"
#include "ManageDictionaries.h"
#include "Preferences.h"
#include "RadicalPicker.h"
#include "Romaji.h"
#include "SearchOptionControls.h"
#include "Settings.h"
#include "WindowKeyboard.h"
#include "ui_MainWindow.h"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QLabel>
#include <QStyle>
#include <QTextCursor>

MainWindow::MainWindow(QWidget* parent)
    : QMainWindow(parent),
      ui(new Ui::MainWindow),
      aboutDialog(new About),
      addDictionaryDialog(new AddDictionary),
      manageDictionariesDialog(new ManageDictionaries),
      settingsDialog(new Settings),
      limitNote(nullptr),
      searchLimit(-1),
      radicalPicker(nullptr),
      searchingWhileTyping(false)
{
    ui->setupUi(this);
    radicalPicker = new RadicalPicker(ui->radicalList, ui->characterResults);
    connect(radicalPicker, &RadicalPicker::searchForWords, this,
            [this](QString text, WordDictionary::SearchOptions options) {
                startSearch(text, options);
            });
    searchOptions = std::make_unique<SearchOptionControls>(ui);
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
                learnerTools->recordWordSearch(text, options, searchingWhileTyping);
            });
    connect(learnerTools.get(), &LearnerTools::typedSearchDue, this,
            [this](const QString& text) { runSearch(text, true); });
    connect(learnerTools.get(), &LearnerTools::searchBoxSearchDue, this,
            &MainWindow::on_searchButton_clicked);
    connect(learnerTools.get(), &LearnerTools::wordSearchRerun, this, &MainWindow::emitSearch);
    connect(learnerTools.get(), &LearnerTools::kanjiSearchRerun, this, &MainWindow::searchForKanji);
    connect(ui->relevanceOrder, &QCheckBox::toggled, this, &MainWindow::relevanceOrderChanged);
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
    radicalPicker->characterResultArrived(result);
    ui->characterResults->setResult(result);
    showProgress(100);
}

void MainWindow::readSettings()
{
    preferences->read([this](WordDictionary* dictionary) { emit wordDictionaryAdded(dictionary); });
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

#include "LearnerTools.h"

#include "ClipboardWatcher.h"
#include "HistoryMenu.h"
#include "ReaderPanel.h"
#include "SearchAsYouType.h"
#include "SearchHistory.h"
#include "SearchOptionControls.h"
#include "Settings.h"
#include "ui_MainWindow.h"

#include <QAction>
#include <QCheckBox>
#include <QGuiApplication>
#include <QMainWindow>
#include <QMenuBar>
#include <QSettings>

LearnerTools::LearnerTools(QMainWindow* window, Ui::MainWindow* form, Settings* settings,
                           SearchOptionControls* searchOptions)
    : window(window),
      ui(form),
      settings(settings),
      searchOptions(searchOptions),
      history(nullptr),
      asYouType(nullptr),
      clipboardWatcher(nullptr),
      lookUpCopiedText(nullptr),
      readerPanel(nullptr),
      typedSearchShown(false)
{
    setupHistory();
    setupTyping();
    setupClipboard();
    setupReader();
}

void LearnerTools::setupHistory()
{
    history = new SearchHistory(window);
    auto* historyMenu = new HistoryMenu(history, window);
    window->menuBar()->insertMenu(ui->menuHelp->menuAction(), historyMenu);
    connect(historyMenu, &HistoryMenu::rerun, this, &LearnerTools::rerun);
    connect(ui->wordResults, &QWordResultTable::searchForKanji, this,
            [this](const std::set<wchar_t>& characters) { recordKanjiSearch(characters, false); });
    connect(ui->radicalList, &QRadicalList::kanjiSearched, this,
            [this](const std::set<wchar_t>& characters) { recordKanjiSearch(characters, true); });
}

void LearnerTools::setupTyping()
{
    asYouType = new SearchAsYouType(ui->searchText, window);
    connect(ui->searchAsYouType, &QCheckBox::toggled, asYouType, &SearchAsYouType::setOn);
    asYouType->setConvertsRomaji(ui->romajiToKana->isChecked());
    connect(ui->romajiToKana, &QCheckBox::toggled, asYouType, &SearchAsYouType::setConvertsRomaji);
    connect(asYouType, &SearchAsYouType::searchDue, this, &LearnerTools::typedSearchDue);
    // Another order or other dictionaries make other results of the same search.
    const auto forgetTypedSearch = [this] { typedSearchShown = false; };
    connect(ui->relevanceOrder, &QCheckBox::toggled, this, forgetTypedSearch);
    connect(ui->dictionaryList->model(), &QAbstractItemModel::dataChanged, this, forgetTypedSearch);
    connect(ui->dictionaryList->model(), &QAbstractItemModel::rowsRemoved, this, forgetTypedSearch);
    connect(ui->dictionaryList->model(), &QAbstractItemModel::rowsInserted, this,
            forgetTypedSearch);
}

void LearnerTools::setupClipboard()
{
    clipboardWatcher = new ClipboardWatcher(QGuiApplication::clipboard(), window);
    lookUpCopiedText = new QAction(tr("&Look up copied text"), window);
    lookUpCopiedText->setObjectName(QStringLiteral("actionLookUpCopiedText"));
    lookUpCopiedText->setCheckable(true);
    lookUpCopiedText->setToolTip(
        tr("Look up Japanese text copied or selected in other programs"));
    ui->menuDexaru2->insertAction(ui->menuDexaru2->actions().value(1), lookUpCopiedText);
    connect(lookUpCopiedText, &QAction::toggled, clipboardWatcher, &ClipboardWatcher::setWatching);
    connect(clipboardWatcher, &ClipboardWatcher::japaneseTextCopied, this,
            &LearnerTools::lookUpCopied);
}

void LearnerTools::setupReader()
{
    // A tab beside the feedback bar, closed until asked for; a saved window
    // state puts it back where the user left it.
    readerPanel = new ReaderPanel(window);
    window->addDockWidget(Qt::BottomDockWidgetArea, readerPanel);
    window->tabifyDockWidget(ui->dockWidget, readerPanel);
    readerPanel->hide();
    readerPanel->wordFont = &settings->wordFont;
    readerPanel->updateFonts();
    connect(settings, &Settings::settingsChanged, readerPanel, &ReaderPanel::updateFonts);
    QAction* showReader = readerPanel->toggleViewAction();
    showReader->setText(tr("&Read text"));
    showReader->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_R));
    ui->menuView->addAction(showReader);
    connect(showReader, &QAction::triggered, readerPanel, [this](bool shown) {
        if (shown) {
            readerPanel->raise();
            readerPanel->setFocus(Qt::ShortcutFocusReason);
        }
    });
    connect(readerPanel, &ReaderPanel::wordChosen, this, [this](const QString& dictionaryForm) {
        putInSearchBox(dictionaryForm);
        emit searchBoxSearchDue();
    });
    // The words change with the dictionaries: a row of the list changes
    // after the core has taken up the change it stands for. A panel with no
    // text has nothing to read again, and reading would build the reader's
    // tables at every start, when the dictionaries are listed.
    const QAbstractItemModel* dictionaryRows = ui->dictionaryList->model();
    const auto readAgain = [this] {
        if (!readerPanel->tokens().empty())
            readerPanel->readText();
    };
    for (auto rowsChanged : {&QAbstractItemModel::rowsInserted, &QAbstractItemModel::rowsRemoved})
        connect(dictionaryRows, rowsChanged, readerPanel, readAgain);
    connect(dictionaryRows, &QAbstractItemModel::dataChanged, readerPanel, readAgain);
}

// A word is searched as if typed; a sentence is read. The window is not
// raised: the user reads on where the text was copied.
void LearnerTools::lookUpCopied(const QString& text)
{
    if (readerPanel->wordCount(text) > 1) {
        readerPanel->show();
        readerPanel->raise();
        readerPanel->showText(text);
        return;
    }
    putInSearchBox(text);
    emit searchBoxSearchDue();
}

void LearnerTools::read(const QString& preferencesFile)
{
    QSettings file(preferencesFile, QSettings::IniFormat);
    history->load(file);
    lookUpCopiedText->setChecked(file.value("clipboard/lookUp", false).toBool());
}

void LearnerTools::write(const QString& preferencesFile)
{
    QSettings file(preferencesFile, QSettings::IniFormat);
    history->save(file);
    file.setValue("clipboard/lookUp", lookUpCopiedText->isChecked());
}

void LearnerTools::putInSearchBox(const QString& text)
{
    ui->searchText->imeText.clear();
    ui->searchText->setPlainText(text);
}

void LearnerTools::searchBoxSearched()
{
    asYouType->searched(SearchAsYouType::typedText(ui->searchText));
}

void LearnerTools::recordWordSearch(const QString& text,
                                    const WordDictionary::SearchOptions& options, bool provisional,
                                    bool ownOptions)
{
    HistoryEntry entry;
    entry.text = text;
    entry.options = options;
    entry.provisional = provisional;
    entry.ownOptions = ownOptions;
    record(entry);
    if (provisional) {
        typedText = text;
        typedOptions = options;
        typedSearchShown = true;
    }
}

void LearnerTools::record(const HistoryEntry& entry)
{
    typedSearchShown = false;
    history->record(entry);
}

bool LearnerTools::showsTypedSearch(const QString& text,
                                    const WordDictionary::SearchOptions& options)
{
    HistoryEntry wanted;
    wanted.text = text;
    wanted.options = options;
    HistoryEntry typed;
    typed.text = typedText;
    typed.options = typedOptions;
    if (!typedSearchShown || !typed.sameSearch(wanted) || ui->wordResults->result == nullptr
        || ui->wordResults->showRomaji != ui->showRomaji->isChecked()) {
        return false;
    }
    recordWordSearch(text, options, false);
    // The table still shows it: a second Return searches nothing either.
    typedSearchShown = true;
    return true;
}

void LearnerTools::recordKanjiSearch(const std::set<wchar_t>& characters, bool provisional)
{
    if (characters.empty())
        return;
    HistoryEntry entry;
    entry.kind = HistoryEntry::KANJI;
    entry.text = QString::fromStdWString(std::wstring(characters.begin(), characters.end()));
    entry.provisional = provisional;
    record(entry);
}

// A word search comes back with its text in the box and its options in the
// boxes, one from the kanji table's menu with only its results; a kanji
// search only refills the kanji table.
void LearnerTools::rerun(const HistoryEntry& entry)
{
    if (entry.kind == HistoryEntry::KANJI) {
        const std::wstring characters = entry.text.toStdWString();
        emit kanjiSearchRerun(std::set<wchar_t>(characters.begin(), characters.end()));
        return;
    }
    // The boxes and the search box played no part in such a search.
    if (entry.ownOptions) {
        emit wordSearchRerun(entry.text, entry.options);
        return;
    }
    searchOptions->restore(entry.options);
    putInSearchBox(entry.text);
    asYouType->searched(entry.text);
    emit wordSearchRerun(entry.text, entry.options);
}

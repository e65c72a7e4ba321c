#include "StudyTools.h"

#include "ClipboardWatcher.h"
#include "EntryText.h"
#include "MetaTypes.h"
#include "QWordResultTable.h"
#include "ReaderPanel.h"
#include "StudyWindow.h"
#include "WordEntry.h"
#include "ui_MainWindow.h"

#include <QAction>
#include <QApplication>
#include <QDateTime>
#include <QFile>
#include <QIcon>
#include <QListWidget>
#include <QMainWindow>
#include <QMenu>
#include <QMessageBox>
#include <QStatusBar>

#include <algorithm>
#include <set>

namespace {

int64_t now()
{
    return static_cast<int64_t>(QDateTime::currentSecsSinceEpoch());
}

// Ends of sentences in a text the Read panel shows.
bool endsSentence(const std::wstring& surface)
{
    return surface.find_first_of(L"。！？!?\n") != std::wstring::npos;
}

// The sentence of the text that holds the token: from the token after the
// last end of a sentence before it to the end of its own sentence.
QString sentenceAround(const std::vector<TextToken>& tokens, size_t index)
{
    size_t first = index;
    while (first > 0 && !endsSentence(tokens[first - 1].surface))
        --first;
    size_t last = index;
    while (last + 1 < tokens.size() && !endsSentence(tokens[last].surface))
        ++last;
    std::wstring sentence;
    for (size_t i = first; i <= last; ++i)
        sentence += tokens[i].surface;
    return QString::fromStdWString(sentence).trimmed();
}

}  // namespace

StudyTools::StudyTools(QMainWindow* window, Ui::MainWindow* form, ReaderPanel* reader)
    : mainWindow(window),
      ui(form),
      reader(reader),
      readerWords(reader ? reader->findChild<QListWidget*>(QStringLiteral("readerWords")) : nullptr),
      addAction(new QAction(tr("Add to study list"), window)),
      showAction(new QAction(tr("&Study list"), window)),
      window_(nullptr)
{
    addAction->setObjectName(QStringLiteral("actionAddToStudyList"));
    addAction->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_D));
    addAction->setToolTip(tr("Keep the selected word, with the text it was met in, for review"));
    // In the menus of the word table and of the Read panel's words, and
    // from anywhere in the window with its shortcut.
    ui->wordResults->insertAction(ui->wordResults->actions().value(0), addAction);
    if (readerWords != nullptr) {
        readerWords->setContextMenuPolicy(Qt::ActionsContextMenu);
        readerWords->addAction(addAction);
    }
    window->addAction(addAction);
    connect(addAction, &QAction::triggered, this, &StudyTools::addToStudyList);

    showAction->setObjectName(QStringLiteral("actionStudyList"));
    showAction->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S));
    showAction->setToolTip(tr("The study list: review the words kept, remove or export them"));
    ui->menuView->addSeparator();
    ui->menuView->addAction(showAction);
    connect(showAction, &QAction::triggered, this, &StudyTools::showStudyWindow);

    connect(window, SIGNAL(search(QString,WordDictionary::SearchOptions)), this,
            SLOT(noteSearch(QString)));
    if (auto* watcher = window->findChild<ClipboardWatcher*>())
        connect(watcher, &ClipboardWatcher::japaneseTextCopied, this,
                [this](const QString& text) { copiedText = text; });

    // Cards fall due while the program runs.
    dueCountTimer.setInterval(60 * 1000);
    connect(&dueCountTimer, &QTimer::timeout, this, &StudyTools::updateDueCount);
    dueCountTimer.start();
    // Counted once the window is up, so that starting does not wait for it.
    QTimer::singleShot(0, this, &StudyTools::updateDueCount);
}

StudyTools::~StudyTools() = default;

StudyList* StudyTools::studyList(bool quiet)
{
    if (list != nullptr)
        return list.get();
    auto opened = std::make_unique<StudyList>();
    if (opened->open(StudyList::getDefaultFilename()) != 0) {
        if (quiet)
            return nullptr;
        QMessageBox::warning(mainWindow, tr("Study list"),
                             tr("The study list cannot be used.") + QStringLiteral("\n\n")
                                 + QString::fromStdString(opened->getError()));
        return nullptr;
    }
    list = std::move(opened);
    return list.get();
}

void StudyTools::noteSearch(const QString& text)
{
    // The box's own text, as typed (romaji included), when it has one.
    const QString typed = ui->searchText->toPlainText().trimmed();
    searchedText = typed.isEmpty() ? text : typed;
}

int StudyTools::sourceOf(const QString& text) const
{
    return !copiedText.isEmpty() && copiedText.trimmed().contains(text.trimmed())
               ? StudyCard::SOURCE_COPIED_TEXT
               : StudyCard::SOURCE_TYPED;
}

int StudyTools::addEntry(const WordEntry& entry, const QString& sentence, int source, QString* word)
{
    StudyCard card;
    card.word = entrytext::wide(entry.word).toStdString();
    card.reading = entrytext::wide(entry.kana).toStdString();
    for (const QString& gloss : entrytext::meanings(entry))
        card.glosses.push_back(gloss.toStdString());
    for (const EntryInfo* info : entry.info) {
        if (std::find(card.partsOfSpeech.begin(), card.partsOfSpeech.end(), info->abbreviation)
            == card.partsOfSpeech.end())
            card.partsOfSpeech.push_back(info->abbreviation);
    }
    card.dictionary = entry.dictionaryName;
    card.sentence = sentence.toStdString();
    card.source = source;
    card.added = now();
    *word = QString::fromStdString(card.word);
    bool added = false;
    if (list->addCard(card, &added) < 0) {
        QMessageBox::warning(mainWindow, tr("Study list"),
                             tr("%1 could not be added to the study list.").arg(*word)
                                 + QStringLiteral("\n\n") + QString::fromStdString(list->getError()));
        return -1;
    }
    return added ? 1 : 0;
}

void StudyTools::addToStudyList()
{
    if (studyList() == nullptr)
        return;
    const QWidget* focus = QApplication::focusWidget();
    if (readerWords != nullptr && focus != nullptr
        && (focus == readerWords || readerWords->isAncestorOf(focus)))
        addFromReader();
    else
        addFromWordTable();
}

void StudyTools::addFromWordTable()
{
    QTableWidget* table = ui->wordResults;
    std::set<int> rows;
    for (const QModelIndex& index : table->selectionModel()->selectedRows())
        rows.insert(index.row());
    if (rows.empty() && table->currentRow() >= 0)
        rows.insert(table->currentRow());
    if (rows.empty()) {
        mainWindow->statusBar()->showMessage(tr("Select a word to add to the study list."), 5000);
        return;
    }
    QStringList added, kept;
    for (int row : rows) {
        const QTableWidgetItem* cell = table->item(row, 0);
        const WordEntry* entry = cell ? cell->data(Qt::UserRole).value<WordEntry*>() : nullptr;
        if (entry == nullptr)
            continue;
        QString word;
        const int result = addEntry(*entry, searchedText, sourceOf(searchedText), &word);
        if (result < 0)
            break;
        (result ? added : kept) << word;
    }
    mainWindow->statusBar()->showMessage(
        added.isEmpty() ? tr("Already on the study list: %1").arg(kept.join(QStringLiteral(", ")))
                        : tr("Added to the study list: %1").arg(added.join(QStringLiteral(", "))),
        5000);
    studyListChanged();
}

void StudyTools::addFromReader()
{
    const int row = readerWords->currentRow();
    const std::vector<TextToken>& tokens = reader->tokens();
    if (row < 0 || size_t(row) >= tokens.size() || !tokens[size_t(row)].isWord()
        || !tokens[size_t(row)].entry) {
        mainWindow->statusBar()->showMessage(tr("Select a word to add to the study list."), 5000);
        return;
    }
    const QString sentence = sentenceAround(tokens, size_t(row));
    const int source = sourceOf(sentence) == StudyCard::SOURCE_COPIED_TEXT
                           ? StudyCard::SOURCE_COPIED_TEXT
                           : StudyCard::SOURCE_READ_TEXT;
    QString word;
    const int result = addEntry(*tokens[size_t(row)].entry, sentence, source, &word);
    if (result < 0)
        return;
    mainWindow->statusBar()->showMessage(result ? tr("Added to the study list: %1").arg(word)
                                                : tr("Already on the study list: %1").arg(word),
                                         5000);
    studyListChanged();
}

void StudyTools::studyListChanged()
{
    markWordRows();
    updateDueCount();
    if (window_ != nullptr && window_->isVisible() && window_->cardUnderReview() == 0)
        window_->refresh();
}

void StudyTools::markWordRows()
{
    if (list == nullptr && !QFile::exists(QString::fromStdString(StudyList::getDefaultFilename())))
        return;  // Nothing kept yet: no need to create the file.
    if (studyList(true) == nullptr)
        return;
    static const QIcon mark(QStringLiteral(":/images/resource/study-mark.png"));
    QTableWidget* table = ui->wordResults;
    for (int row = 0; row < table->rowCount(); ++row) {
        QTableWidgetItem* cell = table->item(row, 0);
        QTableWidgetItem* markCell = table->item(row, 2);
        const WordEntry* entry = cell ? cell->data(Qt::UserRole).value<WordEntry*>() : nullptr;
        if (entry == nullptr || markCell == nullptr)
            continue;
        const bool kept = list->findCard(entrytext::wide(entry->word).toStdString(),
                                         entrytext::wide(entry->kana).toStdString())
                          > 0;
        markCell->setData(Qt::DecorationRole, kept ? mark : QIcon());
        markCell->setData(Qt::AccessibleDescriptionRole,
                          kept ? tr("On the study list") : QString());
    }
}

void StudyTools::updateDueCount()
{
    int due = 0;
    if (list != nullptr) {
        due = list->countDueCards(now());
    } else {
        // Counted without creating the file, nor complaining about it.
        StudyList peek;
        if (peek.open(StudyList::getDefaultFilename(), StudyList::OPEN_READ_ONLY) == 0)
            due = peek.countDueCards(now());
    }
    showAction->setText(due > 0 ? tr("&Study list (%1 due)").arg(due) : tr("&Study list"));
    if (window_ != nullptr)
        window_->updateTitle();
}

void StudyTools::showStudyWindow()
{
    if (studyList() == nullptr)
        return;
    if (window_ == nullptr) {
        window_ = new StudyWindow(list.get(), mainWindow);
        connect(window_, &StudyWindow::studyListChanged, this, [this] {
            markWordRows();
            updateDueCount();
        });
    } else {
        window_->refresh();
    }
    window_->show();
    window_->raise();
    window_->activateWindow();
}

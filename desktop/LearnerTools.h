// The main window's tools for learners beside the searches: the history and
// its menu, looking up text copied in other programs, searching while typing
// and the Read panel. It adds its menu, action and dock to the window and
// asks the window for searches by signal. The history, the as-you-type
// watcher, the clipboard watcher, the action and the panel are children of
// the window; this object borrows the window, its form, the settings dialog
// and the search option controls, which must outlive it.
#ifndef DEXARU_DESKTOP_LEARNERTOOLS_H
#define DEXARU_DESKTOP_LEARNERTOOLS_H

#include "WordDictionary.h"

#include <QObject>
#include <QString>

#include <set>

class ClipboardWatcher;
class QAction;
class QMainWindow;
class ReaderPanel;
class SearchAsYouType;
class SearchHistory;
class SearchOptionControls;
class Settings;
struct HistoryEntry;

namespace Ui {
class MainWindow;
}

class LearnerTools : public QObject
{
    Q_OBJECT

public:
    LearnerTools(QMainWindow* window, Ui::MainWindow* form, Settings* settings,
                 SearchOptionControls* searchOptions);

    // Every search the user starts is recorded: the window passes on its
    // word searches; the kanji searches of the word table and of the radical
    // list are taken as they leave those views. A provisional entry comes
    // from typing and gives way to the next one.
    // ownOptions: the search came with options of its own (the kanji
    // table's), not from the boxes.
    void recordWordSearch(const QString& text, const WordDictionary::SearchOptions& options,
                          bool provisional, bool ownOptions = false);
    // The search box's text was searched outright, not while typing.
    void searchBoxSearched();
    // True when the word table shows this very search already, searched
    // while typing and nothing searched since (Return right after the
    // typing rested): the search is then kept in the history for good
    // instead of being run again.
    bool showsTypedSearch(const QString& text, const WordDictionary::SearchOptions& options);
    // The history and the look-up switch, in the preferences file given.
    void read(const QString& preferencesFile);
    void write(const QString& preferencesFile);
    ReaderPanel* reader() const { return readerPanel; }

signals:
    // The search box holds new text to be searched as if the user had
    // pressed the search button.
    void searchBoxSearchDue();
    // The box has been quiet after typing: search this text provisionally.
    void typedSearchDue(QString text);
    // A word search of the history, its options already back in the boxes.
    void wordSearchRerun(QString text, WordDictionary::SearchOptions options);
    void kanjiSearchRerun(std::set<wchar_t> characters);

private:
    void setupHistory();
    void setupTyping();
    void setupClipboard();
    void setupReader();
    void lookUpCopied(const QString& text);
    void putInSearchBox(const QString& text);
    void rerun(const HistoryEntry& entry);
    void recordKanjiSearch(const std::set<wchar_t>& characters, bool provisional);
    void record(const HistoryEntry& entry);

    QMainWindow* window;
    Ui::MainWindow* ui;
    Settings* settings;
    SearchOptionControls* searchOptions;
    SearchHistory* history;
    SearchAsYouType* asYouType;
    ClipboardWatcher* clipboardWatcher;
    QAction* lookUpCopiedText;
    // The Read panel: a click on a word searches its dictionary form; copied
    // text of more than one word goes there instead of the search box.
    ReaderPanel* readerPanel;  // a dock of the window
    // The word table's search, when it was searched while typing; empty
    // once anything else is searched or the results may change.
    QString typedText;
    WordDictionary::SearchOptions typedOptions;
    bool typedSearchShown;
};

#endif

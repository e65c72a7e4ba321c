// The desktop program's one top-level window: search box and options, the
// parts-of-speech filter, the dictionary list, both result tables and the
// radical list. It turns its controls into searches by signal and shows the
// results Core sends back; the tables own those results. It owns its widgets
// and the four dialogs; Preferences keeps their state in "preferences.ini".
// SearchOptionControls reads and sets the option boxes, LearnerTools adds
// the history, copied-text look-up, searching while typing and the Read
// panel, WindowKeyboard the shortcuts, ResultRoom the results' share of a
// small window, DarkPalette the dark colours and RadicalPicker the grids of
// radicals and of the kanji they find.
#ifndef DEXARU_DESKTOP_MAINWINDOW_H
#define DEXARU_DESKTOP_MAINWINDOW_H

#include "MetaTypes.h"

#include <QMainWindow>
#include <QString>

#include <memory>
#include <set>
#include <string>

class About;
class AddDictionary;
class Core;
class HandwritingPanel;
class DictionaryLoads;
class LearnerTools;
class ManageDictionaries;
class Preferences;
class QLabel;
class QListWidgetItem;
class RadicalPicker;
class SearchOptionControls;
class Settings;
class StudyTools;

namespace Ui {
class MainWindow;
}

class MainWindow : public QMainWindow
{
    Q_OBJECT

public:
    explicit MainWindow(QWidget* parent = nullptr);
    ~MainWindow() override;

    // Restores the window, the saved word dictionaries (through
    // wordDictionaryAdded), the search options, the IME switch, the fonts and
    // the radical list's instant mode from "preferences.ini" in the working
    // directory. A missing file leaves the form's defaults.
    void readSettings();
    // From now on, readSettings() has the saved word dictionaries loaded on
    // worker threads and handed to the core in their saved order (disabled
    // ones unloaded), rather than loading each before it returns: the
    // program's start shows the window meanwhile. A search waits for them.
    void loadSavedDictionariesInBackground() { savedDictionariesInBackground = true; }

signals:
    void wordDictionaryAdded(WordDictionary* dictionary);
    void wordDictionaryRemoved(WordDictionary* wordDictionary);
    void search(QString text, WordDictionary::SearchOptions searchOptions);
    void searchForKanji(std::set<wchar_t> characterSet);
    void dictionaryEnabled(QString name);
    void dictionaryDisabled(QString name);
    // The "Most relevant first" box changed.
    void relevanceOrderChanged(bool on);
    // The search box's text as typed, emitted just before the search of its
    // kana: English in it is looked for in the meanings as typed.
    void searchTextTyped(QString typed);

protected:
    // Saves the preferences, then lets the window close.
    void closeEvent(QCloseEvent* event) override;

private slots:
    void on_checkVisible_clicked();
    void on_checkAll_clicked();
    void toggleView_SearchSettings(bool toggle);
    void toggleView_CharacterResults(bool toggle);
    void toggleView_WordResults(bool toggle);
    void on_searchButton_clicked();
    void on_actionAdd_dictionary_triggered();
    void on_actionManage_dictionaries_triggered();
    void addPartOfSpeechToList(std::string abbreviation, std::string name);
    void filterPartsOfSpeech();
    void togglePartOfSpeechFiltering(int state);
    void addWordDictionary(WordDictionary* dictionary);
    void removeWordDictionary(WordDictionary* dictionary);
    void enableOrDisableDictionary(QListWidgetItem* item);
    void addRadicals(RadicalTable* radicalTable);
    void showWordResult(WordResult* result);
    void showCharacterResult(CharacterResult* result);
    void about();
    void settings();

private:
    // The start-up wires the core to the private slots above.
    friend void connectWindowAndCore(MainWindow* window, Core* core);

    void connectWidgets();
    // Every word search goes out here, under the wait cursor.
    void startSearch(const QString& text, const WordDictionary::SearchOptions& options);
    void showProgress(int percent);
    // Loads a dictionary from the add-dictionary dialog on a worker thread,
    // then hands it on through wordDictionaryAdded, in the order of adding.
    void loadInBackground(WordDictionary* dictionary);
    // The warning of a dictionary that is enabled but could not be loaded.
    void showLoadState(QListWidgetItem* row, WordDictionary* dictionary);
    QString searchText() const;
    // Turns romaji into kana if asked and searches with the boxes' options.
    void runSearch(QString text, bool whileTyping);
    void emitSearch(const QString& text, const WordDictionary::SearchOptions& options);

    // History, looking up copied text, searching while typing, reading.
    void setupLearnerTools();
    // The Handwriting panel: a drawn character goes into the search box.
    void setupHandwriting();
    void insertIntoSearchBox(const QString& character);

    Ui::MainWindow* ui;
    std::unique_ptr<About> aboutDialog;  // made when first shown
    std::unique_ptr<AddDictionary> addDictionaryDialog;  // likewise
    std::unique_ptr<ManageDictionaries> manageDictionariesDialog;  // likewise
    std::unique_ptr<Settings> settingsDialog;
    std::unique_ptr<Preferences> preferences;
    DictionaryLoads* dictionaryLoads;  // a child of the window
    QLabel* limitNote;  // in the status bar: the result stopped at the limit
    int searchLimit;  // of the search under way, or -1
    std::unique_ptr<SearchOptionControls> searchOptions;
    std::unique_ptr<LearnerTools> learnerTools;
    // Adding words to the study list, its marks and the Study window.
    std::unique_ptr<StudyTools> studyTools;
    RadicalPicker* radicalPicker;  // in the form's splitter, which owns it
    bool searchingWhileTyping;  // the search being emitted comes from typing
    bool searchingWithOwnOptions;  // ... from the kanji table, not the boxes
    bool savedDictionariesInBackground;  // read by readSettings()
    HandwritingPanel* handwritingPanel = nullptr;  // a dock of the window
};

#endif

// The main window's side of the study list: "Add to study list" (Ctrl+D) on
// the word table's rows and on the Read panel's words, the mark on result
// rows whose word is on the list, and View > Study list (Ctrl+Shift+S) with
// the number of cards due, which opens the Study window. The study file is
// opened on first use; a file that cannot be used is reported once per use.
// The actions and the Study window are children of the main window; this
// object borrows the window, its form and the Read panel.
#ifndef DEXARU_DESKTOP_STUDYTOOLS_H
#define DEXARU_DESKTOP_STUDYTOOLS_H

#include "StudyList.h"

#include <QObject>
#include <QString>
#include <QTimer>

#include <memory>

class QAction;
class QMainWindow;
class QListWidget;
class ReaderPanel;
class StudyWindow;
class WordEntry;

namespace Ui {
class MainWindow;
}

class StudyTools : public QObject
{
    Q_OBJECT

public:
    StudyTools(QMainWindow* window, Ui::MainWindow* form, ReaderPanel* reader);
    ~StudyTools() override;

    // Marks the rows of the word table whose word is on the study list.
    void markWordRows();
    // The open study list, or null after telling the user why it cannot be
    // (quietly, for what the user did not ask for).
    StudyList* studyList(bool quiet = false);
    // Null until the window is first shown.
    StudyWindow* studyWindow() const { return window_; }

public slots:
    // Adds the Read panel's current word when the panel has the focus, else
    // the word table's selected rows (or its current one).
    void addToStudyList();
    void showStudyWindow();
    // Counts the cards due again, for the View menu and the Study window.
    void updateDueCount();

private slots:
    // A word search went out: its text is the sentence of the words added
    // from its results.
    void noteSearch(const QString& text);

private:
    int addEntry(const WordEntry& entry, const QString& sentence, int source, QString* word);
    void addFromWordTable();
    void addFromReader();
    void studyListChanged();
    int sourceOf(const QString& text) const;

    QMainWindow* mainWindow;
    Ui::MainWindow* ui;
    ReaderPanel* reader;
    QListWidget* readerWords;  // the Read panel's word list; may be null
    QAction* addAction;
    QAction* showAction;
    StudyWindow* window_;  // a child of the main window
    std::unique_ptr<StudyList> list;
    // The text each word search was started with, stored with its words.
    QString searchedText;
    // The last Japanese text copied in other programs.
    QString copiedText;
    QTimer dueCountTimer;
};

#endif

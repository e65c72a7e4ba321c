// The main window's search options as its controls show them: the check
// boxes, the limit field and the parts-of-speech list with its filter and
// its "All" and "Visible" buttons. It turns them into the options of a word
// search and sets them back from the options of an earlier one. It borrows
// the window's form; the window owns the widgets and outlives this object.
#ifndef DEXARU_DESKTOP_SEARCHOPTIONCONTROLS_H
#define DEXARU_DESKTOP_SEARCHOPTIONCONTROLS_H

#include "WordDictionary.h"

#include <QString>

namespace Ui {
class MainWindow;
}

class SearchOptionControls
{
public:
    explicit SearchOptionControls(Ui::MainWindow* form);

    // The options the boxes ask for; no limit unless a number is given.
    WordDictionary::SearchOptions options() const;
    // Checks the boxes and the parts of speech that the options name.
    void restore(const WordDictionary::SearchOptions& options);

    void addPartOfSpeech(const QString& abbreviation, const QString& name);
    // Shows only the parts of speech whose text contains the filter's.
    void filterPartsOfSpeech();
    void enablePartsOfSpeech(bool enabled);
    // Gives every row of the parts-of-speech list (or only the visible ones)
    // the opposite of the first such row's check mark.
    void toggleCheckMarks(bool visibleOnly);

private:
    Ui::MainWindow* ui;
};

#endif

// The radical picker beside the kanji table, as learners know it from paper
// dictionaries: the form's radical list, laid out as a dense grid grouped by
// stroke count, above the grid of the kanji that the chosen radicals find,
// with the "Instant search" switch, a search button, a clear button and a
// count in a row on top. It takes the radical list's place in its splitter;
// Qt's parents own every widget, and the list stays the form's object with
// its own signals and context menu.
#ifndef DEXARU_DESKTOP_RADICALPICKER_H
#define DEXARU_DESKTOP_RADICALPICKER_H

#include "MetaTypes.h"

#include <QWidget>

class CharacterResult;
class KanjiGrid;
class QCharacterResultTable;
class QCheckBox;
class QLabel;
class QToolButton;
class QRadicalList;
class QSplitter;

class RadicalPicker : public QWidget
{
    Q_OBJECT

public:
    // Build it before anything else listens to the list's kanjiSearched, so
    // that it knows which character result answers the list.
    RadicalPicker(QRadicalList* radicalList, QCharacterResultTable* characterTable);

    // Sees every character result before the kanji table takes it: the
    // answer to the radical list's own search fills the kanji grid.
    void characterResultArrived(CharacterResult* result);
    // Puts the kanji grid and the controls after the radical list in the
    // window's Tab order (call it once the window has set its order).
    void joinTabOrder();

signals:
    void searchForWords(QString text, WordDictionary::SearchOptions searchOptions);

protected:
    // The kanji grid follows the radical list's font.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildControls();
    void showSummary();
    // Selects the kanji's row in the kanji table and scrolls to it.
    void showInCharacterTable(wchar_t kanji);

    QRadicalList* radicals;
    QCharacterResultTable* characterTable;
    KanjiGrid* kanjiGrid;
    QSplitter* splitter;
    QCheckBox* instantSearch;
    QToolButton* searchButton;
    QToolButton* clearButton;
    QLabel* summary;
    bool awaitingKanji;  // the radical list searched; its answer is due
};

#endif

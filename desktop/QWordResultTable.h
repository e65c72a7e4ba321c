// The word result table: one row per visible entry of a WordResult, with a
// hover pop-up, copy actions and kanji look-ups from the selected words.
// The word and meaning cells hold rich text as their display text, which a
// RichTextDelegate draws, and a plain text for screen readers.
// The table owns the result it is given until the next one or clearResult;
// the fonts it points to belong to the settings dialog.
#ifndef DEXARU_DESKTOP_QWORDRESULTTABLE_H
#define DEXARU_DESKTOP_QWORDRESULTTABLE_H

#include "CanShowRomaji.h"

#include <QFont>
#include <QTableWidget>

#include <set>

class WordEntry;
class WordHover;
class WordResult;

class QWordResultTable : public QTableWidget, public CanShowRomaji
{
    Q_OBJECT

public:
    explicit QWordResultTable(QWidget* parent = nullptr);
    ~QWordResultTable() override;

    // Header resizing, non-editable cells, double-click and the context menu.
    void setup();
    // Takes ownership of the result and shows it; deletes the previous one.
    void setResult(WordResult* result);
    // Shows the hover pop-up on tool-tip events, hides it on leave and wheel.
    bool event(QEvent* event) override;

    QFont* generalFont;  // meaning and common columns; null keeps the table's font
    QFont* wordFont;  // word column; null keeps the table's font
    WordResult* result;  // owned; null when empty
    WordHover* hover;  // a child of the table

signals:
    void searchForKanji(std::set<wchar_t> characterSet);

public slots:
    void clearResult();
    void updateFonts();
    void copyAll();
    void copyWord();
    void copyKana();
    void copyMeaning();
    void searchForKanjiFromSelectedWords();
    void searchByDoubleClick(QTableWidgetItem* item);

protected:
    // Hides the pop-up on wheel events, which the viewport answers itself.
    bool viewportEvent(QEvent* event) override;

private:
    void fillRow(int row, WordEntry* entry);
    // Gives every row the height its rich text needs, measured once.
    void resizeRowsToText();
    // Fits the word column to its widest rich text, measuring few cells.
    void resizeWordColumnToText();
    // Sets the clipboard to the text of each selected word row in turn.
    template <typename RowText> void copyRows(const char* function, bool logKana, RowText rowText);

    // The item under the last tool-tip event; forgotten on leave and new results.
    QTableWidgetItem* hoverItem;
};

#endif

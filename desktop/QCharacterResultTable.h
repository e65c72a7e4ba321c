// The kanji result table: one row per visible entry of a CharacterResult,
// with a hover pop-up and a context menu that searches words with the
// selected kanji, selects its radicals or copies parts of the entry. The
// table owns the result it is given until the next one or clearResult; the
// fonts and colour it points to belong to the settings dialog.
#ifndef DEXARU_DESKTOP_QCHARACTERRESULTTABLE_H
#define DEXARU_DESKTOP_QCHARACTERRESULTTABLE_H

#include "WordDictionary.h"

#include <QColor>
#include <QFont>
#include <QString>
#include <QTableWidget>

#include <set>

class CharacterEntry;
class CharacterHover;
class CharacterResult;

class QCharacterResultTable : public QTableWidget
{
    Q_OBJECT

public:
    explicit QCharacterResultTable(QWidget* parent = nullptr);
    ~QCharacterResultTable() override;

    // Header resizing, non-editable cells and the context menu.
    void setup();
    // Takes ownership of the result and shows it; deletes the previous one.
    void setResult(CharacterResult* result);
    // Shows the hover pop-up on tool-tip events, hides it on leave and wheel.
    bool event(QEvent* event) override;

    QFont* characterFont;  // kanji column; null keeps the table's font
    QColor* characterColor;  // kanji column text; null keeps the table's colour
    QFont* generalFont;  // meaning and stroke columns; null keeps the table's font
    CharacterResult* result;  // owned; null when empty
    CharacterHover* hover;  // a child of the table

signals:
    void radicalsSelected(std::set<wchar_t> radicalSet, bool search);
    void searchForWords(QString text, WordDictionary::SearchOptions searchOptions);

public slots:
    void clearResult();
    void updateFonts();
    void searchForWordsStartingWithSelectedKanji();
    void searchForWordsWithSelectedKanji();
    void searchForWordsEndingWithSelectedKanji();
    void searchForSimilarKanji();
    void selectRadicalsForKanji(bool search);
    void selectRadicalsForKanji();
    void copyAll();
    void copyCharacter();
    void copyOnReadings();
    void copyKunReadings();
    void copyMeaning();
    // Opens the stroke-order window for the selected kanji.
    void showStrokeOrder();

protected:
    // Hides the pop-up on wheel events, which the viewport answers itself.
    bool viewportEvent(QEvent* event) override;

private:
    void fillRow(int row, CharacterEntry* entry);
    void showStrokeOrderActionsIfAvailable(const QEvent* event);
    // The kanji of the first selected item with an entry, between the given
    // wildcards; empty without such an item.
    QString selectedKanjiPattern(const char* function, const QString& before, const QString& after);
    void searchWordsFor(const QString& text);
    // Sets the clipboard to the text of each selected kanji row in turn.
    template <typename RowText> void copyRows(const char* function, RowText rowText);

    // The item under the last tool-tip event; forgotten on leave and new results.
    QTableWidgetItem* hoverItem;
    // "Show stroke order" and the separator before it, shown only where the
    // stroke-order font is installed, which is asked when the menu opens.
    QList<QAction*> strokeOrderActions;
};

#endif

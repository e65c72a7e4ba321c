// The radical picker: every radical of a RadicalTable as a selectable cell.
// The kanji containing all selected radicals are searched on request or, in
// instant mode, at every change of the selection. The table and the font
// are borrowed: Core owns the table, the settings dialog the font.
// The cells come in stroke-count order, the first of each count marked for
// StrokeGridDelegate's group markers, each named in its tool tip; while
// radicals are selected, those that no kanji shares with them are dimmed.
#ifndef DEXARU_DESKTOP_QRADICALLIST_H
#define DEXARU_DESKTOP_QRADICALLIST_H

#include <QFont>
#include <QListWidget>

#include <set>

class RadicalTable;

class QRadicalList : public QListWidget
{
    Q_OBJECT

public:
    explicit QRadicalList(QWidget* parent = nullptr);

    // Font, selection tracking and the context menu.
    void setup();
    // Shows one cell per radical of the table, in the table's order.
    void setRadicalTable(RadicalTable* table);

    QFont* radicalFont;  // null keeps the list's font
    RadicalTable* radicalTable;  // not owned; null until setRadicalTable
    bool searchOnSelect;  // instant-search mode

signals:
    void kanjiSearched(std::set<wchar_t> kanjiList);
    void searchOnSelectChanged(bool state);

public slots:
    void selectRadicals(std::set<wchar_t> radicalSet, bool search);
    void selectRadicals(std::set<wchar_t> radicalSet);
    void radicalSelected();
    void searchForKanji();
    void setSearchOnSelect(bool state);
    void updateFonts();

protected:
    // A click on a stroke-count marker selects nothing.
    void mousePressEvent(QMouseEvent* event) override;

private:
    // The radicals of the selected cells, in the selection's order.
    std::wstring selectedRadicals() const;
    // Dims every unselected radical that no kanji of the selection contains.
    void dimRadicalsThatFindNothing();
};

#endif

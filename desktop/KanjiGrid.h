// The kanji that the chosen radicals find, as a dense grid grouped by stroke
// count (fewest strokes first, the most used kanji first within a count),
// each cell naming the kanji's meanings and readings in its tool tip. It
// copies what it shows out of a CharacterResult, which stays its owner's.
// A click names the kanji (kanjiChosen); a double click, Return or the
// context menu searches words with it, as the kanji table's menu does.
#ifndef DEXARU_DESKTOP_KANJIGRID_H
#define DEXARU_DESKTOP_KANJIGRID_H

#include "MetaTypes.h"

#include <QListWidget>

class CharacterResult;

class KanjiGrid : public QListWidget
{
    Q_OBJECT

public:
    explicit KanjiGrid(QWidget* parent = nullptr);

    // Replaces the cells with the result's kanji; null empties the grid.
    void showResult(CharacterResult* result);
    // The kanji of a cell.
    static wchar_t kanjiOf(const QListWidgetItem* item);

signals:
    void kanjiChosen(wchar_t kanji);
    void searchForWords(QString text, WordDictionary::SearchOptions searchOptions);

public slots:
    void searchForWordsWithSelectedKanji();
    void searchForWordsStartingWithSelectedKanji();
    void copyCharacter();

protected:
    // A click on a stroke-count marker chooses nothing.
    void mousePressEvent(QMouseEvent* event) override;

private:
    // Emits a word search of the current kanji put into the pattern's "%1".
    void searchWords(const QString& pattern);
};

#endif

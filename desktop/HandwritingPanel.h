// The "Handwriting" panel: a dock with a pad to draw a character in, Undo
// and Clear, and a row of candidate buttons refreshed after every stroke.
// Recognition runs on a thread of its own. A click on a candidate asks for
// it to be put into the search box (characterChosen); a right-click on a
// kanji asks for it to be searched in the kanji table (kanjiSearched).
#ifndef DEXARU_DESKTOP_HANDWRITINGPANEL_H
#define DEXARU_DESKTOP_HANDWRITINGPANEL_H

#include <QDockWidget>
#include <QString>
#include <QStringList>

#include <set>
#include <vector>

class CharacterDictionaryCollection;
class HandwritingPad;
class HandwritingRecognition;
class QPushButton;

namespace Ui {
class HandwritingPanel;
}

class HandwritingPanel : public QDockWidget
{
    Q_OBJECT

public:
    explicit HandwritingPanel(QWidget* parent = nullptr);
    ~HandwritingPanel() override;
    HandwritingPanel(const HandwritingPanel&) = delete;
    HandwritingPanel& operator=(const HandwritingPanel&) = delete;

    // Borrows the kanji dictionaries the candidates are checked against.
    void setCharacterDictionaries(CharacterDictionaryCollection* collection);
    HandwritingPad* pad() const;
    // The candidates shown, best first.
    QStringList candidates() const;

signals:
    void characterChosen(QString character);
    void kanjiSearched(std::set<wchar_t> kanji);
    // The candidate buttons show the candidates of the newest drawing.
    void candidatesShown();

private:
    void strokesChanged();
    void showCandidates(const QStringList& candidates);
    QPushButton* makeCandidateButton(int index);

    Ui::HandwritingPanel* ui;
    HandwritingRecognition* recognition;
    std::vector<QPushButton*> buttons;  // children of the candidate row
    QStringList shown;
};

#endif

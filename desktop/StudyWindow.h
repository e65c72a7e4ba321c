// The "Study" window: the cards of the study list in a sortable table
// (word, reading, meaning, due), removing and exporting them, and the
// review of the cards due: the word, then its answer, then a grade of four,
// each button showing the interval it would give. The window borrows the
// study list, which must outlive it; its title counts the cards due.
#ifndef DEXARU_DESKTOP_STUDYWINDOW_H
#define DEXARU_DESKTOP_STUDYWINDOW_H

#include "StudyList.h"

#include <QString>
#include <QWidget>

#include <cstdint>
#include <functional>

class QKeyEvent;

namespace Ui {
class StudyWindow;
}

class StudyWindow : public QWidget
{
    Q_OBJECT

public:
    explicit StudyWindow(StudyList* studyList, QWidget* parent = nullptr);
    ~StudyWindow() override;
    StudyWindow(const StudyWindow&) = delete;
    StudyWindow& operator=(const StudyWindow&) = delete;

    // Writes every card to the file (StudyList::EXPORT_CSV or EXPORT_ANKI).
    // Returns 0, or -1 after telling the user why not.
    int exportTo(const QString& file, int format);
    // The id of the card under review; 0 when none is.
    int64_t cardUnderReview() const { return reviewedCard.id; }

    // The time, in seconds since the epoch; the clock by default.
    std::function<int64_t()> clock;

signals:
    // Cards were removed or reviewed: the main window's count is due again.
    void studyListChanged();

public slots:
    // Reads the cards again into the table and the title.
    void refresh();
    // Counts the cards due again for the title.
    void updateTitle();
    // Shows the review page with the first card due.
    void startReview();
    void showAnswer();
    // Records the rating (FsrsScheduler::Rating) of the card under review
    // and shows the next card due.
    void grade(int rating);

protected:
    // The review's keys (Space, 1 to 4) also when no shortcut took them.
    void keyPressEvent(QKeyEvent* event) override;

private slots:
    void on_studyReview_clicked();
    void on_studyRemove_clicked();
    void on_studyExport_clicked();
    void on_studyShowAnswer_clicked();
    void on_studyBackToList_clicked();

private:
    void fillTable(const std::vector<StudyCard>& cards);
    void showNextCard();
    void showGrades(bool shown);
    void failed(const QString& what);

    Ui::StudyWindow* ui;
    StudyList* studyList;
    StudyCard reviewedCard;
    int reviewedCount = 0;
};

#endif

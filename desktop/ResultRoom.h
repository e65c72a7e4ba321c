// Gives the result tables the room of a small window. The options above
// them scroll inside an area of their own, and whenever the window or the
// docks below take height away, that area shrinks first: the options keep
// their natural height (or the one the user dragged them to) only while the
// word table keeps room for its header and four rows; after the user dragged
// the handle, the results keep at least a few rows. A child of the splitter
// it manages; it borrows the window's form.
#ifndef DEXARU_DESKTOP_RESULTROOM_H
#define DEXARU_DESKTOP_RESULTROOM_H

#include <QObject>

class QScrollArea;
class QSplitter;
class QTableWidget;

namespace Ui {
class MainWindow;
}

class ResultRoom : public QObject
{
    Q_OBJECT

public:
    // The results keep this much height however far the user drags.
    static const int LEAST_RESULTS_HEIGHT = 120;
    // The options shrink to a strip of this height before the word table
    // shows fewer rows than these.
    static const int USABLE_ROWS = 4;
    static const int LEAST_OPTIONS_HEIGHT = 60;

    // Moves the options area into a scroll area (object name
    // "settingsScrollArea") in the splitter and starts sharing its height.
    explicit ResultRoom(Ui::MainWindow* form);

    // Shares the splitter's height between the options and the results.
    void share();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QSplitter* splitter;
    QScrollArea* options;
    // What the options area scrolls; compared as an address only, since its
    // events also come while the scroll area is being destroyed.
    QWidget* optionsWidget;
    QTableWidget* results;  // the word table, whose rows are measured
    int wantedOptionsHeight;  // dragged to by the user; 0: the natural height
};

#endif

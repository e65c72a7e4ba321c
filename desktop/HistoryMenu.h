// The "History" menu of the main window: Back and Forward (Alt+Left and
// Alt+Right, and the mouse's back and forward buttons anywhere over the
// window), the last 30 searches newest first, and "Clear history". It shows
// a SearchHistory it borrows and asks for the searches it moves to by
// emitting rerun; the window runs them.
#ifndef DEXARU_DESKTOP_HISTORYMENU_H
#define DEXARU_DESKTOP_HISTORYMENU_H

#include "SearchHistory.h"

#include <QMenu>

class QAction;

class HistoryMenu : public QMenu
{
    Q_OBJECT

public:
    static const int SHOWN = 30;
    // Characters of a search's line in the menu, the ellipsis included.
    static const int LONGEST_LINE = 60;

    // Builds the menu (object name "menuHistory") for the history, which
    // must outlive it. The mouse's back and forward buttons work while they
    // are pressed over the window.
    HistoryMenu(SearchHistory* history, QWidget* window);

    // A history line as a menu shows it: what a menu would take for a
    // mnemonic ("&") or a shortcut column (TAB) shown as written, line
    // breaks and other control characters as spaces, and a long line cut
    // to LONGEST_LINE characters.
    static QString menuText(const QString& line);

    QAction* backAction;
    QAction* forwardAction;
    QAction* clearAction;

signals:
    void rerun(HistoryEntry entry);

public slots:
    void goBack();
    void goForward();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void rebuild();
    void runIfAny(const HistoryEntry* entry);

    SearchHistory* history;
    QWidget* window;
    QList<QAction*> entryActions;
    QAction* entriesEnd;  // the separator after the entries
};

#endif

// The main window's keyboard use: the shortcuts (Quit, Ctrl+L and F6 to the
// search box, Escape to drop pending input and hover pop-ups), the tab
// order (each result table one stop, its first row selected when the
// keyboard enters it), the one-line fields and the accessible names. The
// shortcuts and the tables' focus watchers are children of the window and
// the tables; nothing is kept after set-up.
#ifndef DEXARU_DESKTOP_WINDOWKEYBOARD_H
#define DEXARU_DESKTOP_WINDOWKEYBOARD_H

class QMainWindow;

namespace Ui {
class MainWindow;
}

class WindowKeyboard
{
public:
    // Sets up the window built from the form.
    static void setUp(QMainWindow* window, Ui::MainWindow* form);
};

#endif

// The steps of the desktop program's start-up that the program and the tests
// share: wiring the window to the core, showing the window at once, and
// handing the core its kanji dictionary and radical tables, which it keeps.
#ifndef DEXARU_DESKTOP_STARTUP_H
#define DEXARU_DESKTOP_STARTUP_H

#include <functional>

class Core;
class MainWindow;

// Direct connections between the window's requests and the core's answers.
void connectWindowAndCore(MainWindow* window, Core* core);

// Shows the window and lets the window system draw it before the caller
// goes on loading; user input waits for the event loop.
void showWindowNow(MainWindow* window);

// Loads "The usual Kanjidic" and the radical files into the core, which
// fills the window's radical list through radicalTableAdded.
void addCharacterData(Core* core);
// The same read on worker threads while the window stays responsive; the
// core gets each object once it is read, and ready() runs, in the core's
// thread, when both are in.
void addCharacterDataInBackground(Core* core, std::function<void()> ready);

#endif

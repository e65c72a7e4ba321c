// Colours for a window shown under a dark palette. The main window's form
// draws some text in fixed colours meant for a light window: the "IME"
// button's grey face and the kanji column's blue. Under a dark palette the
// button's text would be light on light grey and the blue nearly black on
// the dark table, so both get colours that read there. Nothing is kept: the
// widgets and the settings dialog stay the caller's.
#ifndef DEXARU_DESKTOP_DARKPALETTE_H
#define DEXARU_DESKTOP_DARKPALETTE_H

class QAbstractButton;
class QWidget;
class Settings;

class DarkPalette
{
public:
    // Changes nothing when the window's palette is light.
    static void adapt(const QWidget* window, QAbstractButton* imeButton, Settings* settings);
};

#endif

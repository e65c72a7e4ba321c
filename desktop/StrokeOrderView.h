// Kanji drawn in the KanjiStrokeOrders font, which numbers every stroke,
// large enough to read the numbers. Where the font is not installed the
// view is never shown: available() says so, and callers leave it out.
// showInWindow opens a window of its own; it belongs to the parent given.
#ifndef DEXARU_DESKTOP_STROKEORDERVIEW_H
#define DEXARU_DESKTOP_STROKEORDERVIEW_H

#include <QLabel>
#include <QString>

class StrokeOrderView : public QLabel
{
    Q_OBJECT

public:
    // The smallest size at which the stroke numbers can be read.
    static const int SMALLEST_PIXELS = 120;

    explicit StrokeOrderView(int pixelSize = SMALLEST_PIXELS, QWidget* parent = nullptr);

    // Whether the stroke-order font is installed (asked once per family).
    static bool available();
    static QString family();
    // Tests name a family that is not installed to see the program without it.
    static void setFamily(const QString& family);

    // Shows these kanji, one after the other.
    void setKanji(const QString& kanji);

    // A window of its own, made once as a child window of parent and
    // reused; null where the font is missing.
    static StrokeOrderView* showInWindow(const QString& kanji, QWidget* parent);
};

#endif

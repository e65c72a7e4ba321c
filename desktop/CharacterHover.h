// The pop-up that shows one kanji entry in full while the mouse rests on a
// row of the kanji result table. It only borrows the entry it shows.
#ifndef DEXARU_DESKTOP_CHARACTERHOVER_H
#define DEXARU_DESKTOP_CHARACTERHOVER_H

#include "FittingPopup.h"

#include <QDialog>
#include <QStringList>

class CharacterEntry;
class StrokeOrderView;

namespace Ui {
class CharacterHover;
}

class CharacterHover : public QDialog, public FittingPopup
{
    Q_OBJECT

public:
    explicit CharacterHover(QWidget* parent = nullptr);
    ~CharacterHover() override;

    // Shows the kanji, its radicals, readings and meanings; null changes
    // nothing. Where the stroke-order font is installed, the kanji is shown
    // a second time below, with its strokes numbered.
    void setInfo(CharacterEntry* entry);

    // Null until the first kanji is shown with the stroke-order font there.
    StrokeOrderView* strokeOrder;
    // Cuts the meanings, then the kun and on readings, to the room's height.
    void fitInto(const QSize& room) override;

private:
    Ui::CharacterHover* ui;
    // What setInfo showed, for fitInto to shorten.
    QStringList on;
    QStringList kun;
    QStringList meanings;
};

#endif

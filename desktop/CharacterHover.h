// The pop-up that shows one kanji entry in full while the mouse rests on a
// row of the kanji result table. It only borrows the entry it shows.
#ifndef DEXARU_DESKTOP_CHARACTERHOVER_H
#define DEXARU_DESKTOP_CHARACTERHOVER_H

#include <QDialog>

class CharacterEntry;
class StrokeOrderView;

namespace Ui {
class CharacterHover;
}

class CharacterHover : public QDialog
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

private:
    Ui::CharacterHover* ui;
};

#endif

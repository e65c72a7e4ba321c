// The pop-up that shows one word entry in full while the mouse rests on a
// row of the word result table. It only borrows the entry it shows.
#ifndef DEXARU_DESKTOP_WORDHOVER_H
#define DEXARU_DESKTOP_WORDHOVER_H

#include "CanShowRomaji.h"

#include <QDialog>

class WordEntry;

namespace Ui {
class WordHover;
}

class WordHover : public QDialog, public CanShowRomaji
{
    Q_OBJECT

public:
    explicit WordHover(QWidget* parent = nullptr);
    ~WordHover() override;

    // Shows the entry's word, reading, tags and meanings; null changes nothing.
    void setInfo(WordEntry* entry);

private:
    Ui::WordHover* ui;
};

#endif

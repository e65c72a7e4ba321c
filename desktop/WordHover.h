// The pop-up that shows one word entry in full while the mouse rests on a
// row of the word result table or on a word of the reader. It only borrows
// the entry it shows.
#ifndef DEXARU_DESKTOP_WORDHOVER_H
#define DEXARU_DESKTOP_WORDHOVER_H

#include "CanShowRomaji.h"
#include "FittingPopup.h"

#include <QDialog>
#include <QStringList>

#include <string>
#include <vector>

class WordEntry;

namespace Ui {
class WordHover;
}

class WordHover : public QDialog, public CanShowRomaji, public FittingPopup
{
    Q_OBJECT

public:
    explicit WordHover(QWidget* parent = nullptr);
    ~WordHover() override;

    // Shows the entry's word, reading, tags and meanings, and for an entry a
    // search found through deinflection the form typed and its inflections;
    // null changes nothing.
    void setInfo(WordEntry* entry);
    // The same for an entry met as `typed` in a text, reached through the
    // inflections `reasons` (none: the word as the dictionary writes it).
    void showEntry(const WordEntry& entry, const std::wstring& typed,
                   const std::vector<std::string>& reasons);
    // Elides the word, reading and inflection lines to the room's width;
    // cuts the meanings, then the tags, to its height.
    void fitInto(const QSize& room) override;

private:
    Ui::WordHover* ui;
    // What showEntry showed, for fitInto to shorten.
    QStringList lines;  // word, reading, inflections
    QStringList tags;
    QStringList meanings;
};

#endif

// A mixin for views that can show readings in romaji instead of kana: the
// word result table and its hover pop-up. The owner of the view sets the
// flag before new content arrives; it governs how that content is drawn.
#ifndef DEXARU_DESKTOP_CANSHOWROMAJI_H
#define DEXARU_DESKTOP_CANSHOWROMAJI_H

class CanShowRomaji
{
public:
    CanShowRomaji();

    // True: readings are shown as the entry's kanaRomaji, not its kana.
    bool showRomaji;
};

#endif

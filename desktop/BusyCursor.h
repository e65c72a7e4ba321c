// The wait cursor for as long as the object lives: the window shows it
// during work that may take a noticeable time (searches, loading).
#ifndef DEXARU_DESKTOP_BUSYCURSOR_H
#define DEXARU_DESKTOP_BUSYCURSOR_H

#include <QGuiApplication>

class BusyCursor
{
public:
    BusyCursor() { QGuiApplication::setOverrideCursor(Qt::WaitCursor); }
    ~BusyCursor() { QGuiApplication::restoreOverrideCursor(); }
    BusyCursor(const BusyCursor&) = delete;
    BusyCursor& operator=(const BusyCursor&) = delete;
};

#endif

// Load status shared by every dictionary and the radical table. The
// collections set the three public fields around each call of load();
// load() itself only reads the data and returns 0 on success.
#ifndef DEXARU_LOADABLE_H
#define DEXARU_LOADABLE_H

class Loadable
{
public:
    Loadable();

    virtual int load() = 0;

    bool isLoading;
    bool isLoaded;
    int percentDone;

protected:
    // Objects are destroyed through their own types, never through Loadable.
    ~Loadable() = default;
    Loadable(const Loadable&) = default;
    Loadable& operator=(const Loadable&) = default;
};

#endif

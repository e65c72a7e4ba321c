/// @file
/// @class Loadable
/// Load status shared by every dictionary and the radical table. The
/// collections set the three public fields around each call of load();
/// load() itself only reads the data and returns 0 on success.
#ifndef DEXARU_LOADABLE_H
#define DEXARU_LOADABLE_H

class Loadable
{
public:
    /// Not loading, not loaded, 0 percent.
    Loadable();

    /// Reads the data: 0 on success, nonzero (with a log message) otherwise.
    virtual int load() = 0;

    /// True while a collection runs load(); a loading object is skipped.
    bool isLoading;
    /// True once a collection's load() succeeded; never reset.
    bool isLoaded;
    /// 0 before and during loading, 100 after a successful load.
    int percentDone;

protected:
    ///@{
    /// @brief Objects are destroyed and copied through their own types, never
    /// through Loadable.
    ~Loadable() = default;
    Loadable(const Loadable&) = default;
    Loadable& operator=(const Loadable&) = default;
    ///@}
};

#endif

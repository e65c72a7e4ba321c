#include "Loadable.h"

Loadable::Loadable() : isLoading(false), isLoaded(false), percentDone(0)
{
}

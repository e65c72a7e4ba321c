#include "CanShowRomaji.h"

CanShowRomaji::CanShowRomaji() : showRomaji(false)
{
}

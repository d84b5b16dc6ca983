#include "showstate.h"

#include <windows.h>

TShowState ShowState(int showCommand)
{
    switch (showCommand) {
    case SW_SHOWMAXIMIZED:
        return TShowState::Maximised;
    case SW_SHOWMINNOACTIVE:
        return TShowState::MinimisedInactive;
    default:
        return TShowState::Normal;
    }
}

#include "enterkey.h"

bool EnterPressesButton1(bool button1Focused, TKeyModifiers held)
{
    return button1Focused && !held.Shift && !held.Control && !held.Alt;
}

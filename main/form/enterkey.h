#pragma once

// The keys held with Enter.
struct TKeyModifiers {
    bool Shift, Control, Alt;
};

// Enter presses Button1 while it has the focus and neither Shift, Ctrl nor Alt
// is held. Every other Enter does nothing at all: there is no default button,
// so Enter in a field presses nothing.
bool EnterPressesButton1(bool button1Focused, TKeyModifiers held);

#pragma once

#include <string>
#include <string_view>

#include <windows.h>

class TForm1;

// The title from the executable's full path: the file name after the last
// backslash, cut at its first full stop, lower-cased after the first character
// by CharLowerW: "C:\Tools\FormulaTest.EXE" gives "Formulatest".
std::wstring ApplicationTitle(std::wstring_view executablePath);

// The one application object: puts the x87 unit into the mode the arithmetic
// relies on and takes the title, the caption of every failure box, from the
// executable's file name.
class TApplication {
public:
    TApplication();

    // The message loop, until Form1 is closed; the process's exit code.
    int Run(TForm1& Form1);

    // One message of the loop: the keyboard rules of Form1, or translated and
    // dispatched to its window.
    static void ProcessMessage(TForm1& Form1, MSG& message);

    const std::wstring Title;
};

#include <windows.h>

#include "application.h"
#include "showstate.h"
#include "tform1.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int showCommand)
{
    TApplication Application;
    TForm1 Form1(Application);
    Form1.Show(ShowState(showCommand));
    return Application.Run(Form1);
}

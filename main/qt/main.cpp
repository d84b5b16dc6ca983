#include "application.h"
#include "tform1.h"

int main(int argc, char* argv[])
{
    PreferX11();
    TApplication application(argc, argv);
    TForm1 Form1;
    Form1.show();
    return application.exec();
}

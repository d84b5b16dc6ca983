// The start-up baseline: an empty Qt window.
#include <QApplication>
#include <QWidget>

int main(int argc, char* argv[])
{
    QApplication application(argc, argv);
    QWidget window;
    window.show();
    return application.exec();
}

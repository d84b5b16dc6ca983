// The start-up baseline: a minimal Qt window that shows one label and one
// field, so that it loads and measures a font as any window with text does.
#include <QApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QWidget>

int main(int argc, char* argv[])
{
    QApplication application(argc, argv);
    QWidget window;
    auto* layout = new QHBoxLayout(&window);
    layout->addWidget(new QLabel(QStringLiteral("Угол:")));
    layout->addWidget(new QLineEdit(QStringLiteral("0.00")));
    window.show();
    return application.exec();
}

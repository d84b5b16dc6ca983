// Saves the primary screen, or its rectangle X Y WIDTH HEIGHT, as a PNG file.
#include <cstdio>

#include <QGuiApplication>
#include <QPixmap>
#include <QScreen>

int main(int argc, char* argv[])
{
    QGuiApplication application(argc, argv);
    const QStringList args = application.arguments();
    if (args.size() != 2 && args.size() != 6) {
        std::fputs("Usage: screen-grab FILE.png [X Y WIDTH HEIGHT]\n", stderr);
        return 2;
    }
    const QRect area = args.size() == 6 ? QRect(args[2].toInt(), args[3].toInt(), args[4].toInt(), args[5].toInt())
                                        : QRect(0, 0, -1, -1);
    const QPixmap shot = application.primaryScreen()->grabWindow(0, area.x(), area.y(), area.width(), area.height());
    return shot.save(args[1]) ? 0 : 1;
}

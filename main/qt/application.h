#pragma once

#include <functional>

#include <QApplication>
#include <QString>

class QWidget;

// The executable's file name cut at its first full stop, every character after
// the first lower-cased: "/opt/FormulaTest.bin" gives "Formulatest".
QString ApplicationTitle(const QString& executablePath);

// In a Wayland session that also offers X11 (XWayland), the program takes X11:
// there the window manager centres the window as asked, keeps its frame to a
// close button and puts the chart beside it; natively the compositor decides
// all three. A platform the user names in QT_QPA_PLATFORM stands, and Wayland
// stays the fallback when the X display cannot be opened. Before TApplication.
void PreferX11();

// The one application object: puts the x87 unit into the mode the arithmetic
// relies on and takes the title (its applicationName) from the executable.
// Of argv Qt is given the program's name alone; its environment variables
// (QT_QPA_PLATFORM, QT_SCALE_FACTOR and the like) still apply.
class TApplication : public QApplication {
public:
    TApplication(int argc, char** argv);
};

// Runs handler; a failure that escapes it is shown in a modal stop box over
// the program's active window, or over window when none of them is active,
// captioned with the application title, and the program goes on.
// Exceptions must not cross Qt's event loop, hence this boundary.
void HandleFailures(QWidget* window, const std::function<void()>& handler);

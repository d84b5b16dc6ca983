#pragma once

#include <functional>

#include <QApplication>
#include <QString>

class QWidget;

// The executable's file name cut at its first full stop, every character after
// the first lower-cased: "/opt/FormulaTest.bin" gives "Formulatest".
QString ApplicationTitle(const QString& executablePath);

// The one application object: puts the x87 unit into the mode the arithmetic
// relies on and takes the title (its applicationName) from the executable.
// Of argv Qt is given the program's name alone; its environment variables
// (QT_QPA_PLATFORM, QT_SCALE_FACTOR and the like) still apply.
class TApplication : public QApplication {
public:
    TApplication(int argc, char** argv);
};

// Runs handler; a failure that escapes it is shown in a modal stop box over
// window, captioned with the application title, and the program goes on.
// Exceptions must not cross Qt's event loop, hence this boundary.
void HandleFailures(QWidget* window, const std::function<void()>& handler);

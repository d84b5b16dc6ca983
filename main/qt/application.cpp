#include "application.h"
#include "captionstrip.h"

#include <string>
#include <string_view>

#include <QFileInfo>
#include <QIcon>
#include <QLibraryInfo>
#include <QMessageBox>
#include <QPointer>
#include <QTranslator>

#include "extended/fpu.h"
#include "main/form/failuredisplay.h"
#include "main/form/title.h"

QString ApplicationTitle(const QString& executablePath)
{
    const auto lower = [](std::u16string_view text) { return QStringView(text).toString().toLower().toStdU16String(); };
    return QString::fromStdU16String(TitleFromFileName(QFileInfo(executablePath).fileName().toStdU16String(), lower));
}

void PreferX11()
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && !qEnvironmentVariableIsEmpty("DISPLAY"))
        qputenv("QT_QPA_PLATFORM", "xcb;wayland");
}

namespace {

// The program takes no arguments, so Qt sees none of its own options either:
// they would retitle, mirror or restyle the window. Qt keeps a reference to
// the count and reads the vector for as long as it runs, hence statics.
char* ProgramNameOnly[] = {nullptr, nullptr};

int& ProgramNameCount(int argc, char** argv)
{
    static int count;
    count = argc > 0 ? 1 : 0;
    ProgramNameOnly[0] = argc > 0 ? argv[0] : nullptr;
    return count;
}

} // namespace

TApplication::TApplication(int argc, char** argv)
    : QApplication(ProgramNameCount(argc, argv), ProgramNameOnly)
{
    // Only the extended arithmetic reads the floating-point mode, and Qt has
    // none, so loading it here is as early as any computation can notice.
    SetFpuMode();
    setApplicationName(ApplicationTitle(applicationFilePath()));
    setWindowIcon(QIcon(QStringLiteral(":/formula-test.png")));
    // Qt's own texts (context menus, dialog buttons) in the interface's
    // language, whatever the locale; without the file they stay English.
    auto* qtTexts = new QTranslator(this);
    if (qtTexts->load(QStringLiteral("qtbase_ru"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        installTranslator(qtTexts);
}

namespace {

void ReleaseMouse()
{
    if (QWidget* grabber = QWidget::mouseGrabber())
        grabber->releaseMouse();
}

void ShowFailure(QWidget* window, const std::string& text)
{
    const QPointer<QWidget> active = QApplication::activeWindow();
    const QPointer<QWidget> focused = QApplication::focusWidget();
    // Over the active window, the chart say, so that the box opens on the
    // screen the user looks at; being application modal, it still blocks
    // every window of the program while it is up.
    QMessageBox box(QMessageBox::Critical, QCoreApplication::applicationName(),
                    QString::fromStdString(text), QMessageBox::Ok, active ? active.data() : window);
    UseOwnCaption(&box);
    box.exec();
    // Not every platform hands the activation and the focus back when the box goes.
    if (active) {
        active->activateWindow();
        if (focused && focused->window() == active)
            focused->setFocus(Qt::ActiveWindowFocusReason);
    }
}

} // namespace

void HandleFailures(QWidget* window, const std::function<void()>& handler)
{
    try {
        handler();
    } catch (...) {
        ShowFailure(window, PrepareFailureBox(ReleaseMouse));
    }
}

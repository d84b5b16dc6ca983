#include "application.h"

#include <exception>
#include <new>
#include <string>

#include <QFileInfo>
#include <QIcon>
#include <QLibraryInfo>
#include <QMessageBox>
#include <QTranslator>

#include "extended/fpu.h"
#include "numtext/exception.h"

QString ApplicationTitle(const QString& executablePath)
{
    const QString name = QFileInfo(executablePath).fileName();
    const QString stem = name.left(name.indexOf(u'.'));
    if (stem.isEmpty())
        return stem;
    // The first character is a whole code point, a surrogate pair included.
    const qsizetype first = stem.front().isHighSurrogate() ? 2 : 1;
    return stem.left(first) + stem.mid(first).toLower();
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

void ShowFailure(QWidget* window, const std::string& message)
{
    // A failed reading may leave flags or a changed mode behind: the next run
    // has to start from the state the first one had.
    ResetFpu();
    QMessageBox box(QMessageBox::Critical, QCoreApplication::applicationName(),
                    QString::fromStdString(MessageWithFullStop(message)), QMessageBox::Ok, window);
    // Not every platform hands the activation back when the box goes.
    QWidget* const active = QApplication::activeWindow();
    box.exec();
    if (active)
        active->activateWindow();
}

} // namespace

void HandleFailures(QWidget* window, const std::function<void()>& handler)
{
    try {
        handler();
    } catch (const Exception& e) {
        ShowFailure(window, e.Message);
    } catch (const std::bad_alloc&) {
        ShowFailure(window, "Out of memory");
    } catch (const std::exception& e) {
        ShowFailure(window, e.what());
    }
}

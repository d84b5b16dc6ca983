// The program takes no options, Qt's own among them: the window started with
// them looks as it does without. The caption is read from the native window,
// since the widget keeps its own title whatever caption that was given.
#include <QStyle>
#include <QTest>
#include <QWindow>

#include "application.h"
#include "tform1.h"

class TestOptions : public QObject {
    Q_OBJECT

    TForm1 Form;

private slots:
    void initTestCase()
    {
        Form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&Form));
    }

    void captionKept()
    {
        QCOMPARE(Form.windowHandle()->title(), QStringLiteral("Тестирование формулы"));
    }

    void layoutNotMirrored()
    {
        QCOMPARE(QGuiApplication::layoutDirection(), Qt::LeftToRight);
        QCOMPARE(Form.layoutDirection(), Qt::LeftToRight);
    }

    // Qt's environment variables still reach it: ctest chooses the platform so.
    void environmentHeard()
    {
        QCOMPARE(QGuiApplication::platformName(), qEnvironmentVariable("QT_QPA_PLATFORM", QGuiApplication::platformName()));
    }

    void styleNotChosen() { QVERIFY(QApplication::style()->name().compare(QStringLiteral("windows"), Qt::CaseInsensitive) != 0); }
};

int main(int argc, char* argv[])
{
    // What a user may type after the program's name.
    char title[] = "-qwindowtitle", hacked[] = "Hacked", reverse[] = "-reverse", style[] = "-style", windows[] = "windows";
    char* hostile[] = {argv[0], title, hacked, reverse, style, windows, nullptr};
    int count = 6;
    TApplication application(count, hostile);
    TestOptions test;
    return QTest::qExec(&test, argc, argv);
}

#include "option_test.moc"

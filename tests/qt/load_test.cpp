// The window under load and under hostile input: presses in their thousands,
// failures among them, leave no sample alive and do not grow the process;
// fields of a mebibyte of digits, letters, control characters or mixed scripts
// are read, normalised and scanned, or fail with the overflow box.
#include <QLineEdit>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QTest>
#include <QTimer>

#include <malloc.h>

#include "application.h"
#include "scan/maxlist.h"
#include "tform1.h"

#if defined(__SANITIZE_ADDRESS__)
#define FORMULA_ASAN 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define FORMULA_ASAN 1
#endif
#endif

namespace {

// The heap in use, not the resident pages: under qemu-user those count the
// emulator's translated code too, which grows with the load beside it.
long HeapBytes()
{
    const struct mallinfo2 heap = mallinfo2();
    return static_cast<long>(heap.uordblks + heap.hblkhd);
}

QString Repeated(const QString& piece, qsizetype bytes)
{
    QString text;
    while (text.toUtf8().size() < bytes)
        text += piece.repeated(4096);
    return text;
}

} // namespace

class TestLoad : public QObject {
    Q_OBJECT

    TForm1 Form;
    QStringList BoxTexts;

    // Answers the failure box as soon as its own event loop runs.
    void PressExpectingBox()
    {
        QTimer::singleShot(0, this, [this] {
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                BoxTexts.append(box->text());
                box->accept();
            }
        });
        QTest::mouseClick(Form.Button1, Qt::LeftButton);
    }

    void Press(const QString& start, const QString& end, bool fails)
    {
        Form.Edit1->setText(start);
        Form.Edit2->setText(end);
        if (fails)
            PressExpectingBox();
        else
            QTest::mouseClick(Form.Button1, Qt::LeftButton);
    }

private slots:
    void initTestCase()
    {
        Form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&Form));
    }

    void init() { BoxTexts.clear(); }

    void thousandsOfPressesKeepTheHeap()
    {
        struct TRun {
            const char* Start;
            const char* End;
            bool Fails;
        };
        const TRun runs[] = {
            {"0.00", "89.99", false}, {"10", "20", false},      {"1e400", "5", true},
            {"-5", "100", false},     {"1.79e308", "1.79e308", true}, {"45", "45", false},
        };
        int failures = 0;
        const auto pressAll = [&](int presses) {
            for (int i = 0; i < presses; ++i) {
                const TRun& run = runs[i % std::size(runs)];
                Press(run.Start, run.End, run.Fails);
                failures += run.Fails;
                QCOMPARE(TDegClass::Live(), 0);
            }
        };
        pressAll(300);
        [[maybe_unused]] const long warm = HeapBytes();
        BoxTexts.clear();
        failures = 0;
        pressAll(2000);
#ifndef FORMULA_ASAN  // ASan keeps freed blocks in quarantine; LeakSanitizer checks that build at exit
        const long grown = HeapBytes() - warm;
        QVERIFY2(grown < 1024 * 1024, qPrintable(QString::number(grown) + " bytes more on the heap"));
#endif
        QCOMPARE(BoxTexts.size(), failures);
        QCOMPARE(BoxTexts.count(QStringLiteral("Floating point overflow.")), failures);
    }

    void mebibyteFields_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("fails");
        QTest::addColumn<QString>("shownStart");
        QTest::newRow("digits") << Repeated(QStringLiteral("9"), 1 << 20) << true << QString();
        QTest::newRow("digits after a point") << "0." + Repeated(QStringLiteral("0"), 1 << 20) + "1" << false << "0.00";
        QTest::newRow("letters") << Repeated(QStringLiteral("x"), 1 << 20) << false << "0.00";
        QString controls;
        for (char16_t c = 1; c <= 32; ++c)
            controls += QChar(c);
        QTest::newRow("control characters") << Repeated(controls, 1 << 20) << false << "0.00";
        QTest::newRow("control characters around a number") << Repeated(controls, 1 << 19) + "12,5" + Repeated(controls, 1 << 19)
                                                            << false << "12.50";
        QTest::newRow("mixed scripts") << Repeated(QStringLiteral("угол 角度 zeta 1,5 "), 1 << 20) << false << "0.00";
    }

    void mebibyteFields()
    {
        QFETCH(QString, text);
        QFETCH(bool, fails);
        QFETCH(QString, shownStart);
        Form.Memo1->setPlainText(QStringLiteral("\n"));
        Press(text, QStringLiteral("20"), fails);
        QCOMPARE(TDegClass::Live(), 0);
        if (fails) {
            QCOMPARE(BoxTexts, QStringList{QStringLiteral("Floating point overflow.")});
            QCOMPARE(Form.Edit1->text(), text);
            QCOMPARE(Form.Memo1->toPlainText(), QStringLiteral("\n"));
        } else {
            QVERIFY(BoxTexts.isEmpty());
            QCOMPARE(Form.Edit1->text(), shownStart);
            QCOMPARE(Form.Edit2->text(), QStringLiteral("20.00"));
            QVERIFY(Form.Memo1->toPlainText().startsWith(QStringLiteral("100 максимальных отклонений:\n")));
        }
    }
};

int main(int argc, char* argv[])
{
    TApplication application(argc, argv);
    TestLoad test;
    return QTest::qExec(&test, argc, argv);
}

#include "load_test.moc"

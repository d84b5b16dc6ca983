#include <cfloat>
#include <functional>
#include <memory>
#include <new>
#include <stdexcept>

#include <QAccessible>
#include <QClipboard>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QScreen>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>
#include <QTextBlock>
#include <QTimer>

#include "application.h"
#include "numtext/exception.h"
#include "extended/extended.h"
#include "extended/fpu.h"
#include "scan/scan.h"
#include "tform1.h"

using TThrower = std::function<void()>;
Q_DECLARE_METATYPE(TThrower)

namespace {

// What a failure box showed while it was up.
struct TBox {
    QString Text;
    QString Caption;
    QMessageBox::Icon Icon;
    QMessageBox::StandardButtons Buttons;
    bool ClickBehindGotThrough;
    std::uint16_t ControlWord;
    std::uint16_t StatusWord;
};

constexpr std::uint16_t kFpuExceptionFlags = 0x3F;

// The report as Memo1 shows it: one line break per line.
QString Report(const char* start, const char* end)
{
    return QString::fromStdString(ScanDeviations(start, end)).replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
}

// Sends a key to the focus widget, as the keyboard does.
void Key(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
{
    QTest::keyClick(static_cast<QWidget*>(nullptr), key, modifiers);
}

// Leaves a raised overflow flag behind, and on the x87 unit a changed control word.
void DirtyFpu()
{
#if defined(__x86_64__) || defined(__i386__)
    const std::uint16_t doublePrecision = 0x027F;
    asm volatile("fldcw %0" : : "m"(doublePrecision));
    volatile long double huge = LDBL_MAX;
    huge = huge * huge;
#else
    // Elsewhere the mpfr backend holds the one state there is: its flags.
    const Extended huge = 1e4000_ext;
    static_cast<void>(huge * huge);
#endif
}

} // namespace

class TestForm1 : public QObject {
    Q_OBJECT

    std::unique_ptr<TForm1> Form;
    QList<TBox> Boxes;
    QTimer BoxWatch;
    int Presses = 0;
    std::uint16_t StartUpControlWord = 0;

    // Notes the failure box, tries a click on Button1 behind it and answers OK.
    void AnswerBox()
    {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box || !box->isVisible())
            return;
        const std::uint16_t control = FpuControlWord();
        const std::uint16_t status = FpuStatusWord();
        const int presses = Presses;
        // Through the window system, where modality applies.
        QTest::mouseClick(Form->windowHandle(), Qt::LeftButton, {}, Form->Button1->geometry().center());
        Boxes.append({box->text(), box->windowTitle(), box->icon(), box->standardButtons(), Presses != presses, control,
                      status});
        QTest::mouseClick(box->button(QMessageBox::Ok), Qt::LeftButton);
    }

    void Press() { QTest::mouseClick(Form->Button1, Qt::LeftButton); }

    // Replaces a field's text as a user does: click, select all, type.
    void Enter(QLineEdit* field, const QString& text)
    {
        QTest::mouseClick(field, Qt::LeftButton);
        Key(Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(static_cast<QWidget*>(nullptr), text);
        QCOMPARE(field->text(), text);
    }

private slots:
    void initTestCase()
    {
        // 64-bit precision, round to nearest, every exception masked.
        StartUpControlWord = FpuControlWord();
        QCOMPARE(StartUpControlWord, kFpuControlWord);
        connect(&BoxWatch, &QTimer::timeout, this, &TestForm1::AnswerBox);
        BoxWatch.start(10);
    }

    void init()
    {
        Boxes.clear();
        Presses = 0;
        Form = std::make_unique<TForm1>();
        connect(Form->Button1, &QPushButton::clicked, this, [this] { ++Presses; });
        Form->show();
        QVERIFY(QTest::qWaitForWindowActive(Form.get()));
    }

    void cleanup() { Form.reset(); }

    void startUp()
    {
        QCOMPARE(Form->windowTitle(), QStringLiteral("Тестирование формулы"));
        QCOMPARE(Form->size(), QSize(585, 388));
        QCOMPARE(Form->minimumSize(), Form->maximumSize());
        const Qt::WindowFlags flags = Form->windowFlags();
        QVERIFY(flags.testFlags(Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint));
        QVERIFY(!(flags & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint | Qt::WindowContextHelpButtonHint)));
        QCOMPARE(Form->palette().color(QPalette::Window), Form->palette().color(QPalette::Button));

        const QRect screen = QGuiApplication::primaryScreen()->geometry();
        const QRect frame = Form->frameGeometry();
        QCOMPARE(frame.topLeft(), QPoint((screen.width() - frame.width()) / 2, (screen.height() - frame.height()) / 2));

        QCOMPARE(Form->Edit1->text(), QStringLiteral("0.00"));
        QCOMPARE(Form->Edit2->text(), QStringLiteral("89.99"));
        QCOMPARE(Form->Memo1->toPlainText(), QStringLiteral("\n"));
        QCOMPARE(QApplication::focusWidget(), Form->Edit1);
        QCOMPARE(Form->Edit1->selectedText(), QStringLiteral("0.00"));
    }

    // The designed rectangles, and no text clipped by the font this machine has.
    void layout()
    {
        const std::pair<QWidget*, QRect> designed[] = {
            {Form->Edit1, {108, 12, 65, 21}},
            {Form->Edit2, {108, 44, 65, 21}},
            {Form->Button1, {16, 84, 137, 21}},
            {Form->Memo1, {192, 12, 381, 365}},
        };
        for (const auto& [control, rect] : designed)
            QCOMPARE(control->geometry(), rect);

        for (QLabel* label : {Form->Label1, Form->Label2}) {
            QCOMPARE(label->x(), 8);
            QVERIFY(label->width() >= label->fontMetrics().horizontalAdvance(label->text()));
            QVERIFY(label->geometry().right() < Form->Edit1->x());
        }
        QCOMPARE(Form->Label1->y(), 16);
        QCOMPARE(Form->Label2->y(), 48);
        QVERIFY(Form->Button1->sizeHint().width() <= Form->Button1->width());

        Press();
        const QFontMetrics metrics = Form->Memo1->fontMetrics();
        for (const QString& line : Form->Memo1->toPlainText().split(u'\n'))
            QVERIFY2(metrics.horizontalAdvance(line) < Form->Memo1->viewport()->width(), qPrintable(line));
    }

    // Tab into Memo1 shows that it has the focus, also with its caret out of
    // view, and leaves its caret, selection and scroll position as they were.
    void reportShowsFocus()
    {
        Press();
        QTextCursor line(Form->Memo1->document()->findBlockByNumber(5));
        line.movePosition(QTextCursor::EndOfBlock, QTextCursor::KeepAnchor);
        Form->Memo1->setTextCursor(line);
        Form->Memo1->verticalScrollBar()->setValue(60);
        Form->Button1->setFocus();
        QCoreApplication::processEvents();
        QVERIFY(!Form->Memo1->viewport()->rect().intersects(Form->Memo1->cursorRect()));
        const QImage unfocused = Form->Memo1->grab().toImage();
        Key(Qt::Key_Tab);
        QVERIFY(Form->Memo1->hasFocus());
        QCOMPARE(Form->Memo1->textCursor(), line);
        QCOMPARE(Form->Memo1->verticalScrollBar()->value(), 60);
        QVERIFY(Form->Memo1->grab().toImage() != unfocused);
    }

    void accessibleNames()
    {
        QCOMPARE(Form->Label1->buddy(), Form->Edit1);
        QCOMPARE(Form->Label2->buddy(), Form->Edit2);
        QCOMPARE(QAccessible::queryAccessibleInterface(Form->Edit1)->text(QAccessible::Name), Form->Label1->text());
        QCOMPARE(QAccessible::queryAccessibleInterface(Form->Edit2)->text(QAccessible::Name), Form->Label2->text());
        QCOMPARE(QAccessible::queryAccessibleInterface(Form.get())->role(), QAccessible::Window);
        QCOMPARE(QAccessible::queryAccessibleInterface(Form->Memo1)->text(QAccessible::Name), QStringLiteral("Отчёт"));
    }

    void defaultRun()
    {
        Press();
        QCOMPARE(Form->Edit1->text(), QStringLiteral("0.00"));
        QCOMPARE(Form->Edit2->text(), QStringLiteral("89.99"));
        const QString report = Form->Memo1->toPlainText();
        QCOMPARE(report, Report("0.00", "89.99"));
        const QStringList lines = report.split(u'\n');
        QCOMPARE(lines.size(), 102);
        QCOMPARE(lines[0], QStringLiteral("100 максимальных отклонений:"));
        QCOMPARE(lines[1], QStringLiteral("89.9800 => 89.7008  d=0.2792"));
        QCOMPARE(lines[100], QStringLiteral("89.7100 => 89.4472  d=0.2628"));
        QCOMPARE(lines[101], QString());
        QVERIFY(Boxes.isEmpty());
    }

    void rangeIsWrittenBack()
    {
        QTest::keyClicks(static_cast<QWidget*>(nullptr), QStringLiteral("-5"));
        Key(Qt::Key_Tab);
        QTest::keyClicks(static_cast<QWidget*>(nullptr), QStringLiteral("100"));
        QCOMPARE(Form->Edit1->text(), QStringLiteral("-5"));
        QCOMPARE(Form->Edit2->text(), QStringLiteral("100"));
        Press();
        QCOMPARE(Form->Edit1->text(), QStringLiteral("0.00"));
        QCOMPARE(Form->Edit2->text(), QStringLiteral("89.99"));
        QCOMPARE(Form->Memo1->toPlainText(), Report("0.00", "89.99"));
    }

    // A rerun with the same report replaces nothing: scroll position and
    // selection stay where the user left them.
    void rerunKeepsReport()
    {
        Press();
        QTest::mouseClick(Form->Memo1->viewport(), Qt::LeftButton);
        Key(Qt::Key_PageDown);
        Key(Qt::Key_PageDown);
        Key(Qt::Key_Down, Qt::ShiftModifier);
        const int scroll = Form->Memo1->verticalScrollBar()->value();
        const QTextCursor selection = Form->Memo1->textCursor();
        QVERIFY(scroll > 0);
        QVERIFY(selection.hasSelection());

        QSignalSpy memoChanges(Form->Memo1, &QPlainTextEdit::textChanged);
        QSignalSpy edit1Changes(Form->Edit1, &QLineEdit::textChanged);
        QSignalSpy edit2Changes(Form->Edit2, &QLineEdit::textChanged);
        Press();
        QCOMPARE(Presses, 2);
        QCOMPARE(memoChanges.count(), 0);
        QCOMPARE(edit1Changes.count(), 0);
        QCOMPARE(edit2Changes.count(), 0);
        QCOMPARE(Form->Memo1->verticalScrollBar()->value(), scroll);
        QCOMPARE(Form->Memo1->textCursor().anchor(), selection.anchor());
        QCOMPARE(Form->Memo1->textCursor().position(), selection.position());
    }

    void failedRun_data()
    {
        QTest::addColumn<QString>("start");
        QTest::addColumn<QString>("end");
        QTest::addColumn<QString>("shownStart");
        QTest::addColumn<QString>("shownEnd");
        // Failing in the normalisation, the fields keep what was typed.
        QTest::newRow("reading") << "1e400" << "89.99" << "1e400" << "89.99";
        // Failing in the scan, the fields already show the normalised texts.
        QTest::newRow("after write-back") << "1.79e308" << "1.79e308" << " 1.8E+0308" << "89.99";
    }

    void failedRun()
    {
        QFETCH(QString, start);
        QFETCH(QString, end);
        QFETCH(QString, shownStart);
        QFETCH(QString, shownEnd);

        Enter(Form->Edit1, QStringLiteral("10"));
        Enter(Form->Edit2, QStringLiteral("20"));
        Press();
        const QString lastReport = Form->Memo1->toPlainText();
        QCOMPARE(lastReport, Report("10.00", "20.00"));

        Enter(Form->Edit1, start);
        Enter(Form->Edit2, end);
        Press();
        QCOMPARE(Boxes.size(), 1);
        QCOMPARE(Boxes[0].Text, QStringLiteral("Floating point overflow."));
        QCOMPARE(Boxes[0].Caption, QStringLiteral("Window-tests"));
        QCOMPARE(Boxes[0].Icon, QMessageBox::Critical);
        QCOMPARE(Boxes[0].Buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
        QVERIFY(!Boxes[0].ClickBehindGotThrough);
        QCOMPARE(Form->Edit1->text(), shownStart);
        QCOMPARE(Form->Edit2->text(), shownEnd);
        QCOMPARE(Form->Memo1->toPlainText(), lastReport);

        // The window works on as before.
        QTRY_COMPARE(QApplication::activeWindow(), Form.get());
        QCOMPARE(QApplication::focusWidget(), Form->Button1);
        Enter(Form->Edit1, QStringLiteral("0"));
        Enter(Form->Edit2, QStringLiteral("1"));
        Press();
        QCOMPARE(Boxes.size(), 1);
        QCOMPARE(Form->Memo1->toPlainText(), Report("0.00", "1.00"));
    }

    void failureDisplay_data()
    {
        QTest::addColumn<TThrower>("thrower");
        QTest::addColumn<QString>("text");
        QTest::newRow("overflow") << TThrower([] { throw EOverflow(); }) << "Floating point overflow.";
        QTest::newRow("out of memory") << TThrower([] { throw std::bad_alloc(); }) << "Out of memory.";
        QTest::newRow("other, Cyrillic") << TThrower([] { throw std::runtime_error("Сбой"); }) << "Сбой.";
        QTest::newRow("exclamation") << TThrower([] { throw std::runtime_error("Stop!"); }) << "Stop!";
    }

    // Whatever escapes, the box shows its message by the full-stop rule, and
    // the x87 unit is back in its start-up state before the box is up.
    void failureDisplay()
    {
        QFETCH(TThrower, thrower);
        QFETCH(QString, text);
        HandleFailures(Form.get(), [&thrower] {
            DirtyFpu();
            thrower();
        });
        QCOMPARE(Boxes.size(), 1);
        QCOMPARE(Boxes[0].Text, text);
        QCOMPARE(Boxes[0].Caption, QCoreApplication::applicationName());
        QCOMPARE(Boxes[0].ControlWord, StartUpControlWord);
        QCOMPARE(Boxes[0].StatusWord & kFpuExceptionFlags, 0);
        QVERIFY(!Boxes[0].ClickBehindGotThrough);
        QCOMPARE(Form->Memo1->toPlainText(), QStringLiteral("\n"));
    }

    // Tab and Shift+Tab wrap through the four controls; keyboard entry into a
    // field selects its text, entry into the report area selects nothing.
    void tabOrder()
    {
        const QList<QWidget*> forward{Form->Edit1, Form->Edit2, Form->Button1, Form->Memo1, Form->Edit1};
        for (QWidget* expected : forward) {
            QCOMPARE(QApplication::focusWidget(), expected);
            if (auto* field = qobject_cast<QLineEdit*>(expected))
                QCOMPARE(field->selectedText(), field->text());
            Key(Qt::Key_Tab);
        }
        QVERIFY(!Form->Memo1->textCursor().hasSelection());

        const QList<QWidget*> backward{Form->Edit2, Form->Edit1, Form->Memo1, Form->Button1, Form->Edit2};
        for (QWidget* expected : backward) {
            QCOMPARE(QApplication::focusWidget(), expected);
            if (auto* field = qobject_cast<QLineEdit*>(expected))
                QCOMPARE(field->selectedText(), field->text());
            Key(Qt::Key_Backtab, Qt::ShiftModifier);
        }
    }

    void clickIntoFieldSelectsNothing()
    {
        for (QLineEdit* field : {Form->Edit2, Form->Edit1}) {
            QTest::mouseClick(field, Qt::LeftButton);
            QCOMPARE(QApplication::focusWidget(), field);
            QVERIFY(!field->hasSelectedText());
        }
    }

    void buttonKeys_data()
    {
        QTest::addColumn<Qt::Key>("key");
        QTest::addColumn<Qt::KeyboardModifiers>("modifiers");
        QTest::addColumn<int>("presses");
        QTest::newRow("Space") << Qt::Key_Space << Qt::KeyboardModifiers() << 1;
        QTest::newRow("Enter") << Qt::Key_Return << Qt::KeyboardModifiers() << 1;
        QTest::newRow("keypad Enter") << Qt::Key_Enter << Qt::KeyboardModifiers(Qt::KeypadModifier) << 1;
        QTest::newRow("Shift+Enter") << Qt::Key_Return << Qt::KeyboardModifiers(Qt::ShiftModifier) << 0;
        QTest::newRow("Ctrl+Enter") << Qt::Key_Return << Qt::KeyboardModifiers(Qt::ControlModifier) << 0;
        QTest::newRow("Alt+Enter") << Qt::Key_Return << Qt::KeyboardModifiers(Qt::AltModifier) << 0;
        QTest::newRow("Escape") << Qt::Key_Escape << Qt::KeyboardModifiers() << 0;
    }

    void buttonKeys()
    {
        QFETCH(Qt::Key, key);
        QFETCH(Qt::KeyboardModifiers, modifiers);
        QFETCH(int, presses);
        Key(Qt::Key_Tab);
        Key(Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), Form->Button1);
        Key(key, modifiers);
        QCOMPARE(Presses, presses);
        QCOMPARE(Form->Memo1->toPlainText(), presses ? Report("0.00", "89.99") : QStringLiteral("\n"));
        QVERIFY(Form->isVisible());
    }

    // No default and no cancel button: Enter and Escape elsewhere do nothing.
    void enterAndEscapeElsewhere()
    {
        for (int control = 0; control < 3; ++control) {
            for (Qt::Key key : {Qt::Key_Return, Qt::Key_Enter, Qt::Key_Escape})
                Key(key);
            Key(Qt::Key_Tab);
            if (control == 1)
                Key(Qt::Key_Tab); // past Button1
        }
        QCOMPARE(QApplication::focusWidget(), Form->Edit1);
        QCOMPARE(Presses, 0);
        QVERIFY(Form->isVisible());
        QVERIFY(Boxes.isEmpty());
    }

    void reportIsReadOnlyButCopyable()
    {
        Press();
        const QString report = Form->Memo1->toPlainText();
        QTest::mouseClick(Form->Memo1->viewport(), Qt::LeftButton);
        QCOMPARE(QApplication::focusWidget(), Form->Memo1);
        QTest::keyClicks(static_cast<QWidget*>(nullptr), QStringLiteral("x"));
        Key(Qt::Key_Delete);
        Key(Qt::Key_Return);
        QCOMPARE(Form->Memo1->toPlainText(), report);

        Key(Qt::Key_A, Qt::ControlModifier);
        Key(Qt::Key_C, Qt::ControlModifier);
        QCOMPARE(QGuiApplication::clipboard()->text(), report);

        Key(Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), Form->Edit1);
        QCOMPARE(Form->Memo1->toPlainText(), report);
    }
};

int main(int argc, char* argv[])
{
    TApplication application(argc, argv);
    TestForm1 test;
    return QTest::qExec(&test, argc, argv);
}

#include "tform1_test.moc"

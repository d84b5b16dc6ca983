#include "tform1.h"

#include <limits>
#include <string>
#include <utility>

#include <QAccessibleWidget>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QScreen>

#include "application.h"
#include "centring.h"
#include "scan/scan.h"
#include "tchartform.h"

void TPushButton::keyPressEvent(QKeyEvent* event)
{
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    if (enter && !(event->modifiers() & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier)))
        click();
    else
        QPushButton::keyPressEvent(event);
}

namespace {

// The layout below is drawn for 96 pixels per inch and a font whose "0" is
// this high; another height scales the whole layout.
constexpr int kDesignTextHeight = 13;
constexpr int kDesignFontPixels = 11;
constexpr qreal kDesignPixelsPerInch = 96;

constexpr Qt::WindowFlags kWindowFlags = Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint
                                         | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;

// Text operations on the controls. Setting the text a control already holds
// changes nothing: no redraw, and caret, selection and scroll position stay.
// Memo1's lines are joined with CR LF, as the report's are.
std::string GetText(const QLineEdit* edit)
{
    return edit->text().toStdString();
}

std::string GetText(const QPlainTextEdit* memo)
{
    return memo->toPlainText().replace(u'\n', QStringLiteral("\r\n")).toStdString();
}

void SetText(QLineEdit* edit, const std::string& text)
{
    if (GetText(edit) != text)
        edit->setText(QString::fromStdString(text));
}

void SetText(QPlainTextEdit* memo, const std::string& text)
{
    if (GetText(memo) != text)
        memo->setPlainText(QString::fromStdString(text));
}

// A plain widget is no window to a screen reader, which would then have no
// window to announce: Form1 is a top-level window to it.
QAccessibleInterface* AccessibleForm(const QString& className, QObject* object)
{
    if (className == QLatin1String(TForm1::staticMetaObject.className()))
        return new QAccessibleWidget(static_cast<QWidget*>(object), QAccessible::Window);
    return nullptr;
}

QFont WindowFont(qreal pixelsPerInch)
{
    QFont font(QStringLiteral("Liberation Sans"));
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(qRound(kDesignFontPixels * pixelsPerInch / kDesignPixelsPerInch));
    return font;
}

} // namespace

TForm1::TForm1(QWidget* parent)
    : QWidget(parent, kWindowFlags)
    , Label1(new QLabel(QStringLiteral("Начальный угол:"), this))
    , Edit1(new QLineEdit(QStringLiteral("0.00"), this))
    , Label2(new QLabel(QStringLiteral("Конечный угол:"), this))
    , Edit2(new QLineEdit(QStringLiteral("89.99"), this))
    , Button1(new TPushButton(QStringLiteral("Тестировать"), this))
    , Memo1(new QPlainTextEdit(this))
    , Chart(new TChartForm(this, Memo1))
{
    QAccessible::installFactory(AccessibleForm);
    setWindowTitle(QStringLiteral("Тестирование формулы"));

    QPalette buttonFace = palette();
    buttonFace.setColor(QPalette::Window, buttonFace.color(QPalette::Button));
    setPalette(buttonFace);

    setFont(WindowFont(QGuiApplication::primaryScreen()->logicalDotsPerInchY()));
    const QFontMetrics metrics = fontMetrics();
    const int textHeight = metrics.size(0, QStringLiteral("0")).height();
    const auto scaled = [textHeight](int design) { return qRound(qreal(design) * textHeight / kDesignTextHeight); };
    const auto place = [&scaled](QWidget* control, int left, int top, int width, int height) {
        control->setGeometry(scaled(left), scaled(top), scaled(width), scaled(height));
    };

    // Labels take the size of their text: the designed widths fit a narrower font.
    Label1->setGeometry(QRect(QPoint(scaled(8), scaled(16)), metrics.size(0, Label1->text())));
    Label2->setGeometry(QRect(QPoint(scaled(8), scaled(48)), metrics.size(0, Label2->text())));
    Label1->setBuddy(Edit1);
    Label2->setBuddy(Edit2);

    place(Edit1, 108, 12, 65, 21);
    place(Edit2, 108, 44, 65, 21);
    Edit1->setMaxLength(std::numeric_limits<int>::max());
    Edit2->setMaxLength(std::numeric_limits<int>::max());

    place(Button1, 16, 84, 137, 21);
    Button1->setAutoDefault(false);
    connect(Button1, &QPushButton::clicked, this, [this] { HandleFailures(this, [this] { Button1Click(); }); });

    place(Memo1, 192, 12, 381, 365);
    Memo1->setReadOnly(true);
    Memo1->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    Memo1->setTabChangesFocus(true);
    Memo1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    Memo1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    Memo1->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    Memo1->setAccessibleName(QStringLiteral("Отчёт"));
    SetText(Memo1, "\r\n");

    setFixedSize(scaled(585), scaled(388));

    // The outer size is known once the native window exists; under X11 only when
    // the window manager has framed the mapped window.
    create();
    CentreOnPrimaryScreen(this);

    Edit1->setFocus();
    Edit1->selectAll();
}

void TForm1::Button1Click()
{
    const std::string start = GetText(Edit1);
    const std::string end = GetText(Edit2);
    const TRangeTexts range = NormalizeRange(start, end);
    SetText(Edit1, range.Start);
    SetText(Edit2, range.End);
    const std::string shownStart = GetText(Edit1);
    const std::string shownEnd = GetText(Edit2);
    TSweep sweep;
    SetText(Memo1, ScanDeviations(shownStart, shownEnd, &sweep));
    Chart->ShowSweep(std::move(sweep));
}

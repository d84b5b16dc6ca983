#include "tform1.h"

#include <algorithm>
#include <array>
#include <limits>
#include <string>
#include <string_view>
#include <utility>

#include <QAccessibleWidget>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPlainTextEdit>
#include <QScreen>

#include "application.h"
#include "captionstrip.h"
#include "centreonprimaryscreen.h"
#include "main/form/button1click.h"
#include "main/form/enterkey.h"
#include "main/form/form.h"
#include "main/form/layout.h"
#include "tchartform.h"

void TPushButton::keyPressEvent(QKeyEvent* event)
{
    if (event->key() != Qt::Key_Return && event->key() != Qt::Key_Enter)
        return QPushButton::keyPressEvent(event);
    // Keys reach the button only while it has the focus; an Enter that does
    // not press it goes no further, as there is no default button.
    const Qt::KeyboardModifiers held = event->modifiers();
    if (EnterPressesButton1(true, {bool(held & Qt::ShiftModifier), bool(held & Qt::ControlModifier),
                                   bool(held & Qt::AltModifier)}))
        click();
}

bool TMemo::event(QEvent* event)
{
    const bool handled = QPlainTextEdit::event(event);
    // The area paints its own frame, around its viewport and scroll bar.
    if (event->type() == QEvent::Paint && hasFocus()) {
        QPainter painter(this);
        const int width = std::max(1, frameWidth());
        painter.setPen(QPen(palette().color(QPalette::Highlight), width));
        painter.drawRect(QRectF(rect()).adjusted(width / 2.0, width / 2.0, -width / 2.0, -width / 2.0));
    }
    return handled;
}

namespace {

constexpr Qt::WindowFlags kWindowFlags = Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint
                                         | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;

QString Text(std::string_view text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

QString InitialText(TControlId id)
{
    return Text(Control(id).Text);
}

// The form's text operations on the Qt controls; Memo1's lines are joined with
// CR LF, as the report's are.
class TQtTexts final : public TFormTexts {
public:
    explicit TQtTexts(TForm1& form)
        : Form(form)
    {
    }

    std::string GetText(TControlId control) const override
    {
        switch (control) {
        case TControlId::Label1:
            return Form.Label1->text().toStdString();
        case TControlId::Edit1:
            return Form.Edit1->text().toStdString();
        case TControlId::Label2:
            return Form.Label2->text().toStdString();
        case TControlId::Edit2:
            return Form.Edit2->text().toStdString();
        case TControlId::Button1:
            return Form.Button1->text().toStdString();
        case TControlId::Memo1:
            break;
        }
        return Form.Memo1->toPlainText().replace(u'\n', QStringLiteral("\r\n")).toStdString();
    }

    void ReplaceText(TControlId control, const std::string& text) override
    {
        const QString value = QString::fromStdString(text);
        switch (control) {
        case TControlId::Label1:
            return Form.Label1->setText(value);
        case TControlId::Edit1:
            return Form.Edit1->setText(value);
        case TControlId::Label2:
            return Form.Label2->setText(value);
        case TControlId::Edit2:
            return Form.Edit2->setText(value);
        case TControlId::Button1:
            return Form.Button1->setText(value);
        case TControlId::Memo1:
            return Form.Memo1->setPlainText(value);
        }
    }

private:
    TForm1& Form;
};

// A plain widget is no window to a screen reader, which would then have no
// window to announce: Form1 is a top-level window to it.
QAccessibleInterface* AccessibleForm(const QString& className, QObject* object)
{
    if (className == QLatin1String(TForm1::staticMetaObject.className()))
        return new QAccessibleWidget(static_cast<QWidget*>(object), QAccessible::Window);
    return nullptr;
}

// The designed font is not on Linux: a sans serif of the same pixel height.
QFont WindowFont(qreal pixelsPerInch)
{
    QFont font(QStringLiteral("Liberation Sans"));
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(FontPixels(pixelsPerInch));
    return font;
}

} // namespace

TForm1::TForm1(QWidget* parent)
    : QWidget(parent, kWindowFlags)
    , Label1(new QLabel(InitialText(TControlId::Label1), this))
    , Edit1(new QLineEdit(InitialText(TControlId::Edit1), this))
    , Label2(new QLabel(InitialText(TControlId::Label2), this))
    , Edit2(new QLineEdit(InitialText(TControlId::Edit2), this))
    , Button1(new TPushButton(InitialText(TControlId::Button1), this))
    , Memo1(new TMemo(this))
    , Chart(new TChartForm(this, Memo1))
{
    QAccessible::installFactory(AccessibleForm);
    setWindowTitle(Text(kCaption));

    QPalette buttonFace = palette();
    buttonFace.setColor(QPalette::Window, buttonFace.color(QPalette::Button));
    setPalette(buttonFace);

    setFont(WindowFont(QGuiApplication::primaryScreen()->logicalDotsPerInchY()));
    const QFontMetrics metrics = fontMetrics();
    const int textHeight = metrics.size(0, QStringLiteral("0")).height();
    QWidget* const controls[] = {Label1, Edit1, Label2, Edit2, Button1, Memo1};
    std::array<QWidget*, kControls.size()> tabOrder{};
    for (const TControlSpec& designed : kControls) {
        QWidget* const control = controls[static_cast<int>(designed.Id)];
        const QSize text = metrics.size(0, Text(designed.Text));
        const TRect rect = ControlRect(designed, textHeight, {text.width(), text.height()});
        control->setGeometry(rect.Left, rect.Top, rect.Width, rect.Height);
        if (designed.TabOrder >= 0)
            tabOrder[designed.TabOrder] = control;
    }
    QWidget* previous = nullptr;
    for (QWidget* const control : tabOrder) {
        if (control && previous)
            setTabOrder(previous, control);
        previous = control ? control : previous;
    }

    Label1->setBuddy(Edit1);
    Label2->setBuddy(Edit2);
    Edit1->setMaxLength(std::numeric_limits<int>::max());
    Edit2->setMaxLength(std::numeric_limits<int>::max());

    Button1->setAutoDefault(false);
    connect(Button1, &QPushButton::clicked, this, [this] { HandleFailures(this, [this] { Button1Click(); }); });

    Memo1->setReadOnly(true);
    Memo1->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    Memo1->setTabChangesFocus(true);
    Memo1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    Memo1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    Memo1->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    Memo1->setAccessibleName(QStringLiteral("Отчёт"));
    TQtTexts texts(*this);
    SetText(texts, TControlId::Memo1, std::string(Control(TControlId::Memo1).Text));

    const TSize client = ClientSize(textHeight);
    setFixedSize(client.Width, client.Height);
    UseOwnCaption(this);

    // The outer size is known once the native window exists; under X11 only when
    // the window manager has framed the mapped window.
    create();
    CentreOnPrimaryScreen(this);

    Edit1->setFocus();
    Edit1->selectAll();
}

TForm1::~TForm1()
{
    delete Chart;
}

void TForm1::Button1Click()
{
    TQtTexts texts(*this);
    TSweep sweep;
    RunButton1Click(texts, &sweep);
    Chart->ShowSweep(std::move(sweep), Edit1->text(), Edit2->text());
}

#pragma once

#include <QPlainTextEdit>
#include <QPushButton>
#include <QWidget>

class QLabel;
class QLineEdit;
class TChartForm;

// A push button that Enter without Shift, Ctrl or Alt presses while it has the
// focus, as Space does; it is never a default button.
class TPushButton : public QPushButton {
public:
    using QPushButton::QPushButton;

protected:
    void keyPressEvent(QKeyEvent* event) override;
};

// The report area, framed in the highlight colour while it has the focus:
// read-only, it shows no caret when the caret is out of view.
class TMemo : public QPlainTextEdit {
public:
    using QPlainTextEdit::QPlainTextEdit;

protected:
    bool event(QEvent* event) override;
};

// The main window: two angle fields, the button that runs the scan and the
// report area.
class TForm1 : public QWidget {
    Q_OBJECT

public:
    explicit TForm1(QWidget* parent = nullptr);
    ~TForm1() override;

    QLabel* const Label1;
    QLineEdit* const Edit1;
    QLabel* const Label2;
    QLineEdit* const Edit2;
    TPushButton* const Button1;
    TMemo* const Memo1;
    // Not one of the designed controls: the chart window, which follows the
    // runs; a top-level window of its own, deleted with this one.
    TChartForm* const Chart;

public slots:
    // Normalises the range, writes it back into the fields, scans the range as
    // the fields then show it and puts the report into Memo1. Throws what the
    // scan throws; the button runs it under HandleFailures.
    void Button1Click();
};

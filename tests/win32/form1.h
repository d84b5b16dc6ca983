#pragma once

#include <memory>
#include <string>
#include <vector>

#include <windows.h>

#include <gtest/gtest.h>

#include "application.h"
#include "tform1.h"
#include "widetext.h"

// The default report, as formula-scan writes it, with CR LF line ends.
std::wstring DefaultReport();

// What a message box showed, read through a CBT hook as it opened.
struct TBox {
    std::wstring Text;
    std::wstring Caption;
    std::vector<int> Buttons;  // the visible ones, by command
    bool StopIcon = false;
    bool OwnerEnabled = true;
    bool OthersEnabled = true;  // any other visible top-level window of the program
};

// A fresh Form1, shown as at a normal start, with every message box it opens
// read and answered with OK.
class TForm1Test : public testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Runs the messages waiting, as the application's loop would.
    void Pump();
    // A key pressed and released on the focused control, with modifiers held.
    void Key(WORD key, std::initializer_list<WORD> modifiers = {});

    static TApplication& Application();

    std::unique_ptr<TForm1> Form;
    static std::vector<TBox> Boxes;

private:
    static LRESULT CALLBACK BoxHook(int code, WPARAM wParam, LPARAM lParam);
    HHOOK Hook = nullptr;
};

#include <cstdlib>
#include <string>
#include <string_view>

#include "form1.h"

namespace {

// Measured under Wine with its own fonts in a Russian locale: there "MS Sans
// Serif" is the font itself, and its "0" is 13, 16 and 20 pixels high.
TEST_F(TForm1Test, LayoutFollowsTheScreenAndTheFont)
{
    struct TRow {
        int PixelsPerInch, Width, Height;
    };
    const HDC screen = GetDC(nullptr);
    const int pixelsPerInch = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    // The run asks for its screen; the default is the design's.
    const char* const asked = std::getenv("FORMULA_DPI");
    ASSERT_EQ(pixelsPerInch, asked ? std::atoi(asked) : 96);
    static constexpr TRow rows[] = {{96, 585, 388}, {120, 720, 478}, {144, 900, 597}};
    const TRow* found = nullptr;
    for (const TRow& row : rows)
        if (row.PixelsPerInch == pixelsPerInch)
            found = &row;
    ASSERT_NE(found, nullptr) << pixelsPerInch;

    RECT client{};
    GetClientRect(Form->Handle, &client);
    EXPECT_EQ(client.right, found->Width);
    EXPECT_EQ(client.bottom, found->Height);

    const HFONT font = reinterpret_cast<HFONT>(SendMessageW(Form->Edit1, WM_GETFONT, 0, 0));
    LOGFONTW description{};
    GetObjectW(font, sizeof description, &description);
    EXPECT_EQ(description.lfHeight, -MulDiv(11, pixelsPerInch, 96));
    EXPECT_EQ(description.lfCharSet, RUSSIAN_CHARSET);
    const HDC dc = GetDC(Form->Handle);
    const HGDIOBJ old = SelectObject(dc, font);
    wchar_t face[LF_FACESIZE] = {};
    GetTextFaceW(dc, LF_FACESIZE, face);
    EXPECT_EQ(std::wstring_view(face), L"MS Sans Serif");

    // Each label shows its whole text on one line, clear of its field; the
    // report area lies inside the window.
    for (const auto& [label, field] : {std::pair{Form->Label1, Form->Edit1}, std::pair{Form->Label2, Form->Edit2}}) {
        const std::wstring text = WindowText(label);
        SIZE size{};
        GetTextExtentPoint32W(dc, text.data(), static_cast<int>(text.size()), &size);
        RECT labelRect{}, fieldRect{};
        GetWindowRect(label, &labelRect);
        GetWindowRect(field, &fieldRect);
        EXPECT_GE(labelRect.right - labelRect.left, size.cx);
        EXPECT_EQ(labelRect.bottom - labelRect.top, size.cy);
        EXPECT_LT(labelRect.right, fieldRect.left);
    }
    SelectObject(dc, old);
    ReleaseDC(Form->Handle, dc);
    RECT memo{};
    GetWindowRect(Form->Memo1, &memo);
    MapWindowPoints(nullptr, Form->Handle, reinterpret_cast<POINT*>(&memo), 2);
    EXPECT_LT(memo.right, client.right);
    EXPECT_LT(memo.bottom, client.bottom);
}

// The resources of formula-test.exe itself, as Windows reads them.
TEST(Resources, ManifestIconAndVersion)
{
    const HMODULE exe = LoadLibraryExW(FORMULA_TEST_EXE, nullptr, LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_NE(exe, nullptr);
    const auto resource = [exe](LPCWSTR name, LPCWSTR type) {
        const HRSRC found = FindResourceW(exe, name, type);
        return found ? std::string_view(static_cast<const char*>(LockResource(LoadResource(exe, found))),
                                        SizeofResource(exe, found))
                     : std::string_view();
    };
    const std::string_view manifest = resource(MAKEINTRESOURCEW(1), MAKEINTRESOURCEW(24));
    EXPECT_NE(manifest.find("<dpiAware xmlns=\"http://schemas.microsoft.com/SMI/2005/WindowsSettings\">true</dpiAware>"),
              std::string_view::npos);
    EXPECT_NE(manifest.find("name=\"Microsoft.Windows.Common-Controls\" version=\"6.0.0.0\""), std::string_view::npos);

    // One image, 32 x 32 with 16 colours.
    const std::string_view group = resource(MAKEINTRESOURCEW(1), RT_GROUP_ICON);
    ASSERT_EQ(group.size(), 6u + 14u);
    EXPECT_EQ(group[4], 1);
    EXPECT_EQ(static_cast<unsigned char>(group[6]), 32);
    EXPECT_EQ(static_cast<unsigned char>(group[7]), 32);
    EXPECT_EQ(static_cast<unsigned char>(group[8]), 16);

    const std::string_view version = resource(MAKEINTRESOURCEW(1), RT_VERSION);
    const auto* fixed = reinterpret_cast<const VS_FIXEDFILEINFO*>(version.data() + 40);
    ASSERT_GT(version.size(), 40u + sizeof *fixed);
    EXPECT_EQ(fixed->dwSignature, 0xFEEF04BDu);
    EXPECT_EQ(fixed->dwFileVersionMS, MAKELONG(FORMULA_VERSION_MINOR, FORMULA_VERSION_MAJOR));
    EXPECT_EQ(fixed->dwFileVersionLS, MAKELONG(0, FORMULA_VERSION_PATCH));
    FreeLibrary(exe);
}

} // namespace

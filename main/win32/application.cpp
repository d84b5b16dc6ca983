#include "application.h"

#include <windows.h>

#include "extended/fpu.h"
#include "main/form/title.h"
#include "tform1.h"

std::wstring ApplicationTitle(std::wstring_view executablePath)
{
    const std::wstring_view name = executablePath.substr(executablePath.find_last_of(L'\\') + 1);
    const auto lower = [](std::u16string_view text) {
        std::wstring lowered(text.begin(), text.end());
        CharLowerW(lowered.data());
        return std::u16string(lowered.begin(), lowered.end());
    };
    const std::u16string title = TitleFromFileName(std::u16string(name.begin(), name.end()), lower);
    return std::wstring(title.begin(), title.end());
}

namespace {

// The whole path however long: a path cut at 255 characters would lose the
// file name the title comes from.
std::wstring ExecutablePath()
{
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (length < path.size()) {
            path.resize(length);
            return path;
        }
        path.resize(2 * path.size());
    }
}

} // namespace

TApplication::TApplication()
    // The mode is loaded before anything computes, the title included.
    : Title((SetFpuMode(), ApplicationTitle(ExecutablePath())))
{
}

int TApplication::Run(TForm1& Form1)
{
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0)
        ProcessMessage(Form1, message);
    return 0;
}

void TApplication::ProcessMessage(TForm1& Form1, MSG& message)
{
    if (!Form1.HandleKeyboard(message)) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}

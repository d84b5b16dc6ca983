// The page's view of the core and of the window's rules: everything the page
// decides beyond showing and reading its elements is decided here, by the same
// code as in the other shells.
#include <string>

#include <emscripten/bind.h>
#include <emscripten/val.h>

#include "extended/fpu.h"
#include "main/form/button1click.h"
#include "main/form/enterkey.h"
#include "main/form/failuredisplay.h"
#include "main/form/form.h"
#include "main/form/layout.h"
#include "main/form/title.h"

using emscripten::val;

namespace {

// The page's elements behind the two text operations: a JavaScript object
// with getText(control) and replaceText(control, text), controls numbered as
// in the window's table.
class TPageTexts final : public TFormTexts {
public:
    explicit TPageTexts(val page) : Page(std::move(page)) {}

    std::string GetText(TControlId control) const override
    {
        return Page.call<std::string>("getText", static_cast<int>(control));
    }

    void ReplaceText(TControlId control, const std::string& text) override
    {
        Page.call<void>("replaceText", static_cast<int>(control), text);
    }

private:
    val Page;
};

// A press ends with the mouse button released: the browser holds no capture.
void NoCapture() {}

// null after a run, or the text of the failure box.
val PressButton1(val page)
{
    TPageTexts texts(std::move(page));
    try {
        RunButton1Click(texts);
        return val::null();
    } catch (...) {
        return val(PrepareFailureBox(NoCapture));
    }
}

val Rect(const TRect& rect)
{
    val result = val::object();
    result.set("left", rect.Left);
    result.set("top", rect.Top);
    result.set("width", rect.Width);
    result.set("height", rect.Height);
    return result;
}

// The window as the page lays it out once the height of "0" in its font is
// measured: the client size, and per control its kind, tab order, text and
// place (labels take the size of their own text).
val Window(int textHeight, val labelSizes)
{
    val window = val::object();
    window.set("caption", std::string(kCaption));
    const TSize client = ClientSize(textHeight);
    window.set("client", Rect({0, 0, client.Width, client.Height}));
    val controls = val::array();
    for (const TControlSpec& designed : kControls) {
        const int index = static_cast<int>(designed.Id);
        const val size = labelSizes[index];
        const TSize textSize = size.isUndefined() ? TSize{0, 0} : TSize{size[0].as<int>(), size[1].as<int>()};
        val control = val::object();
        control.set("kind", static_cast<int>(designed.Kind));
        control.set("tabOrder", designed.TabOrder);
        control.set("text", std::string(designed.Text));
        control.set("rect", Rect(ControlRect(designed, textHeight, textSize)));
        controls.call<void>("push", control);
    }
    window.set("controls", controls);
    return window;
}

bool EnterPresses(bool buttonFocused, bool shift, bool control, bool alt)
{
    return EnterPressesButton1(buttonFocused, {shift, control, alt});
}

std::u16string Title(const std::u16string& fileName)
{
    const auto lower = [](std::u16string_view text) {
        return val(std::u16string(text)).call<std::u16string>("toLowerCase");
    };
    return TitleFromFileName(fileName, lower);
}

} // namespace

EMSCRIPTEN_BINDINGS(formula_test)
{
    // The mode every computation starts from, set before the page can press.
    SetFpuMode();
    emscripten::function("PressButton1", &PressButton1);
    emscripten::function("Window", &Window);
    emscripten::function("EnterPressesButton1", &EnterPresses);
    emscripten::function("TitleFromFileName", &Title);
    emscripten::constant("kFontPixels", kFontPixels);
}

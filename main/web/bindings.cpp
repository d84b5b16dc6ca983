// The page's view of the core and of the window's rules: everything the page
// decides beyond showing and reading its elements is decided here, by the same
// code as in the other shells.
#include <initializer_list>
#include <string>
#include <utility>
#include <vector>

#include <emscripten/bind.h>
#include <emscripten/val.h>

#include "extended/fpu.h"
#include "main/chart/appearance.h"
#include "main/chart/chartstate.h"
#include "main/chart/placement.h"
#include "main/chart/roundticks.h"
#include "main/chart/texts.h"
#include "main/form/button1click.h"
#include "main/form/enterkey.h"
#include "main/form/failuredisplay.h"
#include "main/form/form.h"
#include "main/form/layout.h"
#include "main/form/title.h"
#include "samples/samplescsv.h"

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

// null after a run, which the chart then shows, or the text of the failure
// box, the chart left as it was.
val PressButton1(val page, TChartState& chart)
{
    TPageTexts texts(std::move(page));
    try {
        TSweep sweep;
        RunButton1Click(texts, &sweep);
        chart.Show(std::move(sweep), texts.GetText(TControlId::Edit1), texts.GetText(TControlId::Edit2));
        return val::null();
    } catch (...) {
        return val(PrepareFailureBox(NoCapture));
    }
}

TRect AsRect(const val& rect)
{
    return {rect["left"].as<int>(), rect["top"].as<int>(), rect["width"].as<int>(), rect["height"].as<int>()};
}

TSize AsSize(const val& size)
{
    return {size["width"].as<int>(), size["height"].as<int>()};
}

// A JavaScript object of these fields.
val Object(std::initializer_list<std::pair<const char*, val>> fields)
{
    val object = val::object();
    for (const auto& [name, value] : fields)
        object.set(name, value);
    return object;
}

val Size(TSize size)
{
    return Object({{"width", val(size.Width)}, {"height", val(size.Height)}});
}

val Rect(const TRect& rect)
{
    return Object({{"left", val(rect.Left)}, {"top", val(rect.Top)}, {"width", val(rect.Width)},
                   {"height", val(rect.Height)}});
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

std::string Css(const TColour& colour)
{
    return "rgb(" + std::to_string(colour.Red) + "," + std::to_string(colour.Green) + "," +
           std::to_string(colour.Blue) + ")";
}

// Everything the chart shows that no run decides: its texts, colours and sizes.
val ChartLook()
{
    val look = val::object();
    const auto text = [&look](const char* name, std::string_view value) { look.set(name, std::string(value)); };
    text("caption", kChartCaption);
    text("lineName", kLineName);
    text("markersName", kMarkersName);
    text("largestName", kLargestName);
    text("angleAxisTitle", kAngleAxisTitle);
    text("dAxisTitle", kDAxisTitle);
    text("noSamples", kNoSamples);
    text("wholeRangeEntry", kWholeRangeEntry);
    text("copyImageEntry", kCopyImageEntry);
    text("saveImageEntry", kSaveImageEntry);
    text("saveDataEntry", kSaveDataEntry);
    text("imageName", kSaveImage.Name);
    text("dataName", kSaveData.Name);
    text("copyTextEntry", kCopyTextEntry);
    text("selectAllEntry", kSelectAllEntry);
    const auto colour = [&look](const char* name, const TColour& value) { look.set(name, Css(value)); };
    colour("lineColour", kLineColour);
    colour("markerColour", kMarkerColour);
    colour("ringColour", kRingColour);
    colour("zeroLineColour", kZeroLineColour);
    colour("noSamplesColour", kNoSamplesColour);
    look.set("lineWidth", kLineWidth);
    look.set("markerSize", kMarkerSize);
    look.set("largestMarkerSize", kLargestMarkerSize);
    look.set("ringWidth", kRingWidth);
    look.set("noSamplesScale", kNoSamplesScale);
    look.set("size", Size(kChartSize));
    look.set("leastSize", Size(kLeastChartSize));
    return look;
}

// The chart's frame on the page: available is the page's visible area, owner
// the designed window; wanted and least are frames around the chart's sizes.
val PlaceChart(val available, val owner, val wanted, val least)
{
    return Rect(ChartFrame(AsRect(available), AsRect(owner), AsSize(wanted), AsSize(least)));
}

// The ticks of the angle axis (angles true) or of the d axis in low..high:
// their values and their labels.
val Ticks(bool angles, double low, double high)
{
    val values = val::array(), labels = val::array();
    for (const TAxisTick& tick : AxisTicks(low, high, angles ? kMostAngleTicks : kMostDTicks)) {
        values.call<void>("push", tick.Value);
        labels.call<void>("push", tick.Label);
    }
    return Object({{"values", values}, {"labels", labels}});
}

TPlotArea AsPlot(const val& plot)
{
    return {plot["left"].as<double>(), plot["top"].as<double>(), plot["width"].as<double>(),
            plot["height"].as<double>()};
}

val View(const TChartState& chart)
{
    const TView& view = chart.View();
    return Object({{"left", val(view.Left)}, {"right", val(view.Right)}, {"bottom", val(view.Bottom)},
                   {"top", val(view.Top)}});
}

// A copy of the values the page draws, as typed arrays: the page keeps them
// while the module's memory may move.
val Copied(const std::vector<double>& values)
{
    return val::global("Float64Array").new_(val(emscripten::typed_memory_view(values.size(), values.data())));
}

// The samples the chart draws: every angle and its d, and the kept samples as
// indices into them, largest deviation first.
val Samples(const TChartState& chart)
{
    const TSweep& sweep = chart.Shown();
    std::vector<double> angles, d;
    angles.reserve(sweep.Samples.size());
    d.reserve(sweep.Samples.size());
    for (const TSample& sample : sweep.Samples) {
        angles.push_back(sample.Angle);
        d.push_back(sample.D);
    }
    val kept = val::array();
    for (const TSample& sample : sweep.Kept) {
        const TSample* at = NearestInAngle(sweep.Samples, sample.Angle);
        kept.call<void>("push", int(at - sweep.Samples.data()));
    }
    return Object({{"angles", Copied(angles)}, {"d", Copied(d)}, {"kept", kept}});
}

// The chart's operations on points: an angle and its d, or x and y in CSS
// pixels of the plot, whose area is plot.
void ZoomAround(TChartState& chart, double notches, double angle, double d)
{
    chart.ZoomAround(notches, {angle, d});
}

void Zoom(TChartState& chart, double angle, double d, double oppositeAngle, double oppositeD)
{
    chart.Zoom({angle, d}, {oppositeAngle, oppositeD});
}

void Drag(TChartState& chart, double movedX, double movedY, val plot)
{
    chart.Drag(movedX, movedY, AsPlot(plot));
}

int KeptUnder(const TChartState& chart, double x, double y, val plot)
{
    return chart.KeptAt({x, y}, AsPlot(plot));
}

// What the pointer at x, y over the plot points to: its report line, or null.
val Pointed(const TChartState& chart, double x, double y, val plot)
{
    const TSample* sample = chart.Pointed({x, y}, AsPlot(plot));
    return sample ? val(ReportLine(*sample)) : val::null();
}

// The chosen kept sample's report line and its line number in the report
// area; null when none is chosen.
val ChosenLine(const TChartState& chart)
{
    const int kept = chart.Chosen();
    if (kept < 0)
        return val::null();
    return Object({{"text", val(ReportLine(chart.Shown().Kept[std::size_t(kept)]))},
                   {"number", val(ReportLineNumber(kept))}});
}

std::string Csv(const TChartState& chart)
{
    return SamplesCsv(chart.Shown().Samples);
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

    emscripten::function("ChartLook", &ChartLook);
    emscripten::function("PlaceChart", &PlaceChart);
    emscripten::function("Ticks", &Ticks);
    emscripten::enum_<TWalkKey>("WalkKey")
        .value("Right", TWalkKey::Right)
        .value("Left", TWalkKey::Left)
        .value("PageDown", TWalkKey::PageDown)
        .value("PageUp", TWalkKey::PageUp);
    emscripten::enum_<TPanDirection>("PanDirection")
        .value("Left", TPanDirection::Left)
        .value("Right", TPanDirection::Right)
        .value("Up", TPanDirection::Up)
        .value("Down", TPanDirection::Down);
    emscripten::class_<TChartState>("Chart")
        .constructor<>()
        .function("Title", &TChartState::Title)
        .function("View", &View)
        .function("Samples", &Samples)
        .function("ShowWhole", &TChartState::ShowWhole)
        .function("ZoomAround", &ZoomAround)
        .function("ZoomAtChosen", &TChartState::ZoomAtChosen)
        .function("Zoom", &Zoom)
        .function("Pan", &TChartState::Pan)
        .function("StartDrag", &TChartState::StartDrag)
        .function("Drag", &Drag)
        .function("Walk", &TChartState::Walk)
        .function("Choose", &TChartState::Choose)
        .function("KeptAt", &KeptUnder)
        .function("Pointed", &Pointed)
        .function("ChosenLine", &ChosenLine)
        .function("Csv", &Csv);
}

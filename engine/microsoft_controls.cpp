#include "engine/microsoft_controls.h"

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "engine/anchored_lines.h"
#include "engine/form_body.h"
#include "engine/text_util.h"

namespace tavkonv40 {

namespace {

// Some controls have two possible replacements, chosen by a look at the lines that follow.
enum class Variant {
    Single,
    MultiLineText,   // a text box with a MultiLine property becomes the multi-line text control
    VerticalSlider,  // a slider followed by an Orientation line becomes the vertical slider
};

// How the control's font block is brought to the form ActiveX controls need.
enum class FontFix {
    None,
    ToControlEnd,  // the scan stops at a line holding "End" but not "EndProperty"
    ToAnyEnd,      // the scan stops at any line holding "End", "EndProperty" included
};

struct MicrosoftControl {
    std::string_view lineText;   // searched for, case-sensitively, anywhere in the line
    int option;                  // Microsoft control option 0..12
    std::string_view prefix;     // "Begin " + new library stem
    std::string_view classPart;  // "." + new class stem
    Variant variant;
    std::string_view altPrefix;  // the second replacement, for Variant other than Single
    std::string_view altClassPart;
    FontFix font;
    std::string_view fontLine;  // what replaces "BeginProperty Font" and the rest of its line
};

constexpr std::string_view kFont = "BeginProperty Font {0BE35203-8F91-11CE-9DE3-00AA004BB851}";
constexpr std::string_view kDefaultItemFont = "BeginProperty DefaultItemFont {0BE35203-8F91-11CE-9DE3-00AA004BB851}";

// clang-format off
// Test order: the first entry whose text occurs in a line decides.
constexpr std::array<MicrosoftControl, 15> kControls{{
    {"Begin VB.CheckBox", 1, "Begin tavQVSelection", ".QVCheckBox", Variant::Single, {}, {},
     FontFix::ToControlEnd, kFont},
    {"Begin VB.OptionButton", 1, "Begin tavQVSelection", ".QVOption", Variant::Single, {}, {},
     FontFix::ToControlEnd, kFont},
    {"Begin VB.TextBox", 11, "Begin tavQVText", ".QVText", Variant::MultiLineText,
     "Begin tavQVMultiLineText", ".QVMultiLineText", FontFix::ToControlEnd, kFont},
    {"Begin MSComctlLib.Slider", 10, "Begin tavQVSlider", ".tavHSlider", Variant::VerticalSlider,
     "Begin tavQVSlider", ".tavVSlider", FontFix::ToControlEnd, kFont},
    {"Begin VB.VScrollBar", 9, "Begin tavQVScroll", ".QVVScroll", Variant::Single, {}, {},
     FontFix::None, {}},
    {"Begin VB.HScrollBar", 9, "Begin tavQVScroll", ".QVHScroll", Variant::Single, {}, {},
     FontFix::None, {}},
    {"Begin VB.Frame", 4, "Begin tavQVFrame", ".QVFrame", Variant::Single, {}, {},
     FontFix::ToControlEnd, kFont},
    {"Begin VB.CommandButton", 0, "Begin tavQVButton", ".QVButton", Variant::Single, {}, {},
     FontFix::ToControlEnd, kFont},
    {"Begin VB.ComboBox", 2, "Begin tavQVCombo", ".QVCombo", Variant::Single, {}, {},
     FontFix::ToControlEnd, kFont},
    {"Begin MSComctlLib.ListView", 7, "Begin tavQVListView", ".QVListView", Variant::Single, {}, {},
     FontFix::ToControlEnd, kDefaultItemFont},
    {"Begin MSComctlLib.ProgressBar", 8, "Begin tavQVProgress", ".ProgressBar", Variant::Single, {},
     {}, FontFix::None, {}},
    {"Begin MSComCtl2.UpDown", 12, "Begin tavQVUpDn", ".QVUpDn", Variant::Single, {}, {},
     FontFix::None, {}},
    {"Begin MSComCtl2.DTPicker", 3, "Begin tavQVDatePicker", ".QVDatePicker", Variant::Single, {},
     {}, FontFix::ToAnyEnd, kFont},
    {"Begin VB.ListBox", 6, "Begin tavQVListControl", ".tavQVList", Variant::Single, {}, {},
     FontFix::ToControlEnd, kFont},
    {"Begin VB.Label", 5, "Begin tavQVLabel", ".QVLabel", Variant::Single, {}, {},
     FontFix::ToControlEnd, kFont},
}};
// clang-format on

constexpr std::string_view kEmptyText = "Text            =   \"\"";

// The end of a control's block: a line holding "End" that is not an "EndProperty" line.
bool isControlEnd(std::string_view line) { return contains(line, "End") && !contains(line, "EndProperty"); }

// Every entry starts with "Begin": the entries are compared only where the line holds it.
constexpr std::string_view kAnchor = "Begin";

const MicrosoftControl* findControl(const AnchorPositions& anchors) {
    for (const auto& c : kControls)
        if (anchors.contains(c.lineText)) return &c;
    return nullptr;
}

using Lines = std::vector<std::string_view>;

// A MultiLine property line before the control's end.
bool isMultiLine(const Lines& lines, std::size_t n) {
    for (std::size_t k = n + 1; k <= lines.size(); ++k) {
        const auto l = lines[k - 1];
        if (isControlEnd(l)) return false;
        if (contains(l, "MultiLine")) return true;
    }
    return false;
}

// An Orientation line before the next line holding "Begin". The slider's own "End" does not stop
// the look, so a line after the slider (even in the code) can make it vertical.
bool isVertical(const Lines& lines, std::size_t n) {
    for (std::size_t k = n + 1; k <= lines.size(); ++k) {
        const auto l = lines[k - 1];
        if (contains(l, "Begin")) return false;
        if (contains(l, "Orientation")) return true;
    }
    return false;
}

// The first line holding "Text" before the control's end gets an empty text.
void emptyText(StepContext& ctx, const Lines& lines, std::size_t n) {
    for (std::size_t k = n + 1; k <= lines.size(); ++k) {
        const auto l = lines[k - 1];
        if (isControlEnd(l)) return;
        const auto p = l.find("Text");
        if (p == std::string_view::npos) continue;
        std::string text(l.substr(0, p));
        text += kEmptyText;
        ReplaceFileLine(ctx, k, text);
        return;
    }
}

// The control's first font line gets the font class identifier unless it has one already.
void fixFont(StepContext& ctx, const Lines& lines, std::size_t n, const MicrosoftControl& c) {
    for (std::size_t k = n + 1; k <= lines.size(); ++k) {
        const auto l = lines[k - 1];
        if (c.font == FontFix::ToAnyEnd ? contains(l, "End") : isControlEnd(l)) return;
        const auto p = l.find("BeginProperty Font");
        if (p == std::string_view::npos) continue;
        if (contains(l, "{")) return;
        std::string text(l.substr(0, p));
        text += c.fontLine;
        ReplaceFileLine(ctx, k, text);
        return;
    }
}

}  // namespace

void CheckFRMVBBODYForUpdate(StepContext& ctx) {
    const Lines& lines = ctx.file.lines();
    // Every entry starts with "Begin", so a line without it in this exact case can pass the
    // case-blind look for "Begin" but never match an entry: such lines are passed over unseen.
    forEachAnchoredLine(ctx, kAnchor, [&](std::size_t n, std::string_view line, const AnchorPositions& anchors) {
        const MicrosoftControl* c = findControl(anchors);
        if (!c) return;
        const int option = c->option;
        if (!ctx.options.microsoftSelected(option)) return;

        const auto s = VBEditionSuffix(ctx.options, option);
        bool alternative = false;
        if (c->variant == Variant::MultiLineText) alternative = isMultiLine(lines, n);
        if (c->variant == Variant::VerticalSlider) alternative = isVertical(lines, n);
        ReplaceFileLine(ctx, n,
                        SpliceClassToken(line, s, c->lineText, alternative ? c->altPrefix : c->prefix,
                                         alternative ? c->altClassPart : c->classPart, ClassSuffix::Append));
        const auto i = static_cast<std::size_t>(option);
        ctx.state.formNeedsLibrary[i] = true;
        ctx.state.projectNeedsLibrary[i] = true;
        if (ctx.state.statistics) ctx.state.statistics->microsoftControlReplaced(option);  // run statistics

        if (alternative && c->variant == Variant::MultiLineText) emptyText(ctx, lines, n);
        if (c->font != FontFix::None) fixFont(ctx, lines, n, *c);
    });
}

}  // namespace tavkonv40

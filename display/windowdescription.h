// The equilibrium and results windows as data: their controls top to bottom, each with its
// name, caption, tooltip, colour, number format and the results-file line that keeps it.
// The routines fill controls through it, the desktop program builds the two windows from it,
// and one rendering (windowtext.h) turns either window into text for Copy All and qrv-cli.
#pragma once

#include "base/rgb.h"
#include "display/enginehost.h"

#include <array>
#include <span>
#include <string>
#include <string_view>

namespace qrv {

// What a control is on screen.
enum class Look {
    Text,       // a caption, or a value in plain type
    Heading,    // the heading of a column of values, centred over it
    Note,       // a text at the right edge, its tooltip saying what it is
    Shown,      // a value of the equilibrium window: framed, on its background colour
    Copyable,   // a value that puts itself on the clipboard when clicked
    ErrorMark,  // red, hidden until the routines show it
    Frame,      // the titled frame around a panel
    Button,     // a button usable from the start
    RunButton,  // a button usable once a run is shown
    HelpButton, // the help icon
    CheckBox,   // a check box under the panels, checked when the window opens
    Box,        // a box the user types into; its design is what it shows while empty
    Option,     // one of a group of options, one chosen at a time
};

// Decimals of a control that holds text rather than a number.
inline constexpr int kText = -1;

struct Control {
    Window window = Window::Main;
    std::string_view name = {};   // the widget's object name; an array element as "name(0)"
    std::string_view design = {}; // the caption when the window opens
    Look look = Look::Text;
    bool bold = false;
    int decimals = kText;    // digits after the point of the number it shows
    int fileLine = 0;        // the results-file line (1-based) that keeps its caption; 0: none
    std::string_view tooltip = {};
    Rgb background = {};
};

// One line of a panel: a caption and the values beside it, left to right. A row without a
// caption is one value across the panel.
struct Row {
    const Control* caption = nullptr;
    std::array<const Control*, 3> values = {};
};

// A part of a window: an optional titled frame, a heading over the rows (a path's phase, or
// column headings set apart by runs of blanks), the rows, notes beside them at the right and
// an error mark under them.
struct Panel {
    const Control* frame = nullptr;
    const Control* heading = nullptr;
    std::span<const Row> rows;
    std::span<const Control* const> notes = {};
    const Control* errorMark = nullptr;
    bool besidePrevious = false; // stands to the right of the panel before it
};

struct WindowDescription {
    Window window;
    std::string_view name;                     // the window's object name
    std::span<const Control* const> statusLine; // over the panels, not part of the text
    std::span<const Panel> panels;             // top to bottom
    std::span<const Control* const> buttons;   // left to right under the panels
};

// How many values a row shows.
constexpr int valueCount(const Row& row)
{
    int count = 0;
    for (const Control* value : row.values)
        count += value != nullptr;
    return count;
}

// Calls `visit` with every control of the window, frames and buttons included, in the order
// of the window (status line, panels top to bottom, buttons).
template <typename Visit>
constexpr void forEachControl(const WindowDescription& window, Visit&& visit)
{
    const auto visitIf = [&visit](const Control* control) {
        if (control != nullptr)
            visit(*control);
    };
    for (const Control* control : window.statusLine)
        visit(*control);
    for (const Panel& panel : window.panels) {
        visitIf(panel.frame);
        visitIf(panel.heading);
        for (const Row& row : panel.rows) {
            visitIf(row.caption);
            for (const Control* value : row.values)
                visitIf(value);
        }
        for (const Control* note : panel.notes)
            visit(*note);
        visitIf(panel.errorMark);
    }
    for (const Control* button : window.buttons)
        visit(*button);
}

// The control of that name, or nullptr.
constexpr const Control* findControl(const WindowDescription& window, std::string_view name)
{
    const Control* found = nullptr;
    forEachControl(window, [&](const Control& control) {
        if (control.name == name)
            found = &control;
    });
    return found;
}

// `value` in the control's number format, written only by a host that keeps texts.
void showNumber(EngineHost& host, const Control& control, double value);

} // namespace qrv

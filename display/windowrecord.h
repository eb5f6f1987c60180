// What a run showed on the windows: the last text and state of every control it touched, its
// messages and its progress captions in order. A RecordingHost writes it; the typed result of
// a run keeps it for the faces that show a run as its windows did.
#pragma once

#include "display/enginehost.h"

#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace qrv {

struct ControlState {
    std::string text;
    bool enabled = true;
    bool visible = true;
    bool bold = false;
    bool checked = false;
    TextColour colour = TextColour::ButtonText;
};

struct HostMessage {
    std::string text;
    Icon icon;
};

using ControlStates = std::map<std::string, ControlState, std::less<>>;

struct WindowRecord {
    ControlStates windows[3]; // by Window
    std::vector<HostMessage> messages;
    // Non-empty texts of the status line and the path caption of the results window, in order.
    std::vector<std::string> captions;

    // The state of a control; a control never touched reads as the default state.
    const ControlState& control(Window window, std::string_view name) const;
    std::string text(Window window, std::string_view name) const { return control(window, name).text; }
    const ControlStates& controls(Window window) const { return windows[static_cast<int>(window)]; }
    // The control's state, made when it was never touched.
    ControlState& slot(Window window, std::string_view name);

    // Keeps a control's new text; a non-empty text of the results window's status line or
    // path caption is also a caption of the run.
    void setText(Window window, std::string_view name, std::string_view text);
    // Drops messages and captions (control states stay), for the next run.
    void clearLog();
    // A window loaded anew shows its design again: none of its controls was touched.
    void forget(Window window) { windows[static_cast<int>(window)].clear(); }
};

} // namespace qrv

// An EngineHost that keeps what the routines show: the last text and state of every
// control, the messages and the progress captions in order. The command-line tool prints
// from it; tests read it.
#pragma once

#include "display/enginehost.h"

#include <map>
#include <string>
#include <utility>
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

class RecordingHost : public EngineHost {
public:
    // Without window texts the host keeps only the messages and what was stored: the
    // controls keep their default state.
    explicit RecordingHost(bool keepsTexts = true) : m_keepsTexts(keepsTexts) {}

    void message(std::string_view text, Icon icon) override;
    void setText(Window window, std::string_view control, std::string_view text) override;
    void setEnabled(Window window, std::string_view control, bool enabled) override;
    void setVisible(Window window, std::string_view control, bool visible) override;
    void setBold(Window window, std::string_view control, bool bold) override;
    void setColour(Window window, std::string_view control, TextColour colour) override;
    void setChecked(Window window, std::string_view control, bool checked) override;
    void processEvents() override {}
    void pause(int milliseconds) override { m_pausedMs += milliseconds; }
    void runStored() override { ++m_runsStored; }
    bool showsTexts() const override { return m_keepsTexts; }

    // The state of a control; a control never touched reads as the default state.
    const ControlState& control(Window window, std::string_view name) const;
    std::string text(Window window, std::string_view name) const { return control(window, name).text; }
    const std::map<std::string, ControlState, std::less<>>& controls(Window window) const;

    const std::vector<HostMessage>& messages() const { return m_messages; }
    // Non-empty texts of the status line and the path caption of the results window, in order.
    const std::vector<std::string>& captions() const { return m_captions; }
    long pausedMs() const { return m_pausedMs; }
    int runsStored() const { return m_runsStored; }

    // Drops messages and captions (control states stay), for the next run.
    void clearLog();

private:
    ControlState& slot(Window window, std::string_view name);

    std::map<std::string, ControlState, std::less<>> m_controls[3];
    std::vector<HostMessage> m_messages;
    std::vector<std::string> m_captions;
    bool m_keepsTexts;
    long m_pausedMs = 0;
    int m_runsStored = 0;
};

} // namespace qrv

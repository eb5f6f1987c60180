// An EngineHost that keeps what the routines show: the last text and state of every
// control, the messages and the progress captions in order. The command-line tool prints
// from it; tests read it.
#pragma once

#include "display/windowrecord.h"

#include <utility>

namespace qrv {

class RecordingHost : public EngineHost {
public:
    // Without window texts the host keeps only the messages and what was stored: the
    // controls keep their default state.
    explicit RecordingHost(bool keepsTexts = true) : m_keepsTexts(keepsTexts) {}

    void message(std::string_view text, Icon icon) override;
    void setText(const Control& control, std::string_view text) override;
    void setEnabled(const Control& control, bool enabled) override;
    void setVisible(const Control& control, bool visible) override;
    void setBold(const Control& control, bool bold) override;
    void setColour(const Control& control, TextColour colour) override;
    void setChecked(const Control& control, bool checked) override;
    void processEvents() override {}
    void pause(int milliseconds) override { m_pausedMs += milliseconds; }
    void runStored() override { ++m_runsStored; }
    bool showsTexts() const override { return m_keepsTexts; }

    const WindowRecord& record() const { return m_record; }
    // The record, handed over whole: the host keeps an empty one.
    WindowRecord takeRecord() { return std::exchange(m_record, {}); }

    const ControlState& control(Window window, std::string_view name) const { return m_record.control(window, name); }
    std::string text(Window window, std::string_view name) const { return m_record.text(window, name); }
    const ControlStates& controls(Window window) const { return m_record.controls(window); }
    const std::vector<HostMessage>& messages() const { return m_record.messages; }
    const std::vector<std::string>& captions() const { return m_record.captions; }
    long pausedMs() const { return m_pausedMs; }
    int runsStored() const { return m_runsStored; }

    // Drops messages and captions (control states stay), for the next run.
    void clearLog() { m_record.clearLog(); }

private:
    WindowRecord m_record;
    bool m_keepsTexts;
    long m_pausedMs = 0;
    int m_runsStored = 0;
};

} // namespace qrv

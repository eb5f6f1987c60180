#include "display/recordinghost.h"

#include "display/resultswindow.h"

namespace qrv {

void RecordingHost::message(std::string_view text, Icon icon)
{
    m_messages.push_back({std::string(text), icon});
}

void RecordingHost::setText(Window window, std::string_view control, std::string_view text)
{
    if (!m_keepsTexts)
        return;
    slot(window, control).text = text;
    const bool progress = control == resultswindow::kStatus.name || control == resultswindow::kPathCaption.name;
    if (window == resultswindow::kWindow && progress && !text.empty())
        m_captions.emplace_back(text);
}

void RecordingHost::setEnabled(Window window, std::string_view control, bool enabled)
{
    if (!m_keepsTexts)
        return;
    slot(window, control).enabled = enabled;
}

void RecordingHost::setVisible(Window window, std::string_view control, bool visible)
{
    if (!m_keepsTexts)
        return;
    slot(window, control).visible = visible;
}

void RecordingHost::setBold(Window window, std::string_view control, bool bold)
{
    if (!m_keepsTexts)
        return;
    slot(window, control).bold = bold;
}

void RecordingHost::setColour(Window window, std::string_view control, TextColour colour)
{
    if (!m_keepsTexts)
        return;
    slot(window, control).colour = colour;
}

void RecordingHost::setChecked(Window window, std::string_view control, bool checked)
{
    if (!m_keepsTexts)
        return;
    slot(window, control).checked = checked;
}

const ControlState& RecordingHost::control(Window window, std::string_view name) const
{
    static const ControlState untouched;
    const auto& map = m_controls[static_cast<int>(window)];
    const auto it = map.find(name);
    return it == map.end() ? untouched : it->second;
}

const std::map<std::string, ControlState, std::less<>>& RecordingHost::controls(Window window) const
{
    return m_controls[static_cast<int>(window)];
}

void RecordingHost::clearLog()
{
    m_messages.clear();
    m_captions.clear();
}

ControlState& RecordingHost::slot(Window window, std::string_view name)
{
    auto& map = m_controls[static_cast<int>(window)];
    auto it = map.find(name);
    if (it == map.end())
        it = map.emplace(std::string(name), ControlState{}).first;
    return it->second;
}

} // namespace qrv

#include "display/recordinghost.h"

namespace qrv {

void RecordingHost::message(std::string_view text, Icon icon)
{
    m_record.messages.push_back({std::string(text), icon});
}

void RecordingHost::setText(Window window, std::string_view control, std::string_view text)
{
    if (!m_keepsTexts)
        return;
    m_record.setText(window, control, text);
}

void RecordingHost::setEnabled(Window window, std::string_view control, bool enabled)
{
    if (!m_keepsTexts)
        return;
    m_record.slot(window, control).enabled = enabled;
}

void RecordingHost::setVisible(Window window, std::string_view control, bool visible)
{
    if (!m_keepsTexts)
        return;
    m_record.slot(window, control).visible = visible;
}

void RecordingHost::setBold(Window window, std::string_view control, bool bold)
{
    if (!m_keepsTexts)
        return;
    m_record.slot(window, control).bold = bold;
}

void RecordingHost::setColour(Window window, std::string_view control, TextColour colour)
{
    if (!m_keepsTexts)
        return;
    m_record.slot(window, control).colour = colour;
}

void RecordingHost::setChecked(Window window, std::string_view control, bool checked)
{
    if (!m_keepsTexts)
        return;
    m_record.slot(window, control).checked = checked;
}

} // namespace qrv

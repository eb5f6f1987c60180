#include "display/recordinghost.h"

#include "display/windowdescription.h"

namespace qrv {

void RecordingHost::message(std::string_view text, Icon icon)
{
    m_record.messages.push_back({std::string(text), icon});
}

void RecordingHost::setText(const Control& control, std::string_view text)
{
    if (!m_keepsTexts)
        return;
    m_record.setText(control.window, control.name, text);
}

void RecordingHost::setEnabled(const Control& control, bool enabled)
{
    if (!m_keepsTexts)
        return;
    m_record.slot(control.window, control.name).enabled = enabled;
}

void RecordingHost::setVisible(const Control& control, bool visible)
{
    if (!m_keepsTexts)
        return;
    m_record.slot(control.window, control.name).visible = visible;
}

void RecordingHost::setBold(const Control& control, bool bold)
{
    if (!m_keepsTexts)
        return;
    m_record.slot(control.window, control.name).bold = bold;
}

void RecordingHost::setColour(const Control& control, TextColour colour)
{
    if (!m_keepsTexts)
        return;
    m_record.slot(control.window, control.name).colour = colour;
}

void RecordingHost::setChecked(const Control& control, bool checked)
{
    if (!m_keepsTexts)
        return;
    m_record.slot(control.window, control.name).checked = checked;
}

} // namespace qrv

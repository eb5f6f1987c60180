#include "display/recordinghost.h"

#include "display/resultswindow.h"

namespace qrv {

void RecordingHost::message(std::string_view text, Icon icon)
{
    m_record.messages.push_back({std::string(text), icon});
}

void RecordingHost::setText(Window window, std::string_view control, std::string_view text)
{
    if (!m_keepsTexts)
        return;
    m_record.slot(window, control).text = text;
    const bool progress = control == resultswindow::kStatus.name || control == resultswindow::kPathCaption.name;
    if (window == resultswindow::kWindow && progress && !text.empty())
        m_record.captions.emplace_back(text);
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

void RecordingHost::clearLog()
{
    m_record.messages.clear();
    m_record.captions.clear();
}

} // namespace qrv

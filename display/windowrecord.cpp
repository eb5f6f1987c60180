#include "display/windowrecord.h"

#include "display/resultswindow.h"

namespace qrv {

const ControlState& WindowRecord::control(Window window, std::string_view name) const
{
    static const ControlState untouched;
    const ControlStates& map = controls(window);
    const auto it = map.find(name);
    return it == map.end() ? untouched : it->second;
}

ControlState& WindowRecord::slot(Window window, std::string_view name)
{
    auto& map = windows[static_cast<int>(window)];
    auto it = map.find(name);
    if (it == map.end())
        it = map.emplace(std::string(name), ControlState{}).first;
    return it->second;
}

void WindowRecord::setText(Window window, std::string_view name, std::string_view text)
{
    slot(window, name).text = text;
    const bool progress = name == resultswindow::kStatus.name || name == resultswindow::kPathCaption.name;
    if (window == resultswindow::kWindow && progress && !text.empty())
        captions.emplace_back(text);
}

void WindowRecord::clearLog()
{
    messages.clear();
    captions.clear();
}

} // namespace qrv

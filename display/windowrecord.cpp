#include "display/windowrecord.h"

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

} // namespace qrv

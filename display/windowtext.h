// A described window as plain text, for the clipboard (Copy All) and qrv-cli's report: one
// line per row, its caption and its values separated by tabs. A framed panel opens with its
// title and its heading; notes follow the rows with their tooltips as captions; an error
// mark is a row captioned with its design text. A row with a hidden control, and a panel
// whose frame is hidden, are left out.
#pragma once

#include "display/windowdescription.h"

#include <functional>
#include <optional>
#include <string>

namespace qrv {

struct WindowRecord;

// The caption a control shows; none while it is hidden.
using ShownText = std::function<std::optional<std::string>(const Control& control)>;

std::string windowText(const WindowDescription& window, const ShownText& shown);

// The window as the routines left it in `record`; a control they never touched is as designed.
std::string windowText(const WindowDescription& window, const WindowRecord& record);

} // namespace qrv

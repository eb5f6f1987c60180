// The results window as text for the clipboard: one line per shown quantity, its caption,
// a tab and its value (three tab-separated values for the rows of the state grid).
#pragma once

#include <QString>

#include <functional>
#include <optional>

namespace qrv {

// The caption of a named control of the results window; none while the control is hidden.
using ShownCaption = std::function<std::optional<QString>(const QString& control)>;

QString resultsWindowText(const ShownCaption& caption);

} // namespace qrv

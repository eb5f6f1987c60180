// Progress display of the expansion paths on the results window.
#pragma once

#include "engine/enginehost.h"
#include "engine/resultswindow.h"

#include <string_view>

namespace qrv {

inline void showPathCaption(EngineHost& host, std::string_view caption)
{
    showText(host, resultswindow::kPathCaption, caption);
}

// Lets the results window repaint, then holds the caption on screen for a second.
inline void pauseForCaption(EngineHost& host)
{
    host.processEvents();
    host.pause(1000);
}

} // namespace qrv

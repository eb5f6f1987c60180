#include "display/windowdescription.h"

#include "base/numberformat.h"

namespace qrv {

void showText(EngineHost& host, const Control& control, std::string_view text)
{
    host.setText(control.window, control.name, text);
}

void showNumber(EngineHost& host, const Control& control, double value)
{
    if (!host.showsTexts())
        return;
    host.setText(control.window, control.name, formatFixed(value, control.decimals));
}

} // namespace qrv

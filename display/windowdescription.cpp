#include "display/windowdescription.h"

#include "base/numberformat.h"

namespace qrv {

void showNumber(EngineHost& host, const Control& control, double value)
{
    if (!host.showsTexts())
        return;
    host.setText(control, formatFixed(value, control.decimals));
}

} // namespace qrv

#include "model/conversionratio.h"

#include "model/real.h"

namespace qrv {

ConversionRatio conversionRatio(float work, float magmaHeat)
{
    const float ratio = single(Real(work) * 100.0 / magmaHeat);
    if (ratio < 0.0f)
        return {0.0f, true};
    if (ratio > 100.0f)
        return {100.0f, true};
    return {ratio, false};
}

} // namespace qrv

#include "python/runarguments.h"

#include "base/numberformat.h"
#include "display/inputcaptions.h"

namespace qrv::python {

RunRequest requestOf(const RunArguments& a)
{
    const auto text = [](double value) { return formatShortest(value); };
    RunRequest request;
    InputTexts& in = request.inputs;
    in.tMagma = text(a.tMagmaK);
    in.tInit = text(a.tInitK);
    in.pInit = text(a.pInitMPa);
    in.pFinal = text(a.pFinalMPa);
    in.ratio = text(a.ratio);
    in.sedimentMode = a.x.has_value();
    in.waterFraction = a.x ? text(*a.x) : std::string(caption::kUnusedWaterFraction);
    if (a.entropy)
        request.entropyText = text(*a.entropy);
    if (a.cv)
        request.cvText = text(*a.cv);
    request.constantVolume = a.constantVolume;
    return request;
}

} // namespace qrv::python

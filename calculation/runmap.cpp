#include "calculation/runmap.h"

#include "calculation/ratiosweep.h"

namespace qrv {

RunRequest mapPointRequest(const MapStudy& map, std::size_t i, std::size_t j)
{
    RunRequest request = map.base;
    setStudyInput(request, map.x.input, ratioText(map.x.values.at(i)));
    setStudyInput(request, map.y.input, ratioText(map.y.values.at(j)));
    return request;
}

MapResult runMap(const MapStudy& map, const StudyProgress& progress, unsigned threads)
{
    const std::size_t columns = map.x.values.size();
    MapResult result;
    result.runs.resize(columns * map.y.values.size());
    result.finished = runInParallel(result.runs.size(), [&](Calculator& calculator, std::size_t index) {
        result.runs[index] = calculator.run(mapPointRequest(map, index % columns, index / columns));
    }, kSweepRuns, progress, threads);
    return result;
}

} // namespace qrv

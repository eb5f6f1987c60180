#include "windows/maproad.h"

#include "plot/plotview.h"
#include "windows/maprunner.h"
#include "windows/messagepresenter.h"
#include "windows/session.h"
#include "windows/studyprogresswindow.h"

namespace qrv {

void runMapOnDesktop(Session& session, MapStudy map)
{
    MapResult result;
    {
        StudyProgressWindow progress(QStringLiteral("Running the map:"), QStringLiteral("points"),
                                     map.x.values.size() * map.y.values.size(), session.mainWindow());
        // A close of the program stops the map rather than waiting for the rest of it.
        const StudyProgress report = progress.progress([&session] { return session.unloadPending(); });
        session.runEngine([&] { result = runMap(map, report); });
    }
    if (session.unloaded() || !result.finished)
        return;
    const std::string summary = mapRunSummary(map, result);
    if (session.plotView() != nullptr)
        session.plotView()->showMap(std::move(map), std::move(result));
    if (!summary.empty())
        session.presenter().show(QString::fromStdString(summary), Icon::Exclamation);
}

} // namespace qrv

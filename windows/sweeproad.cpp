#include "windows/sweeproad.h"

#include "plot/plotview.h"
#include "windows/frmmain.h"
#include "windows/maproad.h"
#include "windows/maprunner.h"
#include "windows/messagepresenter.h"
#include "windows/ratiobands.h"
#include "windows/ratiosweeper.h"
#include "windows/session.h"
#include "windows/studyprogresswindow.h"
#include "windows/sweepdialog.h"


namespace qrv {

namespace {

// The sweep's runs, then its bands' samples, counted on the study progress window.
class ProgressWindow : public SweepProgress {
public:
    ProgressWindow(const QString& task, std::size_t total, QWidget* parent)
        : m_window(task, QStringLiteral("runs"), total, parent)
        , m_progress(m_window.progress())
    {
    }

    bool advance(int done, int total) override { return m_progress(std::size_t(done), std::size_t(total)); }

private:
    StudyProgressWindow m_window;
    StudyProgress m_progress;
};

} // namespace

SweepRoad::SweepRoad(Session& session)
    : m_session(session)
{
}

void SweepRoad::attach(FrmMain& main)
{
    connect(&main, &FrmMain::sweepRequested, this, &SweepRoad::openDialog);
}

// The dialog's check on Run Sweep prepares the request the sweep then runs with: a member
// the input window would refuse is refused while the dialog is still open.
void SweepRoad::openDialog()
{
    FrmMain& main = *m_session.mainWindow();
    RatioSweeper sweeper(m_session.store(), m_session.host());
    SweepDialog dialog(main.inputs().sedimentMode ? QStringLiteral("Rs") : QStringLiteral("R"),
                       [&sweeper](std::size_t runs) { return sweeper.capacityRefusal(runs); }, &main);
    std::optional<RunRequest> request;
    dialog.setMemberCheck([&](const std::vector<double>& ratios, const SweepFamily& family) {
        request = sweeper.prepare(main.inputs(), main.constantVolume(), ratios.front(), family);
        return request.has_value();
    });
    // A map's check prepares the map alike: every value of both ranges as Continue takes it.
    std::optional<MapStudy> map;
    dialog.setMapCheck([&](const MapRanges& ranges) {
        map = prepareMap(main.inputs(), main.constantVolume(), ranges.x, ranges.y, m_session.host());
        return map.has_value();
    });
    if (dialog.exec() != QDialog::Accepted)
        return;
    if (dialog.mapMode()) {
        runMapOnDesktop(m_session, std::move(*map));
        return;
    }
    // The store may have taken runs while the dialog was open (a file handed over).
    if (fits(sweeper, dialog.ratios().size() * dialog.family().memberCount()))
        run(sweeper, *request, dialog.ratios(), dialog.family(), dialog.bands());
}

void SweepRoad::sweep(const std::vector<double>& ratios, const SweepFamily& family,
                      const std::optional<BandRequest>& bands)
{
    if (ratios.empty())
        return;
    RatioSweeper sweeper(m_session.store(), m_session.host());
    if (!fits(sweeper, ratios.size() * family.memberCount()))
        return;
    FrmMain& main = *m_session.mainWindow();
    if (const std::optional<RunRequest> request =
            sweeper.prepare(main.inputs(), main.constantVolume(), ratios.front(), family))
        run(sweeper, *request, ratios, family, bands);
}

bool SweepRoad::fits(const RatioSweeper& sweeper, std::size_t runs)
{
    const std::string refusal = sweeper.capacityRefusal(runs);
    if (!refusal.empty())
        m_session.presenter().show(QString::fromStdString(refusal), Icon::Exclamation);
    return refusal.empty();
}

// The bands, when asked for, run after the runs under the same progress window.
void SweepRoad::run(RatioSweeper& sweeper, const RunRequest& request, const std::vector<double>& ratios,
                    const SweepFamily& family, const std::optional<BandRequest>& bands)
{
    SweepReport report;
    m_bands = {};
    {
        const std::size_t samples = bands ? bandSampleCount(*bands, ratios.size(), family) : 0;
        ProgressWindow progress(bands ? QStringLiteral("Running the sweep and its uncertainty bands:")
                                      : QStringLiteral("Running the sweep:"),
                                ratios.size() * family.memberCount() + samples, m_session.mainWindow());
        m_session.runEngine([&] {
            report = sweeper.run(request, ratios, progress, family);
            if (bands)
                m_bands = runRatioBands(request, ratios, family, *bands, report, progress);
        });
    }
    if (m_session.unloaded())
        return;
    MessagePresenter& presenter = m_session.presenter();
    if (!report.refusal.empty()) {
        presenter.show(QString::fromStdString(report.refusal), Icon::Exclamation);
        return;
    }
    if (report.stored > 0 && m_session.plotView() != nullptr)
        m_session.plotView()->showAndPlot();
    if (!report.messages.empty())
        presenter.show(QString::fromStdString(sweepMessageSummary(report.messages)), Icon::Exclamation);
}

} // namespace qrv

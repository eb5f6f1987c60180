// The input window's Sweep: the dialog, the runs with a progress window, the plot and one box
// for whatever the runs reported.
#include "windows/session.h"

#include "base/appidentity.h"
#include "plot/plotview.h"
#include "windows/frmmain.h"
#include "windows/messagepresenter.h"
#include "windows/ratiobands.h"
#include "windows/ratiosweeper.h"
#include "windows/sweepdialog.h"

#include <QLineEdit>
#include <QProgressDialog>
#include <QRadioButton>

namespace qrv {

namespace {

class ProgressWindow : public SweepProgress {
public:
    ProgressWindow(int total, QWidget* parent)
        : m_dialog(QStringLiteral("Running the sweep..."), QStringLiteral("Cancel"), 0, total, parent)
    {
        m_dialog.setWindowTitle(QString::fromUtf8(kAppTitle));
        m_dialog.setWindowModality(Qt::WindowModal);
        m_dialog.setMinimumDuration(500);
        m_dialog.setValue(0);
    }

    bool advance(int done, int) override
    {
        m_dialog.setValue(done);
        return !m_dialog.wasCanceled();
    }

private:
    QProgressDialog m_dialog;
};

} // namespace

void Session::openSweepDialog()
{
    RatioSweeper sweeper(m_store, m_host);
    SweepDialog dialog(m_main->inputs().sedimentMode ? QStringLiteral("Rs") : QStringLiteral("R"),
                       [&sweeper](std::size_t runs) { return sweeper.capacityRefusal(runs); }, m_main);
    // A member the input window would refuse is refused while the dialog is still open.
    dialog.setMemberCheck([this, &sweeper](const std::vector<double>& ratios, const SweepFamily& family) {
        return sweeper.prepare(m_main->inputs(), m_main->constantVolume(), ratios.front(), family).has_value();
    });
    if (dialog.exec() == QDialog::Accepted)
        sweep(dialog.ratios(), dialog.family(), dialog.bands());
}

void Session::sweep(const std::vector<double>& ratios, const SweepFamily& family,
                    const std::optional<BandRequest>& bands)
{
    if (ratios.empty())
        return;
    RatioSweeper sweeper(m_store, m_host);
    if (const std::string refusal = sweeper.capacityRefusal(ratios.size() * family.memberCount()); !refusal.empty()) {
        m_presenter.show(QString::fromStdString(refusal), Icon::Exclamation);
        return;
    }
    const std::optional<RunRequest> request =
        sweeper.prepare(m_main->inputs(), m_main->constantVolume(), ratios.front(), family);
    if (!request)
        return;

    SweepReport report;
    m_bands = {};
    {
        const std::size_t samples = bands ? bandSampleCount(*bands, ratios.size(), family) : 0;
        ProgressWindow progress(int(ratios.size() * family.memberCount() + samples), m_main);
        runEngine([&] {
            report = sweeper.run(*request, ratios, progress, family);
            if (bands)
                m_bands = runRatioBands(*request, ratios, family, *bands, report, progress);
        });
    }
    if (m_unloaded)
        return;
    if (!report.refusal.empty()) {
        m_presenter.show(QString::fromStdString(report.refusal), Icon::Exclamation);
        return;
    }
    if (report.stored > 0 && m_plotView != nullptr)
        m_plotView->showAndPlot();
    if (!report.messages.empty())
        m_presenter.show(QString::fromStdString(sweepMessageSummary(report.messages)), Icon::Exclamation);
}

} // namespace qrv

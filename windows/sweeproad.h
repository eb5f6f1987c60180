// The input window's Sweep: the dialog, the runs with a progress window, the plot and one box
// for whatever the runs reported.
#pragma once

#include "calculation/sweepbands.h"
#include "calculation/sweepfamily.h"

#include <QObject>

#include <cstddef>
#include <optional>
#include <vector>

namespace qrv {

class FrmMain;
class RatioSweeper;
class Session;
struct RunRequest;

class SweepRoad : public QObject {
    Q_OBJECT
public:
    explicit SweepRoad(Session& session);

    // Connects the input window's Sweep button.
    void attach(FrmMain& main);

    // The input window's inputs run once per ratio, for every member of the family, into the
    // store, then the plot window; with `bands`, each ratio's uncertainty band after the runs.
    void sweep(const std::vector<double>& ratios, const SweepFamily& family = {},
               const std::optional<BandRequest>& bands = {});

    // The last sweep's uncertainty bands, until Clear Data or the next sweep.
    const SweepBands& bands() const { return m_bands; }
    void clearBands() { m_bands = {}; }

private:
    void openDialog();
    // False, having said why, when the store lacks room for `runs` more runs.
    bool fits(const RatioSweeper& sweeper, std::size_t runs);
    // The prepared request runs for every ratio and member, then the plot and the messages.
    void run(RatioSweeper& sweeper, const RunRequest& request, const std::vector<double>& ratios,
             const SweepFamily& family, const std::optional<BandRequest>& bands);

    Session& m_session;
    SweepBands m_bands;
};

} // namespace qrv

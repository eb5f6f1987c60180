// A 60-ratio sweep of the desktop program (0.05 to 3 by 0.05, the dialog's start-up range):
// the plain sweeper into a store, and the input window's whole Sweep with the plot window
// drawing the runs, which must be on screen in under a second.
#include "display/recordinghost.h"
#include "runs/runstore.h"
#include "plot/frmplot.h"
#include "windows/filedialogs.h"
#include "windows/messagepresenter.h"
#include "windows/ratiosweeper.h"
#include "windows/session.h"
#include "windows/sweeprange.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

class KeepGoing : public qrv::SweepProgress {
public:
    bool advance(int, int) override { return true; }
};

class SilentPresenter : public qrv::MessagePresenter {
public:
    void show(const QString&, qrv::Icon) override { ++shown; }
    int shown = 0;
};

const std::vector<double>& sixtyRatios()
{
    static const std::vector<double> ratios = qrv::sweepRange({"0.05", "3", "0.05", "", false}).ratios;
    return ratios;
}

void sweepIntoStore(benchmark::State& state)
{
    qrv::RunStore store;
    qrv::RecordingHost host;
    qrv::RatioSweeper sweeper(store, host);
    const auto request = sweeper.prepare({"1473", "298", "0.1", "0.1", "", "--", false}, false, 0.05);
    KeepGoing progress;
    for (auto _ : state) {
        store.clear();
        sweeper.run(*request, sixtyRatios(), progress);
        benchmark::DoNotOptimize(store.count());
    }
    if (store.count() != 60)
        state.SkipWithError("not every ratio reached the store");
}

// From the sweep's start until the plot window has painted the 60 runs.
void sweepAndDrawPlot(benchmark::State& state)
{
    SilentPresenter presenter;
    qrv::QtFileDialogs dialogs;
    qrv::Session session(presenter, dialogs);
    qrv::FrmPlot plot(session.store(), session.host());
    session.setPlotView(&plot);
    session.start();
    QApplication::processEvents();

    QElapsedTimer first;
    first.start();
    session.sweep(sixtyRatios());
    QApplication::processEvents();
    state.counters["firstMs"] = double(first.nsecsElapsed()) / 1e6;

    for (auto _ : state) {
        session.store().clear();
        session.sweep(sixtyRatios());
        QApplication::processEvents();
    }
    if (session.store().count() != 60 || !plot.isVisible() || presenter.shown != 0)
        state.SkipWithError("the sweep did not reach the plot window");
}

} // namespace

BENCHMARK(sweepIntoStore)->Unit(benchmark::kMillisecond);
BENCHMARK(sweepAndDrawPlot)->Unit(benchmark::kMillisecond)->Iterations(20);

int main(int argc, char** argv)
{
    // Settings and the single-instance name stay out of the user's home.
    QTemporaryDir home;
    qputenv("HOME", QFile::encodeName(home.path()));
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(home.path()));
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}

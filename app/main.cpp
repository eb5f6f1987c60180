// The desktop program: one instance per user, the input window, and a results file given
// as the first argument opened as "Open" would, by the running instance when there is one.
#include "base/appidentity.h"
#include "plot/frmplot.h"
#include "windows/filedialogs.h"
#include "windows/messagepresenter.h"
#include "windows/session.h"
#include "windows/settingsfile.h"
#include "windows/singleinstance.h"

#include <QApplication>
#include <QFileInfo>
#include <QIcon>

#include <clocale>
#include <cstdio>
#include <cstring>

namespace {

constexpr char kUsage[] =
    "Usage: qrv [FILE.qrv]\n"
    "       qrv --help | --version\n"
    "The desktop calculator for the energetics of explosive water/magma interaction:\n"
    "enter the magma and water temperatures, the pressures and the water/magma (or\n"
    "sediment/magma) ratio, and QRV finds the equilibrium state of the heated water,\n"
    "expands it to the ambient pressure along an adiabatic and an isothermal path, and\n"
    "reports phases, steam and water fractions and the conversion ratio, each beside its\n"
    "IAPWS-95 reference.\n"
    "\n"
    "FILE.qrv, a results file that the program saved, is opened as Open would open it;\n"
    "when QRV is already running, that program opens it and no second one starts.\n"
    "\n"
    "Options:\n"
    "  -h, --help     print this help and exit\n"
    "  --version      print the version and exit\n"
    "Qt's own options, such as -platform offscreen, are understood as well.\n"
    "\n"
    "The same calculation without windows: qrv-cli. The steam tables: vaptab.\n";

// --help and --version are answered before any window, display or running instance is asked.
bool answeredOnTheTerminal(int argc, char* argv[], int& status)
{
    if (argc != 2)
        return false;
    if (std::strcmp(argv[1], "--version") == 0)
        std::puts(qrv::versionLine("qrv").c_str());
    else if (std::strcmp(argv[1], "--help") == 0 || std::strcmp(argv[1], "-h") == 0)
        std::fputs(kUsage, stdout);
    else
        return false;
    // Output that could not be written (a full disk) is not success.
    status = std::fflush(stdout) == 0 && !std::ferror(stdout) ? 0 : 1;
    return true;
}

} // namespace

int main(int argc, char* argv[])
{
    if (int status = 0; answeredOnTheTerminal(argc, argv, status))
        return status;
    QApplication app(argc, argv);
    // Qt sets the C library's locale from the user's; a locale with decimal commas must not
    // reach any C formatting of numbers, which are always written with ".".
    std::setlocale(LC_NUMERIC, "C");
    QApplication::setOrganizationName(QString::fromUtf8(qrv::kOrganisationName));
    QApplication::setApplicationName(QString::fromUtf8(qrv::kApplicationName));
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/qrv/qrv.svg")));
    QGuiApplication::setDesktopFileName(QStringLiteral("qrv"));
    QApplication::setQuitOnLastWindowClosed(false);

    // A results file given as the first argument, as the desktop entry passes it.
    QStringList files;
    if (QApplication::arguments().size() > 1)
        files << QFileInfo(QApplication::arguments().at(1)).absoluteFilePath();

    qrv::SingleInstance instance;
    if (instance.handOver(files))
        return 0;
    instance.listen();

    // Before anything reads a setting.
    const qrv::SettingsGuard settings = qrv::guardSettingsFiles();
    for (const QString& text : {settings.warning, settings.note})
        if (!text.isEmpty())
            std::fprintf(stderr, "qrv: %s\n", qPrintable(text));

    qrv::MessageBoxPresenter presenter;
    qrv::QtFileDialogs dialogs;
    qrv::Session session(presenter, dialogs);
    qrv::FrmPlot plot(session.store(), session.host());
    session.setPlotView(&plot);
    plot.setBands(&session.bands());
    QObject::connect(&plot, &qrv::FrmPlot::dataCleared, &session, &qrv::Session::plotDataCleared);
    QObject::connect(&instance, &qrv::SingleInstance::activationRequested, &session, &qrv::Session::takeHandOver);
    QObject::connect(&session, &qrv::Session::finished, &app, &QApplication::quit, Qt::QueuedConnection);
    session.start();
    if (!settings.warning.isEmpty())
        presenter.show(settings.warning, qrv::Icon::Exclamation);

    for (const QString& file : files)
        session.openResultsFile(file);
    return QApplication::exec();
}

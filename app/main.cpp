// The desktop program: one instance per user, the input window, and a results file given
// as the first argument opened as "Open" would.
#include "appinfo.h"
#include "filedialogs.h"
#include "frmplot.h"
#include "messagepresenter.h"
#include "session.h"
#include "singleinstance.h"

#include <QApplication>
#include <QIcon>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setOrganizationName(qrv::kOrganisationName);
    QApplication::setApplicationName(qrv::kApplicationName);
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/qrv/qrv.svg")));
    QGuiApplication::setDesktopFileName(QStringLiteral("qrv"));
    QApplication::setQuitOnLastWindowClosed(false);

    qrv::SingleInstance instance;
    if (instance.handOver())
        return 0;
    instance.listen();

    qrv::MessageBoxPresenter presenter;
    qrv::QtFileDialogs dialogs;
    qrv::Session session(presenter, dialogs);
    qrv::frmPlot plot(session.store(), session.host());
    session.setPlotView(&plot);
    QObject::connect(&plot, &qrv::frmPlot::dataCleared, &session, &qrv::Session::plotDataCleared);
    QObject::connect(&instance, &qrv::SingleInstance::activationRequested, &session, &qrv::Session::bringToFront);
    QObject::connect(&session, &qrv::Session::finished, &app, &QApplication::quit, Qt::QueuedConnection);
    session.start();

    const QStringList arguments = QApplication::arguments();
    if (arguments.size() > 1)
        session.openResultsFile(arguments.at(1));
    return QApplication::exec();
}

// The desktop program: one instance per user, the input window, and a results file given
// as the first argument opened as "Open" would, by the running instance when there is one.
#include "engine/appidentity.h"
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

int main(int argc, char* argv[])
{
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

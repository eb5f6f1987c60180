#include "windows/link/linkvaptab.h"

#include "base/numberformat.h"
#include "windows/link/desktoptools.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QRegularExpression>
#include <QTimer>

namespace qrv {

namespace {

constexpr std::string_view kOpenError = "Error opening/closing vaptab!";
constexpr int kStopGraceMs = 2000;

} // namespace

LinkVaptab::LinkVaptab(EngineHost& host, DesktopTools& tools, QString programPath,
                       QObject* parent)
    : QObject(parent)
    , m_host(host)
    , m_tools(tools)
    , m_programPath(programPath.isEmpty()
                        ? QCoreApplication::applicationDirPath() + QStringLiteral("/vaptab")
                        : std::move(programPath))
{
}

LinkVaptab::~LinkVaptab()
{
    if (m_process != nullptr)
        stopProcess(m_process);
    // Processes told to stop earlier and still winding down.
    for (QProcess* process : findChildren<QProcess*>()) {
        if (process->state() != QProcess::NotRunning && !process->waitForFinished(kStopGraceMs)) {
            process->kill();
            process->waitForFinished(kStopGraceMs);
        }
    }
}

void LinkVaptab::open(bool open)
{
    if (!open) {
        if (m_taskId == 0)
            return;
        if (!m_tools.activate(m_process) || !m_tools.sendKeys(QStringLiteral("s\r")))
            return; // the task id keeps its value; the next open starts the program anew
        QProcess* stopping = m_process;
        m_process = nullptr;
        m_taskId = 0;
        stopping->closeWriteChannel();
        connect(stopping, &QProcess::finished, stopping, &QObject::deleteLater);
        QTimer::singleShot(kStopGraceMs, stopping, &QProcess::kill);
        return;
    }

    if (m_taskId == 0 && !start())
        return;
    if (activateAndSendUnits())
        return;
    // The program has gone away (closed by the user, crashed): start it anew, once.
    m_taskId = 0;
    if (!start())
        return;
    if (!activateAndSendUnits()) {
        m_host.message(kOpenError, Icon::Exclamation);
        m_taskId = 0;
    }
}

void LinkVaptab::query(double pInitPa, double tInitK)
{
    if (!m_tools.activate(m_process))
        return;
    const QString stateLine = QString::fromStdString(formatFixed(pInitPa, 0)) + QLatin1Char(',')
        + QString::fromStdString(formatFixed(tInitK, 1));
    m_tools.sendKeys(QStringLiteral("p and t\r"));
    m_tools.sendKeys(stateLine + QLatin1Char('\r'));
}

bool LinkVaptab::start()
{
    if (m_process != nullptr) {
        m_process->disconnect(this);
        stopProcess(m_process);
        m_process->deleteLater();
        m_process = nullptr;
    }
    auto* process = new QProcess(this);
    process->setProgram(m_programPath);
    process->setProcessChannelMode(QProcess::SeparateChannels);
    connect(process, &QProcess::readyReadStandardOutput, this, &LinkVaptab::readOutput);
    process->start();
    if (!process->waitForStarted()) {
        delete process;
        m_host.message(kOpenError, Icon::Exclamation);
        return false;
    }
    m_process = process;
    m_taskId = process->processId();
    waitWithoutFreezing(m_startWaitMs);
    return true;
}

bool LinkVaptab::activateAndSendUnits()
{
    return m_tools.activate(m_process) && m_tools.sendKeys(QStringLiteral("si in\r"))
        && m_tools.sendKeys(QStringLiteral("si out\r"));
}

void LinkVaptab::waitWithoutFreezing(int milliseconds)
{
    if (milliseconds <= 0)
        return;
    QEventLoop loop;
    QTimer::singleShot(milliseconds, &loop, &QEventLoop::quit);
    loop.exec();
}

void LinkVaptab::readOutput()
{
    auto* process = qobject_cast<QProcess*>(sender());
    if (process == nullptr)
        return;
    const QString text = QString::fromUtf8(process->readAllStandardOutput());
    if (text.isEmpty())
        return;
    m_transcript += text;
    m_partialLine += text;
    qsizetype newline;
    while ((newline = m_partialLine.indexOf(QLatin1Char('\n'))) >= 0) {
        const QString line = m_partialLine.left(newline);
        m_partialLine.remove(0, newline + 1);
        parseLine(line.trimmed());
    }
    emit outputChanged();
}

// An answer is a block of "name = value unit" lines closed by an empty line.
void LinkVaptab::parseLine(const QString& line)
{
    if (line.isEmpty()) {
        if (m_blockEntropy && m_blockCv) {
            m_latest = Values{*m_blockEntropy, *m_blockCv};
            emit valuesArrived(m_latest->entropy, m_latest->cv);
        }
        m_blockEntropy.reset();
        m_blockCv.reset();
        return;
    }
    static const QRegularExpression valueLine(
        QStringLiteral(R"(^(s|cv) = (\S+) (k?)J/\(kg K\)$)"));
    const QRegularExpressionMatch match = valueLine.match(line);
    if (!match.hasMatch())
        return;
    bool ok = false;
    double value = match.captured(2).toDouble(&ok);
    if (!ok)
        return;
    if (!match.captured(3).isEmpty())
        value *= 1000.0;
    (match.captured(1) == QLatin1String("s") ? m_blockEntropy : m_blockCv) = value;
}

void LinkVaptab::stopProcess(QProcess* process)
{
    if (process->state() == QProcess::NotRunning)
        return;
    process->write("s\n");
    process->closeWriteChannel();
    if (!process->waitForFinished(kStopGraceMs)) {
        process->kill();
        process->waitForFinished(kStopGraceMs);
    }
}

} // namespace qrv

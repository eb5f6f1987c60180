// Starts the steam-table program `vaptab`, types the commands into it, reads what it prints
// and tells it to stop. The process is the task: its id is `VaptabTaskId`, 0 when none.
#pragma once

#include "display/enginehost.h"

#include <QObject>
#include <QProcess>
#include <QString>

#include <optional>

namespace qrv {

class DesktopTools;

class LinkVaptab : public QObject {
    Q_OBJECT
public:
    struct Values {
        double entropy; // J/(kg K)
        double cv;      // J/(kg K)
    };

    static constexpr int kStartWaitMs = 500;

    // `programPath` empty: "vaptab" in the application folder.
    LinkVaptab(EngineHost& host, DesktopTools& tools, QString programPath = {},
               QObject* parent = nullptr);
    ~LinkVaptab() override;

    // True: start (when no task) or reuse the program and switch it to SI in and out.
    // False: tell it to stop and forget the task; failures are silent.
    void open(bool open);

    // Types "p and t" and the state line, pressure in Pa ("0"), temperature in K ("0.0").
    void query(double pInitPa, double tInitK);

    qint64 taskId() const { return m_taskId; }
    QString transcript() const { return m_transcript; }
    // Entropy and Cv of the latest complete answer.
    std::optional<Values> latestValues() const { return m_latest; }

    void setStartWaitMs(int milliseconds) { m_startWaitMs = milliseconds; }

signals:
    void outputChanged();
    void valuesArrived(double entropy, double cv);

private:
    bool start();
    bool activateAndSendUnits();
    void waitWithoutFreezing(int milliseconds);
    void readOutput();
    void parseLine(const QString& line);
    void stopProcess(QProcess* process);

    EngineHost& m_host;
    DesktopTools& m_tools;
    QString m_programPath;
    QProcess* m_process = nullptr;
    qint64 m_taskId = 0;
    int m_startWaitMs = kStartWaitMs;

    QString m_transcript;
    QString m_partialLine;
    std::optional<double> m_blockEntropy;
    std::optional<double> m_blockCv;
    std::optional<Values> m_latest;
};

} // namespace qrv

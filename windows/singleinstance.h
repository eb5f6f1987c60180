// One running program per user: a later start asks the running one to come to the front,
// hands it the files it was started with, and ends; when nobody answers in time, the start
// goes on and this one serves instead.
#pragma once

#include <QObject>
#include <QString>
#include <QStringList>

class QLocalServer;

namespace qrv {

class SingleInstance : public QObject {
    Q_OBJECT
public:
    static constexpr int kAnswerTimeoutMs = 1500;

    // `key` empty: per user, from the user name.
    explicit SingleInstance(QString key = {}, QObject* parent = nullptr);

    // True when a running instance answered and has taken over (come to the front, opened
    // `files`, absolute paths): end this start.
    bool handOver(const QStringList& files, int timeoutMs = kAnswerTimeoutMs);
    // Starts answering later starts; false when the name cannot be taken.
    bool listen();

    QString serverName() const { return m_name; }

signals:
    void activationRequested(const QStringList& files);

private:
    QString m_name;
    QLocalServer* m_server = nullptr;
};

} // namespace qrv

// One running program per user: a later start asks the running one to come to the front,
// hands it the files it was started with, and ends; when nobody answers in time, the start
// goes on and this one serves instead.
//
// The socket lives where only its user can reach it: $XDG_RUNTIME_DIR, or a folder of mode
// 0700 that the user owns in the temporary folder. A peer of another user id is never
// trusted, in either direction. Without such a folder each start serves alone.
#pragma once

#include <QObject>
#include <QString>
#include <QStringList>

#include <optional>

class QLocalServer;

namespace qrv {

class SingleInstance : public QObject {
    Q_OBJECT
public:
    static constexpr int kAnswerTimeoutMs = 1500;

    // `key` empty: the program's own socket. `folder` empty: the user's private folder.
    explicit SingleInstance(QString key = {}, QString folder = {}, QObject* parent = nullptr);

    // True when a running instance of this user answered and has taken over (come to the
    // front, opened `files`, absolute paths): end this start.
    bool handOver(const QStringList& files, int timeoutMs = kAnswerTimeoutMs);
    // Starts answering later starts; false when the name cannot be taken.
    bool listen();

    // The socket's path; empty when there is no private folder for it.
    QString serverName() const { return m_name; }

signals:
    void activationRequested(const QStringList& files);

private:
    QString m_name;
    QLocalServer* m_server = nullptr;
};

// $XDG_RUNTIME_DIR when it is a folder of this user that nobody else may enter; otherwise
// "qrv-UID" in the temporary folder, made with mode 0700 when missing and used only when it
// is such a folder (not a link, owned by this user, mode 0700 or stricter). None when neither is.
std::optional<QString> privateSocketFolder();

// Whether the process at the other end of a connected local socket runs as this user.
bool peerIsThisUser(qintptr socketDescriptor);

} // namespace qrv

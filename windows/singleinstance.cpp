#include "windows/singleinstance.h"

#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QLocalServer>
#include <QLocalSocket>
#include <QTimer>

#include <sys/socket.h>
#include <sys/stat.h>
#include <unistd.h>

namespace qrv {

namespace {

// One line: "activate", then each file as a blank and its percent-encoded UTF-8 path.
const QByteArray kActivate = QByteArrayLiteral("activate");
const QByteArray kDone = QByteArrayLiteral("done\n");

QByteArray activation(const QStringList& files)
{
    QByteArray line = kActivate;
    for (const QString& file : files)
        line += ' ' + file.toUtf8().toPercentEncoding();
    return line + '\n';
}

// The files of an activation line; nothing when the line is not one.
std::optional<QStringList> activatedFiles(QByteArray line)
{
    const QList<QByteArray> words = line.trimmed().split(' ');
    if (words.front() != kActivate)
        return std::nullopt;
    QStringList files;
    for (qsizetype i = 1; i < words.size(); ++i)
        files << QString::fromUtf8(QByteArray::fromPercentEncoding(words[i]));
    return files;
}

// A folder that is this user's alone: a real folder (not a link), owned by this user, that no
// group or other user may enter.
bool isPrivateFolder(const QString& path)
{
    struct stat status {};
    return !path.isEmpty() && ::lstat(QFile::encodeName(path).constData(), &status) == 0 && S_ISDIR(status.st_mode)
           && status.st_uid == ::getuid() && (status.st_mode & 077) == 0;
}

} // namespace

std::optional<QString> privateSocketFolder()
{
    const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (QDir::isAbsolutePath(runtime) && isPrivateFolder(runtime))
        return runtime;
    const QString own = QDir::tempPath() + QStringLiteral("/qrv-") + QString::number(::getuid());
    // An existing one is checked as it stands: made by someone else, it is not used.
    ::mkdir(QFile::encodeName(own).constData(), 0700);
    if (isPrivateFolder(own))
        return own;
    return std::nullopt;
}

bool peerIsThisUser(qintptr socketDescriptor)
{
    struct ucred peer {};
    socklen_t size = sizeof peer;
    return socketDescriptor >= 0
           && ::getsockopt(int(socketDescriptor), SOL_SOCKET, SO_PEERCRED, &peer, &size) == 0
           && size == sizeof peer && peer.uid == ::getuid();
}

SingleInstance::SingleInstance(QString key, QString folder, QObject* parent)
    : QObject(parent)
{
    if (folder.isEmpty())
        folder = privateSocketFolder().value_or(QString());
    if (!folder.isEmpty())
        m_name = folder + QStringLiteral("/tarvel-qrv") + (key.isEmpty() ? QString() : QLatin1Char('-') + key);
}

bool SingleInstance::handOver(const QStringList& files, int timeoutMs)
{
    if (m_name.isEmpty())
        return false;
    QLocalSocket socket;
    QEventLoop loop;
    QTimer timeout;
    timeout.setSingleShot(true);
    bool answered = false;
    bool trusted = false;
    connect(&timeout, &QTimer::timeout, &loop, &QEventLoop::quit);
    // Connecting may finish before the loop runs: an untrusted peer is dropped, not waited for.
    connect(&socket, &QLocalSocket::connected, &loop, [&] {
        // Files are handed only to this user's own program, and only its answer counts.
        trusted = peerIsThisUser(socket.socketDescriptor());
        if (trusted) {
            socket.write(activation(files));
        } else {
            socket.abort();
            loop.quit();
        }
    });
    connect(&socket, &QLocalSocket::errorOccurred, &loop, &QEventLoop::quit);
    connect(&socket, &QLocalSocket::readyRead, &loop, [&] {
        if (trusted && socket.canReadLine()) {
            answered = socket.readLine() == kDone;
            loop.quit();
        }
    });
    socket.connectToServer(m_name);
    if (socket.state() == QLocalSocket::UnconnectedState)
        return false;
    timeout.start(timeoutMs);
    loop.exec();
    return answered;
}

bool SingleInstance::listen()
{
    if (m_name.isEmpty())
        return false;
    m_server = new QLocalServer(this);
    m_server->setSocketOptions(QLocalServer::UserAccessOption);
    if (!m_server->listen(m_name)) {
        // A name left behind by a program that ended without closing it.
        QLocalServer::removeServer(m_name);
        if (!m_server->listen(m_name))
            return false;
    }
    connect(m_server, &QLocalServer::newConnection, this, [this] {
        while (QLocalSocket* client = m_server->nextPendingConnection()) {
            connect(client, &QLocalSocket::disconnected, client, &QObject::deleteLater);
            // Only this user's own later starts may bring the program forward or open files.
            if (!peerIsThisUser(client->socketDescriptor())) {
                client->abort();
                client->deleteLater();
                continue;
            }
            connect(client, &QLocalSocket::readyRead, this, [this, client] {
                if (!client->canReadLine())
                    return;
                const std::optional<QStringList> files = activatedFiles(client->readLine());
                if (!files)
                    return;
                emit activationRequested(*files);
                client->write(kDone);
                client->flush();
            });
        }
    });
    return true;
}

} // namespace qrv

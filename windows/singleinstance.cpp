#include "windows/singleinstance.h"

#include <QCryptographicHash>
#include <QEventLoop>
#include <QLocalServer>
#include <QLocalSocket>
#include <QTimer>

#include <optional>

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

QString userKey()
{
    QString user = qEnvironmentVariable("USER");
    if (user.isEmpty())
        user = qEnvironmentVariable("USERNAME");
    return QString::fromLatin1(QCryptographicHash::hash(user.toUtf8(), QCryptographicHash::Sha1).toHex().left(16));
}

} // namespace

SingleInstance::SingleInstance(QString key, QObject* parent)
    : QObject(parent)
    , m_name(QStringLiteral("tarvel-qrv-") + (key.isEmpty() ? userKey() : key))
{
}

bool SingleInstance::handOver(const QStringList& files, int timeoutMs)
{
    QLocalSocket socket;
    QEventLoop loop;
    QTimer timeout;
    timeout.setSingleShot(true);
    bool answered = false;
    connect(&timeout, &QTimer::timeout, &loop, &QEventLoop::quit);
    connect(&socket, &QLocalSocket::connected, &loop, [&] { socket.write(activation(files)); });
    connect(&socket, &QLocalSocket::errorOccurred, &loop, &QEventLoop::quit);
    connect(&socket, &QLocalSocket::readyRead, &loop, [&] {
        if (socket.canReadLine()) {
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

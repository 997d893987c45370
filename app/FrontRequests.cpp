// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/FrontRequests.h"

#include <QCryptographicHash>
#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QFileInfo>
#include <QLocalServer>
#include <QLocalSocket>
#include <QTimer>

#ifdef Q_OS_UNIX
#include <sys/socket.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace app {

namespace {

constexpr char kRequest[] = "front\n";
constexpr char kYes[] = "yes\n";
constexpr char kNo[] = "no\n";
// Neither side takes in more than the longest message.
constexpr qint64 kMostMessageBytes = sizeof kRequest - 1;

// The list's path with links resolved; for a list not created yet, its
// folder's path with links resolved and the file's name.
QString canonicalListPath(const QString& dataFile) {
    const QFileInfo file(dataFile);
    if (QString path = file.canonicalFilePath(); !path.isEmpty()) return path;
    if (const QString folder = QFileInfo(file.absolutePath()).canonicalFilePath(); !folder.isEmpty())
        return folder + QLatin1Char('/') + file.fileName();
    return file.absoluteFilePath();
}

#ifdef Q_OS_UNIX
// Whether `folder` is a folder (not a link) of the user's that no one else
// may enter.
bool isPrivateFolder(const QString& folder) {
    struct stat info {};
    return ::lstat(QFile::encodeName(folder).constData(), &info) == 0 && S_ISDIR(info.st_mode) &&
           info.st_uid == ::getuid() && (info.st_mode & 077) == 0;
}

// The folder for the user's sockets: the desktop's runtime folder, else one
// of the user's own made in the system's temporary folder; empty where
// neither is private to the user.
QString privateSocketFolder() {
    if (const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR"); !runtime.isEmpty())
        return isPrivateFolder(runtime) ? runtime : QString();
    const QString own = QDir::tempPath() + QStringLiteral("/zerizedozi-") + QString::number(::getuid());
    ::mkdir(QFile::encodeName(own).constData(), 0700);
    return isPrivateFolder(own) ? own : QString();
}

// Whether the other end of the local socket `descriptor` runs as this user.
bool peerIsThisUser(qintptr descriptor) {
    struct ucred peer {};
    socklen_t size = sizeof peer;
    return ::getsockopt(static_cast<int>(descriptor), SOL_SOCKET, SO_PEERCRED, &peer, &size) == 0 &&
           peer.uid == ::getuid();
}
#else
QString privateSocketFolder() { return {}; }
bool peerIsThisUser(qintptr) { return true; }
#endif

}  // namespace

QString frontRequestSocket(const QString& dataFile) {
    QByteArray key = canonicalListPath(dataFile).toUtf8();
#ifdef Q_OS_UNIX
    key += '\n' + QByteArray::number(static_cast<qulonglong>(::getuid()));
#endif
    const QString folder = privateSocketFolder();
    if (folder.isEmpty()) return {};
    const QString name =
        QStringLiteral("zerizedozi-") +
        QString::fromLatin1(QCryptographicHash::hash(key, QCryptographicHash::Sha256).toHex().left(32));
    return QDir(folder).filePath(name);
}

FrontRequestServer::FrontRequestServer(const QString& dataFile, std::function<bool()> bringToFront)
    : server_(new QLocalServer(this)), bringToFront_(std::move(bringToFront)) {
    const QString name = frontRequestSocket(dataFile);
    if (name.isEmpty()) return;
    server_->setSocketOptions(QLocalServer::UserAccessOption);
    // Whoever listened here before has let the list go: its socket is stale.
    QLocalServer::removeServer(name);
    server_->listen(name);
    connect(server_, &QLocalServer::newConnection, this, &FrontRequestServer::answer);
}

bool FrontRequestServer::listening() const { return server_->isListening(); }

void FrontRequestServer::answer() {
    while (QLocalSocket* socket = server_->nextPendingConnection()) {
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        if (!peerIsThisUser(socket->socketDescriptor())) {
            socket->disconnectFromServer();
            continue;
        }
        socket->setReadBufferSize(kMostMessageBytes);
        connect(socket, &QLocalSocket::readyRead, socket, [this, socket] {
            if (!socket->canReadLine() && socket->bytesAvailable() < kMostMessageBytes) return;
            const bool request = socket->read(kMostMessageBytes) == kRequest;
            socket->write(request && bringToFront_() ? kYes : kNo);
            socket->disconnectFromServer();
        });
    }
}

bool askWindowToFront(const QString& dataFile, std::chrono::milliseconds patience) {
    QLocalSocket socket;
    QEventLoop loop;
    QByteArray answer;
    bool asked = false;
    const auto ask = [&] {
        if (!asked) socket.write(kRequest);
        asked = true;
    };
    bool heard = false;  // the whole answer, or all the answer may be
    const auto hear = [&] {
        answer += socket.read(kMostMessageBytes - answer.size());
        heard = answer.endsWith('\n') || answer.size() >= kMostMessageBytes;
    };
    QObject::connect(&socket, &QLocalSocket::connected, &loop, ask);
    QObject::connect(&socket, &QLocalSocket::readyRead, &loop, [&] {
        hear();
        if (heard) loop.quit();
    });
    QObject::connect(&socket, &QLocalSocket::disconnected, &loop, &QEventLoop::quit);
    QObject::connect(&socket, &QLocalSocket::errorOccurred, &loop, &QEventLoop::quit);
    QTimer::singleShot(patience, &loop, &QEventLoop::quit);
    const QString name = frontRequestSocket(dataFile);
    if (name.isEmpty()) return false;
    socket.setReadBufferSize(kMostMessageBytes);
    socket.connectToServer(name);
    if (socket.state() == QLocalSocket::UnconnectedState) return false;
    if (!peerIsThisUser(socket.socketDescriptor())) return false;
    if (socket.state() == QLocalSocket::ConnectedState) ask();
    if (!heard) loop.exec();
    if (!heard) hear();
    return answer == kYes;
}

}  // namespace app

#include "app/FrontRequests.h"

#include <QCryptographicHash>
#include <QDir>
#include <QEventLoop>
#include <QFileInfo>
#include <QLocalServer>
#include <QLocalSocket>
#include <QTimer>

#ifdef Q_OS_UNIX
#include <unistd.h>
#endif

namespace app {

namespace {

constexpr char kRequest[] = "front\n";
constexpr char kYes[] = "yes\n";
constexpr char kNo[] = "no\n";

// The list's path with links resolved; for a list not created yet, its
// folder's path with links resolved and the file's name.
QString canonicalListPath(const QString& dataFile) {
    const QFileInfo file(dataFile);
    if (QString path = file.canonicalFilePath(); !path.isEmpty()) return path;
    if (const QString folder = QFileInfo(file.absolutePath()).canonicalFilePath(); !folder.isEmpty())
        return folder + QLatin1Char('/') + file.fileName();
    return file.absoluteFilePath();
}

}  // namespace

QString frontRequestSocket(const QString& dataFile) {
    QByteArray key = canonicalListPath(dataFile).toUtf8();
    QString folder;
#ifdef Q_OS_UNIX
    key += '\n' + QByteArray::number(static_cast<qulonglong>(::getuid()));
    folder = qEnvironmentVariable("XDG_RUNTIME_DIR");
#endif
    const QString name =
        QStringLiteral("zerizedozi-") +
        QString::fromLatin1(QCryptographicHash::hash(key, QCryptographicHash::Sha256).toHex().left(32));
    return folder.isEmpty() ? name : QDir(folder).filePath(name);
}

FrontRequestServer::FrontRequestServer(const QString& dataFile, std::function<bool()> bringToFront)
    : server_(new QLocalServer(this)), bringToFront_(std::move(bringToFront)) {
    const QString name = frontRequestSocket(dataFile);
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
        connect(socket, &QLocalSocket::readyRead, socket, [this, socket] {
            if (!socket->canReadLine()) return;
            const bool request = socket->readLine() == kRequest;
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
    QObject::connect(&socket, &QLocalSocket::connected, &loop, ask);
    QObject::connect(&socket, &QLocalSocket::readyRead, &loop, [&] {
        answer += socket.readAll();
        if (answer.endsWith('\n')) loop.quit();
    });
    QObject::connect(&socket, &QLocalSocket::disconnected, &loop, &QEventLoop::quit);
    QObject::connect(&socket, &QLocalSocket::errorOccurred, &loop, &QEventLoop::quit);
    QTimer::singleShot(patience, &loop, &QEventLoop::quit);
    socket.connectToServer(frontRequestSocket(dataFile));
    if (socket.state() == QLocalSocket::UnconnectedState) return false;
    if (socket.state() == QLocalSocket::ConnectedState) ask();
    if (!answer.endsWith('\n')) loop.exec();
    answer += socket.readAll();
    return answer == kYes;
}

}  // namespace app

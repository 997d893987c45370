// SPDX-License-Identifier: GPL-3.0-or-later
// A stand-in for the desktop's notification service: owns
// org.freedesktop.Notifications on the session bus, appends every Notify
// call to a record file, and meanwhile runs the command after "--", ending
// with that command's exit status.
//
//   notification_service_stand_in RECORD CAPABILITY,... -- PROGRAM [ARGS...]
//
// Each call is recorded as "Notify" and then "name=value" lines for the
// arguments a test looks at, line breaks inside a value written as "\n".
#include <QCoreApplication>
#include <QDBusConnection>
#include <QFile>
#include <QProcess>
#include <QStringList>
#include <QTimer>
#include <QVariantMap>

#include <cstdio>

namespace {

class NotificationServiceStandIn : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.Notifications")

public:
    NotificationServiceStandIn(QString recordFile, QStringList capabilities)
        : recordFile_(std::move(recordFile)), capabilities_(std::move(capabilities)) {}

public slots:
    QStringList GetCapabilities() { return capabilities_; }

    uint Notify(const QString& appName, uint, const QString& appIcon, const QString& summary, const QString& body,
                const QStringList&, const QVariantMap& hints, int) {
        QStringList hintTexts;
        for (auto hint = hints.begin(); hint != hints.end(); ++hint)
            hintTexts << hint.key() + QLatin1Char(':') + hint.value().toString();
        const QStringList lines = {QStringLiteral("Notify"),
                                   QStringLiteral("app_name=") + appName,
                                   QStringLiteral("app_icon=") + appIcon,
                                   QStringLiteral("summary=") + oneLine(summary),
                                   QStringLiteral("body=") + oneLine(body),
                                   QStringLiteral("hints=") + hintTexts.join(QLatin1Char(','))};
        QFile record(recordFile_);
        if (record.open(QIODevice::Append)) record.write((lines.join(QLatin1Char('\n')) + QLatin1Char('\n')).toUtf8());
        return ++lastId_;
    }

private:
    static QString oneLine(QString text) { return text.replace(QLatin1Char('\n'), QStringLiteral("\\n")); }

    QString recordFile_;
    QStringList capabilities_;
    uint lastId_ = 0;
};

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication application(argc, argv);
    const QStringList args = application.arguments();
    const qsizetype separator = args.indexOf(QStringLiteral("--"));
    if (args.size() < 5 || separator != 3) {
        std::fprintf(stderr, "usage: %s RECORD CAPABILITY,... -- PROGRAM [ARGS...]\n", argv[0]);
        return 2;
    }

    NotificationServiceStandIn service(args[1], args[2].split(QLatin1Char(','), Qt::SkipEmptyParts));
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.registerObject(QStringLiteral("/org/freedesktop/Notifications"), &service,
                            QDBusConnection::ExportAllSlots) ||
        !bus.registerService(QStringLiteral("org.freedesktop.Notifications"))) {
        std::fprintf(stderr, "%s: cannot own org.freedesktop.Notifications\n", argv[0]);
        return 3;
    }

    QProcess command;
    command.setProcessChannelMode(QProcess::ForwardedChannels);
    QObject::connect(&command, &QProcess::finished, &application, [&](int exitCode, QProcess::ExitStatus status) {
        application.exit(status == QProcess::NormalExit ? exitCode : 128);
    });
    QObject::connect(&command, &QProcess::errorOccurred, &application, [&](QProcess::ProcessError error) {
        if (error == QProcess::FailedToStart) application.exit(127);
    });
    QTimer::singleShot(30000, &application, [&] {
        command.kill();
        application.exit(124);
    });
    command.start(args[4], args.mid(5));
    return application.exec();
}

#include "NotificationServiceStandIn.moc"

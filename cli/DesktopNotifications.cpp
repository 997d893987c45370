// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/DesktopNotifications.h"

#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QStringList>
#include <QVariantMap>

#include <memory>

namespace cli {

namespace {

const QString kService = QStringLiteral("org.freedesktop.Notifications");
const QString kPath = QStringLiteral("/org/freedesktop/Notifications");
const QString kInterface = QStringLiteral("org.freedesktop.Notifications");
// Long enough for the bus to start a notification service at login.
constexpr int kReplyTimeoutMs = 10000;

QDBusMessage call(const QDBusConnection& bus, const QString& method, const QVariantList& arguments = {}) {
    QDBusMessage message = QDBusMessage::createMethodCall(kService, kPath, kInterface, method);
    message.setArguments(arguments);
    return bus.call(message, QDBus::Block, kReplyTimeoutMs);
}

}  // namespace

bool DesktopNotifications::show(const Reminder& reminder) {
    // Qt's bus connection wants an application object; the command line has none of its own.
    static int argc = 1;
    static char name[] = "zerizedozi-cli";
    static char* argv[] = {name, nullptr};
    std::unique_ptr<QCoreApplication> application;
    if (!QCoreApplication::instance()) application = std::make_unique<QCoreApplication>(argc, argv);

    const QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected()) return false;
    const QDBusMessage capabilities = call(bus, QStringLiteral("GetCapabilities"));
    if (capabilities.type() != QDBusMessage::ReplyMessage) return false;
    const bool markup = capabilities.arguments().value(0).toStringList().contains(QStringLiteral("body-markup"));

    QStringList lines;
    for (const std::string& line : reminder.bodyLines) lines << QString::fromStdString(line);
    QString body = lines.join(QLatin1Char('\n'));
    if (markup) body = body.toHtmlEscaped();

    const QVariantMap hints = {{QStringLiteral("desktop-entry"), QString::fromLatin1(kDesktopId)}};
    const QDBusMessage reply = call(bus, QStringLiteral("Notify"),
                                    {QString::fromLatin1(kNotificationAppName), 0u, QString::fromLatin1(kDesktopId),
                                     QString::fromStdString(reminder.summary), body, QStringList(), hints, -1});
    return reply.type() == QDBusMessage::ReplyMessage;
}

}  // namespace cli

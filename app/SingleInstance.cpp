// Handing a medium to the player already running, over the session bus.
#include "app/SingleInstance.h"

#include "app/Mpris.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusReply>
#include <QDir>
#include <QUrl>

namespace {

bool Call(QDBusConnection& bus, const QString& interface, const QString& method, const QVariantList& arguments,
          int timeoutMs)
{
    QDBusMessage call = QDBusMessage::createMethodCall(QString::fromLatin1(MprisService::kServiceName),
                                                       QString::fromLatin1(MprisService::kObjectPath), interface,
                                                       method);
    call.setArguments(arguments);
    return bus.call(call, QDBus::Block, timeoutMs).type() == QDBusMessage::ReplyMessage;
}

}  // namespace

QString MediumUri(const QString& medium, const QString& workingFolder)
{
    const QString absolute = QDir::cleanPath(QDir(workingFolder).absoluteFilePath(medium));
    return QUrl::fromLocalFile(absolute).toString(QUrl::FullyEncoded);
}

HandOver HandToRunningPlayer(const QString& medium, int timeoutMs)
{
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected() || !bus.interface())
        return HandOver::NoneRunning;
    bus.interface()->setTimeout(timeoutMs);
    const QDBusReply<bool> running =
        bus.interface()->isServiceRegistered(QString::fromLatin1(MprisService::kServiceName));
    if (!running.isValid() || !running.value())
        return HandOver::NoneRunning;
    if (!medium.isEmpty()
        && !Call(bus, QStringLiteral("org.mpris.MediaPlayer2.Player"), QStringLiteral("OpenUri"),
                 {MediumUri(medium, QDir::currentPath())}, timeoutMs))
        return HandOver::Failed;
    // The medium is handed over; a player that does not come to the front still plays it.
    const bool raised = Call(bus, QStringLiteral("org.mpris.MediaPlayer2"), QStringLiteral("Raise"), {}, timeoutMs);
    return raised || !medium.isEmpty() ? HandOver::Handed : HandOver::Failed;
}

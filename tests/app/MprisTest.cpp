// The remote control on the session bus, driven by another process (dbus-send) as a desktop does.
#include "PlayerFixture.h"

#include "app/Mpris.h"
#include "model/PlayerModel.h"
#include "panel/ControlPanel.h"
#include "player/VideoWindow.h"
#include "support/TestSupport.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QElapsedTimer>
#include <QTimer>
#include <QProcess>
#include <QStandardPaths>
#include <gtest/gtest.h>

using namespace playertest;
using testsupport::waitFor;

namespace {

// Runs dbus-send against the service and returns what it printed (empty on failure).
QString Send(const QStringList& arguments)
{
    QProcess process;
    process.start(QStringLiteral("dbus-send"),
                  QStringList{"--session", "--print-reply", "--dest=org.mpris.MediaPlayer2.vistrel",
                              "/org/mpris/MediaPlayer2"}
                      + arguments);
    // The service answers from this process's event loop: keep it turning while waiting.
    waitFor([&] { return process.state() == QProcess::NotRunning; }, std::chrono::seconds(10));
    return process.exitCode() == 0 ? QString::fromUtf8(process.readAllStandardOutput()) : QString();
}

QString Call(const char* method)
{
    return Send({QStringLiteral("org.mpris.MediaPlayer2.Player.%1").arg(QLatin1String(method))});
}

QString Property(const char* interface, const char* name)
{
    return Send({"org.freedesktop.DBus.Properties.Get", QStringLiteral("string:%1").arg(QLatin1String(interface)),
                 QStringLiteral("string:%1").arg(QLatin1String(name))});
}

}  // namespace

TEST(Mpris, AnotherProcessDrivesThePlayerAndReadsItsState)
{
    if (!QDBusConnection::sessionBus().isConnected() || QStandardPaths::findExecutable("dbus-send").isEmpty())
        GTEST_SKIP() << "needs a session bus and dbus-send";
    StartProgram();
    MprisService service(Form1->Model);
    ASSERT_TRUE(service.Start());
    EXPECT_TRUE(Property("org.mpris.MediaPlayer2", "Identity").contains("\"Vistrel\""));
    EXPECT_TRUE(Property("org.mpris.MediaPlayer2.Player", "PlaybackStatus").contains("\"Stopped\""));

    ChooseMedium("files/halves.mpeg");
    ASSERT_FALSE(Call("Play").isNull());
    EXPECT_TRUE(waitFor([] { return Caption() == "Vistrel - Lecture"; }));
    EXPECT_TRUE(Property("org.mpris.MediaPlayer2.Player", "PlaybackStatus").contains("\"Playing\""));
    const QString metadata = Property("org.mpris.MediaPlayer2.Player", "Metadata");
    EXPECT_TRUE(metadata.contains("halves.mpeg"));
    EXPECT_TRUE(metadata.contains("mpris:length"));

    ASSERT_FALSE(Call("Pause").isNull());
    EXPECT_EQ(Caption(), "Vistrel - Pause");
    EXPECT_TRUE(Property("org.mpris.MediaPlayer2.Player", "PlaybackStatus").contains("\"Paused\""));
    ASSERT_FALSE(Call("PlayPause").isNull());
    EXPECT_EQ(Caption(), "Vistrel - Lecture");

    // Seeking to 6 s of the ten: the position says so.
    ASSERT_FALSE(Send({"org.mpris.MediaPlayer2.Player.SetPosition", "objpath:/org/vistrel/track/current",
                       "int64:6000000"})
                     .isNull());
    EXPECT_TRUE(waitFor([&] { return service.Position() >= 5'500'000; }));

    ASSERT_FALSE(Call("Stop").isNull());
    EXPECT_EQ(Caption(), "Vistrel - Arrêt");
    EXPECT_TRUE(Property("org.mpris.MediaPlayer2.Player", "PlaybackStatus").contains("\"Stopped\""));

    // Opening a file by its address plays it.
    ASSERT_FALSE(Send({"org.mpris.MediaPlayer2.Player.OpenUri",
                       QStringLiteral("string:file://%1").arg(testsupport::media("files/red.avi"))})
                     .isNull());
    EXPECT_TRUE(waitFor([] { return Form1->Model.CurrentMedium().MediaFile.endsWith("red.avi") && Caption() == "Vistrel - Lecture"; }));
    Form10->StopMedium();
}

// A desktop that listens: the change of state reaches the bus as soon as the player pauses, with
// no polling behind it.
class PropertiesListener : public QObject {
    Q_OBJECT
public:
    QStringList changed;  // names of the changed properties, in the order heard
public slots:
    void Heard(const QString& interface, const QVariantMap& properties, const QStringList&)
    {
        if (interface == QLatin1String("org.mpris.MediaPlayer2.Player"))
            changed += properties.keys();
    }
};

TEST(Mpris, PlaybackStatusChangesAreAnnouncedAtOnce)
{
    if (!QDBusConnection::sessionBus().isConnected())
        GTEST_SKIP() << "needs a session bus";
    StartProgram();
    MprisService service(Form1->Model);
    ASSERT_TRUE(service.Start());
    EXPECT_TRUE(service.findChildren<QTimer*>().isEmpty()) << "the state is told, never polled";

    // A second connection stands for another process on the bus.
    QDBusConnection other = QDBusConnection::connectToBus(QDBusConnection::SessionBus, QStringLiteral("listener"));
    PropertiesListener listener;
    ASSERT_TRUE(other.connect(QString(), QStringLiteral("/org/mpris/MediaPlayer2"),
                              QStringLiteral("org.freedesktop.DBus.Properties"), QStringLiteral("PropertiesChanged"),
                              &listener, SLOT(Heard(QString, QVariantMap, QStringList))));

    ChooseMedium("files/halves.mpeg");
    Form10->PlayMedium();
    ASSERT_TRUE(waitFor([&] { return listener.changed.contains("PlaybackStatus"); }));
    listener.changed.clear();

    QElapsedTimer clock;
    clock.start();
    Form10->PauseMedium();
    EXPECT_TRUE(waitFor([&] { return listener.changed.contains("PlaybackStatus"); }, std::chrono::milliseconds(100)))
        << "heard after " << clock.elapsed() << " ms";
    EXPECT_EQ(service.PlaybackStatus(), "Paused");
    Form10->StopMedium();
    QDBusConnection::disconnectFromBus(QStringLiteral("listener"));
}

#include "MprisTest.moc"

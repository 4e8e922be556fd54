// How the program meets the desktop session: the display platform it asks Qt for, the forms in
// which a desktop names a medium, and the address a medium is handed over with.
#include "app/CommandLine.h"
#include "app/DesktopSession.h"
#include "app/SingleInstance.h"

#include <QUrl>
#include <gtest/gtest.h>

TEST(DesktopSession, UnderWaylandTheShapedPanelGoesThroughXWaylandUnlessTheUserChose)
{
    EXPECT_EQ(PlatformForSession("", "wayland-0", "wayland", ":0"), "xcb");
    EXPECT_EQ(PlatformForSession("", "", "wayland", ":1"), "xcb");
    EXPECT_EQ(PlatformForSession("", "wayland-0", "", ":0"), "xcb");
    // The user's own choice stands, whatever it is.
    EXPECT_EQ(PlatformForSession("wayland", "wayland-0", "wayland", ":0"), "");
    EXPECT_EQ(PlatformForSession("offscreen", "", "x11", ":0"), "");
    // No X server to reach: Qt's own choice beats a platform that cannot start.
    EXPECT_EQ(PlatformForSession("", "wayland-0", "wayland", ""), "");
    // An X11 session needs nothing.
    EXPECT_EQ(PlatformForSession("", "", "x11", ":0"), "");
    EXPECT_EQ(PlatformForSession("", "", "", ":0"), "");
}

TEST(DesktopSession, DesktopFormsOfAMediumBecomeWhatThePlayerOpens)
{
    EXPECT_EQ(LocalMedium("/media/disc/VIDEO_TS"), "/media/disc/VIDEO_TS");
    EXPECT_EQ(LocalMedium("film.avi"), "film.avi");
    EXPECT_EQ(LocalMedium("file:///home/a/le%20film%20%231.avi"), "/home/a/le film #1.avi");
    // An audio CD, by its address or by the desktop's file-system view of it.
    EXPECT_EQ(LocalMedium("cdda://sr0"), "/dev/sr0");
    EXPECT_EQ(LocalMedium("cdda://sr1/"), "/dev/sr1");
    EXPECT_EQ(LocalMedium("/run/user/1000/gvfs/cdda:host=sr0"), "/dev/sr0");
    EXPECT_EQ(LocalMedium("file:///run/user/1000/gvfs/cdda:host=sr0/"), "/dev/sr0");
    // A name that would climb out of /dev, or any other address, stays as it was given.
    EXPECT_EQ(LocalMedium("cdda://../etc"), "cdda://../etc");
    EXPECT_EQ(LocalMedium("/run/user/1000/gvfs/cdda:host=../x"), "/run/user/1000/gvfs/cdda:host=../x");
    EXPECT_EQ(LocalMedium("http://example.org/a.avi"), "http://example.org/a.avi");
    EXPECT_EQ(CommandLine::Parse({"file:///tmp/a.mpg"}).medium, "/tmp/a.mpg");
}

TEST(DesktopSession, AMediumIsHandedOverAsAnAbsoluteEscapedAddress)
{
    const QString uri = MediumUri("films/le film #1 (50%).avi", "/home/a");
    EXPECT_EQ(uri, "file:///home/a/films/le%20film%20%231%20(50%25).avi");
    EXPECT_EQ(QUrl(uri).toLocalFile(), "/home/a/films/le film #1 (50%).avi");
    EXPECT_EQ(MediumUri("/dev/sr0", "/home/a"), "file:///dev/sr0");
    EXPECT_EQ(QUrl(MediumUri("../b/./c.mpg", "/home/a")).toLocalFile(), "/home/b/c.mpg");
}

TEST(DesktopSession, NewWindowIsAnOptionNotAMedium)
{
    const CommandLine line = CommandLine::Parse({"--new-window", "film.avi"});
    EXPECT_EQ(line.action, CommandLine::Action::Run);
    EXPECT_TRUE(line.newWindow);
    EXPECT_EQ(line.medium, "film.avi");
    EXPECT_FALSE(CommandLine::Parse({"film.avi"}).newWindow);
    EXPECT_EQ(CommandLine::Parse({"--", "--new-window"}).medium, "--new-window");
    EXPECT_TRUE(CommandLine::Usage().contains("--new-window"));
}

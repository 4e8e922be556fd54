#include "app/Splash.h"

#include <QCoreApplication>
#include <QEvent>
#include <QLabel>
#include <QProgressBar>
#include <gtest/gtest.h>

TEST(Splash, WithoutItsPictureShowsTheLabelsOnTheButtonFace)
{
    TForm9 splash(QStringLiteral("/nonexistent/splash.jpg"));
    EXPECT_TRUE(splash.Image1->pixmap().isNull());
    const QImage shot = splash.grab().toImage();
    ASSERT_EQ(shot.size(), QSize(559, 192));
    const QColor face = splash.palette().color(QPalette::Button);
    // Away from every label and the bar, the window shows the button face.
    EXPECT_EQ(shot.pixelColor(100, 100), face);
    EXPECT_EQ(shot.pixelColor(300, 120), face);
    // The labels are still there, in their colours.
    EXPECT_EQ(splash.Label1->text(), "Vistrel");
    EXPECT_EQ(splash.Label2->palette().color(QPalette::WindowText), QColor(Qt::red));
    EXPECT_EQ(splash.Label3->palette().color(QPalette::WindowText), QColor(Qt::blue));
}

TEST(Splash, ShowsTheJpegPicture)
{
    TForm9 splash(qEnvironmentVariable("VISTREL_SOURCE") + QStringLiteral("/data/splash.jpg"));
    ASSERT_FALSE(splash.Image1->pixmap().isNull());
    EXPECT_EQ(splash.Image1->pixmap().size(), QSize(560, 194));
    const QImage shot = splash.grab().toImage();
    // Lower left of the picture is the dark blue background, not the button face.
    EXPECT_LT(shot.pixelColor(10, 120).lightness(), 80);
}

namespace {

// Counts the paints a widget gets.
struct PaintCounter : QObject {
    int paints = 0;
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::Paint)
            ++paints;
        return false;
    }
};

}  // namespace

// The panel's creation runs the bar through its hundred values in one go: it is drawn a few times,
// not a hundred, and its last picture is the full bar.
TEST(Splash, AQuickRunOfProgressIsDrawnAFewTimesAndEndsWithTheFullBar)
{
    TForm9 splash(QStringLiteral("/nonexistent/splash.jpg"));
    splash.show();
    QCoreApplication::processEvents();
    PaintCounter counter;
    splash.ProgressBar1->installEventFilter(&counter);
    for (int i = 0; i <= 300000; ++i)
        splash.SetProgress(i / 3000);
    EXPECT_EQ(splash.ProgressBar1->value(), 100);
    EXPECT_GE(counter.paints, 1);
    EXPECT_LE(counter.paints, 10);
    // The bar as drawn: its far end is filled like its start, unlike the empty groove of a bar at 0.
    const QImage full = splash.ProgressBar1->grab().toImage();
    splash.ProgressBar1->setValue(0);
    const QImage empty = splash.ProgressBar1->grab().toImage();
    const QPoint end(full.width() - 4, full.height() / 2);
    EXPECT_EQ(full.pixelColor(end), full.pixelColor(4, full.height() / 2));
    EXPECT_NE(full.pixelColor(end), empty.pixelColor(end));
}

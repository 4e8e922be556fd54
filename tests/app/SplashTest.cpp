#include "app/Splash.h"

#include <QLabel>
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

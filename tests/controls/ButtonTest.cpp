#include "controls/RegionData.h"
#include "controls/VOzariButton.h"

#include <QCoreApplication>
#include <QEnterEvent>
#include <QKeyEvent>
#include <QTimer>
#include <gtest/gtest.h>

#include "support/TestSupport.h"

namespace {

class ButtonTest : public ::testing::Test {
protected:
    // A loaded button of the given kind and size at (100, 100) on a shown parent.
    TVOzariButton* make(TIAButtonKind kind, int w, int h)
    {
        auto* b = new TVOzariButton(&parent);
        b->setGeometry(100, 100, w, h);
        b->SetButtonKind(kind);
        b->Loaded();
        b->show();
        return b;
    }
    void hover(TVOzariButton* b, bool in)
    {
        if (in) {
            QEnterEvent e(QPointF(5, 5), QPointF(5, 5), QPointF(5, 5));
            QCoreApplication::sendEvent(b, &e);
        } else {
            QEvent e(QEvent::Leave);
            QCoreApplication::sendEvent(b, &e);
        }
    }
    // A pixel of the face inside `region` whose colour differs between two faces, if any.
    static bool differsInside(const QImage& a, const QImage& b, const QRegion& region)
    {
        for (const QRect& r : region)
            for (int y = r.top(); y <= r.bottom(); ++y)
                for (int x = r.left(); x <= r.right(); ++x)
                    if (a.rect().contains(x, y) && a.pixel(x, y) != b.pixel(x, y))
                        return true;
        return false;
    }
    static bool faceHas(const QImage& face, const QColor& c)
    {
        for (int y = 0; y < face.height(); ++y)
            for (int x = 0; x < face.width(); ++x)
                if (face.pixelColor(x, y) == c)
                    return true;
        return false;
    }

    void SetUp() override
    {
        parent.resize(400, 300);
        parent.show();
    }
    QWidget parent;
};

TEST_F(ButtonTest, OutOfRangeValuesAreIgnored)
{
    TVOzariButton* b = make(bkPoly, 30, 30);
    b->SetPeaksNumber(2);
    b->SetPeaksNumber(21);
    EXPECT_EQ(b->PeaksNumber(), 6);
    b->SetPeaksNumber(20);
    EXPECT_EQ(b->Outline().counts, (Tintegers{20}));
    b->SetMainBitmapGlyphs(5);
    b->SetMainBitmapGlyphs(0);
    EXPECT_EQ(b->MainBitmapGlyphs(), 1);
    b->SetRotatedAngle(1800);
    EXPECT_EQ(b->RotatedAngle(), 40);
    b->SetRotatedAngle(-1799);
    EXPECT_EQ(b->RotatedAngle(), -1799);
    b->SetRadiusRatio(1.5);
    b->SetRadiusRatio(-0.1);
    EXPECT_EQ(b->RadiusRatio(), 0.5);
    b->SetButtonWidth(-1);
    b->SetRotatedTime(-5);
    b->SetGradientBitmapLine(-1);
    EXPECT_EQ(b->ButtonWidth(), 30);
    EXPECT_EQ(b->RotatedTime(), 40);
    EXPECT_EQ(b->GradientBitmapLine(), 0);
    b->SetOnEnterGlyphs(0);
    EXPECT_EQ(b->OnEnterGlyphs(), 1);

    b->SetButtonKind(bkArc);
    b->SetArcAngle(0.005);
    EXPECT_DOUBLE_EQ(b->ArcAngle(), 2.0943951023931957);
    b->SetArcAngle(0.05);  // accepted: a rectangular arch
    EXPECT_DOUBLE_EQ(b->ArcAngle(), 0.05);
    EXPECT_EQ(b->Outline().counts, (Tintegers{4}));
}

TEST_F(ButtonTest, ButtonAngleIsNormalisedAndCarriesFixedAngles)
{
    TVOzariButton* b = make(bkRect, 40, 20);
    b->SetButtonAngle(3700);
    EXPECT_EQ(b->ButtonAngle(), 100);
    b->SetButtonAngle(-1800);
    EXPECT_EQ(b->ButtonAngle(), 1800);
    b->SetButtonAngle(INT_MIN);
    EXPECT_EQ(b->ButtonAngle(), -848);  // INT_MIN = -596524 x 3600 - 848
    b->SetButtonAngle(INT_MAX);
    EXPECT_EQ(b->ButtonAngle(), 847);
    b->SetButtonAngle(0);
    EXPECT_EQ(b->geometry(), QRect(100, 100, 40, 20));

    b->SetCaptionFixed(true);
    b->SetGradientFixed(true);
    b->SetButtonAngle(900);
    EXPECT_EQ(b->CaptionAngle(), 900);
    EXPECT_EQ(b->GradientAngle(), 1350);
    b->SetButtonAngle(1800);
    EXPECT_EQ(b->GradientAngle(), -1350);
}

TEST_F(ButtonTest, TurningKeepsThePivotStill)
{
    TVOzariButton* b = make(bkRect, 40, 20);
    b->SetRotationCenterFixed(true);
    b->SetButtonAngle(900);
    EXPECT_EQ(b->geometry(), QRect(110, 90, 20, 40));
    EXPECT_EQ(QSize(b->BoxWidth(), b->BoxHeight()), QSize(20, 40));
    EXPECT_EQ(QSize(b->ButtonWidth(), b->ButtonHeight()), QSize(40, 20));

    // About the top-left corner: a quarter turn swings the shape up above the corner.
    TVOzariButton* c = make(bkRect, 40, 20);
    c->SetButtonAngle(900);
    EXPECT_EQ(c->geometry(), QRect(100, 60, 20, 40));
    c->SetButtonAngle(0);
    EXPECT_EQ(c->geometry(), QRect(100, 100, 40, 20));

    // The rotated outline sits inside the box.
    c->SetButtonAngle(300);
    const QRect bound = c->WindowRegion().boundingRect();
    EXPECT_TRUE(QRect(0, 0, c->BoxWidth() + 1, c->BoxHeight() + 1).contains(bound));
}

TEST_F(ButtonTest, ResizingFromOutsideRescalesTheShape)
{
    TVOzariButton* b = make(bkElliptic, 25, 25);
    b->resize(50, 30);
    EXPECT_EQ(b->ButtonWidth(), 50);
    EXPECT_EQ(b->ButtonHeight(), 30);
    EXPECT_EQ(b->WindowRegion().boundingRect().right(), 49);

    b->SetButtonAngle(900);
    EXPECT_EQ(b->size(), QSize(30, 50));
    b->resize(20, 60);
    EXPECT_EQ(b->ButtonWidth(), 60);
    EXPECT_EQ(b->ButtonHeight(), 20);

    // Other angles scale the turned shape to cover the new box.
    b->SetButtonAngle(1350);
    const QSize before(b->ButtonWidth(), b->ButtonHeight());
    b->resize(b->width() * 2, b->height() * 2);
    EXPECT_NEAR(b->ButtonWidth(), 2 * before.width(), 2);
    EXPECT_NEAR(b->ButtonHeight(), 2 * before.height(), 2);
}

TEST_F(ButtonTest, PositionsSwitchAlignmentOnlyOnceLoaded)
{
    auto* b = new TVOzariButton(&parent);
    EXPECT_EQ(QSize(b->ButtonWidth(), b->ButtonHeight()), b->size());
    b->setGeometry(10, 10, 25, 25);
    b->SetCaptionTop(8);
    b->SetBitmapLeft(3);
    EXPECT_EQ(b->CaptionVAlign(), vaCenter);
    EXPECT_EQ(b->BitmapHAlign(), haLeft);
    b->Loaded();
    EXPECT_EQ(b->ButtonWidth(), 25);  // the designed size is picked up
    b->SetCaptionTop(9);
    b->SetCaptionLeft(9);
    b->SetBitmapTop(9);
    b->SetBitmapLeft(9);
    EXPECT_EQ(b->CaptionVAlign(), vaNone);
    EXPECT_EQ(b->CaptionHAlign(), haNone);
    EXPECT_EQ(b->BitmapVAlign(), vaNone);
    EXPECT_EQ(b->BitmapHAlign(), haNone);
}

TEST_F(ButtonTest, DesignedSizeOfAHiddenButtonIsTakenBeforeBuilding)
{
    // A hidden widget hears of its new size only when shown; an arch built before that must
    // still start from the designed width.
    QWidget hiddenParent;
    auto* b = new TVOzariButton(&hiddenParent);
    b->setGeometry(10, 10, 46, 38);
    b->SetButtonKind(bkArc);
    EXPECT_EQ(b->ButtonWidth(), 46);
    EXPECT_EQ(b->ButtonHeight(), 20);  // Round(27 (1 - cos 60 x 0.5))
    EXPECT_EQ(b->geometry(), QRect(10, 10, 46, 20));
    b->Loaded();
    hiddenParent.show();
    EXPECT_EQ(b->geometry(), QRect(10, 10, 46, 20));
}

TEST_F(ButtonTest, EllipticMaskAndRegions)
{
    TVOzariButton* b = make(bkElliptic, 25, 25);
    EXPECT_EQ(b->Outline().counts, (Tintegers{12}));
    EXPECT_EQ(b->mask(), b->WindowRegion());
    EXPECT_FALSE(b->WindowRegion().contains(QPoint(0, 0)));
    EXPECT_FALSE(b->WindowRegion().contains(QPoint(24, 24)));
    EXPECT_TRUE(b->WindowRegion().contains(QPoint(12, 12)));
    // Bevels and focus lie inside the shape; the focus ring is inset by depth + 4.
    EXPECT_TRUE((b->LightBevelRegion() - b->WindowRegion()).isEmpty());
    EXPECT_TRUE((b->DarkBevelRegion() - b->WindowRegion()).isEmpty());
    EXPECT_FALSE(b->FocusRegion().contains(QPoint(12, 3)));
    EXPECT_TRUE(b->FocusRegion().contains(QPoint(12, 12)));
}

TEST_F(ButtonTest, UserRegionsFromTextAndGivenRegions)
{
    TVOzariButton* b = make(bkUser, 40, 40);
    const QRegion ell = QRegion(0, 0, 10, 10) + QRegion(0, 10, 5, 10);
    b->SetStringButtonRegion(EncodeRegionString(RegionToData(ell)));
    EXPECT_EQ(b->Outline().points, (Tpoints{{0, 0}, {40, 0}, {40, 20}, {20, 20}, {20, 40}, {0, 40}}));
    EXPECT_FALSE(b->WindowRegion().contains(QPoint(30, 30)));

    // Text that is no region data falls back to the rectangle.
    b->SetStringButtonRegion(QStringLiteral("not a region"));
    EXPECT_EQ(b->Outline().counts, (Tintegers{4}));

    // The region as given, without scaling or bevels.
    const QRegion ring = QRegion(0, 0, 30, 30) - QRegion(10, 10, 10, 10);
    b->SetUserRegion(ring);
    b->SetUserRGNAUTO(false);
    EXPECT_EQ(b->WindowRegion(), ring);
    EXPECT_EQ(b->mask(), ring);
    b->SetUserRGNAUTO(true);
    EXPECT_EQ(b->Outline().counts.size(), 2u);
    EXPECT_FALSE(b->WindowRegion().contains(QPoint(20, 20)));

    // Other kinds ignore a given region.
    TVOzariButton* r = make(bkRect, 20, 20);
    r->SetUserRegion(ring);
    r->SetButtonKind(bkUser);
    EXPECT_EQ(r->Outline().counts, (Tintegers{4}));
}

TEST_F(ButtonTest, LinearFaceAndHoverBevelOfThePanelButtons)
{
    TVOzariButton* b = make(bkElliptic, 25, 25);
    b->SetButton3DKind(dkNone);
    b->SetGradientKind(gkLinear);
    b->SetButtonColor(QColor(128, 128, 0));
    b->SetButtonColor1(QColor(255, 255, 0));
    const QImage plain = b->FaceBitmap();
    EXPECT_EQ(plain.format(), QImage::Format_RGB888);
    EXPECT_EQ(plain.pixelColor(0, 0), QColor(128, 128, 0));
    EXPECT_EQ(plain.pixelColor(24, 24), QColor(255, 255, 0));

    hover(b, true);
    EXPECT_TRUE(b->Hover());
    const QImage hovered = b->FaceBitmap();
    EXPECT_TRUE(differsInside(plain, hovered, b->DarkBevelRegion()));
    EXPECT_FALSE(differsInside(plain, hovered, b->WindowRegion() - b->LightBevelRegion() - b->DarkBevelRegion()));

    b->setDown(true);
    b->grab();
    const QImage pressed = b->FaceBitmap();
    EXPECT_TRUE(differsInside(hovered, pressed, b->DarkBevelRegion()));
    hover(b, false);
    b->setDown(false);
    b->grab();
    EXPECT_EQ(b->FaceBitmap(), plain);
}

TEST_F(ButtonTest, FrameColoursFollowBrightness)
{
    TVOzariButton* w = make(bkRect, 30, 20);
    w->SetButtonColor(Qt::white);
    EXPECT_EQ(w->FaceBitmap().pixelColor(0, 10), QColor(191, 191, 191));
    EXPECT_EQ(w->FaceBitmap().pixelColor(15, 10), QColor(Qt::white));

    w->SetButtonColor(QColor(0, 0, 128));
    EXPECT_EQ(w->FaceBitmap().pixelColor(0, 10), QColor(64, 64, 192));
    EXPECT_EQ(w->FaceBitmap().pixelColor(1, 10), QColor(32, 32, 160));  // light bevel
    EXPECT_EQ(w->FaceBitmap().pixelColor(28, 10), QColor(0, 0, 96));    // dark bevel

    w->setEnabled(false);
    EXPECT_EQ(w->FaceBitmap().pixelColor(0, 10), QColor(96, 96, 224));   // Lighter three times
    EXPECT_EQ(w->FaceBitmap().pixelColor(15, 10), QColor(32, 32, 160));  // Lighter face
}

TEST_F(ButtonTest, DefaultButtonShowsItsFocusOutline)
{
    TVOzariButton* b = make(bkRect, 40, 30);
    b->SetButtonColor(Qt::white);
    const QPoint onFocus(20, 6);  // inset by depth + 4 from the top edge
    EXPECT_EQ(b->FaceBitmap().pixelColor(onFocus), QColor(Qt::white));
    b->setDefault(true);
    b->grab();
    EXPECT_TRUE(b->Active());
    EXPECT_EQ(b->FaceBitmap().pixelColor(onFocus), QColor(191, 191, 191));
    b->SetShowFocusRGN(false);
    EXPECT_EQ(b->FaceBitmap().pixelColor(onFocus), QColor(Qt::white));
}

TEST_F(ButtonTest, GlyphStates)
{
    // Four 4x4 glyphs of solid colours: normal, disabled, hover, pressed.
    QImage strip(16, 4, QImage::Format_RGB888);
    const QColor colours[4] = {Qt::green, Qt::blue, Qt::cyan, Qt::yellow};
    for (int j = 0; j < 4; ++j)
        for (int y = 0; y < 4; ++y)
            for (int x = 0; x < 4; ++x)
                strip.setPixelColor(4 * j + x, y, colours[j]);
    TVOzariButton* b = make(bkRect, 30, 30);
    b->SetButton3DKind(dkNone);
    b->SetButtonColor(Qt::white);
    b->SetMainBitmap(strip);
    b->SetMainBitmapGlyphs(4);
    b->SetBitmapHAlign(haCenter);
    b->SetBitmapVAlign(vaCenter);
    const QPoint at(14, 14);
    EXPECT_EQ(b->FaceBitmap().pixelColor(at), QColor(Qt::green));
    hover(b, true);
    EXPECT_EQ(b->FaceBitmap().pixelColor(at), QColor(Qt::cyan));
    b->setDown(true);
    b->grab();
    EXPECT_EQ(b->FaceBitmap().pixelColor(at), QColor(Qt::yellow));
    b->setDown(false);
    hover(b, false);
    b->setEnabled(false);
    EXPECT_EQ(b->FaceBitmap().pixelColor(at), QColor(Qt::blue));

    // One glyph: moved one pixel right and down while pressed, ANDed with the brush when disabled.
    TVOzariButton* one = make(bkRect, 30, 30);
    one->SetButton3DKind(dkNone);
    one->SetButtonColor(QColor(0x80, 0x80, 0x80));
    one->SetBitmapHAlign(haNone);
    one->SetBitmapVAlign(vaNone);
    one->SetMainBitmap(strip.copy(0, 0, 4, 4));  // green
    EXPECT_EQ(one->FaceBitmap().pixelColor(5, 5), QColor(Qt::green));
    EXPECT_EQ(one->FaceBitmap().pixelColor(9, 9), QColor(0x80, 0x80, 0x80));
    one->setDown(true);
    one->grab();
    EXPECT_EQ(one->FaceBitmap().pixelColor(5, 5), QColor(0x80, 0x80, 0x80));
    EXPECT_EQ(one->FaceBitmap().pixelColor(6, 6), QColor(Qt::green));
    one->setDown(false);
    one->setEnabled(false);
    EXPECT_EQ(one->FaceBitmap().pixelColor(5, 5), QColor(0, 0xA0, 0));  // green AND Lighter(grey)

    // Transparent: the key colour of the top-left pixel lets the face through.
    QImage keyed = strip.copy(0, 0, 4, 4);
    keyed.setPixelColor(0, 0, Qt::red);
    keyed.setPixelColor(2, 2, Qt::red);
    one->setEnabled(true);
    one->SetTransparent(true);
    one->SetMainBitmap(keyed);
    EXPECT_EQ(one->FaceBitmap().pixelColor(7, 7), QColor(0x80, 0x80, 0x80));
    EXPECT_EQ(one->FaceBitmap().pixelColor(6, 6), QColor(Qt::green));
}

TEST_F(ButtonTest, EmbossedCaptionDrawsThreeCopies)
{
    TVOzariButton* b = make(bkRect, 80, 40);
    b->SetButton3DKind(dkNone);
    const QColor grey(128, 128, 128);
    b->SetButtonColor(grey);
    QPalette pal = b->palette();
    pal.setColor(QPalette::ButtonText, Qt::black);
    b->setPalette(pal);
    b->SetCaption(QStringLiteral("&Wx"));
    b->SetCaption3dKind(ckEmbossed);
    EXPECT_TRUE(faceHas(b->FaceBitmap(), Lighter(grey)));
    EXPECT_TRUE(faceHas(b->FaceBitmap(), Darker(grey)));
    EXPECT_TRUE(faceHas(b->FaceBitmap(), Qt::black));
    b->SetCaption3dKind(ckSimple);
    EXPECT_FALSE(faceHas(b->FaceBitmap(), Lighter(grey)));
    // Text set on the plain button shows at the next paint.
    b->setText(QString());
    b->grab();
    EXPECT_FALSE(faceHas(b->FaceBitmap(), Qt::black));
    // Disabled, the caption takes the face colour; with no face colour nothing is drawn at all.
    b->setEnabled(false);
    b->SetButtonColor(clNone());
    b->SetCaption3dKind(ckEmbossed);
    const QImage face = b->FaceBitmap();
    EXPECT_FALSE(faceHas(face, Qt::black));
    EXPECT_FALSE(faceHas(face, Lighter(clNone())));
}

TEST_F(ButtonTest, FrameAnimationsRunAndReleaseTheirTimer)
{
    TVOzariButton* b = make(bkRect, 30, 30);
    QImage frames(12, 30, QImage::Format_RGB888);
    frames.fill(Qt::red);
    b->SetOnEnterBitmap(frames);
    b->SetOnEnterGlyphs(3);
    b->SetOnEnterInterval(1);
    b->SetOnClickGlyphs(3);
    b->SetOnClickInterval(1);
    b->SetOnExitGlyphs(2);
    b->SetOnExitInterval(1);

    hover(b, true);
    EXPECT_TRUE(b->EnterAnimationRunning());
    EXPECT_TRUE(testsupport::waitFor([&] { return !b->EnterAnimationRunning(); }));

    // Key repeats do not restart a click animation that still runs.
    b->SetOnClickInterval(100000);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QKeyEvent first(QEvent::KeyPress, Qt::Key_Space, Qt::NoModifier, QStringLiteral(" "));
    QCoreApplication::sendEvent(b, &first);
    QTimer* const clickTimer = b->findChild<QTimer*>(QString(), Qt::FindDirectChildrenOnly);
    QKeyEvent repeat(QEvent::KeyPress, Qt::Key_Space, Qt::NoModifier, QStringLiteral(" "), true);
    QCoreApplication::sendEvent(b, &repeat);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    const QList<QTimer*> timers = b->findChildren<QTimer*>(QString(), Qt::FindDirectChildrenOnly);
    ASSERT_EQ(timers.size(), 1);
    EXPECT_EQ(timers.front(), clickTimer);
    QKeyEvent release(QEvent::KeyRelease, Qt::Key_Space, Qt::NoModifier, QStringLiteral(" "));
    QCoreApplication::sendEvent(b, &release);
    hover(b, false);  // stops the click, starts the exit animation
    b->SetOnClickInterval(1);
    EXPECT_TRUE(testsupport::waitFor([&] { return !b->ExitAnimationRunning(); }));

    // A space press while another animation holds the timer: when the shorter one ends, the
    // other still runs to its end instead of staying marked as running.
    QKeyEvent space(QEvent::KeyPress, Qt::Key_Space, Qt::NoModifier, QStringLiteral(" "));
    QCoreApplication::sendEvent(b, &space);
    EXPECT_TRUE(b->ClickAnimationRunning());
    hover(b, false);
    EXPECT_FALSE(b->ClickAnimationRunning());
    EXPECT_TRUE(b->ExitAnimationRunning());
    b->SetOnEnterGlyphs(1);
    QCoreApplication::sendEvent(b, &space);
    hover(b, true);  // enter takes the timer; the click keeps its flag
    EXPECT_TRUE(testsupport::waitFor([&] {
        return !b->EnterAnimationRunning() && !b->ClickAnimationRunning() && !b->ExitAnimationRunning();
    }));
    EXPECT_TRUE(testsupport::waitFor([&] {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        return b->findChildren<QTimer*>().isEmpty();
    }));
}

}  // namespace

// A button whose design sets its properties one after another while it loads is drawn and shaped
// once, at the end, and ends up as the same button set up property by property.
TEST_F(ButtonTest, ALoadingButtonIsDrawnOnceLoadedAndLooksAsOneSetUpStepByStep)
{
    auto setUp = [](TVOzariButton* b) {
        b->setGeometry(40, 40, 60, 48);
        b->SetButtonKind(bkElliptic);
        b->SetButton3DKind(dkNone);
        b->SetGradientKind(gkLinear);
        b->SetButtonColor(QColor(200, 40, 40));
        b->SetButtonColor1(QColor(40, 40, 200));
        b->SetCaption(QStringLiteral("?"));
    };
    auto* stepByStep = new TVOzariButton(&parent);
    setUp(stepByStep);
    stepByStep->Loaded();
    auto* loading = new TVOzariButton(&parent);
    loading->BeginLoading();
    const QImage asMade = loading->FaceBitmap();
    setUp(loading);
    EXPECT_EQ(loading->FaceBitmap(), asMade);  // not drawn again while loading
    loading->Loaded();
    ASSERT_FALSE(loading->FaceBitmap().isNull());
    EXPECT_EQ(loading->FaceBitmap(), stepByStep->FaceBitmap());
    EXPECT_EQ(loading->mask(), stepByStep->mask());
    EXPECT_EQ(loading->geometry(), stepByStep->geometry());
}

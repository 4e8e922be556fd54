// The buttons of the control panel and one of every other kind on a window of a known colour,
// checked against what the X server shows.
#include "controls/RegionData.h"
#include "controls/VOzariButton.h"

#include <QEnterEvent>
#include <QScreen>
#include <QTest>
#include <gtest/gtest.h>

#include "support/TestSupport.h"

namespace {

const QColor kParent(255, 0, 255);

struct Look {
    TIAButtonKind kind;
    QRect geometry;
    QColor first, second;
};

class Gallery : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (!testsupport::haveX11())
            GTEST_SKIP() << "needs an X display";
        window.setWindowFlag(Qt::FramelessWindowHint);
        QPalette pal = window.palette();
        pal.setColor(QPalette::Window, kParent);
        window.setPalette(pal);
        window.setAutoFillBackground(true);
        window.setGeometry(0, 0, 420, 260);
    }

    TVOzariButton* add(const Look& s, TIA3DKind bevel = dkNone)
    {
        auto* b = new TVOzariButton(&window);
        b->setGeometry(s.geometry);
        b->SetButtonKind(s.kind);
        b->SetButton3DKind(bevel);
        b->SetGradientKind(gkLinear);
        b->SetTransparent(true);
        b->SetButtonColor(s.first);
        b->SetButtonColor1(s.second);
        b->setFocusPolicy(Qt::NoFocus);
        b->setCursor(Qt::PointingHandCursor);
        b->Loaded();
        buttons.push_back(b);
        return b;
    }

    QImage screenshot()
    {
        // The grab reads the screen: a window of a test running beside this one must not lie on top.
        window.raise();
        QCoreApplication::processEvents();
        window.repaint();
        QCoreApplication::processEvents();
        return window.screen()->grabWindow(window.winId()).toImage().convertToFormat(QImage::Format_RGB888);
    }

    // Whether a button other than b shows at a window point (the panel's buttons overlap by a
    // pixel; a later sibling lies above an earlier one).
    bool coveredByOther(const TVOzariButton* b, QPoint at, bool onlyAbove) const
    {
        bool above = false;
        for (const TVOzariButton* o : buttons) {
            if (o == b) {
                above = true;
                continue;
            }
            if ((above || !onlyAbove) && o->WindowRegion().contains(at - o->pos()))
                return true;
        }
        return false;
    }

    // Every pixel of the button's box: outside the shape the parent, inside the face.
    void expectShapeOnScreen(const QImage& shot, const TVOzariButton* b)
    {
        const QPoint origin = b->pos();
        int inside = 0, outside = 0, wrong = 0;
        for (int y = 0; y < b->height(); ++y) {
            for (int x = 0; x < b->width(); ++x) {
                const bool inShape = b->WindowRegion().contains(QPoint(x, y));
                if (coveredByOther(b, origin + QPoint(x, y), inShape))
                    continue;
                const QColor seen = shot.pixelColor(origin + QPoint(x, y));
                const bool in = b->WindowRegion().contains(QPoint(x, y));
                const QColor expected = in ? b->FaceBitmap().pixelColor(x, y) : kParent;
                (in ? inside : outside)++;
                if (seen != expected && ++wrong <= 3)
                    ADD_FAILURE() << "kind " << b->ButtonKind() << " at " << x << "," << y << (in ? " inside" : " outside")
                                  << ": " << seen.name().toStdString() << " instead of " << expected.name().toStdString();
            }
        }
        EXPECT_GT(inside, 0) << b->ButtonKind();
        EXPECT_EQ(wrong, 0) << b->ButtonKind();
        (void)outside;
    }

    QWidget window;
    std::vector<TVOzariButton*> buttons;
};

TEST_F(Gallery, PanelButtonsAndEveryKindShowTheirShape)
{
    // The four buttons of the control panel.
    TVOzariButton* help = add({bkElliptic, {259, 89, 25, 25}, Qt::white, QColor(160, 160, 160)});
    QFont bold(QStringLiteral("Times New Roman"));
    bold.setBold(true);
    bold.setPixelSize(19);
    help->setFont(bold);
    help->SetCaption(QStringLiteral("?"));
    TVOzariButton* full = add({bkElliptic, {235, 89, 25, 25}, QColor(128, 128, 0), QColor(255, 255, 0)});
    QImage glyph(9, 7, QImage::Format_RGB888);
    glyph.fill(Qt::white);
    glyph.setPixelColor(0, 0, Qt::red);
    full->SetMainBitmap(glyph);
    full->SetBitmapHAlign(haCenter);
    full->SetBitmapVAlign(vaCenter);
    add({bkElliptic, {211, 89, 25, 25}, QColor(0, 255, 255), QColor(0, 128, 128)});
    TVOzariButton* quit = add({bkPolyStar, {280, 5, 13, 15}, QColor(0, 255, 255), QColor(0, 0, 128)});
    EXPECT_EQ(quit->Outline().counts, (Tintegers{12}));

    // Every other kind, bevelled and framed.
    const TIAButtonKind others[] = {bkRect, bkRoundRect, bkPoly, bkArc, bkDonut, bkUser,
                                    bkArrow, bkArrow1, bkArrow2, bkCross, bkCutRect, bkCross1};
    int i = 0;
    for (TIAButtonKind k : others) {
        const QRect g(10 + (i % 4) * 50, 130 + (i / 4) * 42, 46, 38);
        TVOzariButton* b = add({k, g, QColor(200, 40, 40), QColor(40, 40, 200)}, dk3D);
        if (k == bkUser)
            b->SetStringButtonRegion(EncodeRegionString(RegionToData(QRegion(0, 0, 20, 10) + QRegion(0, 10, 10, 10))));
        ++i;
    }
    TVOzariButton* turned = add({bkArrow, {300, 150, 60, 30}, QColor(40, 160, 40), QColor(240, 240, 40)}, dk3dBorder);
    turned->SetRotationCenterFixed(true);
    turned->SetButtonAngle(300);

    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    QTest::qWait(50);
    const QImage shot = screenshot();
    for (const TVOzariButton* b : buttons)
        expectShapeOnScreen(shot, b);
    // The donut's hole shows the parent.
    const TVOzariButton* donut = buttons[4 + 4];
    EXPECT_EQ(shot.pixelColor(donut->geometry().center()), kParent);
}

TEST_F(Gallery, HoveringDrawsTheBevel)
{
    TVOzariButton* b = add({bkElliptic, {100, 60, 25, 25}, QColor(128, 128, 0), QColor(255, 255, 0)});
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    const QImage before = screenshot();
    expectShapeOnScreen(before, b);

    QTest::mouseMove(b, QPoint(12, 12));
    if (!testsupport::waitFor([&] { return b->Hover(); }, std::chrono::milliseconds(500))) {
        // No pointer crossing from the server: deliver the enter event ourselves.
        QEnterEvent e(QPointF(12, 12), QPointF(112, 72), QPointF(112, 72));
        QCoreApplication::sendEvent(b, &e);
    }
    ASSERT_TRUE(b->Hover());
    QTest::qWait(20);
    const QImage after = screenshot();
    expectShapeOnScreen(after, b);
    bool changed = false;
    for (const QRect& r : b->DarkBevelRegion())
        for (int y = r.top(); y <= r.bottom(); ++y)
            for (int x = r.left(); x <= r.right(); ++x)
                changed |= before.pixel(b->pos() + QPoint(x, y)) != after.pixel(b->pos() + QPoint(x, y));
    EXPECT_TRUE(changed);
}

TEST_F(Gallery, ClickingInsideTheShapeOnly)
{
    TVOzariButton* b = add({bkElliptic, {100, 60, 25, 25}, QColor(0, 255, 255), QColor(0, 128, 128)});
    int clicks = 0;
    QObject::connect(b, &QAbstractButton::clicked, [&] { ++clicks; });
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    QTest::mouseClick(b, Qt::LeftButton, {}, QPoint(12, 12));
    EXPECT_EQ(clicks, 1);
    QTest::mouseClick(b, Qt::LeftButton, {}, QPoint(1, 1));  // a corner outside the ellipse
    EXPECT_EQ(clicks, 1);
}

}  // namespace

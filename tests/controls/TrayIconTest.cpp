#include "controls/PiconeBarreTache.h"
#include "controls/TaskbarButton.h"

#include <QMenu>
#include <QPixmap>
#include <QWidget>
#include <gtest/gtest.h>

namespace {

QIcon someIcon(Qt::GlobalColor c)
{
    QPixmap p(16, 16);
    p.fill(c);
    return QIcon(p);
}

TEST(TrayIcon, WithoutANotificationAreaNothingActs)
{
    QWidget owner;
    owner.show();
    auto* tray = new TPiconeBarreTache(&owner, TPiconeBarreTache::TrayPresence::Absent);
    tray->SetReduireSiFin(true);
    tray->SetApplicationCachee(true);
    tray->SetGrandeIconeVisible(false);
    tray->Loaded();
    EXPECT_FALSE(tray->IconShown());
    EXPECT_EQ(tray->TrayIcon(), nullptr);
    EXPECT_TRUE(owner.isVisible());
    EXPECT_TRUE(TaskbarButtonVisible(&owner));
    EXPECT_TRUE(tray->ApplicationCachee());  // stored all the same
    // Closing really closes: there would be no icon to bring the window back.
    EXPECT_TRUE(owner.close());
    EXPECT_FALSE(owner.isVisible());
}

TEST(TrayIcon, IconFollowsItsPropertiesOnceLoaded)
{
    QWidget owner;
    auto* tray = new TPiconeBarreTache(&owner, TPiconeBarreTache::TrayPresence::Present);
    tray->SetIcone(someIcon(Qt::red));
    tray->SetHint(QStringLiteral("Vistrel"));
    tray->SetPetiteIconeVisible(false);
    tray->SetPetiteIconeVisible(true);
    EXPECT_FALSE(tray->IconShown());  // waits for the end of loading
    tray->Loaded();
    ASSERT_TRUE(tray->IconShown());
    EXPECT_TRUE(tray->TrayIcon()->isVisible());
    EXPECT_EQ(tray->TrayIcon()->toolTip(), QStringLiteral("Vistrel"));

    tray->SetHint(QStringLiteral("Lecture"));
    EXPECT_EQ(tray->TrayIcon()->toolTip(), QStringLiteral("Lecture"));
    tray->SetPetiteIconeVisible(false);
    EXPECT_FALSE(tray->IconShown());
    EXPECT_FALSE(tray->TrayIcon()->isVisible());
    tray->SetHint(QStringLiteral("Pause"));
    tray->SetIcone(someIcon(Qt::blue));
    tray->SetPetiteIconeVisible(true);
    EXPECT_TRUE(tray->TrayIcon()->isVisible());
    EXPECT_EQ(tray->TrayIcon()->toolTip(), QStringLiteral("Pause"));
    EXPECT_EQ(tray->TrayIcon()->icon().pixmap(16, 16).toImage().pixelColor(4, 4), QColor(Qt::blue));
}

TEST(TrayIcon, ClosingHidesAndTheLeftButtonBringsTheWindowBack)
{
    QWidget owner;
    owner.show();
    auto* tray = new TPiconeBarreTache(&owner, TPiconeBarreTache::TrayPresence::Present);
    tray->SetIcone(someIcon(Qt::red));
    tray->Loaded();
    tray->SetReduireSiFin(true);
    EXPECT_FALSE(owner.close());
    EXPECT_FALSE(owner.isVisible());
    EXPECT_FALSE(TaskbarButtonVisible(&owner));
    tray->LeftButtonDown();
    EXPECT_TRUE(owner.isVisible());
    EXPECT_TRUE(TaskbarButtonVisible(&owner));

    tray->SetReduireSiFin(false);
    EXPECT_TRUE(owner.close());
}

TEST(TrayIcon, HidingTheApplicationAndItsTaskbarButton)
{
    QWidget owner;
    auto* tray = new TPiconeBarreTache(&owner, TPiconeBarreTache::TrayPresence::Present);
    tray->SetIcone(someIcon(Qt::red));
    tray->SetApplicationCachee(false);
    EXPECT_FALSE(owner.isVisible());  // not shown before loading is over
    tray->SetApplicationCachee(true);
    tray->Loaded();
    EXPECT_FALSE(owner.isVisible());
    tray->SetApplicationCachee(false);
    EXPECT_TRUE(owner.isVisible());
    tray->SetApplicationCachee(true);
    EXPECT_FALSE(owner.isVisible());

    tray->SetGrandeIconeVisible(false);
    EXPECT_FALSE(TaskbarButtonVisible(&owner));
    tray->SetGrandeIconeVisible(true);
    EXPECT_TRUE(TaskbarButtonVisible(&owner));
}

TEST(TrayIcon, RightButtonPopsTheMenuWhenThereIsOne)
{
    QWidget owner;
    auto* tray = new TPiconeBarreTache(&owner, TPiconeBarreTache::TrayPresence::Present);
    tray->Loaded();
    tray->RightButtonDown();  // no menu: nothing
    auto menu = std::make_unique<QMenu>();
    menu->addAction(QStringLiteral("&Quitter"));
    tray->SetMenuPop(menu.get());
    tray->RightButtonDown();
    EXPECT_TRUE(menu->isVisible());
    menu->hide();
    menu.reset();
    EXPECT_EQ(tray->MenuPop(), nullptr);  // a deleted menu is forgotten, not dangling
    tray->RightButtonDown();
}

}  // namespace

// The application object's windows: made at once or on first use, and forgotten with it.
#include "app/TApplication.h"

#include <QDialog>
#include <gtest/gtest.h>

namespace {
platform::DeferredWindow<QDialog> g_dialog;
platform::DeferredWindow<QDialog> g_unused;
}  // namespace

TEST(Application, ADeferredWindowIsMadeOnceOnFirstUseAndForgottenWithItsApplication)
{
    {
        TApplication application;
        application.DeferForm(g_dialog);
        application.DeferForm(g_unused);
        EXPECT_FALSE(g_dialog.made());
        EXPECT_EQ(application.FormCount(), 0);
        EXPECT_EQ(application.MainForm(), nullptr);

        QDialog* dialog = g_dialog;
        ASSERT_NE(dialog, nullptr);
        EXPECT_TRUE(g_dialog.made());
        EXPECT_EQ(g_dialog.get(), dialog);
        EXPECT_EQ(&*g_dialog, dialog);
        // Owned by the application like any window it creates: the first one is the main window.
        EXPECT_EQ(application.FormCount(), 1);
        EXPECT_EQ(application.MainForm(), dialog);
        EXPECT_FALSE(g_unused.made());
    }
    // The application took its windows with it: nothing dangles, and nothing is made any more.
    EXPECT_EQ(g_dialog.get(), nullptr);
    EXPECT_EQ(g_unused.get(), nullptr);
    EXPECT_FALSE(g_unused.made());
}

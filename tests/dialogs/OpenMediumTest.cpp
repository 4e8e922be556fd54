// Opening a medium through the panel's menu and the media chooser, as a user does.
#include "PlayerFixture.h"

#include "controls/PiconeBarreTache.h"
#include "dialogs/MediaChooser.h"
#include "model/PlayerModel.h"
#include "panel/ControlPanel.h"
#include "player/VideoWindow.h"
#include "support/TestSupport.h"

#include <QAction>
#include <QComboBox>
#include <QListView>
#include <QMenu>
#include <QTimer>
#include <gtest/gtest.h>

using namespace playertest;
using testsupport::waitFor;

namespace {

// Selects `name` in the chooser's file list, once the folder is read.
bool Pick(const QString& name)
{
    QListView* list = Form12->FileListBox1;
    return waitFor([&] {
        for (int row = 0; row < list->model()->rowCount(list->rootIndex()); ++row) {
            const QModelIndex index = list->model()->index(row, 0, list->rootIndex());
            if (index.data().toString() == name) {
                list->setCurrentIndex(index);
                list->selectionModel()->select(index, QItemSelectionModel::ClearAndSelect);
                Form12->FileListBox1Click();
                return true;
            }
        }
        return false;
    });
}

QAction* OpenItem()
{
    return Form1->PopupMenu1->findChild<QAction*>("Ouvrirunfichiermultimdia1");
}

}  // namespace

TEST(OpenMedium, AFileChosenThroughThePanelMenuPlays)
{
    StartProgram();
    bool picked = false;
    QTimer::singleShot(0, [&] {
        Form12->FilterComboBox1->setCurrentIndex(TForm12::Videos);
        Form12->SetFolder(testsupport::media("files"));
        picked = Pick("green.mpg");
        Form12->BitBtn1Click();
    });
    OpenItem()->trigger();
    ASSERT_TRUE(picked);
    EXPECT_EQ(Form1->Model.CurrentMedium().MediaKind, ".MPG");
    EXPECT_EQ(Form1->Model.CurrentMedium().MediaFile, testsupport::media("files") + "/green.mpg");
    EXPECT_TRUE(WaitForVideoColour(360, 288, 0, 255, 0));
    EXPECT_EQ(Caption(), "Vistrel - Lecture");
    // From now on the tray offers the video window's menu.
    EXPECT_EQ(Form1->PiconeBarreTache1->MenuPop(), Form10->PopupMenu1);
    Form10->StopMedium();
}

TEST(OpenMedium, CancellingLeavesTheMediumAsItWas)
{
    StartProgram();
    ChooseMedium("files/halves.mpeg");
    const CurrentMediumRecord before = Form1->Model.CurrentMedium();
    for (int way = 0; way < 2; ++way) {
        QTimer::singleShot(0, [way] {
            if (way == 0)
                Form12->BitBtn2Click();
            else
                Form12->close();
        });
        OpenItem()->trigger();
        EXPECT_EQ(Form1->Model.CurrentMedium(), before);
    }
}

TEST(OpenMedium, ADvdFoldersIfoPlaysThatDvdsMenu)
{
    StartProgram();
    QTimer::singleShot(0, [] {
        Form12->FilterComboBox1->setCurrentIndex(TForm12::DvdVideo);
        Form12->FilterComboBox1Change();
        Form12->SetFolder(testsupport::media("dvd/VIDEO_TS"));
        Pick("VIDEO_TS.IFO");
        Form12->BitBtn1Click();
    });
    OpenItem()->trigger();
    EXPECT_EQ(Form1->Model.CurrentMedium().MediaKind, ".DVD");
    // The title menu's dark blue background.
    EXPECT_TRUE(WaitForVideoColour(60, 60, 16, 32, 96, std::chrono::seconds(10)));
    Form10->StopMedium();
}

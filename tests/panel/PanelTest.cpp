// The control panel as a user sees and drives it: its dressed face and outline, its buttons, its
// status display, its door and its menu, and skins that cannot be read.
#include "PanelScreen.h"
#include "PlayerFixture.h"

#include "controls/PiconeBarreTache.h"
#include "controls/VOzariButton.h"
#include "engine/TDSDVDGraph.h"
#include "engine/TDSVideoWindow.h"
#include "model/PlayerModel.h"
#include "panel/ControlPanel.h"
#include "panel/PictureButton.h"
#include "panel/StatusDisplay.h"
#include "player/VideoWindow.h"
#include "support/TestSupport.h"

#include <QAction>
#include <QFile>
#include <QLabel>
#include <QMenu>
#include <QPainter>
#include <QTest>
#include <gtest/gtest.h>

using namespace paneltest;
using namespace playertest;
using testsupport::waitFor;

namespace {

void Click(QWidget* widget)
{
    QTest::mouseClick(widget, Qt::LeftButton, {}, widget->rect().center());
}

// The skin on disk goes, and the panel takes the defaults again.
void DefaultSkin()
{
    QFile::remove(Form1->SkinFile());
    ASSERT_TRUE(Form1->LoadSkin());
}

}  // namespace

TEST(ControlPanel, DefaultSkinDressesTheFaceAndCutsTheOutline)
{
    StartProgram();
    DefaultSkin();
    EXPECT_EQ(Form1->size(), QSize(302, 121));
    EXPECT_EQ(Form1->pos(), QPoint(10, 10));
    // The corners are cut away; the body and the buttons drawn on the face belong to the panel.
    const QRegion outline = Form1->mask();
    EXPECT_FALSE(outline.contains(QPoint(0, 0)));
    EXPECT_FALSE(outline.contains(QPoint(301, 120)));
    EXPECT_TRUE(outline.contains(QPoint(151, 60)));
    EXPECT_TRUE(outline.contains(QPoint(0, 60)));
    for (PictureButton* button : Form1->SpeedButtons) {
        EXPECT_FALSE(button->Picture().isNull());
        EXPECT_TRUE(button->isVisible());
    }
    EXPECT_EQ(Form1->SpeedButtons[3]->toolTip(), "Lecture");
    EXPECT_EQ(Form1->SpeedButtons[3]->cursor().shape(), Qt::PointingHandCursor);
    EXPECT_EQ(Form1->VOzariButton2->toolTip(), "Quitter");
    EXPECT_EQ(Form1->VOzariButton1->Caption(), "?");
}

TEST(ControlPanel, DesktopShowsThroughTheTransparentCorners)
{
    if (!testsupport::haveX11())
        GTEST_SKIP() << "needs an X display";
    StartProgram();
    DefaultSkin();
    // A red window behind the panel stands for the desktop.
    const auto behind = RedDesktop(Form1->geometry());
    Form1->raise();
    const QRect area = Form1->geometry();
    ASSERT_TRUE(waitFor([&] {
        const QImage shot = Screen(area);
        return !shot.isNull() && Near(shot.pixelColor(1, 1), Qt::red) && !Near(shot.pixelColor(150, 10), Qt::red);
    })) << "the corner shows what is behind, the face covers the rest";
    const QImage shot = Screen(area);
    const QImage face = Form1->FacePicture;
    // An opaque pixel of the face, away from the controls, is on the screen as the face has it.
    EXPECT_TRUE(Near(shot.pixelColor(150, 8), face.pixelColor(150, 8), 24));
}

TEST(ControlPanel, SkinThatCannotBeReadLeavesThePanelAsItWas)
{
    StartProgram();
    DefaultSkin();
    TakeMessages();
    const QRegion before = Form1->mask();

    // A picture that is no bitmap: the error, and nothing of the panel changes.
    Form1->Skin.Background = testsupport::media("files/tone440.wav");
    EXPECT_FALSE(Form1->Dress());
    auto messages = TakeMessages();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].caption, "Erreur");
    EXPECT_TRUE(messages[0].text.contains("tone440.wav"));
    EXPECT_EQ(Form1->mask(), before);

    // A short interface.dat: the error, the live record untouched.
    const SkinRecord live = Form1->Skin;
    QFile file(Form1->SkinFile());
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(QByteArray(100, 'x'));
    file.close();
    EXPECT_FALSE(Form1->LoadSkin());
    messages = TakeMessages();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_TRUE(messages[0].text.contains("interface.dat"));
    EXPECT_EQ(Form1->Skin, live);
    DefaultSkin();
}

TEST(ControlPanel, SavedSkinWithAnAccentedPathLoadsBack)
{
    StartProgram();
    DefaultSkin();
    // The default face copied under a name with "è", moved buttons, another screen colour.
    const QString accented = QFileInfo(Form1->SkinFile()).absolutePath() + "/thème.bmp";
    QFile::remove(accented);
    ASSERT_TRUE(QFile::copy(Form1->Skin.Background, accented));
    Form1->Skin.Background = accented;
    Form1->Skin.ButtonAt[SkinRecord::Play] = QPoint(100, 60);
    Form1->Skin.ScreenColour = 0x000000FF;
    ASSERT_TRUE(Form1->SaveSkin());
    EXPECT_EQ(QFileInfo(Form1->SkinFile()).size(), 2424);
    Form1->Skin = SkinRecord();
    ASSERT_TRUE(Form1->LoadSkin());
    EXPECT_EQ(Form1->Skin.Background, accented);
    EXPECT_EQ(Form1->SpeedButtons[SkinRecord::Play]->pos(), QPoint(100, 60));
    EXPECT_EQ(Form1->Panel1->palette().color(QPalette::Window), QColor(255, 0, 0));
    EXPECT_TRUE(TakeMessages().empty());

    // A path the file cannot hold is refused with a message; the file on disk stays as it was.
    const QByteArray onDisk = [] {
        QFile f(Form1->SkinFile());
        f.open(QIODevice::ReadOnly);
        return f.readAll();
    }();
    Form1->Skin.Background = "/tmp/фон.bmp";
    EXPECT_FALSE(Form1->SaveSkin());
    EXPECT_EQ(TakeMessages().size(), 1u);
    QFile after(Form1->SkinFile());
    ASSERT_TRUE(after.open(QIODevice::ReadOnly));
    EXPECT_EQ(after.readAll(), onDisk);
    DefaultSkin();
}

TEST(ControlPanel, StatusLinesReplaceWhatWasUnderThem)
{
    StartProgram();
    DefaultSkin();
    StatusDisplay* display = Form1->Image2;
    display->Clear();
    display->TextOut(5, 35, "Temps: 00:00:08");
    display->TextOut(5, 35, "Temps: 00:00:19");
    // What the surface shows is exactly one text, as a surface that held only it would show.
    StatusDisplay fresh(nullptr);
    fresh.resize(display->size());
    fresh.setFont(display->font());
    fresh.SetTextColour(QColor(Qt::black));
    display->SetTextColour(QColor(Qt::black));
    fresh.TextOut(5, 35, "Temps: 00:00:19");
    EXPECT_EQ(display->Canvas(), fresh.Canvas());
}

TEST(ControlPanel, TimeLineShowsOneTextAfterSecondsOfPlay)
{
    StartProgram();
    DefaultSkin();
    Form1->Model.SetMedium(".DVD", {});
    Click(Form1->SpeedButtons[SkinRecord::Play]);
    ASSERT_TRUE(waitFor([] { return Caption() == "Vistrel - Lecture"; }, std::chrono::seconds(10)));
    QTest::qWait(4000);
    const QStringList lines = Form1->Image2->Lines();
    ASSERT_FALSE(lines.isEmpty());
    QString lastTime;
    for (const QString& line : lines)
        if (line.startsWith("Temps: "))
            lastTime = line;
    ASSERT_FALSE(lastTime.isEmpty()) << lines.join(" | ").toStdString();
    // The pixels of the time line are those of the last time alone.
    const QImage canvas = Form1->Image2->Canvas();
    StatusDisplay fresh(nullptr);
    fresh.resize(Form1->Image2->size());
    fresh.setFont(Form1->Image2->font());
    fresh.SetTextColour(ColourOf(Form1->Skin.FontColour));
    fresh.TextOut(5, 35, lastTime);
    const int lineHeight = QFontMetrics(Form1->Image2->font()).height();
    const QRect line(0, 35, canvas.width(), std::min(lineHeight, canvas.height() - 35));
    EXPECT_EQ(canvas.copy(line), fresh.Canvas().copy(line));
    Click(Form1->SpeedButtons[SkinRecord::Stop]);
    EXPECT_EQ(Caption(), "Vistrel - Arrêt");
}

TEST(ControlPanel, TransportButtonsRunTheirCommandsOnAFile)
{
    StartProgram();
    DefaultSkin();
    ChooseMedium("files/halves.mpeg");
    Click(Form1->SpeedButtons[SkinRecord::Play]);
    ASSERT_TRUE(waitFor([] { return Caption() == "Vistrel - Lecture"; }));
    Click(Form1->SpeedButtons[SkinRecord::Pause]);
    EXPECT_EQ(Caption(), "Vistrel - Pause");
    EXPECT_EQ(Form1->Model.State(), PlaybackState::Paused);
    Click(Form1->SpeedButtons[SkinRecord::Play]);
    EXPECT_EQ(Caption(), "Vistrel - Lecture");
    Click(Form1->SpeedButtons[SkinRecord::Stop]);
    EXPECT_EQ(Caption(), "Vistrel - Arrêt");
    // The full-screen button reaches the video window.
    Click(Form1->SpeedButtons[SkinRecord::Play]);
    ASSERT_TRUE(waitFor([] { return Caption() == "Vistrel - Lecture"; }));
    Click(Form1->SpeedButton9);
    EXPECT_TRUE(waitFor([] { return Form10->dvdx8->FullScreen(); }));
    Form1->FullScreen1Click();
    EXPECT_TRUE(waitFor([] { return !Form10->dvdx8->FullScreen(); }));
    Click(Form1->SpeedButtons[SkinRecord::Stop]);
}

TEST(ControlPanel, ScanButtonsScanADvdAndTheVideoMenuDoesTheSame)
{
    StartProgram();
    Form1->Model.SetMedium(".DVD", {});
    Click(Form1->SpeedButtons[SkinRecord::Play]);
    ASSERT_TRUE(waitFor([] { return Caption() == "Vistrel - Lecture"; }, std::chrono::seconds(10)));
    // Into the first title, where a scan is allowed.
    ASSERT_EQ(Form10->DVDGraph->IDvdControl2()->PlayChapterInTitle(1, 1, 0, nullptr), S_OK);
    QTest::qWait(500);
    Click(Form1->SpeedButtons[SkinRecord::Forward]);
    EXPECT_TRUE(waitFor([] { return Form1->Model.State() == PlaybackState::ScanningForward; }));
    Click(Form1->SpeedButtons[SkinRecord::Rewind]);
    EXPECT_TRUE(waitFor([] { return Form1->Model.State() == PlaybackState::ScanningBackward; }));
    Click(Form1->SpeedButtons[SkinRecord::Play]);
    EXPECT_TRUE(waitFor([] { return Form1->Model.State() == PlaybackState::Playing; }));
    Form10->MenuItem("Fastforward2")->trigger();
    EXPECT_TRUE(waitFor([] { return Form1->Model.State() == PlaybackState::ScanningForward; }));
    EXPECT_EQ(Form1->Model.Rate(), 8.0);
    Click(Form1->SpeedButtons[SkinRecord::Stop]);
}

TEST(ControlPanel, DoorCaptionFollowsTheDrive)
{
    StartProgram();
    bool obeys = true;
    std::vector<bool> asked;
    TForm1::DoorCommand = [&](const QString&, bool open) {
        asked.push_back(open);
        return obeys;
    };
    Form1->Model.SetMediaDrive("/dev/sr9");
    QAction* door = Form1->Ejecterledisque1;
    EXPECT_EQ(door->text(), "&Ejecter le disque");
    door->trigger();
    EXPECT_EQ(door->text(), "&Refermer");
    door->trigger();
    EXPECT_EQ(door->text(), "&Ejecter le disque");
    EXPECT_EQ(asked, (std::vector<bool>{true, false}));
    // A drive that does not obey changes nothing.
    obeys = false;
    door->trigger();
    EXPECT_EQ(door->text(), "&Ejecter le disque");
    EXPECT_FALSE(Form1->DoorOpen);
}

TEST(ControlPanel, DraggingTheFaceMovesTheWindowWithThePointer)
{
    StartProgram();
    DefaultSkin();
    Form1->move(40, 40);
    ASSERT_TRUE(waitFor([] { return Form1->pos() == QPoint(40, 40); }));
    QWidget* face = Form1->Image1;
    const QPoint grip(150, 12);
    QTest::mousePress(face, Qt::LeftButton, {}, grip);
    // The pointer moves 30 right and 20 down; the face under it is still at the grip.
    QMouseEvent move(QEvent::MouseMove, QPointF(grip + QPoint(30, 20)), QPointF(face->mapToGlobal(grip + QPoint(30, 20))),
                     Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(face, &move);
    QTest::mouseRelease(face, Qt::LeftButton, {}, grip);
    EXPECT_TRUE(waitFor([] { return Form1->pos() == QPoint(70, 60); })) << Form1->pos().x() << "," << Form1->pos().y();
    EXPECT_FALSE(Form1->Dragging);
    Form1->move(10, 10);
}

TEST(ControlPanel, TrayMenuIsThePanelsUntilAMediumIsOpened)
{
    StartProgram();
    EXPECT_EQ(Form1->PiconeBarreTache1->MenuPop(), Form1->PopupMenu1);
    QStringList captions;
    for (QAction* action : Form1->PopupMenu1->actions())
        captions << action->text();
    EXPECT_EQ(captions, (QStringList{"&Ouvrir un fichier multimédia...", "&Volume...", "&Ejecter le disque", "",
                                     "Vistrel sur Internet...", "&Informations...", "", "&Quitter"}));
    EXPECT_FALSE(Form1->PopupMenu1->actions().at(0)->icon().isNull());
}

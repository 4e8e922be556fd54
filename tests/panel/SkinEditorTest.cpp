// The skin editor as a user drives it from the panel's button: the preview and its element list,
// moving elements by the boxes and with the mouse, picture, colour and font choices, and what
// Apply, OK, Annuler, Défaut and the close box leave on the panel and in interface.dat.
#include "PanelScreen.h"
#include "PlayerFixture.h"

#include "controls/VOzariButton.h"
#include "panel/ControlPanel.h"
#include "panel/PictureButton.h"
#include "panel/ScreenFontDialog.h"
#include "panel/SkinEditor.h"
#include "support/TestSupport.h"

#include <QColorDialog>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFontDialog>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QProcess>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

#include <functional>

using namespace paneltest;
using namespace playertest;
using testsupport::waitFor;

namespace {

QString Nuit(const QString& file)
{
    return testsupport::binDir() + "/skins/nuit/" + file;
}

QByteArray SkinFileBytes()
{
    QFile file(Form1->SkinFile());
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// The panel back on the default skin, with or without interface.dat.
void DefaultSkin(bool saved)
{
    QFile::remove(Form1->SkinFile());
    ASSERT_TRUE(Form1->LoadSkin());
    if (saved) {
        ASSERT_TRUE(Form1->SaveSkin());
    }
    TakeMessages();
}

// Runs `step` once `dialog` is on the screen (a modal dialog's own loop is running by then).
void WhenShown(QWidget* dialog, std::function<void()> step, int tries = 500)
{
    QTimer::singleShot(10, dialog, [dialog, step, tries] {
        if (dialog->isVisible() || tries == 0)
            step();
        else
            WhenShown(dialog, step, tries - 1);
    });
}

// The user opens the editor with the panel's button and does `inside`; the editor is then closed
// with Annuler unless `inside` closed it.
void UseEditor(std::function<void()> inside)
{
    WhenShown(Form2, [inside] {
        inside();
        if (Form2->isVisible())
            Form2->BitBtn2Click();
    });
    QTest::mouseClick(Form1->VOzariButton3, Qt::LeftButton, {}, Form1->VOzariButton3->rect().center());
    ASSERT_FALSE(Form2->isVisible());
}

// The next file dialog answers with `path`, typed in its file name box.
void PickFile(QFileDialog* dialog, const QString& path)
{
    WhenShown(dialog, [dialog, path] {
        auto* name = dialog->findChild<QLineEdit*>("fileNameEdit");
        ASSERT_TRUE(name);
        dialog->setDirectory(QFileInfo(path).absolutePath());
        name->setText(QFileInfo(path).fileName());
        static_cast<QDialog*>(dialog)->accept();  // the file dialog's own check of the choice runs

    });
}

// The next colour dialog answers with `colour`; `opened` receives the colour it opened on.
void PickColour(const QColor& colour, QColor* opened = nullptr)
{
    WhenShown(Form2->ColorDialog1, [colour, opened] {
        if (opened)
            *opened = Form2->ColorDialog1->currentColor();
        Form2->ColorDialog1->setCurrentColor(colour);
        Form2->ColorDialog1->accept();
    });
}

// A click of the left button in the middle of `control`.
void ClickOn(QWidget* control)
{
    QTest::mouseClick(control, Qt::LeftButton, {}, control->rect().center());
}

void Select(TForm2::Element element)
{
    Form2->ComboBox1->setCurrentIndex(element);
}

void Type(QSpinBox* box, const QString& text)
{
    box->selectAll();
    QTest::keyClicks(box, text);
}

const QColor kMagenta(255, 0, 255);
const QColor kBlue(0, 0, 255);

}  // namespace

TEST(SkinEditor, OpensOnThePanelsRecordAndMovesTheChosenElement)
{
    StartProgram();
    DefaultSkin(false);
    Form1->Skin.HelpAt = {200, 70};
    Form1->Skin.FullScreenAt = {150, 95};
    UseEditor([] {
        EXPECT_EQ(Form2->windowTitle(), "Configuration de l'interface");
        EXPECT_EQ(Form2->size(), QSize(442, 294));
        EXPECT_EQ(Form2->ComboBox1->count(), 12);
        EXPECT_EQ(Form2->ComboBox1->itemText(TForm2::FullScreen), "Plein écran");
        EXPECT_EQ(Form2->ComboBox1->itemText(TForm2::Screen), "Ecran");
        EXPECT_EQ(Form2->OpenPictureDialog1->nameFilters(), QStringList{"Bitmaps (*.bmp)"});
        EXPECT_EQ(Form2->OpenPictureDialog2->nameFilters(), QStringList{"Bitmaps (*.bmp)"});
        // The preview shows the record's places and colours.
        EXPECT_EQ(Form2->VOzariButton1->pos(), QPoint(200, 70));
        EXPECT_EQ(Form2->SpeedButton9->pos(), QPoint(150, 95));
        EXPECT_EQ(Form2->SpeedButtons[SkinRecord::Play]->pos(), QPoint(92, 90));
        EXPECT_EQ(Form2->Panel2->palette().color(QPalette::Window), QColor(Qt::white));
        EXPECT_EQ(Form2->Panel3->palette().color(QPalette::Window), QColor(0, 255, 255));

        // "Ecran" and 40 typed in X: the status display goes to left 40, keystroke by keystroke.
        Select(TForm2::Screen);
        EXPECT_EQ(Form2->Edit1->value(), 18);
        EXPECT_FALSE(Form2->Image2->isVisible());
        Type(Form2->Edit1, "4");
        EXPECT_EQ(Form2->Panel3->x(), 4);
        QTest::keyClicks(Form2->Edit1, "0");
        EXPECT_EQ(Form2->Panel3->pos(), QPoint(40, 23));

        // A shaped button has no picture to choose; a picture button shows its own.
        Select(TForm2::Help);
        EXPECT_FALSE(Form2->Image2->isVisible());
        Select(TForm2::Pause);
        EXPECT_TRUE(Form2->Image2->isVisible());
        EXPECT_FALSE(Form2->Image2->pixmap().isNull());

        // A press on a preview element picks it without moving it.
        QTest::mouseClick(Form2->Panel3, Qt::LeftButton, {}, QPoint(100, 10));
        EXPECT_EQ(Form2->ComboBox1->currentIndex(), int(TForm2::Screen));
        EXPECT_EQ(Form2->Panel3->pos(), QPoint(40, 23));
    });
    EXPECT_FALSE(Form2->SkinEditorAccepted);
    // Annuler: the panel takes the defaults again, nothing was written.
    EXPECT_FALSE(QFile::exists(Form1->SkinFile()));
    EXPECT_EQ(Form1->Skin.HelpAt, QPoint(259, 89));
}

TEST(SkinEditor, ApplyDressesThePanelWithoutWritingAndAnnulerBringsBackTheFile)
{
    if (!testsupport::haveX11())
        GTEST_SKIP() << "needs an X display";
    StartProgram();
    DefaultSkin(true);
    const QByteArray onDisk = SkinFileBytes();
    const QRegion outline = Form1->mask();
    const QImage face = Form1->FacePicture;
    const QColor nuitFace = QImage(Nuit("interface.bmp")).pixelColor(150, 8);
    ASSERT_FALSE(Near(nuitFace, face.pixelColor(150, 8), 12));

    UseEditor([&] {
        PickFile(Form2->OpenPictureDialog1, Nuit("interface.bmp"));
        ClickOn(Form2->Image1);
        EXPECT_EQ(Form2->Label5->text(), Nuit("interface.bmp"));
        PickColour(kMagenta);
        ClickOn(Form2->BitBtn4);
        Form2->BitBtn6Click();

        // The panel shows the night face, cut along its magenta; the file is as it was.
        EXPECT_TRUE(Form2->isVisible());
        EXPECT_NE(Form1->mask(), outline);
        EXPECT_FALSE(Form1->mask().contains(QPoint(1, 1)));
        EXPECT_TRUE(Form1->mask().contains(QPoint(150, 60)));
        EXPECT_TRUE(waitFor([&] { return Near(Screen(Form1->geometry()).pixelColor(150, 8), nuitFace); }));
        EXPECT_EQ(SkinFileBytes(), onDisk);
        EXPECT_EQ(Form1->Skin.TransparencyColour, 0x00FF00FFu);
        Form2->BitBtn2Click();
    });
    EXPECT_EQ(SkinFileBytes(), onDisk);
    EXPECT_EQ(Form1->Skin, *SkinRecord::FromBytes(onDisk));
    EXPECT_EQ(Form1->mask(), outline);
    EXPECT_EQ(Form1->FacePicture, face);
    EXPECT_TRUE(waitFor([&] { return Near(Screen(Form1->geometry()).pixelColor(150, 8), face.pixelColor(150, 8)); }));
}

TEST(SkinEditor, OkWritesTheRecordThatThePanelWears)
{
    StartProgram();
    // Without changes, OK writes the live record; both full-screen places hold the button's.
    DefaultSkin(false);
    const SkinRecord before = Form1->Skin;
    UseEditor([] { Form2->BitBtn1Click(); });
    EXPECT_TRUE(Form2->SkinEditorAccepted);
    std::optional<SkinRecord> written = SkinRecord::FromBytes(SkinFileBytes());
    ASSERT_TRUE(written);
    SkinRecord expected = before;
    expected.FullScreenFirstAt = expected.FullScreenAt;
    EXPECT_EQ(*written, expected);

    // A new screen colour and a moved quit button reach the file and the panel.
    UseEditor([] {
        PickColour(kBlue);
        Form2->Panel4Click();
        Select(TForm2::Quit);
        Type(Form2->Edit2, "9");
        Form2->BitBtn1Click();
    });
    written = SkinRecord::FromBytes(SkinFileBytes());
    ASSERT_TRUE(written);
    EXPECT_EQ(written->ScreenColour, 0x00FF0000u);
    EXPECT_EQ(written->QuitAt, QPoint(280, 9));
    EXPECT_EQ(*written, Form1->Skin);
    EXPECT_EQ(Form1->Panel1->palette().color(QPalette::Window), kBlue);
    EXPECT_EQ(Form1->VOzariButton2->pos(), QPoint(280, 9));
    EXPECT_TRUE(TakeMessages().empty());
    DefaultSkin(false);
}

TEST(SkinEditor, DefautGivesTheDefaultFaceWithOrWithoutASkinFile)
{
    StartProgram();
    DefaultSkin(false);
    const QImage defaultFace = Form1->FacePicture;
    const QRegion defaultOutline = Form1->mask();
    const SkinRecord defaults = Form1->Skin;

    Form1->Skin.Background = Nuit("interface.bmp");
    Form1->Skin.TransparencyColour = 0x00FF00FF;
    Form1->Skin.ScreenColour = 0x00402814;
    ASSERT_TRUE(Form1->SaveSkin());
    ASSERT_TRUE(Form1->LoadSkin());
    ASSERT_NE(Form1->FacePicture, defaultFace);

    UseEditor([] { Form2->Button1Click(); });
    EXPECT_FALSE(QFile::exists(Form1->SkinFile()));
    EXPECT_EQ(Form1->Skin, defaults);
    EXPECT_EQ(Form1->FacePicture, defaultFace);
    EXPECT_EQ(Form1->mask(), defaultOutline);

    // Again without a file: the editor still closes and the panel keeps the defaults.
    UseEditor([] { Form2->Button1Click(); });
    EXPECT_FALSE(Form2->isVisible());
    EXPECT_EQ(Form1->Skin, defaults);
    EXPECT_TRUE(TakeMessages().empty());
}

TEST(SkinEditor, ElementsMovedByTheBoxesAndTheMouseMoveOnThePanelAfterApply)
{
    StartProgram();
    DefaultSkin(false);
    const QImage face = Form1->FacePicture;
    UseEditor([&] {
        Select(TForm2::Play);
        Type(Form2->Edit1, "200");
        Type(Form2->Edit2, "60");
        EXPECT_EQ(Form2->SpeedButtons[SkinRecord::Play]->pos(), QPoint(200, 60));

        // The stop button carried 30 right and 20 up with the mouse.
        PictureButton* stop = Form2->SpeedButtons[SkinRecord::Stop];
        const QPoint grip = stop->rect().center();
        const QPoint globalGrip = stop->mapToGlobal(grip);
        QTest::mousePress(stop, Qt::LeftButton, {}, grip);
        EXPECT_EQ(Form2->ComboBox1->currentIndex(), int(TForm2::Stop));
        for (const QPoint step : {QPoint(10, -5), QPoint(30, -20)}) {
            QMouseEvent move(QEvent::MouseMove, QPointF(grip + step), QPointF(globalGrip + step), Qt::NoButton,
                             Qt::LeftButton, Qt::NoModifier);
            QCoreApplication::sendEvent(stop, &move);
        }
        QTest::mouseRelease(stop, Qt::LeftButton, {}, stop->rect().center());
        EXPECT_EQ(stop->pos(), QPoint(147, 70));
        EXPECT_EQ(Form2->Edit1->value(), 147);
        EXPECT_EQ(Form2->Edit2->value(), 70);

        // Only Apply shows it on the panel: its buttons and the pictures drawn on its face.
        EXPECT_EQ(Form1->SpeedButtons[SkinRecord::Play]->pos(), QPoint(92, 90));
        Form2->BitBtn6Click();
        EXPECT_EQ(Form1->SpeedButtons[SkinRecord::Play]->pos(), QPoint(200, 60));
        EXPECT_EQ(Form1->SpeedButtons[SkinRecord::Stop]->pos(), QPoint(147, 70));
        const QImage play = WithBlackTransparent(QImage(Form1->Skin.Buttons[SkinRecord::Play]));
        const QPoint opaque = [&] {
            for (int y = 0; y < play.height(); ++y)
                for (int x = 0; x < play.width(); ++x)
                    if (qAlpha(play.pixel(x, y)) == 255)
                        return QPoint(x, y);
            return QPoint();
        }();
        EXPECT_EQ(Form1->FacePicture.pixel(QPoint(200, 60) + opaque), play.pixel(opaque) | 0xFF000000u);
        EXPECT_NE(Form1->FacePicture, face);
    });
    // Annuler puts everything back.
    EXPECT_EQ(Form1->SpeedButtons[SkinRecord::Play]->pos(), QPoint(92, 90));
    EXPECT_EQ(Form1->FacePicture, face);
}

TEST(SkinEditor, PicturesThatCannotBeKeptAreRefusedAndThePreviousChoiceStays)
{
    StartProgram();
    DefaultSkin(false);
    QTemporaryDir folder;
    const QString broken = folder.filePath("cassée.bmp");
    {
        QFile file(broken);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("BM this is no bitmap");
    }
    // Good pictures the record cannot keep: one whose path is longer than the record's 255 characters.
    QString deep = folder.path();
    while (deep.size() < 260)
        deep += "/" + QString(60, QLatin1Char('d'));
    ASSERT_TRUE(QDir().mkpath(deep));
    const QString tooLong = deep + "/pause.bmp";
    ASSERT_TRUE(QFile::copy(Nuit("pause.bmp"), tooLong));
    // And one whose name the record's code page cannot write.
    const QString cyrillic = folder.filePath("пауза.bmp");
    ASSERT_TRUE(QFile::copy(Nuit("pause.bmp"), cyrillic));
    const QImage panelPause = Form1->SpeedButtons[SkinRecord::Pause]->Picture();

    UseEditor([&] {
        PickFile(Form2->OpenPictureDialog1, Nuit("interface.bmp"));
        Form2->Image1Click();
        const qint64 shown = Form2->Image1->pixmap().cacheKey();
        PickFile(Form2->OpenPictureDialog1, broken);
        Form2->Image1Click();
        auto messages = TakeMessages();
        ASSERT_EQ(messages.size(), 1u);
        EXPECT_EQ(messages[0].caption, "Erreur");
        EXPECT_TRUE(messages[0].text.startsWith("Impossible de charger l'image")) << messages[0].text.toStdString();
        EXPECT_TRUE(messages[0].text.contains("cassée.bmp"));
        EXPECT_EQ(Form2->Label5->text(), Nuit("interface.bmp"));
        EXPECT_EQ(Form2->Image1->pixmap().cacheKey(), shown);

        // A new pause picture goes into the record at once; refused ones leave it.
        Select(TForm2::Pause);
        PickFile(Form2->OpenPictureDialog2, Nuit("pause.bmp"));
        ClickOn(Form2->Image2);
        PickFile(Form2->OpenPictureDialog2, broken);
        Form2->Image2Click();
        PickFile(Form2->OpenPictureDialog2, tooLong);
        Form2->Image2Click();
        PickFile(Form2->OpenPictureDialog2, cyrillic);
        Form2->Image2Click();
        messages = TakeMessages();
        ASSERT_EQ(messages.size(), 3u);
        EXPECT_TRUE(messages[1].text.contains("trop long")) << messages[1].text.toStdString();
        EXPECT_TRUE(messages[2].text.contains("lettres latines")) << messages[2].text.toStdString();
        Form2->BitBtn6Click();
        EXPECT_EQ(Form1->Skin.Buttons[SkinRecord::Pause], Nuit("pause.bmp"));
        EXPECT_NE(Form1->SpeedButtons[SkinRecord::Pause]->Picture(), panelPause);
    });
    // Annuler: the panel's pause picture is the one it had.
    EXPECT_EQ(Form1->SpeedButtons[SkinRecord::Pause]->Picture(), panelPause);
    EXPECT_EQ(Form1->Skin.Buttons[SkinRecord::Pause], SkinRecord::Defaults(QFileInfo(Form1->Skin.Background).path() + "/").Buttons[SkinRecord::Pause]);
}

TEST(SkinEditor, ColourAndFontDialogsOpenOnTheirLastAnswer)
{
    StartProgram();
    DefaultSkin(false);
    QColor opened;
    UseEditor([&] {
        PickColour(kMagenta, &opened);
        ClickOn(Form2->Panel2);
        EXPECT_EQ(Form2->Panel2->palette().color(QPalette::Window), kMagenta);
        PickColour(kBlue, &opened);
        ClickOn(Form2->Panel4);
        EXPECT_EQ(opened, kMagenta);
        EXPECT_EQ(Form2->Panel3->palette().color(QPalette::Window), kBlue);

        // The font dialog holds its size to 8 to 12 points and gives a colour.
        ScreenFontDialog* fonts = Form2->FontDialog1;
        int openedSize = 0;
        WhenShown(fonts, [&] {
            openedSize = fonts->Fonts->currentFont().pointSize();
            QStringList offered;
            for (QListView* list : fonts->Fonts->findChildren<QListView*>())
                for (int row = 0; row < list->model()->rowCount(); ++row) {
                    bool number = false;
                    const int size = list->model()->index(row, 0).data().toString().toInt(&number);
                    if (number && !list->isRowHidden(row))
                        offered << QString::number(size);
                }
            EXPECT_EQ(offered, (QStringList{"8", "9", "10", "11", "12"}));
            QFont big = fonts->Fonts->currentFont();
            big.setPointSize(20);
            fonts->Fonts->setCurrentFont(big);
            EXPECT_EQ(fonts->Fonts->currentFont().pointSize(), 12);
            fonts->Colours->setCurrentIndex(fonts->Colours->findText("Rouge"));
            fonts->accept();
        });
        Form2->BitBtn5Click();
        EXPECT_EQ(openedSize, 8);
        EXPECT_EQ(Form2->Panel3->font().pointSize(), 12);
        EXPECT_EQ(Form2->Panel3->palette().color(QPalette::WindowText), QColor(Qt::red));
        Form2->BitBtn6Click();
        EXPECT_EQ(Form1->Skin.FontSize, 12);
        EXPECT_EQ(Form1->Skin.FontColour, 0x000000FFu);
        EXPECT_EQ(Form1->Skin.ScreenColour, 0x00FF0000u);
    });
    // The next opening: both dialogs start on what they last gave, not on the skin.
    UseEditor([&] {
        PickColour(Qt::green, &opened);
        Form2->BitBtn4Click();
        EXPECT_EQ(opened, kBlue);
        WhenShown(Form2->FontDialog1, [] {
            EXPECT_EQ(Form2->FontDialog1->Fonts->currentFont().pointSize(), 12);
            EXPECT_EQ(Form2->FontDialog1->Colours->currentText(), "Rouge");
            // Escape in the font part closes the whole chooser.
            QTest::keyClick(Form2->FontDialog1->Fonts, Qt::Key_Escape);
            EXPECT_FALSE(Form2->FontDialog1->isVisible());
            Form2->FontDialog1->reject();
        });
        Form2->BitBtn5Click();
    });
}

TEST(SkinEditor, CloseBoxActsAsAnnuler)
{
    StartProgram();
    DefaultSkin(true);
    const QByteArray onDisk = SkinFileBytes();
    UseEditor([] {
        PickColour(kBlue);
        Form2->Panel4Click();
        Form2->BitBtn6Click();
        EXPECT_EQ(Form1->Panel1->palette().color(QPalette::Window), kBlue);
        Form2->close();
    });
    EXPECT_FALSE(Form2->SkinEditorAccepted);
    EXPECT_EQ(SkinFileBytes(), onDisk);
    EXPECT_EQ(Form1->Panel1->palette().color(QPalette::Window), QColor(0, 255, 255));
}

TEST(SkinEditor, SkinSavedByTheEditorDressesTheNextStartOfTheProgram)
{
    if (!testsupport::haveX11())
        GTEST_SKIP() << "needs an X display";
    StartProgram();
    DefaultSkin(false);
    const QColor defaultFace = Form1->FacePicture.pixelColor(150, 8);
    UseEditor([] {
        PickFile(Form2->OpenPictureDialog1, Nuit("interface.bmp"));
        Form2->Image1Click();
        PickColour(kMagenta);
        Form2->BitBtn4Click();
        PickColour(kBlue);
        Form2->Panel4Click();
        Form2->BitBtn1Click();
    });
    ASSERT_EQ(QFileInfo(Form1->SkinFile()).size(), 2424);
    const QColor nuitFace = QImage(Nuit("interface.bmp")).pixelColor(150, 8);
    ASSERT_FALSE(Near(nuitFace, defaultFace));

    // This panel steps aside; a red window stands for the desktop where the next one will be.
    const QPoint home = Form1->pos();
    Form1->move(700, 700);
    const QRect area(home, QSize(302, 121));
    const auto desktop = RedDesktop(area);
    // Nothing of this process is left there: whatever panel shows up is the new program's.
    ASSERT_TRUE(waitFor([&] { return Near(Screen(area).pixelColor(150, 8), Qt::red); }));

    QProcess program;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("VISTREL_HOME", QDir(Form1->Settings).absolutePath());
    program.setProcessEnvironment(environment);
    program.start(testsupport::binDir() + "/vistrel", {});
    ASSERT_TRUE(program.waitForStarted());
    // The new panel wears the saved skin: the night face, the blue screen, magenta cut away.
    const QPoint screen = Form1->Skin.StatusAt + QPoint(200, 45);
    EXPECT_TRUE(waitFor(
        [&] {
            const QImage shot = Screen(area);
            return Near(shot.pixelColor(150, 8), nuitFace) && Near(shot.pixelColor(screen), kBlue)
                   && Near(shot.pixelColor(1, 1), Qt::red);
        },
        std::chrono::seconds(20)));
    const QImage shot = Screen(area);
    EXPECT_TRUE(Near(shot.pixelColor(150, 8), nuitFace));
    EXPECT_TRUE(Near(shot.pixelColor(screen), kBlue));
    EXPECT_TRUE(Near(shot.pixelColor(1, 1), Qt::red));
    program.terminate();
    if (!program.waitForFinished(10000)) {
        program.kill();
        program.waitForFinished();
    }
    Form1->move(home);
    DefaultSkin(false);
}

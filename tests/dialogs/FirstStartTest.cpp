// The program's first start on a machine with two drives: the panel asks for the default drive
// before it goes on, refuses a blank answer and keeps a typed one.
#include "app/CommandLine.h"
#include "app/StartUp.h"
#include "app/TApplication.h"
#include "dialogs/DriveChooser.h"
#include "model/PlayerModel.h"
#include "panel/ControlPanel.h"
#include "platform/system/MessageBox.h"
#include "platform/system/OpticalDrives.h"
#include "support/TestSupport.h"

#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QFile>
#include <QTemporaryDir>
#include <QTimer>
#include <gtest/gtest.h>

namespace {

// Runs `answer` once `dialog` is on the screen (it runs modally, so the test answers from a timer).
void WhenShown(QWidget* dialog, std::function<void()> answer)
{
    auto* poll = new QTimer;  // deletes itself once it has answered
    QObject::connect(poll, &QTimer::timeout, [poll, dialog, answer] {
        if (!dialog->isVisible())
            return;
        poll->stop();
        poll->deleteLater();
        answer();
    });
    poll->start(10);
}

}  // namespace

TEST(FirstStart, TwoDrivesBringTheQuestionBeforeThePanelGoesOn)
{
    QTemporaryDir home;
    qputenv("VISTREL_HOME", home.path().toUtf8());
    std::vector<platform::MessageBoxRequest> messages;
    platform::SetMessageBoxHandler([&](const platform::MessageBoxRequest& r) { messages.push_back(r); });
    platform::SetOpticalDrivesProbe([] { return QStringList{"/dev/sr0", "/dev/sr1"}; });
    auto application = std::make_unique<TApplication>();
    StartUp(*application, CommandLine::Parse({}));
    ASSERT_TRUE(Form13);
    EXPECT_FALSE(QFile::exists(home.path() + "/config.dat"));

    // The question, answered as a user would once it is on the screen: OK with nothing, then a
    // typed drive.
    bool asked = false;
    QStringList listed;
    WhenShown(Form13, [&] {
        asked = true;
        for (int i = 0; i < Form13->ComboBox1->count(); ++i)
            listed << Form13->ComboBox1->itemText(i);
        Form13->BitBtn1Click();
        Form13->ComboBox1->setEditText("/dev/sr1");
        Form13->BitBtn1Click();
    });
    Form1->show();
    ASSERT_TRUE(testsupport::waitFor([&] { return asked && !Form13->isVisible(); }));
    EXPECT_EQ(listed, (QStringList{"/dev/sr0", "/dev/sr1"}));
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].text, "Vous devez sélectionner un lecteur dans la liste.");
    EXPECT_EQ(Form1->Model.CurrentMedium().MediaDrive, "/dev/sr1");
    QFile config(home.path() + "/config.dat");
    ASSERT_TRUE(config.open(QIODevice::ReadOnly));
    EXPECT_EQ(config.readAll(), "/dev/sr1\r\n");

    // Closed without an answer at a later showing: no file, an empty drive, nothing fails.
    config.remove();
    Form1->hide();
    bool closed = false;
    WhenShown(Form13, [&] {
        Form13->reject();
        closed = true;
    });
    Form1->Model.SetMediaDrive("/dev/avant");
    Form1->show();
    ASSERT_TRUE(testsupport::waitFor([&] { return closed && Form1->Model.CurrentMedium().MediaDrive.isEmpty(); }));
    EXPECT_TRUE(Form1->isVisible());
    application.reset();
    platform::SetOpticalDrivesProbe({});
    platform::SetMessageBoxHandler({});
}

TEST(FirstStart, TheWholeQuestionShowsAboveTheListAndTheButton)
{
    QTemporaryDir home;
    qputenv("VISTREL_HOME", home.path().toUtf8());
    platform::SetOpticalDrivesProbe([] { return QStringList{"/dev/sr0", "/dev/sr1"}; });
    TForm13 dialog;
    dialog.show();
    ASSERT_TRUE(testsupport::waitFor([&] { return dialog.isVisible(); }));
    // Every line of the text fits in its label, which ends above the list; the list and the button
    // are inside the dialog, in that order.
    const QLabel* text = dialog.Label1;
    EXPECT_GE(text->height(), text->heightForWidth(text->width()));
    EXPECT_LE(text->geometry().bottom(), dialog.ComboBox1->geometry().top());
    EXPECT_LE(dialog.ComboBox1->geometry().bottom(), dialog.BitBtn1->geometry().top());
    EXPECT_TRUE(dialog.rect().contains(dialog.BitBtn1->geometry()));
    // The text's last word is drawn: the label's lowest text row has dark pixels.
    const QImage picture = dialog.grab().toImage();
    int lowestInk = -1;
    for (int y = text->geometry().top(); y <= text->geometry().bottom(); ++y)
        for (int x = text->geometry().left(); x <= text->geometry().right(); ++x)
            if (qGray(picture.pixel(x, y)) < 96)
                lowestInk = y;
    EXPECT_GT(lowestInk, text->geometry().top() + text->heightForWidth(text->width()) * 3 / 4);
    dialog.hide();
}

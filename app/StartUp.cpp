// The start of the program: the splash, the windows in their order, and their wiring.
#include "app/StartUp.h"

#include "app/CommandLine.h"
#include "app/TApplication.h"
#include "app/Splash.h"
#include "dialogs/SystemInformation.h"
#include "dialogs/MediaChooser.h"
#include "dialogs/DriveChooser.h"
#include "model/PlayerModel.h"
#include "panel/ControlPanel.h"
#include "panel/StatusDisplay.h"
#include "panel/SkinEditor.h"
#include "panel/SkinEditorLink.h"
#include "player/VideoWindow.h"
#include "player/GoToChapterDialog.h"
#include "player/GoToTimeDialog.h"
#include "player/GoToTitleDialog.h"
#include "player/SubtitlesDialog.h"
#include "player/AudioDialog.h"
#include "player/AngleDialog.h"
#include "platform/dvd/DvdGraph.h"
#include "platform/dvd/VolumeFinder.h"
#include "platform/system/ProgramFolder.h"
#include "platform/system/StartTrace.h"
#include "platform/system/WindowPlacement.h"

#include <QCoreApplication>

void StartUp(TApplication& application, const CommandLine& commandLine, dvd::PreparedDisc* preparedDisc)
{
    PlayerModel& model = application.Model();

    // The splash, on the screen and painted before the lengthy creation begins.
    auto splash = std::make_unique<TForm9>(platform::DataFile(QStringLiteral("splash.jpg")));
    Form9 = splash.get();
    application.Adopt(std::move(splash));
    platform::CentreOnScreen(*Form9);
    Form9->show();
    Form9->raise();
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    Form9->repaint();
    platform::TraceStart("splash shown");

    if (preparedDisc && dvd::IsDvdVolume(commandLine.medium))
        preparedDisc->prepare(commandLine.medium);

    // The panel's creation runs the splash's progress.
    model.SetStartUpProgress(Form9);

    // The application is initialised and titled.
    application.SetTitle(QStringLiteral("Vistrel de QUENTRAX"));

    // The medium named on the command line becomes the current medium once the panel shows.
    TForm1::CommandLineMedium = commandLine.medium;

    // Every window once, in this order: the control panel first, so it is the main window. The
    // dialogs are made when first opened: made here, they took the time of the first picture.
    application.CreateForm(Form1, model);
    platform::TraceStart("control panel made");
    model.SetStartUpProgress(nullptr);
    model.SetStatusDisplay(Form1->Image2);
    model.SetPanel(Form1);
    application.DeferForm(Form3);
    application.DeferForm(Form4);
    application.DeferForm(Form5);
    application.DeferForm(Form6);
    application.DeferForm(Form7);
    application.DeferForm(Form8);
    application.CreateForm(Form10, model);
    model.SetCommands(Form10);
    application.DeferForm(Form2);
    ConnectSkinEditor(*Form1, [] { return Form2.get(); });
    application.DeferForm(Form11);
    application.DeferForm(Form12);
    // Made at every start: with a single drive, it writes that drive into the configuration.
    application.CreateForm(Form13);
    platform::TraceStart("every window made");
}

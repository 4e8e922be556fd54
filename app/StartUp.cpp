#include "app/StartUp.h"

#include "app/CommandLine.h"
#include "app/TApplication.h"
#include "app/TForm9.h"
#include "dialogs/TForm11.h"
#include "dialogs/TForm12.h"
#include "dialogs/TForm13.h"
#include "panel/TForm1.h"
#include "panel/TForm2.h"
#include "player/TForm10.h"
#include "player/TForm3.h"
#include "player/TForm4.h"
#include "player/TForm5.h"
#include "player/TForm6.h"
#include "player/TForm7.h"
#include "player/TForm8.h"
#include "platform/system/ProgramFolder.h"
#include "platform/system/WindowPlacement.h"

#include <QCoreApplication>

void StartUp(TApplication& application, const CommandLine& commandLine)
{
    // 1. The splash, on the screen and painted before the lengthy creation begins.
    auto splash = std::make_unique<TForm9>(platform::DataFile(QStringLiteral("splash.jpg")));
    Form9 = splash.get();
    application.Adopt(std::move(splash));
    platform::CentreOnScreen(*Form9);
    Form9->show();
    Form9->raise();
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    Form9->repaint();

    // 2, 3. The application is initialised; its title.
    application.SetTitle(QStringLiteral("Vistrel de QUENTRAX"));

    // The medium named on the command line becomes the current medium once the panel shows.
    TForm1::CommandLineMedium = commandLine.medium;

    // 4. Every window once, in this order: the control panel first, so it is the main window.
    application.CreateForm(Form1);
    application.CreateForm(Form3);
    application.CreateForm(Form4);
    application.CreateForm(Form5);
    application.CreateForm(Form6);
    application.CreateForm(Form7);
    application.CreateForm(Form8);
    application.CreateForm(Form10);
    application.CreateForm(Form2);
    application.CreateForm(Form11);
    application.CreateForm(Form12);
    application.CreateForm(Form13);
}

#include "PlayerFixture.h"

#include "app/CommandLine.h"
#include "app/StartUp.h"
#include "app/TApplication.h"
#include "engine/TDSVideoWindow.h"
#include "model/PlayerModel.h"
#include "panel/ControlPanel.h"
#include "platform/dvd/VolumeFinder.h"
#include "platform/media/VideoRendererWindow.h"
#include "player/VideoWindow.h"
#include "support/TestSupport.h"

#include <QApplication>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <memory>

namespace playertest {
namespace {

std::vector<platform::MessageBoxRequest>& Messages()
{
    static std::vector<platform::MessageBoxRequest> messages;
    return messages;
}

bool& BusyAtMessage()
{
    static bool busy = false;
    return busy;
}

struct Program {
    std::unique_ptr<QTemporaryDir> home;
    std::unique_ptr<TApplication> application;
};

Program* g_program = nullptr;

class ProgramTearDown : public ::testing::Environment {
public:
    void TearDown() override
    {
        if (g_program)
            g_program->application.reset();
    }
};
const auto* const g_tearDown = ::testing::AddGlobalTestEnvironment(new ProgramTearDown);

}  // namespace

void StartProgram()
{
    static Program program = [] {
        Program p;
        p.home = std::make_unique<QTemporaryDir>();
        testsupport::prepareSettings(p.home->path());
        qputenv("VISTREL_HOME", p.home->path().toUtf8());
        platform::SetMessageBoxHandler([](const platform::MessageBoxRequest& r) {
            Messages().push_back(r);
            BusyAtMessage() = QApplication::overrideCursor() != nullptr;
        });
        p.application = std::make_unique<TApplication>();
        StartUp(*p.application, CommandLine::Parse({}));
        Form1->show();
        return p;
    }();
    g_program = &program;
    dvd::SetPreferredVolume(testsupport::media("dvd"));
}

bool BusyCursorAtLastMessage()
{
    return BusyAtMessage();
}

std::vector<platform::MessageBoxRequest> TakeMessages()
{
    std::vector<platform::MessageBoxRequest> taken;
    taken.swap(Messages());
    return taken;
}

void ChooseMedium(const QString& relative)
{
    Form1->Model.SetMedium((QStringLiteral(".") + QFileInfo(relative).suffix().toUpper()).left(4),
                           testsupport::media(relative));
}

QImage VideoPicture()
{
    auto* window = Form10->dvdx8->FindRendererWindow();
    return window ? window->picture() : QImage();
}

QColor ColourAt(const QImage& picture, int x, int y)
{
    if (picture.isNull())
        return {};
    return picture.pixelColor(std::clamp(x * picture.width() / 720, 0, picture.width() - 1),
                              std::clamp(y * picture.height() / 576, 0, picture.height() - 1));
}

bool Near(const QColor& c, int r, int g, int b, int tolerance)
{
    return c.isValid() && std::abs(c.red() - r) <= tolerance && std::abs(c.green() - g) <= tolerance
           && std::abs(c.blue() - b) <= tolerance;
}

bool WaitForVideoColour(int x, int y, int r, int g, int b, std::chrono::milliseconds timeout)
{
    return testsupport::waitFor([&] { return Near(ColourAt(VideoPicture(), x, y), r, g, b); }, timeout);
}

QString Caption()
{
    return Form10->windowTitle();
}

}  // namespace playertest

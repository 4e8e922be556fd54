#include "app/CommandLine.h"

#include "support/TestSupport.h"

#include <QProcess>
#include <gtest/gtest.h>

TEST(CommandLine, ParsesMediumAndOptions)
{
    EXPECT_EQ(CommandLine::Parse({}).action, CommandLine::Action::Run);
    EXPECT_TRUE(CommandLine::Parse({}).medium.isEmpty());
    const CommandLine withMedium = CommandLine::Parse({"/media/disc/VIDEO_TS"});
    EXPECT_EQ(withMedium.action, CommandLine::Action::Run);
    EXPECT_EQ(withMedium.medium, "/media/disc/VIDEO_TS");
    EXPECT_EQ(CommandLine::Parse({"--help"}).action, CommandLine::Action::Help);
    EXPECT_EQ(CommandLine::Parse({"film.avi", "--version"}).action, CommandLine::Action::Version);
    // A file whose name starts with a dash is reached after "--".
    const CommandLine dashed = CommandLine::Parse({"--", "-odd.mpg"});
    EXPECT_EQ(dashed.action, CommandLine::Action::Run);
    EXPECT_EQ(dashed.medium, "-odd.mpg");
}

TEST(CommandLine, RefusesUnknownOptionsAndSecondMedium)
{
    const CommandLine unknown = CommandLine::Parse({"--fullscreen"});
    EXPECT_EQ(unknown.action, CommandLine::Action::Error);
    EXPECT_TRUE(unknown.errorMessage.contains("--fullscreen"));
    EXPECT_EQ(CommandLine::Parse({"a.avi", "b.avi"}).action, CommandLine::Action::Error);
}

namespace {

struct Ran {
    int exitCode;
    QString out;
    QString err;
};

Ran RunProgram(const QStringList& arguments)
{
    QProcess process;
    process.start(testsupport::binDir() + QStringLiteral("/vistrel"), arguments);
    if (!process.waitForFinished(20000)) {
        process.kill();
        process.waitForFinished();
        return {-1, {}, {}};
    }
    return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
            QString::fromUtf8(process.readAllStandardOutput()), QString::fromUtf8(process.readAllStandardError())};
}

}  // namespace

TEST(CommandLine, ProgramAnswersHelpAndVersionWithoutADisplay)
{
    qunsetenv("DISPLAY");
    const Ran help = RunProgram({"--help"});
    EXPECT_EQ(help.exitCode, 0);
    EXPECT_TRUE(help.out.startsWith("Usage : vistrel"));
    const Ran version = RunProgram({"--version"});
    EXPECT_EQ(version.exitCode, 0);
    EXPECT_TRUE(version.out.contains("0.8a"));
    const Ran bad = RunProgram({"--no-such-option"});
    EXPECT_NE(bad.exitCode, 0);
    EXPECT_TRUE(bad.err.contains("--no-such-option"));
    EXPECT_TRUE(bad.err.contains("Usage"));
}

#include "app/startup.h"
#include "core/paths.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

struct ProgramRun {
    int exitCode = -1;
    QByteArray out;
    QByteArray err;
};

// Runs the built program with no display at all: a run that got as far as
// opening a window would fail on the platform that does not exist.
ProgramRun runProgram(const QStringList& arguments, const QString& outputFile = {}) {
    QProcess process;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.remove(QStringLiteral("DISPLAY"));
    env.remove(QStringLiteral("WAYLAND_DISPLAY"));
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("no-such-platform"));
    env.insert(QStringLiteral("NORPPALA_NO_DIALOGS"), QStringLiteral("1"));
    process.setProcessEnvironment(env);
    if (!outputFile.isEmpty()) {
        process.setStandardOutputFile(outputFile);
    }
    process.start(QStringLiteral(NORPPALA_BINARY_DIR "/norppala"), arguments);
    ProgramRun run;
    if (!process.waitForStarted(30000) || !process.waitForFinished(60000)) {
        process.kill();
        process.waitForFinished();
        return run;
    }
    run.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -2;
    run.out = process.readAllStandardOutput();
    run.err = process.readAllStandardError();
    return run;
}

bool makeFile(const QString& path) {
    QFile file(path);
    return QDir().mkpath(QFileInfo(path).path()) && file.open(QIODevice::WriteOnly);
}

} // namespace

TEST(CommandLine, VersionAndHelpAnswerWithoutADisplayAndEndTheRun) {
    const ProgramRun version = runProgram({QStringLiteral("--version")});
    EXPECT_EQ(version.exitCode, 0) << version.err.toStdString();
    EXPECT_EQ(version.out.toStdString(), "norppala " NORPPALA_VERSION "\n");
    EXPECT_TRUE(version.err.isEmpty()) << version.err.toStdString();

    // The options are found among Qt's own, in any place.
    const ProgramRun late = runProgram(
        {QStringLiteral("-platform"), QStringLiteral("offscreen"), QStringLiteral("--version")});
    EXPECT_EQ(late.exitCode, 0);
    EXPECT_EQ(late.out, version.out);

    const ProgramRun help = runProgram({QStringLiteral("--help")});
    EXPECT_EQ(help.exitCode, 0) << help.err.toStdString();
    const QString text = QString::fromUtf8(help.out);
    EXPECT_TRUE(text.startsWith(QStringLiteral("Käyttö / usage: norppala")))
        << help.out.toStdString();
    for (const char* option : {"\n  --help ", "\n  --version "}) {
        EXPECT_TRUE(text.contains(QLatin1String(option))) << option;
    }
}

TEST(CommandLine, AnAnswerThatCannotBeWrittenEndsInFailure) {
    if (!QFile::exists(QStringLiteral("/dev/full"))) {
        GTEST_SKIP() << "no /dev/full on this system";
    }
    EXPECT_EQ(runProgram({QStringLiteral("--version")}, QStringLiteral("/dev/full")).exitCode, 1);
    EXPECT_EQ(runProgram({QStringLiteral("--help")}, QStringLiteral("/dev/full")).exitCode, 1);
}

TEST(CommandLine, EverythingElseIsLeftToQtAndTheGame) {
    char program[] = "norppala";
    char platform[] = "-platform";
    char offscreen[] = "offscreen";
    char misspelt[] = "--versio";
    char single[] = "-version";
    char* alone[] = {program, nullptr};
    char* qtOptions[] = {program, platform, offscreen, nullptr};
    char* unknown[] = {program, misspelt, single, nullptr};
    EXPECT_FALSE(answerCommandLine(1, alone).has_value());
    EXPECT_FALSE(answerCommandLine(3, qtOptions).has_value());
    EXPECT_FALSE(answerCommandLine(3, unknown).has_value());
}

// A build folder or a self-contained install keeps the data folder beside the
// program; a system package keeps the program in .../games and the data in
// .../share/games/norppala. Either is found from the program's own place.
TEST(GameFolder, FindsTheDataBesideTheProgramOrInTheSharedGamesFolder) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString games = dir.path() + QStringLiteral("/usr/games");
    const QString shared = dir.path() + QStringLiteral("/usr/share/games/norppala");
    ASSERT_TRUE(QDir().mkpath(games));

    // Neither: the program's own folder, which the start-up check then names.
    EXPECT_EQ(gameFolder(games), games);
    // A plain file named data is no data folder.
    ASSERT_TRUE(makeFile(shared + QStringLiteral("/data")));
    EXPECT_EQ(gameFolder(games), games);

    ASSERT_TRUE(QFile::remove(shared + QStringLiteral("/data")));
    ASSERT_TRUE(QDir().mkpath(shared + QStringLiteral("/data")));
    EXPECT_EQ(gameFolder(games), shared);
    EXPECT_EQ(gameFolder(games + QStringLiteral("/")), shared);
    EXPECT_EQ(appFile(gameFolder(games), QStringLiteral("\\data\\music.mp3")),
              shared + QStringLiteral("/data/music.mp3"));

    // The data folder beside the program comes first.
    ASSERT_TRUE(QDir().mkpath(games + QStringLiteral("/data")));
    EXPECT_EQ(gameFolder(games), games);
}

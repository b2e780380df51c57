#include "app/startup.h"
#include "results/loppu.h"
#include "support/fakes.h"
#include "support/fulldisk.h"
#include "test_played_game.h"

#include <QDir>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <unistd.h>

namespace {

// The data folder's files, as paths relative to the data folder.
QStringList dataFiles(const QString& data) {
    QStringList files;
    QDirIterator it(data, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        files << QDir(data).relativeFilePath(it.next());
    }
    files.sort();
    return files;
}

class MissingFiles : public PlayedGame {};

} // namespace

// Every file of the data folder goes missing in turn, and a whole game is still
// played through: the game may refuse a map whose pictures are gone, but it must
// not crash, must reach the results, save and return to the menu, and must not
// report the missing file over and over.
TEST_F(MissingFiles, AWholeGameIsPlayedWithAnyOneDataFileGone) {
    const QString data = appPath + QStringLiteral("/data");
    const QString aside = appPath + QStringLiteral("/aside");
    ASSERT_TRUE(QDir().mkpath(aside));
    const QStringList files = dataFiles(data);
    ASSERT_GE(files.size(), 40) << "the data folder copy is incomplete";

    for (int i = 0; i < files.size(); ++i) {
        const QString& relative = files[i];
        SCOPED_TRACE(relative.toStdString());
        const QString full = data + QLatin1Char('/') + relative;
        const QString parked = aside + QStringLiteral("/%1").arg(i);
        ASSERT_TRUE(QFile::rename(full, parked));

        // A missing map picture should be met: play the map whose folder lost it.
        const QString mapFolder =
            relative.startsWith(QStringLiteral("maps/")) && relative.count(QLatin1Char('/')) == 2
                ? relative.section(QLatin1Char('/'), 1, 1)
                : QString();
        if (!mapFolder.isEmpty()) {
            state.map_name.clear();
        }
        const qsizetype messagesBefore = dialogs.messages.size();

        testing::internal::CaptureStderr();
        const bool started = startGame(2, mapFolder);
        if (started) {
            fishToTheEnd();
        }
        const bool atResults = forms.loadedNames() == QStringList{QStringLiteral("loppu")};
        QStringList lines;
        if (atResults) {
            lines = listLines(QStringLiteral("loppu"));
            dialogs.answers.push_back(QStringLiteral("pelaaja%1").arg(i));
            click(QStringLiteral("loppu"), QStringLiteral("Command2"));
            click(QStringLiteral("loppu"), QStringLiteral("Command1"));
        }
        const QString err = QString::fromLocal8Bit(testing::internal::GetCapturedStderr());

        EXPECT_TRUE(started);
        EXPECT_TRUE(atResults) << forms.loadedNames().join(',').toStdString();
        EXPECT_EQ(forms.loadedNames(), QStringList{QStringLiteral("menu")});
        if (!mapFolder.isEmpty() && relative.endsWith(QStringLiteral(".gif"))) {
            EXPECT_GT(dialogs.messages.size(), messagesBefore)
                << "the map without " << relative.toStdString() << " was not refused";
            EXPECT_NE(state.map_name, mapFolder);
        }
        EXPECT_LE(err.count(full), 1) << err.toStdString();
        for (const QString& line : err.split(QLatin1Char('\n'), Qt::SkipEmptyParts)) {
            if (!line.startsWith(QStringLiteral("norppala:"))) {
                continue; // the offscreen platform's own chatter
            }
            EXPECT_TRUE(line.contains(full))
                << "reported a file that is there: " << line.toStdString();
        }
        if (atResults) {
            QByteArray expected;
            for (const QString& line : lines) {
                expected += line.toLatin1() + "\r\n";
            }
            expected += QByteArray("N\xE4m\xE4 kalat sai pelaaja") + QByteArray::number(i) + "\r\n";
            EXPECT_EQ(readAll(data + QStringLiteral("/pelaaja%1.kal").arg(i)), expected);
        }

        ASSERT_TRUE(QFile::rename(parked, full));
        if (HasFatalFailure()) {
            return;
        }
    }
}

// Without its data folder the program must say which folder it is missing and
// stop, instead of opening empty windows.
TEST(DataFolderCheck, AMissingDataFolderIsReportedByNameAndStopsTheStart) {
    qunsetenv("NORPPALA_NO_DIALOGS");
    QTemporaryDir dir;
    ScriptedDialogs dialogs;
    const QString folder = QDir::toNativeSeparators(dir.path() + QStringLiteral("/data"));

    testing::internal::CaptureStderr();
    EXPECT_FALSE(checkDataFolder(dir.path(), dialogs));
    const std::string err = testing::internal::GetCapturedStderr();
    ASSERT_EQ(dialogs.messages.size(), 1);
    EXPECT_TRUE(dialogs.messages[0].startsWith(QStringLiteral("Norppala|")));
    EXPECT_TRUE(dialogs.messages[0].contains(folder)) << dialogs.messages[0].toStdString();
    EXPECT_TRUE(dialogs.messages[0].contains(QStringLiteral("data-kansiota ei löytynyt")));
    EXPECT_NE(err.find(folder.toStdString()), std::string::npos);

    // A plain file by that name is no data folder either.
    QFile file(dir.path() + QStringLiteral("/data"));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.close();
    testing::internal::CaptureStderr();
    EXPECT_FALSE(checkDataFolder(dir.path(), dialogs));
    testing::internal::GetCapturedStderr();
    EXPECT_EQ(dialogs.messages.size(), 2);

    ASSERT_TRUE(QFile::remove(dir.path() + QStringLiteral("/data")));
    ASSERT_TRUE(QDir().mkpath(dir.path() + QStringLiteral("/data")));
    EXPECT_TRUE(checkDataFolder(dir.path(), dialogs));
    EXPECT_EQ(dialogs.messages.size(), 2);
}

TEST(DataFolderCheck, TheRealProgramWithoutDataExitsWithAnErrorNamingTheFolder) {
    QTemporaryDir dir;
    const QString program = dir.path() + QStringLiteral("/norppala");
    ASSERT_TRUE(QFile::copy(QStringLiteral(NORPPALA_BINARY_DIR "/norppala"), program));
    QFile::setPermissions(program, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);

    QProcess run;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    env.insert(QStringLiteral("SDL_AUDIODRIVER"), QStringLiteral("dummy"));
    env.insert(QStringLiteral("NORPPALA_NO_DIALOGS"), QStringLiteral("1"));
    run.setProcessEnvironment(env);
    run.start(program, {});
    ASSERT_TRUE(run.waitForStarted(30000));
    const bool finished = run.waitForFinished(60000);
    if (!finished) {
        run.kill();
        run.waitForFinished();
    }
    ASSERT_TRUE(finished) << "the program kept running without its data folder";
    EXPECT_EQ(run.exitStatus(), QProcess::NormalExit);
    EXPECT_NE(run.exitCode(), 0);
    const QString err = QString::fromLocal8Bit(run.readAllStandardError());
    EXPECT_TRUE(err.contains(dir.path() + QStringLiteral("/data"))) << err.toStdString();
}

namespace {

class FailedSave : public PlayedGame {
protected:
    void SetUp() override {
        state.clearCatch();
        state.fish_count = 2;
        state.catch_table[1][1] = QStringLiteral("hauki");
        state.catch_table[1][2] = qint16(1500);
        state.catch_table[2][1] = QStringLiteral("ahven");
        state.catch_table[2][2] = qint16(245);
        forms.show(QStringLiteral("loppu"));
        settle();
        QFile old(oldFile);
        ASSERT_TRUE(old.open(QIODevice::WriteOnly));
        old.write(oldBytes);
    }

    // Saves under "Pekka", replacing the earlier result if asked, and checks that
    // the failure was told to the player, the earlier result is untouched and no
    // half-written file is left behind.
    void expectFailedSave() {
        const QStringList before = snapshot(appPath);
        dialogs.answers.push_back(QStringLiteral("Pekka"));
        dialogs.yesNo = {true};
        ASSERT_TRUE(click(QStringLiteral("loppu"), QStringLiteral("Command2")));
        ASSERT_EQ(dialogs.messages.size(), 1);
        EXPECT_TRUE(dialogs.messages[0].contains(QStringLiteral("Tulosta ei voitu tallentaa")))
            << dialogs.messages[0].toStdString();
        EXPECT_EQ(snapshot(appPath), before);
        EXPECT_EQ(forms.loadedNames(), QStringList{QStringLiteral("loppu")});
    }

    QString oldFile = path(QStringLiteral("\\data\\Pekka.kal"));
    QByteArray oldBytes = QByteArray("ahven = 100g\r\nN\xE4m\xE4 kalat sai Pekka\r\n");
};

} // namespace

TEST_F(FailedSave, AFullDiskKeepsTheEarlierResultAndSaysSo) {
    auto* loppu = qobject_cast<Loppu*>(window(QStringLiteral("loppu")));
    ASSERT_NE(loppu, nullptr);
    loppu->setSaveDevice([](const QString& target) { return std::make_unique<FullDisk>(target); });
    expectFailedSave();
    EXPECT_EQ(readAll(oldFile), oldBytes);

    // Once there is room again the same button saves the whole result.
    loppu->setSaveDevice({});
    dialogs.answers.push_back(QStringLiteral("Pekka"));
    dialogs.yesNo = {true};
    ASSERT_TRUE(click(QStringLiteral("loppu"), QStringLiteral("Command2")));
    EXPECT_EQ(readAll(oldFile),
              QByteArray("hauki = 1500g\r\nahven = 245g\r\nN\xE4m\xE4 kalat sai Pekka\r\n"));
    EXPECT_EQ(dialogs.messages.size(), 1);
}

TEST_F(FailedSave, AFolderInTheWayOfTheResultFileIsLeftAsItWas) {
    ASSERT_TRUE(QFile::remove(oldFile));
    ASSERT_TRUE(QDir().mkpath(oldFile + QStringLiteral("/sisalla")));
    expectFailedSave();
    EXPECT_TRUE(QFileInfo(oldFile + QStringLiteral("/sisalla")).isDir());
}

// A data folder the player may not write in (an installed game's) keeps the
// earlier result as it was; the game is saved in the player's own folder instead.
TEST_F(FailedSave, AReadOnlyDataFolderKeepsTheEarlierResultAndSavesInThePlayersOwn) {
    if (geteuid() == 0) {
        GTEST_SKIP() << "running as root, where a read-only folder can still be written";
    }
    QStandardPaths::setTestModeEnabled(true);
    const QString own = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    QFile::remove(own + QStringLiteral("/Pekka.kal"));
    const QString data = path(QStringLiteral("\\data"));
    const auto permissions = QFile::permissions(data);
    ASSERT_TRUE(QFile::setPermissions(data, QFile::ReadOwner | QFile::ExeOwner));
    dialogs.answers.push_back(QStringLiteral("Pekka"));
    ASSERT_TRUE(click(QStringLiteral("loppu"), QStringLiteral("Command2")));
    QFile::setPermissions(data, permissions);
    EXPECT_EQ(readAll(oldFile), oldBytes);
    EXPECT_TRUE(dialogs.yesNoQuestions.isEmpty()) << dialogs.yesNoQuestions.join(" ").toStdString();
    ASSERT_EQ(dialogs.messages.size(), 1);
    EXPECT_TRUE(dialogs.messages[0].contains(QDir::toNativeSeparators(own)))
        << dialogs.messages[0].toStdString();
    EXPECT_TRUE(QFile::remove(own + QStringLiteral("/Pekka.kal")));
}

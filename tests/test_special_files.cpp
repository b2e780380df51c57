#include "support/pipewatch.h"
#include "test_played_game.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

namespace {

// What may stand where the game expects one of its files.
enum class Kind { Missing, Pipe, Folder, LinkToNothing, LinkToPipe };

const char* nameOf(Kind kind) {
    switch (kind) {
    case Kind::Missing:
        return "missing";
    case Kind::Pipe:
        return "pipe";
    case Kind::Folder:
        return "folder";
    case Kind::LinkToNothing:
        return "link-to-nothing";
    case Kind::LinkToPipe:
        return "link-to-pipe";
    }
    return "?";
}

class SpecialFiles : public PlayedGame {
protected:
    // Puts a thing of that kind at the path in place of the file there.
    bool put(const QString& path, Kind kind) {
        QFile::remove(path);
        switch (kind) {
        case Kind::Missing:
            return !QFileInfo::exists(path);
        case Kind::Pipe:
            return pipes.add(path);
        case Kind::Folder:
            return QDir().mkpath(path + QStringLiteral("/sisalla"));
        case Kind::LinkToNothing:
            return QFile::link(path + QStringLiteral(".poissa"), path);
        case Kind::LinkToPipe: {
            const QString pipe = appPath + QStringLiteral("/putki%1").arg(++pipeCount);
            return pipes.add(pipe) && QFile::link(pipe, path);
        }
        }
        return false;
    }
    // Puts the file back as it ships.
    bool restore(const QString& data, const QString& relative) {
        const QString path = data + QLatin1Char('/') + relative;
        QDir(path).removeRecursively();
        QFile::remove(path);
        return QFile::copy(sourceDataFolder() + QLatin1Char('/') + relative, path);
    }

    // Everything the player meets and the game reports on the way: the listed
    // maps, the messages, the reports on stderr and which pictures show.
    struct Outcome {
        QStringList listed;
        QStringList messages;
        QStringList reports;
        bool started = false;
        QList<int> frames;
        bool operator==(const Outcome&) const = default;
    };

    // Plays from the menu into a game on a data folder of its own, where the
    // map description Pitkajarvi.ars, Kivijarvi's overview picture and three
    // of the game's pictures are of that kind, and spot 2's picture of
    // Saarijarvi turns that kind between the choice of the spot and "Aloita".
    Outcome play(Kind kind) {
        const QString app = appPath + QLatin1Char('/') + QLatin1String(nameOf(kind));
        const QString data = app + QStringLiteral("/data");
        EXPECT_TRUE(copyFolder(sourceDataFolder(), data));
        context.appPath = app;
        for (const char* relative : {"maps/Pitkajarvi.ars", "maps/kivi/1.gif", "mies_nosto.gif",
                                     "koho3.gif", "mato_dis.gif"}) {
            EXPECT_TRUE(put(data + QLatin1Char('/') + QLatin1String(relative), kind)) << relative;
        }

        Outcome seen;
        testing::internal::CaptureStderr();
        forms.show(QStringLiteral("menu"));
        settle();
        click(QStringLiteral("menu"), QStringLiteral("Label2"));
        auto* list = control<QListWidget>(QStringLiteral("aloita"), QStringLiteral("File1"));
        for (int i = 0; list && i < list->count(); ++i) {
            seen.listed << list->item(i)->text();
        }
        if (seen.listed.contains(QStringLiteral("Kivijarvi.ars"))) {
            clickItem(QStringLiteral("aloita"), QStringLiteral("File1"),
                      QStringLiteral("Kivijarvi.ars"));
        }
        clickItem(QStringLiteral("aloita"), QStringLiteral("File1"),
                  QStringLiteral("Saarijarvi.ars"));
        click(QStringLiteral("aloita"), QStringLiteral("paikka2"));
        EXPECT_TRUE(put(data + QStringLiteral("/maps/saari/taka2.gif"), kind));
        click(QStringLiteral("aloita"), QStringLiteral("Command1"));
        EXPECT_TRUE(restore(data, QStringLiteral("maps/saari/taka2.gif")));
        click(QStringLiteral("aloita"), QStringLiteral("Command1"));

        seen.started = forms.isLoaded(QStringLiteral("peli"));
        if (seen.started) {
            auto frames = [this, &seen] {
                for (const char* sprite : {"mies", "mato"}) {
                    seen.frames << control<Kelmo>(QStringLiteral("peli"), QLatin1String(sprite))
                                       ->currentFrame();
                }
            };
            click(QStringLiteral("peli"), QStringLiteral("Command4")); // lift: koho3, mies_nosto
            frames();
            click(QStringLiteral("peli"), QStringLiteral("Command4")); // lower: mato_dis
            frames();
            click(QStringLiteral("peli"), QStringLiteral("Command6"));
        }
        forms.unload(QStringLiteral("menu"));
        settle();

        const QString err = QString::fromLocal8Bit(testing::internal::GetCapturedStderr());
        for (const QString& line : err.split(QLatin1Char('\n'), Qt::SkipEmptyParts)) {
            if (line.startsWith(QStringLiteral("norppala:"))) {
                seen.reports << QString(line).replace(app, QStringLiteral("<app>"));
            }
        }
        for (const QString& message : std::exchange(dialogs.messages, {})) {
            seen.messages << QString(message).replace(QDir::toNativeSeparators(app),
                                                      QStringLiteral("<app>"));
        }
        return seen;
    }

    PipeWatch pipes;
    int pipeCount = 0;
};

} // namespace

// Any file the game reads from its data folder may turn out to be a named pipe,
// a folder, a link that leads nowhere or a link to a pipe. Each is met exactly
// as a missing file is (the same map list, messages, reports and pictures), and
// nothing ever opens a pipe, which would hold the game up for good.
TEST_F(SpecialFiles, APipeAFolderOrALinkToNothingIsMetAsAMissingFile) {
    const Outcome missing = play(Kind::Missing);
    EXPECT_EQ(missing.listed, (QStringList{"Kivijarvi.ars", "Saarijarvi.ars"}));
    ASSERT_EQ(missing.messages.size(), 2) << missing.messages.join('\n').toStdString();
    EXPECT_TRUE(missing.messages[0].contains("1.gif"));
    EXPECT_TRUE(missing.messages[1].contains("taka2.gif"));
    EXPECT_TRUE(missing.started);
    EXPECT_EQ(missing.frames, (QList<int>{-1, -1, 0, -1}));
    EXPECT_EQ(missing.reports.size(), 3) << missing.reports.join('\n').toStdString();

    for (Kind kind : {Kind::Pipe, Kind::Folder, Kind::LinkToNothing, Kind::LinkToPipe}) {
        SCOPED_TRACE(nameOf(kind));
        const Outcome seen = play(kind);
        EXPECT_EQ(seen.listed, missing.listed);
        EXPECT_EQ(seen.messages, missing.messages);
        EXPECT_EQ(seen.reports, missing.reports);
        EXPECT_EQ(seen.started, missing.started);
        EXPECT_EQ(seen.frames, missing.frames);
    }
    EXPECT_EQ(pipes.opened(), QStringList{});
}

// The game never reads result files, but it writes them: a pipe or a link to
// nothing by the player's name holds no earlier result and is replaced by the
// new file, as a free name would be. Written through, the link would have put
// the result wherever it points, outside the data folder.
TEST_F(SpecialFiles, AResultNameTakenByAPipeOrALinkToNothingIsSavedAsAFreeName) {
    state.clearCatch();
    state.fish_count = 1;
    state.catch_table[1][1] = QStringLiteral("hauki");
    state.catch_table[1][2] = qint16(1500);
    forms.show(QStringLiteral("loppu"));
    settle();
    const QString elsewhere = appPath + QStringLiteral("/muualla");
    ASSERT_TRUE(QDir().mkpath(elsewhere));
    const QByteArray expected("hauki = 1500g\r\nN\xE4m\xE4 kalat sai Pekka\r\n");

    for (Kind kind : {Kind::Pipe, Kind::LinkToNothing, Kind::LinkToPipe}) {
        SCOPED_TRACE(nameOf(kind));
        const QString result = path(QStringLiteral("\\data\\Pekka.kal"));
        QFile::remove(result);
        if (kind == Kind::LinkToNothing) {
            ASSERT_TRUE(QFile::link(elsewhere + QStringLiteral("/Pekka.kal"), result));
        } else {
            ASSERT_TRUE(put(result, kind));
        }
        dialogs.answers.push_back(QStringLiteral("Pekka"));
        ASSERT_TRUE(click(QStringLiteral("loppu"), QStringLiteral("Command2")));
        EXPECT_EQ(dialogs.messages, QStringList{});
        const QFileInfo saved(result);
        EXPECT_TRUE(saved.isFile() && !saved.isSymLink());
        EXPECT_EQ(readAll(result), expected);
        EXPECT_EQ(QDir(elsewhere).entryList(QDir::AllEntries | QDir::NoDotAndDotDot),
                  QStringList{});
    }
    EXPECT_EQ(pipes.opened(), QStringList{});
}

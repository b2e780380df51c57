#include "app/screenflow.h"
#include "core/text1252.h"
#include "platform/kelmo.h"
#include "support/world.h"

#include <QFile>
#include <QListWidget>
#include <QPushButton>
#include <QSignalSpy>
#include <gtest/gtest.h>

namespace {

// The whole way through the windows, as a player goes it, on the shipped maps.
class FullCycle : public World {
protected:
    QStringList listLines(const QString& windowName) const {
        QStringList lines;
        auto* list = control<QListWidget>(windowName, "List1");
        for (int i = 0; list && i < list->count(); ++i) {
            lines << list->item(i)->text();
        }
        return lines;
    }

    void fishFor(qint64 ms) { fishByTheBook(ms); }
};

} // namespace

TEST_F(FullCycle, MenuSetupGameResultsSaveAndBackToTheMenu) {
    forms.show("menu");
    settle();
    ASSERT_TRUE(click("menu", "Label2")); // "Pelaa"
    EXPECT_EQ(forms.loadedNames(), QStringList{"aloita"});

    ASSERT_TRUE(clickItem("aloita", "File1", "Pitkajarvi.ars"));
    EXPECT_EQ(state.map_name, "pitka");
    ASSERT_TRUE(click("aloita", "paikka2"));
    EXPECT_EQ(state.spot_choice, 2);
    ASSERT_TRUE(click("aloita", "Command1")); // "Aloita"
    EXPECT_EQ(forms.loadedNames(), QStringList{"peli"});
    EXPECT_EQ(window("peli")->pictureFile(), path("\\data\\maps\\pitka\\taka2.gif"));
    EXPECT_EQ(control<Kelmo>("peli", "vesi")->file(), path("\\data\\maps\\pitka\\taka2.gif"));
    EXPECT_EQ(game().spotBonus(), 1000);
    EXPECT_TRUE(players.of("peli").contains("PlayMusic(True)"));

    fishFor(179 * 1000);
    ASSERT_TRUE(forms.isLoaded("peli"));
    EXPECT_EQ(control<QWidget>("peli", "Label5")->property("text").toString(), "2");
    advance(1000);
    EXPECT_EQ(forms.loadedNames(), QStringList{"loppu"});
    EXPECT_GT(state.fish_count, 0) << "a player who lifts on every nibble lands something";

    const QStringList lines = listLines("loppu");
    int total = 0;
    ASSERT_EQ(lines.size(), state.fish_count);
    for (int row = 1; row <= state.fish_count; ++row) {
        EXPECT_EQ(lines[row - 1], catchLine(state, row));
        total += cellWeight(state.catch_table[row][2]);
    }
    EXPECT_EQ(control<QWidget>("loppu", "tot")->property("text").toString(),
              QString::number(total) + "g");

    dialogs.answers.push_back(QString::fromUtf8("Jörö"));
    ASSERT_TRUE(click("loppu", "Command2")); // "Tallenna Tulos"
    QFile saved(path(QString::fromUtf8("\\data\\Jörö.kal")));
    ASSERT_TRUE(saved.open(QIODevice::ReadOnly));
    QByteArray expected;
    for (const QString& line : lines) {
        expected += line.toLatin1() + "\r\n";
    }
    expected += *toWindows1252(QString::fromUtf8("Nämä kalat sai Jörö")) + "\r\n";
    EXPECT_EQ(saved.readAll(), expected);
    EXPECT_EQ(dialogs.questions, QStringList{"Norppala|Kuka olet?"});

    players.clear();
    ASSERT_TRUE(click("loppu", "Command1")); // "OK"
    EXPECT_EQ(forms.loadedNames(), QStringList{"menu"});
    EXPECT_EQ(players.of("menu").last(), "PlayMusic(True)");
}

TEST_F(FullCycle, ASecondGameStartsAfreshOnTheSameMapAndLopetaSkipsTheResults) {
    state.map_name = "kivi";
    state.spot_choice = 3;
    state.fish_count = 2;
    state.catch_table[1][1] = QString("hauki");
    state.catch_table[1][2] = qint16(1500);
    forms.show("menu");
    settle();
    ASSERT_TRUE(click("menu", "Label2"));
    ASSERT_TRUE(click("aloita", "Command1")); // nothing clicked: the last map and spot again
    ASSERT_TRUE(forms.isLoaded("peli"));
    EXPECT_EQ(window("peli")->pictureFile(), path("\\data\\maps\\kivi\\taka3.gif"));
    EXPECT_EQ(state.fish_count, 0);
    EXPECT_EQ(state.catch_table[1][1], Cell(QString()));
    EXPECT_EQ(game().spotBonus(), 2000);

    advance(30 * 1000);
    ASSERT_TRUE(click("peli", "Command6")); // "Lopeta"
    EXPECT_EQ(forms.loadedNames(), QStringList{"menu"});
    advance(200 * 1000);
    EXPECT_EQ(forms.loadedNames(), QStringList{"menu"});
}

TEST_F(FullCycle, PoistuEndsTheProgramOnceTheLastWindowIsGone) {
    QSignalSpy last(&program->flow(), &ScreenFlow::finished);
    forms.show("menu");
    settle();
    ASSERT_TRUE(click("menu", "Label3")); // "Tekijät"
    ASSERT_TRUE(click("menu", "Label5")); // "Poistu" closes the credits too
    EXPECT_TRUE(forms.loadedNames().isEmpty());
    EXPECT_EQ(last.count(), 1);
}

// The program ends when its last window closes, so along the ordinary way
// round (menu, map choice, game, results, menu, and a game left with "Lopeta")
// some window must be open at every moment: each window opens the next one
// before it closes itself. A single moment without one would end the program.
TEST_F(FullCycle, TheProgramKeepsRunningAllTheWayRound) {
    QSignalSpy last(&program->flow(), &ScreenFlow::finished);
    forms.show("menu");
    settle();
    for (const bool toTheEnd : {true, false, true}) {
        SCOPED_TRACE(toTheEnd ? "played to the end" : "left with Lopeta");
        ASSERT_TRUE(click("menu", "Label2"));
        ASSERT_TRUE(clickItem("aloita", "File1", "Saarijarvi.ars"));
        ASSERT_TRUE(click("aloita", "paikka1"));
        ASSERT_TRUE(click("aloita", "Command1"));
        ASSERT_EQ(forms.loadedNames(), QStringList{"peli"});
        if (toTheEnd) {
            advance(180 * 1000);
            ASSERT_EQ(forms.loadedNames(), QStringList{"loppu"});
            ASSERT_TRUE(click("loppu", "Command1"));
        } else {
            advance(20 * 1000);
            ASSERT_TRUE(click("peli", "Command6"));
        }
        EXPECT_EQ(forms.loadedNames(), QStringList{"menu"});
        EXPECT_EQ(last.count(), 0);
    }
    ASSERT_TRUE(click("menu", "Label5")); // "Poistu" does end it
    EXPECT_EQ(last.count(), 1);
}

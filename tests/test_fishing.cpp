#include "game/fishing.h"
#include "test_game_world.h"

#include <array>
#include <cmath>
#include <map>

namespace {

using Fishing = GameWorld;

QString className(Peli* game) {
    for (const char* name : {"pieni", "keski", "iso"}) {
        if (game->findChild<Timer*>(name)->enabled()) {
            return QString::fromLatin1(name);
        }
    }
    return QStringLiteral("none");
}

} // namespace

TEST_F(Fishing, MediumNibbleLiftedInItsWindowLandsAFish) {
    startGame(1, 3);
    random.roll(5, 11);
    random.roll(2, 3);
    advance(4999);
    EXPECT_FALSE(timer("keski")->enabled());
    advance(1);
    EXPECT_EQ(state.bite_roll, 5);
    EXPECT_EQ(state.koho_state, "koho3");
    EXPECT_TRUE(state.fish_hooked);
    EXPECT_TRUE(timer("keski")->enabled());
    EXPECT_EQ(shown("mies"), path("\\data\\mies_kala.gif"));

    advance(1700);
    random.roll(1234 - 100, 2000);
    click("peli", "Command4");
    EXPECT_TRUE(timer("kala_nousee")->enabled());
    EXPECT_EQ(state.fish_weight, 1234);
    EXPECT_EQ(state.fish_picture, "\\data\\hauki_keski.gif");
    advance(300);
    EXPECT_EQ(state.fish_count, 0);
    EXPECT_TRUE(sprite("kala")->isVisible());
    EXPECT_EQ(shown("kala"), path("\\data\\hauki_keski.gif"));
    advance(200);
    EXPECT_EQ(state.fish_count, 1);
    EXPECT_EQ(catchLines(), QStringList{"hauki = 1234g"});
    EXPECT_EQ(cellText(state.catch_table[1][1]), "hauki");
    EXPECT_EQ(cellWeight(state.catch_table[1][2]), 1234);
    EXPECT_FALSE(sprite("kala")->isVisible());
    EXPECT_FALSE(timer("kala_nousee")->enabled());
    EXPECT_FALSE(state.fish_hooked);
    EXPECT_TRUE(state.fish_species.isEmpty());
    EXPECT_EQ(state.fish_weight, 0);
    EXPECT_TRUE(state.fish_picture.isEmpty());
}

TEST_F(Fishing, NibbleWindowClosingUnhooksTheFish) {
    startGame(1, 3);
    random.roll(5, 11);
    random.roll(2, 3);
    advance(6799);
    EXPECT_TRUE(state.fish_hooked);
    advance(1);
    EXPECT_FALSE(state.fish_hooked);
    EXPECT_FALSE(timer("keski")->enabled());
    EXPECT_EQ(shown("mies"), path("\\data\\mies.gif"));

    random.roll(3, 15); // chatter at 8 s
    random.roll(100, 224);
    random.roll(200, 288); // ripple at 10 s, before the bite clock
    random.roll(7, 11);
    random.roll(1, 2); // large nibble leaving koho2
    random.roll(0, 2); // and hooked
    advance(3199);
    EXPECT_EQ(shown("mies"), path("\\data\\mies.gif"));
    advance(1);
    EXPECT_EQ(random.pending(), 0);
    EXPECT_EQ(sprite("va")->left(), 100);
    EXPECT_EQ(sprite("va")->top(), 200);
    EXPECT_EQ(state.bite_roll, 7);
    EXPECT_EQ(state.koho_state, "koho2");
    EXPECT_TRUE(state.fish_hooked);
    EXPECT_TRUE(timer("iso")->enabled());
    EXPECT_EQ(shown("mies"), path("\\data\\mies_kala.gif"));

    // A lift after the window has closed finds the fish gone.
    advance(2500);
    const int draws = random.draws();
    click("peli", "Command4");
    EXPECT_EQ(random.draws(), draws);
    EXPECT_FALSE(timer("kala_nousee")->enabled());
    advance(2000);
    EXPECT_EQ(state.fish_count, 0);
}

TEST_F(Fishing, NibbleClassesHookOddsAndWearFollowTheBoatsPlace) {
    Peli* game = startGame(1, 3);
    const int ticks = 60000;
    std::map<QString, int> hooked;
    std::map<QString, int> nibbles;
    std::map<QString, std::map<QString, int>> wear;
    for (bool atHotspot : {true, false}) {
        SCOPED_TRACE(atHotspot);
        state.boat_pos = atHotspot ? 3 : 0;
        std::map<QString, int> classes;
        for (int i = 0; i < ticks; ++i) {
            state.koho_state = "koho3";
            state.fish_hooked = false;
            for (const char* name : {"pieni", "keski", "iso"}) {
                timer(name)->setEnabled(false);
            }
            game->on_Timer1_timeout();
            const QString cls = className(game);
            classes[cls]++;
            if (cls != "none") {
                nibbles[cls]++;
                hooked[cls] += state.fish_hooked ? 1 : 0;
                wear[cls][state.koho_state]++;
            } else {
                EXPECT_EQ(state.koho_state, "koho3");
            }
        }
        const double tol = 0.01;
        if (atHotspot) {
            EXPECT_NEAR(classes["pieni"] / double(ticks), 2.0 / 7, tol);
            EXPECT_NEAR(classes["keski"] / double(ticks), 3.0 / 7, tol);
            EXPECT_NEAR(classes["iso"] / double(ticks), 2.0 / 7, tol);
            EXPECT_EQ(classes["none"], 0);
        } else {
            EXPECT_NEAR(classes["pieni"] / double(ticks), 4.0 / 11, tol);
            EXPECT_NEAR(classes["keski"] / double(ticks), 3.0 / 11, tol);
            EXPECT_NEAR(classes["iso"] / double(ticks), 2.0 / 11, tol);
            EXPECT_NEAR(classes["none"] / double(ticks), 2.0 / 11, tol);
        }
    }
    const double tol = 0.015;
    EXPECT_NEAR(hooked["pieni"] / double(nibbles["pieni"]), 37.0 / 50, tol);
    EXPECT_NEAR(hooked["keski"] / double(nibbles["keski"]), 17.0 / 30, tol);
    EXPECT_NEAR(hooked["iso"] / double(nibbles["iso"]), 7.0 / 20, tol);
    const std::map<QString, std::array<double, 3>> bait{
        {"pieni", {0.2, 0.2, 0.6}}, {"keski", {1.0 / 3, 1.0 / 3, 1.0 / 3}}, {"iso", {0.5, 0.5, 0}}};
    for (const auto& [cls, shares] : bait) {
        for (int k = 0; k < 3; ++k) {
            const QString koho = QStringLiteral("koho%1").arg(k + 1);
            EXPECT_NEAR(wear[cls][koho] / double(nibbles[cls]), shares[k], tol)
                << cls.toStdString() << " " << koho.toStdString();
        }
    }
    EXPECT_EQ(wear["iso"]["koho3"], 0);
}

TEST_F(Fishing, WeightsAreUniformAndAboutAThirdArePerch) {
    Peli* game = startGame();
    const int draws = 40000;
    std::array<int, 10> bins{};
    int perch = 0;
    int lightest = 10000;
    int heaviest = 0;
    for (int i = 0; i < draws; ++i) {
        state.fish_hooked = true;
        game->tarkista_kala();
        const int weight = state.fish_weight;
        lightest = std::min(lightest, weight);
        heaviest = std::max(heaviest, weight);
        bins[std::clamp((weight - 100) / 200, 0, 9)]++;
        perch += state.fish_species == "ahven" ? 1 : 0;
    }
    EXPECT_EQ(lightest, 100);
    EXPECT_EQ(heaviest, 2099);
    for (int count : bins) {
        EXPECT_NEAR(count / double(draws), 0.1, 0.01);
    }
    EXPECT_NEAR(perch / double(draws), 0.35, 0.01);
}

// The largest number the generator gives (1 − 2⁻⁵³) still draws inside every
// range: the heaviest fish is 2099 g, and at the hot spot the bite roll is at
// most 8, a large nibble, never the 9 of "no nibble".
TEST_F(Fishing, TheLargestRndDrawsTheTopOfEachRange) {
    const double largest = std::nextafter(1.0, 0.0);
    Peli* game = startGame(1, 3);
    state.fish_hooked = true;
    random.push(largest);
    game->tarkista_kala();
    EXPECT_EQ(state.fish_weight, 2099);
    EXPECT_EQ(state.fish_picture, "\\data\\hauki_iso.gif");

    state.boat_pos = state.hotspot_pos;
    state.koho_state = "koho2";
    random.push(largest);
    random.push(largest);
    game->on_Timer1_timeout();
    EXPECT_EQ(state.bite_roll, 8);
    EXPECT_EQ(className(game), "iso");
    EXPECT_EQ(state.koho_state, "koho2");

    players.clear();
    random.push(largest);
    game->on_sano_timeout();
    EXPECT_EQ(players.of("peli"),
              QStringList{"PlaySound(" + path("\\data\\sound\\kala015.wav") + ", False)"});
}

// However often the rod is tapped, the bite clock's period never goes below
// 100 ms, and a tap never lengthens it.
TEST(FishingRules, ATapShortensThePeriodBy100MsDownTo100Ms) {
    for (int period = 0; period <= 25000; ++period) {
        const int tapped = fishing::tappedPeriod(period);
        ASSERT_LE(tapped, period) << period;
        ASSERT_GE(tapped, std::min(period, 100)) << period;
        if (period >= 200) {
            ASSERT_EQ(tapped, period - 100) << period;
        }
    }
}

TEST_F(Fishing, WeightDecidesSpeciesSizeAndPicture) {
    Peli* game = startGame();
    struct Border {
        int weight;
        const char* species;
        const char* size;
    };
    const Border borders[] = {
        {100, "ahven", "_pieni"},  {399, "ahven", "_pieni"},  {400, "ahven", "_keski"},
        {599, "ahven", "_keski"},  {600, "ahven", "_iso"},    {799, "ahven", "_iso"},
        {800, "hauki", "_pieni"},  {1099, "hauki", "_pieni"}, {1100, "hauki", "_keski"},
        {1399, "hauki", "_keski"}, {1800, "hauki", "_iso"},   {2099, "hauki", "_iso"},
    };
    for (const Border& border : borders) {
        state.fish_size = "_old";
        hookFish(border.weight);
        game->tarkista_kala();
        EXPECT_EQ(state.fish_weight, border.weight);
        EXPECT_EQ(state.fish_species, border.species) << border.weight;
        EXPECT_EQ(state.fish_size, border.size) << border.weight;
        EXPECT_EQ(state.fish_picture,
                  QStringLiteral("\\data\\%1%2.gif").arg(border.species, border.size));
    }
    // A pike between the classes keeps whatever suffix was there.
    for (int weight : {1400, 1799}) {
        state.fish_size = "_keski";
        hookFish(weight);
        game->tarkista_kala();
        EXPECT_EQ(state.fish_species, "hauki");
        EXPECT_EQ(state.fish_size, "_keski");
    }
}

TEST_F(Fishing, LandedFishWriteTheirCatchLines) {
    startGame();
    advance(1000);
    landFish(100);
    landFish(2099);
    // A pike between the classes, after a landing, rises as the plain pike picture.
    hookFish(1500);
    click("peli", "Command4");
    advance(100);
    EXPECT_EQ(shown("kala"), path("\\data\\hauki.gif"));
    advance(400);
    EXPECT_EQ(catchLines(), QStringList({"ahven = 100g", "hauki = 2099g", "hauki = 1500g"}));
    EXPECT_EQ(state.fish_count, 3);
    EXPECT_EQ(cellText(state.catch_table[2][1]), "hauki");
    EXPECT_EQ(cellWeight(state.catch_table[2][2]), 2099);
    EXPECT_EQ(cellText(state.catch_table[4][1]), "");
}

// The catch list shows about seven lines; every landing brings its own line
// into view, however long the list has grown.
TEST_F(Fishing, TheNewestCatchLineIsAlwaysInView) {
    startGame();
    advance(1000);
    QListWidget* list = catchList();
    for (int fish = 1; fish <= 12; ++fish) {
        landFish(100 + fish);
        ASSERT_EQ(list->count(), fish);
        const QRect newest = list->visualItemRect(list->item(fish - 1));
        EXPECT_TRUE(list->viewport()->rect().contains(newest))
            << "fish " << fish << ": line at " << newest.top() << ".." << newest.bottom()
            << ", list shows 0.." << list->viewport()->height() - 1;
    }
}

TEST_F(Fishing, RodStatesSetTheButtonsAndTheBaitDisplay) {
    startGame();
    EXPECT_EQ(buttons(), "--ee-");
    EXPECT_TRUE(shown("mato").isEmpty());
    EXPECT_TRUE(timer("Timer1")->enabled());

    advance(1000);
    state.koho_state = "koho2";
    click("peli", "Command4");
    EXPECT_EQ(buttons(), "ee-ee");
    EXPECT_EQ(button("Command4")->text(), "Laske!");
    EXPECT_FALSE(state.line_in_water);
    EXPECT_FALSE(timer("Timer1")->enabled());
    EXPECT_EQ(shown("mato"), path("\\data\\koho2.gif"));
    EXPECT_EQ(shown("mies"), path("\\data\\mies_nosto.gif"));
    EXPECT_FALSE(timer("kala_nousee")->enabled());

    click("peli", "Command5");
    EXPECT_EQ(buttons(), "-----");
    EXPECT_TRUE(button("Command6")->isEnabled());
    EXPECT_EQ(shown("mato"), path("\\data\\mato_dis.gif"));
    advance(4999);
    EXPECT_EQ(buttons(), "-----");
    EXPECT_EQ(state.koho_state, "koho2");
    advance(1);
    EXPECT_EQ(buttons(), "ee-ee");
    EXPECT_EQ(state.koho_state, "koho3");
    EXPECT_EQ(shown("mato"), path("\\data\\koho3.gif"));
    EXPECT_FALSE(timer("vaihto")->enabled());
    advance(10000);
    EXPECT_EQ(buttons(), "ee-ee");

    state.fish_hooked = true;
    click("peli", "Command4");
    EXPECT_EQ(buttons(), "--ee-");
    EXPECT_EQ(button("Command4")->text(), "Nosta!");
    EXPECT_TRUE(state.line_in_water);
    EXPECT_FALSE(state.fish_hooked);
    EXPECT_TRUE(timer("Timer1")->enabled());
    EXPECT_EQ(shown("mato"), path("\\data\\mato_dis.gif"));
    EXPECT_EQ(shown("mies"), path("\\data\\mies_lasku.gif"));

    click("peli", "Command3");
    EXPECT_EQ(shown("mies"), path("\\data\\mies_napautus.gif"));
    EXPECT_EQ(timer("Timer1")->interval(), 4900);
}

TEST_F(Fishing, NothingNibblesAnEatenWormOrALiftedLine) {
    startGame();
    state.koho_state = "koho1";
    state.bite_roll = -1;
    advance(60000);
    EXPECT_EQ(state.bite_roll, -1);
    EXPECT_EQ(state.koho_state, "koho1");
    EXPECT_EQ(className(peli()), "none");

    state.koho_state = "koho3";
    click("peli", "Command4");
    advance(60000);
    EXPECT_EQ(state.bite_roll, -1);
    EXPECT_EQ(className(peli()), "none");
    EXPECT_NE(shown("mies"), path("\\data\\mies_kala.gif"));
}

TEST_F(Fishing, TapsShortenOnlyTheFollowingPeriods) {
    startGame(1, 3);
    state.bite_roll = -1;
    advance(2000);
    click("peli", "Command3");
    click("peli", "Command3");
    EXPECT_EQ(timer("Timer1")->interval(), 4800);
    random.roll(10, 11); // no nibble at 5 s
    random.roll(0, 15);  // chatter at 8 s
    random.roll(9, 11);  // no nibble at 9.8 s
    advance(2999);
    EXPECT_EQ(state.bite_roll, -1);
    advance(1);
    EXPECT_EQ(state.bite_roll, 10);
    advance(4799);
    EXPECT_EQ(state.bite_roll, 10);
    advance(1);
    EXPECT_EQ(state.bite_roll, 9);

    // However often the rod is tapped, the period stops at 100 ms and the fish
    // keep biting: a 48th tap from 4800 ms must not stop the bite clock.
    for (int i = 0; i < 47; ++i) {
        click("peli", "Command3");
    }
    EXPECT_EQ(timer("Timer1")->interval(), 100);
    click("peli", "Command3");
    click("peli", "Command3");
    EXPECT_EQ(timer("Timer1")->interval(), 100);
    advance(4799); // the period under way when the taps came runs to its end
    random.roll(10, 11);
    random.roll(3, 11);
    advance(1);
    EXPECT_EQ(state.bite_roll, 10);
    advance(100);
    EXPECT_EQ(state.bite_roll, 3);
    click("peli", "Command4");
    click("peli", "Command2");
    EXPECT_EQ(timer("Timer1")->interval(), 20000);
    click("peli", "Command4");
    EXPECT_EQ(timer("Timer1")->due(), clock.now() + 20000);
}

TEST_F(Fishing, SecondNibbleOfAnOpenClassKeepsItsWindow) {
    Peli* game = startGame(1, 3);
    random.roll(5, 11);
    random.roll(2, 3);
    advance(5000);
    EXPECT_EQ(timer("keski")->due(), 6800);
    advance(1000);
    random.roll(5, 11);
    random.roll(2, 3);
    game->on_Timer1_timeout();
    EXPECT_EQ(timer("keski")->due(), 6800);
    advance(800);
    EXPECT_FALSE(state.fish_hooked);
    EXPECT_FALSE(timer("keski")->enabled());
}

TEST_F(Fishing, RisingFishLandsWhateverTheRodDoesMeanwhile) {
    enum class Then { Lower, BoatStep, WormChange };
    for (Then then : {Then::Lower, Then::BoatStep, Then::WormChange}) {
        SCOPED_TRACE(static_cast<int>(then));
        startGame();
        advance(1000);
        hookFish(700);
        click("peli", "Command4");
        advance(100);
        EXPECT_EQ(sprite("kala")->top(), 89);
        if (then == Then::Lower) {
            click("peli", "Command4");
        } else if (then == Then::BoatStep) {
            click("peli", "Command2");
            EXPECT_EQ(sprite("kala")->top(), 36 + 137 - 40);
            advance(400);
            EXPECT_EQ(state.fish_count, 0);
        } else {
            click("peli", "Command5");
        }
        advance(500);
        EXPECT_EQ(state.fish_count, 1);
        EXPECT_EQ(catchLines(), QStringList{"ahven = 700g"});
        EXPECT_FALSE(state.fish_hooked);
        EXPECT_FALSE(sprite("kala")->isVisible());
        EXPECT_EQ(sprite("kala")->top(), sprite("vene")->top() + 137 - 40);
        forms.unload("peli");
        settle();
        state.fish_count = 0;
    }
}

TEST_F(Fishing, SecondStrikeDuringARiseReplacesTheFish) {
    startGame();
    advance(1000);
    hookFish(300);
    click("peli", "Command4");
    advance(100);
    EXPECT_EQ(shown("kala"), path("\\data\\ahven_pieni.gif"));
    click("peli", "Command4");
    hookFish(1900);
    click("peli", "Command4");
    advance(100);
    EXPECT_EQ(shown("kala"), path("\\data\\hauki_iso.gif"));
    advance(1000);
    EXPECT_EQ(state.fish_count, 1);
    EXPECT_EQ(catchLines(), QStringList{"hauki = 1900g"});
}

TEST_F(Fishing, TwentyFishFillTheCatchAndTheNextLiftIsOnlyALift) {
    startGame();
    advance(1000);
    for (int i = 1; i <= 20; ++i) {
        landFish(100 + i);
    }
    ASSERT_EQ(state.fish_count, 20);
    hookFish(2000);
    click("peli", "Command4");
    EXPECT_EQ(random.pending(), 1);
    EXPECT_FALSE(timer("kala_nousee")->enabled());
    advance(2000);
    EXPECT_EQ(state.fish_count, 20);
    EXPECT_EQ(catchList()->count(), 20);
    EXPECT_EQ(catchList()->item(19)->text(), "ahven = 120g");
}

TEST_F(Fishing, MissingPicturesNeverStopTheGame) {
    for (const char* name : {"mies_kala.gif", "mies_nosto.gif", "koho3.gif", "hauki_iso.gif"}) {
        QFile::remove(appPath + "/data/" + name);
    }
    startGame(1, 3);
    random.roll(7, 11);
    random.roll(1, 2);
    random.roll(0, 2);
    advance(5000);
    EXPECT_TRUE(state.fish_hooked);
    EXPECT_EQ(sprite("mies")->currentFrame(), -1);
    hookFish(1900);
    click("peli", "Command4");
    advance(500);
    EXPECT_EQ(catchLines(), QStringList{"hauki = 1900g"});
    EXPECT_EQ(button("Command4")->text(), "Laske!");
}

TEST_F(Fishing, RippleShowsAtRandomPlacesAndHidesWhenDone) {
    Peli* game = startGame();
    click("peli", "Command4"); // it plays with the line up too
    random.roll(4, 15);        // chatter at 8 s
    random.roll(223, 224);
    random.roll(0, 288);
    advance(10000);
    EXPECT_TRUE(sprite("va")->isVisible());
    EXPECT_EQ(sprite("va")->left(), 223);
    EXPECT_EQ(sprite("va")->top(), 0);
    EXPECT_TRUE(sprite("va")->isPlaying());
    advance(5000);
    EXPECT_FALSE(sprite("va")->isVisible());

    int leftMost = 1000, rightMost = -1, topMost = 1000, bottomMost = -1;
    for (int i = 0; i < 20000; ++i) {
        game->on_fish_timeout();
        leftMost = std::min(leftMost, int(sprite("va")->left()));
        rightMost = std::max(rightMost, int(sprite("va")->left()));
        topMost = std::min(topMost, int(sprite("va")->top()));
        bottomMost = std::max(bottomMost, int(sprite("va")->top()));
    }
    EXPECT_EQ(leftMost, 0);
    EXPECT_EQ(rightMost, 223);
    EXPECT_EQ(topMost, 0);
    EXPECT_EQ(bottomMost, 287);
}

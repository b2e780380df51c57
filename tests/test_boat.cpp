#include "test_game_world.h"

namespace {

using Boat = GameWorld;

} // namespace

TEST_F(Boat, StepsStopAtTheLimitsAndCarryWaterAndFish) {
    startGame(1, 3);
    click("peli", "Command4");
    const float width = float(sprite("vene")->width());
    auto expectFollowing = [&](const char* what) {
        SCOPED_TRACE(what);
        EXPECT_EQ(sprite("vesi")->top(), sprite("vene")->top() + width);
        EXPECT_EQ(sprite("kala")->top(), sprite("vene")->top() + width - 40);
        EXPECT_EQ(sprite("mies")->top(), sprite("vene")->top() - 16);
    };
    // At the start the water and fish stand at their own design places.
    EXPECT_EQ(sprite("vesi")->top(), 136);
    EXPECT_EQ(sprite("kala")->top(), 104);

    click("peli", "Command1");
    EXPECT_EQ(sprite("vene")->top(), 16);
    EXPECT_EQ(game().boatPlace(), 0);
    EXPECT_EQ(game().bitePeriod(), 5000);
    expectFollowing("snap at the start");

    for (int i = 1; i <= 9; ++i) {
        click("peli", "Command2");
        EXPECT_EQ(sprite("vene")->top(), 16 + 20 * i);
        EXPECT_EQ(game().boatPlace(), i);
        expectFollowing("down");
    }
    EXPECT_EQ(sprite("vene")->top(), 196);
    const int period = game().bitePeriod();
    click("peli", "Command2");
    EXPECT_EQ(sprite("vene")->top(), 192);
    EXPECT_EQ(sprite("mies")->top(), 176);
    EXPECT_EQ(game().boatPlace(), 9);
    EXPECT_EQ(game().bitePeriod(), period);
    expectFollowing("snap at the bottom");

    for (int i = 8; i >= 0; --i) {
        click("peli", "Command1");
        EXPECT_EQ(sprite("vene")->top(), 12 + 20 * i);
        EXPECT_EQ(game().boatPlace(), i);
        expectFollowing("up");
    }
    click("peli", "Command1");
    EXPECT_EQ(sprite("vene")->top(), 16);
    EXPECT_EQ(sprite("mies")->top(), 0);
    EXPECT_EQ(game().boatPlace(), 0);
    expectFollowing("snap at the top");
}

// A limit holds however often it is pressed: after the snap back to it, more
// presses toward it neither move the boat nor change its place or period.
TEST_F(Boat, PressingOnAtALimitNeverMovesTheBoat) {
    startGame(2, 4);
    click("peli", "Command4");
    struct Place {
        float boat, angler, water, fish;
        int pos, period;
        bool operator==(const Place&) const = default;
    };
    auto place = [this] {
        return Place{sprite("vene")->top(), sprite("mies")->top(), sprite("vesi")->top(),
                     sprite("kala")->top(), game().boatPlace(),    game().bitePeriod()};
    };
    for (int i = 0; i < 10; ++i) {
        click("peli", "Command2");
    }
    const Place bottom = place();
    EXPECT_EQ(bottom.boat, 192);
    EXPECT_EQ(bottom.pos, 9);
    for (int i = 0; i < 3; ++i) {
        click("peli", "Command2");
        EXPECT_EQ(place(), bottom) << "press " << i + 2 << " at the bottom";
    }

    for (int i = 0; i < 10; ++i) {
        click("peli", "Command1");
    }
    const Place top = place();
    EXPECT_EQ(top.boat, 16);
    EXPECT_EQ(top.pos, 0);
    for (int i = 0; i < 3; ++i) {
        click("peli", "Command1");
        EXPECT_EQ(place(), top) << "press " << i + 2 << " at the top";
    }
}

TEST_F(Boat, BiteClockPeriodFollowsTheDistanceToTheHotSpot) {
    for (int spot : {1, 3}) {
        SCOPED_TRACE(spot);
        const int bonus = spot == 3 ? 2000 : 0;
        startGame(spot, 4);
        click("peli", "Command4");
        const int expected[] = {20000, 20000, 20000, 10000, 5000, 10000, 20000};
        for (int pos = 1; pos <= 6; ++pos) {
            click("peli", "Command2");
            EXPECT_EQ(game().bitePeriod(), expected[pos] - bonus) << pos;
        }
        // A step replaces a period shortened by taps.
        click("peli", "Command4");
        click("peli", "Command3");
        click("peli", "Command4");
        EXPECT_EQ(game().bitePeriod(), 20000 - bonus - 100);
        click("peli", "Command1");
        EXPECT_EQ(game().bitePeriod(), 10000 - bonus);
        forms.unload("peli");
        settle();

        startGame(spot, 0);
        click("peli", "Command4");
        click("peli", "Command2");
        EXPECT_EQ(game().bitePeriod(), 10000 - bonus);
        click("peli", "Command1");
        EXPECT_EQ(game().bitePeriod(), 5000 - bonus);
        forms.unload("peli");
        settle();
    }
}

TEST_F(Boat, FirstStrikeRisesFromTheDesignPlace) {
    startGame();
    advance(1000);
    hookFish(900);
    click("peli", "Command4");
    advance(100);
    EXPECT_EQ(sprite("kala")->top(), 104 - 15);
    advance(200);
    EXPECT_EQ(state.fish_count, 0);
    // 104 − 4 × 15 = 44 is past the landing line 16 + 137 − 100 = 53.
    advance(100);
    EXPECT_EQ(state.fish_count, 1);
    EXPECT_EQ(sprite("kala")->top(), 16 + 137 - 40);

    // From the rest place the fourth step stops exactly on the line: not yet landed.
    click("peli", "Command4");
    hookFish(900);
    click("peli", "Command4");
    advance(400);
    EXPECT_EQ(sprite("kala")->top(), 53);
    EXPECT_EQ(state.fish_count, 1);
    advance(100);
    EXPECT_EQ(state.fish_count, 2);
}

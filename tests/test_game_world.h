#pragma once

#include "core/timer.h"
#include "game/peli.h"
#include "platform/kelmo.h"
#include "support/bites.h"
#include "support/world.h"

#include <QFile>
#include <QListWidget>
#include <QPushButton>

// A world with a game screen open, as the setup screen leaves it.
class GameWorld : public World {
protected:
    // Opens a fresh game at the spot; the load step's hot spot draw is scripted.
    Peli* startGame(int spot = 1, int hotspot = 3) {
        state.spot_choice = static_cast<qint16>(spot);
        state.clearCatch();
        random.roll(hotspot, 9);
        forms.get(QStringLiteral("peli"));
        forms.show(QStringLiteral("peli"));
        settle();
        startedAt = game().clock().now();
        return peli();
    }

    Peli* peli() const { return forms.find<Peli>(QStringLiteral("peli")); }
    Kelmo* sprite(const QString& name) const { return control<Kelmo>("peli", name); }
    Timer* timer(const QString& name) const { return control<Timer>("peli", name); }
    QPushButton* button(const QString& name) const { return control<QPushButton>("peli", name); }
    QListWidget* catchList() const { return control<QListWidget>("peli", "List1"); }
    QStringList catchLines() const {
        QStringList lines;
        for (int i = 0; i < catchList()->count(); ++i) {
            lines << catchList()->item(i)->text();
        }
        return lines;
    }
    QString shown(const QString& spriteName) const { return sprite(spriteName)->file(); }
    // The enabled state of Command1..Command5, as "ee-d-" strings ('e' enabled, '-' not).
    QString buttons() const {
        QString pattern;
        for (int i = 1; i <= 5; ++i) {
            pattern += button(QStringLiteral("Command%1").arg(i))->isEnabled() ? 'e' : '-';
        }
        return pattern;
    }
    // The size of the nibble going on, if any, and whether it has hooked the fish.
    std::optional<NibbleSize> nibbleSize() {
        const std::optional<Nibble> nibble = game().nibble();
        return nibble ? std::optional(nibble->size) : std::nullopt;
    }
    bool hooked() {
        const std::optional<Nibble> nibble = game().nibble();
        return nibble && nibble->hooked;
    }
    // Lets the game run until just before its next bite (see bites::untilTheBite).
    bool untilTheBite() {
        return bites::untilTheBite(game(), startedAt, [this](qint64 ms) { advance(ms); });
    }
    // Runs the game to its next bite and makes that a nibble that hooks the fish;
    // the strike that follows draws a fish of this weight.
    void hookFish(int weight) {
        bites::hookFish(
            game(), random, startedAt, [this](qint64 ms) { advance(ms); }, weight);
    }
    // Lowers the line ("Laske!") once its first bite will fall clear of the other draws.
    void lower() {
        advance(bites::waitToLower(game(), startedAt));
        click("peli", "Command4");
    }
    // Strikes a fish of this weight at the next nibble, lets it land and lowers the line.
    void landFish(int weight) {
        hookFish(weight);
        click("peli", "Command4");
        advance(500);
        lower();
    }

    qint64 startedAt = 0;
};

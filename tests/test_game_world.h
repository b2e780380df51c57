#pragma once

#include "core/timer.h"
#include "game/peli.h"
#include "platform/kelmo.h"
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
    // Forces a hooked nibble so that the next lift strikes a fish of this weight.
    void hookFish(int weight) {
        game().fish_hooked = true;
        random.roll(weight - 100, 2000);
    }
    // Lifts with a fish of this weight on the hook and lets it land.
    void landFish(int weight) {
        hookFish(weight);
        click("peli", "Command4");
        advance(500);
        click("peli", "Command4");
    }
};

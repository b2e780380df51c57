#include "core/fishinggame.h"

#include "core/module1.h"
#include "core/random.h"
#include "core/timer.h"

namespace {

const QString kBaitInWater = QStringLiteral("\\data\\mato_dis.gif");

QString bait(const QString& kohoState) {
    return QStringLiteral("\\data\\") + kohoState + QStringLiteral(".gif");
}

} // namespace

bool Actions::allows(Action action) const {
    switch (action) {
    case Action::RowUp:
        return rowUp;
    case Action::RowDown:
        return rowDown;
    case Action::TapRod:
        return tapRod;
    case Action::LiftOrLower:
        return liftOrLower;
    case Action::ChangeWorm:
        return changeWorm;
    case Action::Quit:
        return quit;
    }
    return false;
}

FishingGame::FishingGame(Clock& clock, Random& random, Module1& shared, QObject* parent)
    : QObject(parent), gameClock_(clock), random_(random), shared_(shared) {
    Timer1 = new Timer(this, gameClock_, QStringLiteral("Timer1"), 5000, false);
    pieni = new Timer(this, gameClock_, QStringLiteral("pieni"), 1200, false);
    keski = new Timer(this, gameClock_, QStringLiteral("keski"), 1800, false);
    iso = new Timer(this, gameClock_, QStringLiteral("iso"), 2500, false);
    fish = new Timer(this, gameClock_, QStringLiteral("fish"), 10000, false);
    vaihto = new Timer(this, gameClock_, QStringLiteral("vaihto"), 5000, false);
    kala_nousee = new Timer(this, gameClock_, QStringLiteral("kala_nousee"), 100, false);
    sano = new Timer(this, gameClock_, QStringLiteral("sano"), 8000, false);
    aika = new Timer(this, gameClock_, QStringLiteral("aika"), 1000, false);

    connect(aika, &Timer::timeout, this, &FishingGame::on_aika_timeout);
    connect(Timer1, &Timer::timeout, this, &FishingGame::on_Timer1_timeout);
    connect(pieni, &Timer::timeout, this, &FishingGame::on_pieni_timeout);
    connect(keski, &Timer::timeout, this, &FishingGame::on_keski_timeout);
    connect(iso, &Timer::timeout, this, &FishingGame::on_iso_timeout);
    connect(fish, &Timer::timeout, this, &FishingGame::on_fish_timeout);
    connect(vaihto, &Timer::timeout, this, &FishingGame::on_vaihto_timeout);
    connect(kala_nousee, &Timer::timeout, this, &FishingGame::on_kala_nousee_timeout);
    connect(sano, &Timer::timeout, this, &FishingGame::on_sano_timeout);
}

FishingGame::~FishingGame() {
    // The timers go before the game's clock does.
    qDeleteAll(findChildren<Timer*>(Qt::FindDirectChildrenOnly));
}

void FishingGame::start() {
    stop();
    gameClock_.resume();
    shared_.clearCatch();
    rod_ = Rod::InWater;
    angler_ = Angler::Waiting;
    bitePeriod_ = 5000;
    boatTop_ = kTopLimit;
    boatPlaced_ = false;
    fishDepth_ = kFirstDepth;
    baitPicture_.clear();
    bite_roll = 0;

    // The bite clock, the ripple, the chatter and the game clock run from the first moment.
    Timer1->setInterval(bitePeriod_);
    Timer1->setEnabled(true);
    fish->setEnabled(true);
    sano->setEnabled(true);
    aika->setEnabled(true);
    running_ = true;

    spot_bonus = static_cast<qint16>(fishing::spotBonus(shared_.spot_choice));
    random_.Randomize();
    clock_minutes = 0;
    clock_seconds = 0;
    koho_state = QStringLiteral("koho3");
    hotspot_pos = static_cast<qint16>(rollInt(random_, 9));
    boat_pos = 0;
    // No fish carries over from an earlier game: a lift before the first nibble lands nothing.
    fish_hooked = false;
    fish_species.clear();
    fish_size.clear();
    fish_weight = 0;
    fish_picture.clear();
}

void FishingGame::stop() {
    running_ = false;
    for (Timer* timer : {Timer1, pieni, keski, iso, fish, vaihto, kala_nousee, sano, aika}) {
        timer->setEnabled(false);
    }
}

Actions FishingGame::actions() const {
    Actions can;
    can.quit = running_;
    if (!running_ || paused()) {
        return can;
    }
    switch (rod_) {
    case Rod::InWater:
        can.tapRod = true;
        can.liftOrLower = true;
        break;
    case Rod::Up:
        can.rowUp = true;
        can.rowDown = true;
        can.liftOrLower = true;
        can.changeWorm = true;
        break;
    case Rod::ChangingWorm:
        break;
    }
    return can;
}

QString FishingGame::liftCaption() const {
    return rod_ == Rod::InWater ? tr("Nosta!") : tr("Laske!");
}

Timer* FishingGame::nibbleWindow(fishing::Nibble nibble) const {
    switch (nibble) {
    case fishing::Nibble::Small:
        return pieni;
    case fishing::Nibble::Medium:
        return keski;
    case fishing::Nibble::Large:
        return iso;
    case fishing::Nibble::None:
        break;
    }
    return nullptr;
}

bool FishingGame::nibbleOpen(fishing::Nibble nibble) const {
    const Timer* window = nibbleWindow(nibble);
    return window && window->enabled();
}

qint64 FishingGame::nextBite() const {
    return Timer1->due();
}

qint64 FishingGame::nibbleEnds(fishing::Nibble nibble) const {
    const Timer* window = nibbleWindow(nibble);
    return window ? window->due() : -1;
}

bool FishingGame::anyNibbleOpen() const {
    return pieni->enabled() || keski->enabled() || iso->enabled();
}

bool FishingGame::fishRising() const {
    return kala_nousee->enabled();
}

QString FishingGame::anglerPicture(Angler angler) {
    switch (angler) {
    case Angler::Waiting:
        return QStringLiteral("\\data\\mies.gif");
    case Angler::Nibble:
        return QStringLiteral("\\data\\mies_kala.gif");
    case Angler::Tapping:
        return QStringLiteral("\\data\\mies_napautus.gif");
    case Angler::Lifting:
        return QStringLiteral("\\data\\mies_nosto.gif");
    case Angler::Lowering:
        return QStringLiteral("\\data\\mies_lasku.gif");
    }
    return QString();
}

void FishingGame::setAngler(Angler angler, bool once) {
    angler_ = angler;
    emit anglerChanged(angler, once);
}

void FishingGame::setBait(const QString& picture) {
    baitPicture_ = picture;
    emit baitChanged(picture);
}

void FishingGame::setRod(Rod rod) {
    rod_ = rod;
    emit actionsChanged();
}

void FishingGame::act(Action action) {
    switch (action) {
    case Action::RowUp:
        rowUp();
        break;
    case Action::RowDown:
        rowDown();
        break;
    case Action::TapRod:
        tapRod();
        break;
    case Action::LiftOrLower:
        liftOrLower();
        break;
    case Action::ChangeWorm:
        changeWorm();
        break;
    case Action::Quit:
        quit();
        break;
    }
}

void FishingGame::moveBoat(int top) {
    boatTop_ = top;
    boatPlaced_ = true;
    // Wherever the boat goes, the fish waits (or starts its rise again) just below it.
    fishDepth_ = kRestDepth;
    emit boatMoved();
}

void FishingGame::rowUp() {
    row(-1);
}

void FishingGame::rowDown() {
    row(+1);
}

void FishingGame::row(int direction) {
    const Actions can = actions();
    if (!(direction < 0 ? can.rowUp : can.rowDown)) {
        return;
    }
    // The limit is tested before the step, so a step may carry the boat a few
    // pixels past it; the next press only puts it back on the limit.
    const int limit = direction < 0 ? kTopLimit : kBottomLimit;
    if (direction < 0 ? boatTop_ <= limit : boatTop_ >= limit) {
        moveBoat(limit);
        return;
    }
    moveBoat(boatTop_ + direction * kBoatStep);
    boat_pos = static_cast<qint16>(boat_pos + direction);
    bitePeriod_ = fishing::bitePeriod(boat_pos, hotspot_pos, spot_bonus);
    Timer1->setInterval(bitePeriod_);
}

void FishingGame::tapRod() {
    if (!actions().tapRod) {
        return;
    }
    // A running bite clock keeps its countdown; the shorter period starts with the next one.
    bitePeriod_ = fishing::tappedPeriod(bitePeriod_);
    Timer1->setInterval(bitePeriod_);
    setAngler(Angler::Tapping, true);
}

void FishingGame::liftOrLower() {
    if (!actions().liftOrLower) {
        return;
    }
    if (rod_ == Rod::InWater) {
        if (fish_hooked) {
            tarkista_kala();
        }
        pieni->setEnabled(false);
        keski->setEnabled(false);
        iso->setEnabled(false);
        Timer1->setEnabled(false);
        setBait(bait(koho_state));
        setRod(Rod::Up);
        setAngler(Angler::Lifting, true);
        return;
    }
    Timer1->setEnabled(true);
    setBait(kBaitInWater);
    setRod(Rod::InWater);
    fish_hooked = false;
    setAngler(Angler::Lowering, true);
}

void FishingGame::tarkista_kala() {
    if (!fish_hooked) {
        return;
    }
    // The catch table holds 20 fish: once it is full, a lift is only a lift.
    if (shared_.fish_count >= Module1::kRows) {
        return;
    }
    fish_weight = static_cast<qint16>(rollInt(
        random_, fishing::kHeaviestFish - fishing::kLightestFish + 1, fishing::kLightestFish));
    fishing::classify(fish_weight, fish_species, fish_size);
    fish_picture = fishing::fishPicture(fish_species, fish_size);
    kala_nousee->setEnabled(true);
    emit fishHooked();
}

void FishingGame::on_kala_nousee_timeout() {
    fishDepth_ -= kRisePerStep;
    emit fishRose();
    if (fishDepth_ >= 0) {
        return;
    }
    ++shared_.fish_count;
    const int row = shared_.fish_count;
    shared_.catch_table[row][1] = fish_species;
    shared_.catch_table[row][2] = fish_weight;
    kala_nousee->setEnabled(false);
    fishDepth_ = kRestDepth;
    fish_hooked = false;
    emit fishLanded(row);
    fish_species.clear();
    fish_size.clear();
    fish_weight = 0;
    fish_picture.clear();
}

void FishingGame::set_mato() {
    if (koho_state == QLatin1String("koho3")) {
        fish_hooked = true;
    } else if (koho_state == QLatin1String("koho2")) {
        fish_hooked = rollInt(random_, 2) == 0;
    } else if (koho_state == QLatin1String("koho1")) {
        fish_hooked = rollInt(random_, 5) == 0;
    }
}

void FishingGame::on_Timer1_timeout() {
    // A worm eaten to the bone tempts no fish.
    if (koho_state == QLatin1String("koho1")) {
        return;
    }
    bite_roll = static_cast<qint16>(boat_pos == hotspot_pos ? rollInt(random_, 7, 2)
                                                            : rollInt(random_, 11));
    const fishing::Nibble nibble = fishing::nibbleOf(bite_roll);
    Timer* window = nibbleWindow(nibble);
    if (!window) {
        return;
    }
    koho_state = fishing::kohoAfterWear(rollInt(random_, fishing::wearDraws(nibble)));
    set_mato();
    setAngler(Angler::Nibble, false);
    // A window of this class that is still open runs on to its own end.
    window->setEnabled(true);
}

void FishingGame::closeNibbleWindow(Timer* window) {
    fish_hooked = false;
    setAngler(Angler::Waiting, false);
    window->setEnabled(false);
}

void FishingGame::on_fish_timeout() {
    const int x = rollInt(random_, 224);
    const int y = rollInt(random_, 288);
    emit ripple(x, y);
}

void FishingGame::changeWorm() {
    if (!actions().changeWorm) {
        return;
    }
    setRod(Rod::ChangingWorm);
    setBait(kBaitInWater);
    vaihto->setEnabled(true);
}

void FishingGame::on_vaihto_timeout() {
    setRod(Rod::Up);
    koho_state = QStringLiteral("koho3");
    setBait(bait(koho_state));
    vaihto->setEnabled(false);
}

void FishingGame::on_sano_timeout() {
    emit chatter(rollInt(random_, 15, 1));
}

void FishingGame::on_aika_timeout() {
    ++clock_seconds;
    if (clock_seconds == 60) {
        clock_seconds = 0;
        ++clock_minutes;
    }
    if (clock_minutes == 3) {
        stop();
        emit timeUp();
        return;
    }
    emit clockChanged();
}

void FishingGame::quit() {
    if (!running_) {
        return;
    }
    stop();
    gameClock_.resume();
    emit quitted();
}

void FishingGame::pause() {
    if (!running_ || paused()) {
        return;
    }
    gameClock_.pause();
    emit actionsChanged();
    emit pausedChanged(true);
}

void FishingGame::resume() {
    if (!paused()) {
        return;
    }
    gameClock_.resume();
    emit actionsChanged();
    emit pausedChanged(false);
}

void FishingGame::togglePause() {
    paused() ? resume() : pause();
}

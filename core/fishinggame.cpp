#include "core/fishinggame.h"

#include "core/module1.h"
#include "core/random.h"
#include "core/timer.h"

namespace {

int indexOf(NibbleSize size) {
    return static_cast<int>(size);
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
    using namespace fishing;
    Timer1 = new Timer(this, gameClock_, QStringLiteral("Timer1"), kFirstBitePeriod, false);
    pieni = new Timer(this, gameClock_, QStringLiteral("pieni"), nibbleLength(NibbleSize::Small),
                      false);
    keski = new Timer(this, gameClock_, QStringLiteral("keski"), nibbleLength(NibbleSize::Medium),
                      false);
    iso =
        new Timer(this, gameClock_, QStringLiteral("iso"), nibbleLength(NibbleSize::Large), false);
    fish = new Timer(this, gameClock_, QStringLiteral("fish"), kRippleEvery, false);
    vaihto = new Timer(this, gameClock_, QStringLiteral("vaihto"), kWormChange, false);
    kala_nousee = new Timer(this, gameClock_, QStringLiteral("kala_nousee"), kRiseStep, false);
    sano = new Timer(this, gameClock_, QStringLiteral("sano"), kChatterEvery, false);
    aika = new Timer(this, gameClock_, QStringLiteral("aika"), kClockTick, false);

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
    bitePeriod_ = fishing::kFirstBitePeriod;
    boatTop_ = kTopLimit;
    fishDepth_ = kFirstDepth;

    // The bite clock, the ripple, the chatter and the game clock run from the first moment.
    Timer1->setInterval(bitePeriod_);
    Timer1->setEnabled(true);
    fish->setEnabled(true);
    sano->setEnabled(true);
    aika->setEnabled(true);
    running_ = true;

    spotBonus_ = fishing::spotBonus(shared_.spot_choice);
    random_.Randomize();
    elapsed_ = 0;
    worm_ = Worm::Whole;
    hotSpot_ = rollInt(random_, fishing::kHotSpotPlaces);
    boatPlace_ = 0;
    // No fish carries over from an earlier game: a lift before the first nibble lands nothing.
    hooked_ = false;
    miss_ = Miss::NoNibble;
    risingFish_.reset();
}

void FishingGame::stop() {
    running_ = false;
    for (Timer* timer : {Timer1, pieni, keski, iso, fish, vaihto, kala_nousee, sano, aika}) {
        timer->setEnabled(false);
    }
    nibbles_.fill({});
    risingFish_.reset();
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

Timer* FishingGame::nibbleTimer(NibbleSize size) const {
    switch (size) {
    case NibbleSize::Small:
        return pieni;
    case NibbleSize::Medium:
        return keski;
    case NibbleSize::Large:
        return iso;
    }
    return nullptr;
}

qint64 FishingGame::nextBite() const {
    return Timer1->due();
}

qint64 FishingGame::wormChangeEnds() const {
    return vaihto->due();
}

std::optional<Nibble> FishingGame::nibble() const {
    std::optional<Nibble> latest;
    quint64 came = 0;
    for (NibbleSize size : {NibbleSize::Small, NibbleSize::Medium, NibbleSize::Large}) {
        const NibbleGoingOn& going = nibbles_[indexOf(size)];
        if (going.ends >= 0 && going.came > came) {
            came = going.came;
            latest = Nibble{size, going.ends, hooked_};
        }
    }
    return latest;
}

void FishingGame::setAngler(Angler angler, bool once) {
    angler_ = angler;
    emit anglerChanged(angler, once);
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
    boatPlace_ += direction;
    bitePeriod_ = fishing::bitePeriod(boatPlace_, hotSpot_, spotBonus_);
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
        // A fish still rising from an earlier strike does not make this lift a catch.
        const bool hooked = hooked_;
        if (hooked) {
            tarkista_kala();
        }
        const bool empty = !hooked || miss_ == Miss::CatchFull;
        endAllNibbles();
        Timer1->setEnabled(false);
        emit baitChanged(worm_);
        setRod(Rod::Up);
        setAngler(Angler::Lifting, true);
        if (empty) {
            emit liftedEmpty(miss_);
        }
        return;
    }
    Timer1->setEnabled(true);
    emit baitChanged(std::nullopt);
    setRod(Rod::InWater);
    hooked_ = false;
    miss_ = Miss::NoNibble;
    setAngler(Angler::Lowering, true);
}

void FishingGame::tarkista_kala() {
    if (!hooked_) {
        return;
    }
    // The catch table holds 20 fish: once it is full, a lift is only a lift.
    if (shared_.fish_count >= Module1::kRows) {
        miss_ = Miss::CatchFull;
        return;
    }
    const int weight = rollInt(random_, fishing::kFishWeights, fishing::kLightestFish);
    const FishSize lent = risingFish_ ? risingFish_->size : FishSize::None;
    risingFish_ =
        Fish{fishing::speciesOf(weight), fishing::sizeClassOf(weight).value_or(lent), weight};
    kala_nousee->setEnabled(true);
    emit fishHooked(*risingFish_);
}

void FishingGame::on_kala_nousee_timeout() {
    fishDepth_ -= kRisePerStep;
    emit fishRose(*risingFish_);
    if (fishDepth_ >= 0) {
        return;
    }
    ++shared_.fish_count;
    const int row = shared_.fish_count;
    shared_.catch_table[row][1] = fishing::speciesName(risingFish_->species);
    shared_.catch_table[row][2] = static_cast<qint16>(risingFish_->weight);
    kala_nousee->setEnabled(false);
    fishDepth_ = kRestDepth;
    // A fish that took the worm meanwhile, the line lowered again, is lost with the landing.
    if (hooked_) {
        miss_ = Miss::LetGo;
    }
    hooked_ = false;
    risingFish_.reset();
    emit fishLanded(row);
}

void FishingGame::set_mato() {
    switch (worm_) {
    case Worm::Whole:
        hooked_ = true;
        break;
    case Worm::Half:
        hooked_ = rollInt(random_, 2) == 0;
        break;
    case Worm::Eaten:
        hooked_ = rollInt(random_, 5) == 0;
        break;
    }
    if (!hooked_) {
        miss_ = Miss::NotHooked;
    }
}

void FishingGame::on_Timer1_timeout() {
    // A worm eaten to the bone tempts no fish.
    if (worm_ == Worm::Eaten) {
        return;
    }
    const int biteRoll = boatPlace_ == hotSpot_ ? rollInt(random_, 7, 2) : rollInt(random_, 11);
    const std::optional<NibbleSize> size = fishing::nibbleOf(biteRoll);
    if (!size) {
        return;
    }
    worm_ = fishing::wormAfterWear(rollInt(random_, fishing::wearDraws(*size)));
    set_mato();
    setAngler(Angler::Nibble, false);
    startNibble(*size);
}

void FishingGame::startNibble(NibbleSize size) {
    NibbleGoingOn& going = nibbles_[indexOf(size)];
    going.came = ++nibblesCome_;
    // A nibble of a size still going on runs on to its own end.
    if (going.ends < 0) {
        going.ends = gameClock_.now() + fishing::nibbleLength(size);
    }
    nibbleTimer(size)->setEnabled(true);
}

void FishingGame::endNibble(NibbleSize size) {
    hooked_ = false;
    miss_ = Miss::LetGo;
    setAngler(Angler::Waiting, false);
    nibbles_[indexOf(size)].ends = -1;
    nibbleTimer(size)->setEnabled(false);
}

void FishingGame::endAllNibbles() {
    for (NibbleSize size : {NibbleSize::Small, NibbleSize::Medium, NibbleSize::Large}) {
        nibbles_[indexOf(size)].ends = -1;
        nibbleTimer(size)->setEnabled(false);
    }
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
    emit baitChanged(std::nullopt);
    vaihto->setEnabled(true);
}

void FishingGame::on_vaihto_timeout() {
    setRod(Rod::Up);
    worm_ = Worm::Whole;
    emit baitChanged(worm_);
    vaihto->setEnabled(false);
}

void FishingGame::on_sano_timeout() {
    emit chatter(rollInt(random_, fishing::kChatterLines, 1));
}

void FishingGame::on_aika_timeout() {
    ++elapsed_;
    if (elapsed_ == fishing::kGameSeconds) {
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

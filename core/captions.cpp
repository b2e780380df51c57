#include "core/captions.h"

#include "core/module1.h"

#include <algorithm>

namespace {

// Which hint is which.
constexpr int kLiftHint = 0;
constexpr int kWormHint = 1;
constexpr int kRowHint = 2;

// How pressing a caption is: the strip shows the most pressing when not all fit.
int weight(CaptionKind kind) {
    switch (kind) {
    case CaptionKind::Paused:
        return 9;
    case CaptionKind::TimeUp:
        return 8;
    case CaptionKind::Missed:
        return 7;
    case CaptionKind::Hint:
        return 6;
    case CaptionKind::Nibble:
    case CaptionKind::BareHook:
    case CaptionKind::Hooked:
    case CaptionKind::Landed:
    case CaptionKind::TenSeconds:
        return 5;
    case CaptionKind::Resumed:
    case CaptionKind::WormChange:
    case CaptionKind::WormReady:
        return 4;
    case CaptionKind::Fastest:
        return 3;
    case CaptionKind::Chatter:
        return 1;
    }
    return 0;
}

} // namespace

Captions::Captions(FishingGame& game, QObject* parent) : QObject(parent), game_(game) {}

void Captions::setChatterText(ChatterText text, ChatterLength length) {
    chatterText_ = std::move(text);
    chatterLength_ = std::move(length);
}

QString Captions::speciesText(Species species) {
    return species == Species::Pike ? tr("hauki") : tr("ahven");
}

QString Captions::speciesText(const QString& listed) {
    return speciesText(listed == fishing::speciesName(Species::Pike) ? Species::Pike
                                                                     : Species::Perch);
}

void Captions::setOn(bool on) {
    if (on == on_) {
        return;
    }
    on_ = on;
    for (const QMetaObject::Connection& connection : listening_) {
        disconnect(connection);
    }
    listening_.clear();
    captions_.clear();
    if (!on) {
        emit changed();
        return;
    }
    FishingGame* game = &game_;
    listening_ << connect(game, &FishingGame::anglerChanged, this,
                          [this](Angler angler, bool) { onAngler(angler); });
    listening_ << connect(game, &FishingGame::liftedEmpty, this, &Captions::onMissed);
    listening_ << connect(game, &FishingGame::baitChanged, this, &Captions::onBait);
    listening_ << connect(game, &FishingGame::clockChanged, this, &Captions::onClock);
    listening_ << connect(game, &FishingGame::boatMoved, this, [this] {
        stillSince_ = game_.elapsedSeconds();
        expire();
    });
    listening_ << connect(game, &FishingGame::fishHooked, this, [this] {
        post(CaptionKind::Hooked, tr("Kala tarttui! Se nousee veneeseen."), kNewsShows);
    });
    listening_ << connect(game, &FishingGame::fishLanded, this, [this](int row) {
        const Module1& shared = game_.shared();
        post(CaptionKind::Landed,
             tr("Saalis: %1, %2 g")
                 .arg(speciesText(cellText(shared.catch_table[row][1])))
                 .arg(cellWeight(shared.catch_table[row][2])),
             kNewsShows);
    });
    listening_ << connect(game, &FishingGame::chatter, this, [this](int line) {
        const QString text = chatterText_ ? chatterText_(line) : QString();
        if (!text.isEmpty()) {
            post(CaptionKind::Chatter, text, chatterLength_ ? chatterLength_(line) : kChatterShows);
        } else {
            expire();
        }
    });
    listening_ << connect(game, &FishingGame::pausedChanged, this, [this](bool paused) {
        if (paused) {
            post(CaptionKind::Paused, tr("Tauko"));
            return;
        }
        drop(CaptionKind::Paused);
        post(CaptionKind::Resumed, tr("Peli jatkuu"), kBriefShows);
    });
    listening_ << connect(game, &FishingGame::timeUp, this,
                          [this] { post(CaptionKind::TimeUp, tr("Aika loppui, peli päättyi.")); });

    // What is going on right now, as switching on finds it.
    stillSince_ = game_.elapsedSeconds();
    fastest_ = game_.bitePeriod() <= fishing::kShortestTappedPeriod;
    changingWorm_ = game_.rod() == Rod::ChangingWorm;
    if (game_.paused()) {
        captions_ << Caption{CaptionKind::Paused, tr("Tauko"), game_.clock().now()};
    }
    if (game_.nibble() && game_.angler() == Angler::Nibble) {
        captions_ << Caption{CaptionKind::Nibble, tr("Kala nykii!"), game_.clock().now()};
    }
    if (changingWorm_) {
        captions_ << Caption{CaptionKind::WormChange, wormChangeText(), game_.clock().now()};
    }
    emit changed();
}

QList<Caption> Captions::showing() const {
    QList<Caption> shown = captions_;
    std::stable_sort(shown.begin(), shown.end(), [](const Caption& a, const Caption& b) {
        if (weight(a.kind) != weight(b.kind)) {
            return weight(a.kind) > weight(b.kind);
        }
        return a.at > b.at;
    });
    return shown;
}

void Captions::post(CaptionKind kind, const QString& text, qint64 lasts) {
    const qint64 now = game_.clock().now();
    // A caption of a kind takes the place of the one before it.
    captions_.removeIf([kind](const Caption& caption) { return caption.kind == kind; });
    captions_ << Caption{kind, text, now, lasts < 0 ? -1 : now + lasts};
    emit posted(captions_.last());
    expire();
    emit changed();
}

void Captions::drop(CaptionKind kind) {
    if (captions_.removeIf([kind](const Caption& caption) { return caption.kind == kind; }) > 0) {
        emit changed();
    }
}

void Captions::expire() {
    const qint64 now = game_.clock().now();
    if (captions_.removeIf([now](const Caption& caption) {
            return caption.until >= 0 && caption.until <= now;
        }) > 0) {
        emit changed();
    }
}

void Captions::hint(int which, const QString& text, qint64 lasts) {
    if (!hints_ || hinted_[which]) {
        return;
    }
    hinted_[which] = true;
    post(CaptionKind::Hint, text, lasts);
}

void Captions::onAngler(Angler angler) {
    switch (angler) {
    case Angler::Nibble:
        post(CaptionKind::Nibble, tr("Kala nykii!"));
        liftHintShowing_ = hints_ && !hinted_[kLiftHint];
        hint(kLiftHint, tr("Nosta siima nyt! (välilyönti)"));
        return;
    case Angler::Tapping: {
        // Tapping does not end a nibble: its caption stays while the angler taps.
        const bool fastest = game_.bitePeriod() <= fishing::kShortestTappedPeriod;
        if (fastest && !fastest_) {
            post(CaptionKind::Fastest, tr("Nykäisyjä taukoamatta: mato kuluu."), kNewsShows);
        }
        fastest_ = fastest;
        expire();
        return;
    }
    case Angler::Lowering:
        // Down again: what the lift showed is done with, and rowing may have slowed the bites.
        drop(CaptionKind::Missed);
        fastest_ = game_.bitePeriod() <= fishing::kShortestTappedPeriod;
        // No fish bites a bare hook: waiting on one would be waiting for nothing.
        if (game_.worm() == Worm::Eaten) {
            post(CaptionKind::BareHook, tr("Tyhjä koukku ei houkuta kaloja."), kMissShows);
        }
        [[fallthrough]];
    case Angler::Waiting:
    case Angler::Lifting:
        drop(CaptionKind::Nibble);
        // "Lift now" goes with the nibble it was for.
        if (liftHintShowing_) {
            liftHintShowing_ = false;
            drop(CaptionKind::Hint);
        }
        expire();
        return;
    }
}

void Captions::onMissed(Miss why) {
    QString text;
    switch (why) {
    case Miss::NoNibble:
        text = tr("Tyhjä nosto: kala ei nykinyt.");
        break;
    case Miss::LetGo:
        text = tr("Myöhässä: nykäisy ehti loppua.");
        break;
    case Miss::NotHooked:
        text = tr("Kala nykäisi, mutta ei tarttunut.");
        break;
    case Miss::CatchFull:
        text = tr("Saalis on täynnä: 20 kalaa.");
        break;
    }
    const Worm worm = game_.worm();
    if (worm == Worm::Half) {
        text += QLatin1Char('\n') + tr("Mato on puoliksi syöty.");
    } else if (worm == Worm::Eaten) {
        text += QLatin1Char('\n') + tr("Mato on syöty: vaihda mato (V).");
    }
    post(CaptionKind::Missed, text, kMissShows);
    if (worm != Worm::Whole) {
        // The reason comes first; the hint shows on once the reason has gone.
        hint(kWormHint, tr("Vinkki: ehjä mato pitää kalan."), kMissShows + kHintShows);
    }
}

QString Captions::wormChangeText() const {
    // As the change begins, its countdown is not yet running.
    const qint64 ends = game_.wormChangeEnds();
    const qint64 left =
        ends < 0 ? fishing::kWormChange : std::max<qint64>(0, ends - game_.clock().now());
    return tr("Vaihdetaan matoa … %1 s").arg((left + 999) / 1000);
}

void Captions::onBait(const std::optional<Worm>& worm) {
    if (game_.rod() == Rod::ChangingWorm) {
        changingWorm_ = true;
        drop(CaptionKind::Missed);
        drop(CaptionKind::BareHook);
        post(CaptionKind::WormChange, wormChangeText());
        return;
    }
    if (changingWorm_ && worm) {
        changingWorm_ = false;
        drop(CaptionKind::WormChange);
        post(CaptionKind::WormReady, tr("Uusi mato on koukussa."), kBriefShows);
        return;
    }
    expire();
}

void Captions::onClock() {
    const int elapsed = game_.elapsedSeconds();
    if (changingWorm_) {
        const QString text = wormChangeText();
        const auto shown = std::find_if(captions_.cbegin(), captions_.cend(), [](const Caption& c) {
            return c.kind == CaptionKind::WormChange;
        });
        if (shown == captions_.cend() || shown->text != text) {
            post(CaptionKind::WormChange, text);
        }
    }
    if (elapsed == fishing::kGameSeconds - 10) {
        post(CaptionKind::TenSeconds, tr("Kymmenen sekuntia jäljellä."), kNewsShows);
    }
    if (elapsed - stillSince_ >= kStillSeconds) {
        hint(kRowHint, tr("Vinkki: souda, jossain syö parhaiten."));
    }
    expire();
}

#include "game/peli.h"

#include "core/captions.h"
#include "core/chatterlines.h"
#include "core/fishinggame.h"
#include "core/module1.h"
#include "core/paths.h"
#include "game/captionstrip.h"
#include "game/pictures.h"
#include "platform/accessibility.h"
#include "platform/context.h"
#include "platform/kelmo.h"
#include "platform/look.h"
#include "platform/soundplayer.h"
#include "platform/windownames.h"

#include <QApplication>
#include <QKeyEvent>
#include <QListWidget>
#include <QPushButton>
#include <QTimer>
#include <array>

namespace {

// The angler stands 16 pixels above the boat's top edge.
constexpr float kAnglerAbove = 16;
// Measured from the boat's top edge plus its width: the landing line under the boat.
constexpr float kLandingLine = 100;
// The first second after the window opens: a click that lands elsewhere then,
// like the second click of a double-click on "Aloita", was meant for the
// setup window and must not pause the new game.
constexpr qint64 kOpeningMs = 1000;
// The lake: left of the panel's line and above the catch list's.
const QRect kLake(0, 0, 247, 303);

// The player's actions: the button that takes each, and the key that plays it
// as a click on that button.
struct ActionControl {
    Action action;
    const char* button;
    Qt::Key key;  // Qt::Key_unknown: no key of its own
    bool repeats; // held down, the key acts again and again
};
// "Lopeta" has no key: leaving a game is always deliberate.
constexpr std::array<ActionControl, 6> kActionControls{{
    {Action::RowUp, "Command1", Qt::Key_Up, true},
    {Action::RowDown, "Command2", Qt::Key_Down, true},
    {Action::TapRod, "Command3", Qt::Key_N, false},
    {Action::LiftOrLower, "Command4", Qt::Key_Space, false},
    {Action::ChangeWorm, "Command5", Qt::Key_V, false},
    {Action::Quit, "Command6", Qt::Key_unknown, false},
}};

QPushButton* makeButton(QWidget* parent, const QString& name, const QRect& box,
                        const QString& caption, bool enabled) {
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(name);
    button->setGeometry(box);
    button->setFont(look::systemFont(8.25));
    button->setEnabled(enabled);
    return button;
}

QPushButton* makePictureButton(QWidget* parent, const QString& name, const QRect& box,
                               const QString& picture) {
    QPushButton* button = makeButton(parent, name, box, QString(), false);
    button->setIcon(pixelIcon(picture));
    button->setIconSize(QSize(20, 20));
    return button;
}

} // namespace

template <typename Words> void Peli::say(Words&& words) {
    context().announcer.say(this, std::forward<Words>(words));
}

Peli::Peli(Forms& forms, Module1& state)
    : Form(forms, windowName::peli, QStringLiteral("Norppala"), kDesignSize), state_(state) {
    setAccessibleName(tr("Norppala: kalastus"));
    setPicture(QStringLiteral(":/pictures/peli_tausta.gif"));
    // The pictures live on the game's own time, so they stand still when it is paused.
    game_ = new FishingGame(context().clock, context().random, state, this);
    Clock& clock = game_->clock();
    Pictures& pictures = context().pictures;

    // Created back to front: the water lies under the ripple, the rising fish
    // and the boat, and the angler stands in the boat on top of everything.
    vesi = new Kelmo(this, clock, pictures, QStringLiteral("vesi"), QRect(0, 136, 153, 73),
                     QStringLiteral(":/pictures/vesi.gif"));
    va = new Kelmo(this, clock, pictures, QStringLiteral("va"), QRect(152, 216, 89, 81),
                   QStringLiteral(":/pictures/va.gif"));
    va->setVisible(false);
    kala = new Kelmo(this, clock, pictures, QStringLiteral("kala"), QRect(72, 104, 70, 100),
                     QStringLiteral(":/pictures/kala.gif"));
    kala->setVisible(false);
    vene = new Kelmo(this, clock, pictures, QStringLiteral("vene"), QRect(0, 16, 137, 113),
                     QStringLiteral(":/pictures/vene.gif"));
    mies = new Kelmo(this, clock, pictures, QStringLiteral("mies"), QRect(0, 0, 97, 129),
                     QStringLiteral(":/pictures/mies.gif"));
    mato = new Kelmo(this, clock, pictures, QStringLiteral("mato"), QRect(256, 208, 97, 89),
                     QStringLiteral(":/pictures/mato.gif"));

    const QFont heading = look::systemFont(8.25, true);
    const QFont clockFont = look::arial(20.25, true);
    Label1 = new Label(this, QStringLiteral("Label1"), QRect(248, 8, 113, 17), tr("Veneen ohjaus:"),
                       heading, look::cyan, Qt::AlignHCenter);
    Label2 = new Label(this, QStringLiteral("Label2"), QRect(256, 80, 97, 17), tr("Ongen ohjaus:"),
                       heading, look::cyan, Qt::AlignHCenter);
    Label3 = new Label(this, QStringLiteral("Label3"), QRect(248, 184, 105, 17), tr("Madon tila:"),
                       heading, look::cyan, Qt::AlignHCenter);
    Label4 = new Label(this, QStringLiteral("Label4"), QRect(160, 312, 81, 33), tr("Saalis"),
                       look::arial(14.25, true));
    Label5 = new Label(this, QStringLiteral("Label5"), QRect(224, 320, 33, 33), QStringLiteral("0"),
                       clockFont, look::cyan, Qt::AlignHCenter);
    Label6 = new Label(this, QStringLiteral("Label6"), QRect(272, 320, 17, 33), QStringLiteral(":"),
                       clockFont, look::cyan, Qt::AlignHCenter);
    Label7 = new Label(this, QStringLiteral("Label7"), QRect(304, 320, 41, 33), QStringLiteral("0"),
                       clockFont, look::cyan, Qt::AlignHCenter);
    Line1 = new Line(this, QStringLiteral("Line1"), QPoint(248, 0), QPoint(248, 304), 3);
    Line2 = new Line(this, QStringLiteral("Line2"), QPoint(248, 72), QPoint(360, 72), 3);
    Line3 = new Line(this, QStringLiteral("Line3"), QPoint(360, 304), QPoint(0, 304), 2);

    Command1 = makePictureButton(this, QStringLiteral("Command1"), QRect(264, 32, 41, 33),
                                 QStringLiteral(":/pictures/nuoli_ylos.png"));
    Command2 = makePictureButton(this, QStringLiteral("Command2"), QRect(304, 32, 41, 33),
                                 QStringLiteral(":/pictures/nuoli_alas.png"));
    Command4 =
        makeButton(this, QStringLiteral("Command4"), QRect(256, 104, 97, 25), tr("Nosta!"), true);
    Command3 = makeButton(this, QStringLiteral("Command3"), QRect(256, 128, 97, 25),
                          tr("Näpäytä vapaa"), true);
    Command5 = makeButton(this, QStringLiteral("Command5"), QRect(256, 152, 97, 25),
                          tr("Vaihda mato"), false);
    Command6 =
        makeButton(this, QStringLiteral("Command6"), QRect(224, 360, 129, 33), tr("Lopeta"), true);

    List1 = new QListWidget(this);
    List1->setObjectName(QStringLiteral("List1"));
    List1->setGeometry(0, 304, 153, 95);
    List1->setFont(look::systemFont(8.25));
    // Bringing the newest catch line into view lays out one line, not all.
    setOneLineItems(List1);
    QPalette listPalette = List1->palette();
    listPalette.setColor(QPalette::Base, look::navy);
    listPalette.setColor(QPalette::Text, look::cyan);
    List1->setPalette(listPalette);

    // What a screen reader says of each control.
    Command1->setAccessibleName(tr("Souda ylös"));
    Command2->setAccessibleName(tr("Souda alas"));
    vesi->setAccessibleName(tr("Järven vesi"));
    va->setAccessibleName(tr("Rengas vedessä"));
    kala->setAccessibleName(tr("Kala nousee"));
    vene->setAccessibleName(tr("Vene"));
    List1->setAccessibleName(tr("Saalis"));
    // The clock reads as one phrase on its minutes; the colon and the seconds repeat it.
    markDecoration(Label6);
    markDecoration(Label7);
    // What the angler does, the worm's state and the time: worked out when a reader asks.
    markNamedByWindow(mies);
    markNamedByWindow(mato);
    markNamedByWindow(Label5);

    setTabOrder(Command1, Command2);
    setTabOrder(Command2, Command3);
    setTabOrder(Command3, Command4);
    setTabOrder(Command4, Command5);
    setTabOrder(Command5, List1);
    setTabOrder(List1, Command6);

    // Drawn over the lake while the game is paused; a click on it goes on.
    tauko = new Label(this, QStringLiteral("tauko"), QRect(14, 128, 220, 48),
                      tr("Tauko – jatka painamalla P"), look::arial(12, true), look::yellow,
                      Qt::AlignCenter);
    tauko->setTransparent(false);
    tauko->setBorderStyle(1);
    tauko->setAccessibleName(tauko->text());
    tauko->setButton(true);
    tauko->setCursor(Qt::PointingHandCursor);
    tauko->hide();
    connect(tauko, &Label::clicked, game_, &FishingGame::resume);

    aanet = new Label(this, QStringLiteral("aanet"), QRect(160, 376, 61, 17), tr("Äänet pois"),
                      look::systemFont(8.25), look::yellow, Qt::AlignLeft | Qt::AlignVCenter);
    aanet->setAccessibleName(tr("Äänet pois, M palauttaa"));
    connect(&context().preferences, &Preferences::changed, this, &Peli::showSound);

    captions_ = new Captions(*game_, this);
    // The angler's words show while his voice clip plays, from the same table as the clip.
    captions_->setChatterText(chatter::caption, chatter::lengthMs);
    tekstitys = new CaptionStrip(this, *captions_, kLake);
    tekstitys->stackUnder(tauko);
    connect(&context().preferences, &Preferences::changed, this, &Peli::showCaptions);

    Rumpa1 = makePlayer();

    for (size_t i = 0; i < kActionControls.size(); ++i) {
        const Action action = kActionControls[i].action;
        actionButtons_[i] = findChild<QPushButton*>(QLatin1String(kActionControls[i].button));
        connect(actionButtons_[i], &QPushButton::clicked, game_,
                [game = game_, action] { game->act(action); });
    }
    connect(va, &Kelmo::AnimationDone, this, [this] { va->setVisible(false); });
    connect(mies, &Kelmo::AnimationDone, this, [this] {
        anglerResting_ = true;
        nameChanged(mies);
    });

    connect(game_, &FishingGame::anglerChanged, this, &Peli::showAngler);
    connect(game_, &FishingGame::baitChanged, this, &Peli::showBait);
    connect(game_, &FishingGame::actionsChanged, this, &Peli::showActions);
    connect(game_, &FishingGame::boatMoved, this, &Peli::showBoat);
    connect(game_, &FishingGame::clockChanged, this, &Peli::showClock);
    connect(game_, &FishingGame::fishRose, this, &Peli::showRisingFish);
    connect(game_, &FishingGame::fishLanded, this, &Peli::showLandedFish);
    connect(game_, &FishingGame::chatter, this, &Peli::sayLine);
    connect(game_, &FishingGame::ripple, this, &Peli::showRipple);
    connect(game_, &FishingGame::pausedChanged, this, &Peli::showPause);
    connect(game_, &FishingGame::fishHooked, this, &Peli::fishHooked);
    connect(game_, &FishingGame::timeUp, this, [this] { emit ended(GameEnd::TimeUp); });
    connect(game_, &FishingGame::quitted, this, [this] { emit ended(GameEnd::Quit); });

    // The game keys reach the game whichever control has the focus: a focused
    // button would otherwise take space as its own click and the arrows as focus moves.
    qApp->installEventFilter(this);
}

Peli::~Peli() {
    // The pictures run on the game's clock, so they go before the game does.
    qDeleteAll(findChildren<Kelmo*>());
}

QPushButton* Peli::button(Action action) const {
    for (size_t i = 0; i < kActionControls.size(); ++i) {
        if (kActionControls[i].action == action) {
            return actionButtons_[i];
        }
    }
    return nullptr;
}

bool Peli::eventFilter(QObject* watched, QEvent* event) {
    const QEvent::Type type = event->type();
    if ((type != QEvent::KeyPress && type != QEvent::KeyRelease) || !watched->isWidgetType() ||
        static_cast<QWidget*>(watched)->window() != this) {
        return false;
    }
    const auto& key = static_cast<const QKeyEvent&>(*event);
    if (type == QEvent::KeyRelease) {
        // The release of a game key must not finish a focused button's own click.
        return key.key() == Qt::Key_Space && key.modifiers() == Qt::NoModifier;
    }
    return playKey(key);
}

bool Peli::playKey(const QKeyEvent& key) {
    if (key.modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)) {
        return false;
    }
    if (key.key() == Qt::Key_Escape && fullScreen()) {
        // The way out of full screen, to a game that waits for the player.
        if (!key.isAutoRepeat()) {
            setFullScreen(false);
            game_->pause();
        }
        return true;
    }
    if (key.key() == Qt::Key_P || key.key() == Qt::Key_Escape) {
        if (!key.isAutoRepeat()) {
            game_->togglePause();
        }
        return true;
    }
    for (size_t i = 0; i < kActionControls.size(); ++i) {
        if (kActionControls[i].key == Qt::Key_unknown || kActionControls[i].key != key.key()) {
            continue;
        }
        // Holding an arrow rows on; holding the other keys must not toggle the
        // line or eat through worms.
        QPushButton* button = actionButtons_[i];
        if ((kActionControls[i].repeats || !key.isAutoRepeat()) && button->isEnabled() &&
            button->isVisible()) {
            button->click();
        }
        return true;
    }
    return false;
}

QString Peli::data(const QString& gamePath) const {
    // The same few dozen pictures and sounds are asked for all game long.
    auto found = dataPaths_.constFind(gamePath);
    if (found == dataPaths_.constEnd()) {
        found = dataPaths_.insert(gamePath, appFile(context().appPath, gamePath));
    }
    return found.value();
}

void Peli::load() {
    // The window itself holds the focus while the game goes on, so no button
    // that comes and goes with the line takes it; Tab still reaches them all.
    setFocus(Qt::OtherFocusReason);
    game_->start();
    // A new player's first game with captions gives the hints; a later one only if asked for.
    Preferences& preferences = context().preferences;
    if (preferences.captions() && preferences.hintsDue()) {
        captions_->setHints(true);
        preferences.setHintsDue(false);
    }
    showCaptions();
    showSound();
    showClock();
    nameChanged(mies);
    nameChanged(mato);
    if (state_.map_name.isEmpty()) {
        return; // no lake chosen: the screen keeps its own design-time pictures
    }
    // The chosen spot's picture is both the backdrop and the water under the boat.
    const QString background = data(QStringLiteral("\\data\\maps\\") + state_.map_name +
                                    QStringLiteral("\\taka%1.gif").arg(state_.spot_choice));
    setPicture(background);
    vesi->LoadFile(background);
}

void Peli::activate() {
    if (!activatedAt_) {
        activatedAt_ = context().clock.now();
    }
    // Coming back to a paused game keeps it silent: going on starts the music again.
    if (game_->paused()) {
        return;
    }
    startMusic();
}

void Peli::startMusic() {
    Rumpa1->Init(44100);
    Rumpa1->LoadMusic(data(QStringLiteral("\\data\\music.mp3")));
    Rumpa1->PlayMusic(true);
    Rumpa1->setVolume(20);
    musicStarted_ = true;
}

void Peli::showAngler(Angler angler, bool once) {
    anglerResting_ = false;
    mies->LoadFile(data(picture::of(angler)));
    if (once) {
        mies->setPlayCount(1);
        mies->Play();
    }
    nameChanged(mies);
    if (angler == Angler::Nibble) {
        cue(QStringLiteral("\\data\\sound\\nykaisy.wav"));
        say([] { return tr("Kala nykii!"); });
    } else if (angler == Angler::Lifting && !game_->risingFish()) {
        // What the lift shows of the worm: a worn one catches less, a bare hook nothing.
        if (game_->worm() == Worm::Eaten) {
            say([] { return tr("Mato on syöty, vaihda mato."); });
        } else if (game_->worm() == Worm::Half) {
            say([] { return tr("Mato on puoliksi syöty."); });
        }
    }
}

QString Peli::anglerText() const {
    QString doing;
    if (game_->angler() == Angler::Nibble) {
        doing = tr("kala nykii!");
    } else if (game_->risingFish()) {
        doing = tr("kala nousee");
    } else {
        switch (game_->angler()) {
        // Once the lift has played, the line stays up; a tap or the lowering
        // ends in the angler waiting.
        case Angler::Tapping:
            doing = anglerResting_ ? tr("odottaa") : tr("näpäyttää vapaa");
            break;
        case Angler::Lifting:
            doing = anglerResting_ ? tr("siima ylhäällä") : tr("nostaa");
            break;
        case Angler::Lowering:
            doing = anglerResting_ ? tr("odottaa") : tr("laskee siiman");
            break;
        default:
            doing = tr("odottaa");
            break;
        }
    }
    return tr("Ukko: %1").arg(doing);
}

void Peli::fishHooked() {
    cue(QStringLiteral("\\data\\sound\\koukku.wav"));
    say([] { return tr("Kala tarttui, se nousee veneeseen."); });
}

void Peli::cue(const QString& clip) {
    if (!context().preferences.nibbleCue()) {
        return;
    }
    if (!merkki_) {
        merkki_ = makePlayer(QStringLiteral("merkki"));
    }
    merkki_->PlaySound(data(clip), false);
}

void Peli::showSound() {
    aanet->setVisible(context().preferences.muted());
}

void Peli::showCaptions() {
    captions_->setOn(context().preferences.captions());
}

void Peli::showBait(std::optional<Worm> worm) {
    mato->LoadFile(data(picture::ofBait(worm)));
    nameChanged(mato);
}

QString Peli::wormText() const {
    // In the water the worm is not seen; lifted, its picture shows how much is left.
    QString state = tr("vedessä");
    if (game_->rod() == Rod::ChangingWorm) {
        state = tr("vaihdetaan");
    } else if (game_->rod() == Rod::Up) {
        switch (game_->worm()) {
        case Worm::Whole:
            state = tr("ehjä");
            break;
        case Worm::Half:
            state = tr("puoliksi syöty");
            break;
        case Worm::Eaten:
            state = tr("syöty");
            break;
        }
    }
    return tr("Mato: %1").arg(state);
}

void Peli::showActions() {
    const Actions can = game_->actions();
    for (size_t i = 0; i < kActionControls.size(); ++i) {
        // "Lopeta" stays usable to the last, paused or not.
        if (kActionControls[i].action == Action::Quit) {
            continue;
        }
        QPushButton* button = actionButtons_[i];
        const bool enabled = can.allows(kActionControls[i].action);
        if (!enabled && button->hasFocus()) {
            // Qt would pass the focus on to the next control, and a screen
            // reader would say that control over the game's news. The window
            // takes it back instead: every game key works from there.
            setFocus(Qt::OtherFocusReason);
        }
        button->setEnabled(enabled);
    }
    Command4->setText(game_->liftCaption());
}

float Peli::fishTop() const {
    return vene->top() + static_cast<float>(vene->designSize().width()) - kLandingLine +
           static_cast<float>(game_->fishDepth());
}

void Peli::showBoat() {
    const auto top = static_cast<float>(game_->boatTop());
    mies->setTop(top - kAnglerAbove);
    vene->setTop(top);
    vesi->setTop(top + static_cast<float>(vene->designSize().width()));
    kala->setTop(fishTop());
}

void Peli::showClock() {
    const int minutes = game_->elapsedSeconds() / 60;
    const int seconds = game_->elapsedSeconds() % 60;
    Label5->setText(QString::number(minutes));
    Label7->setText(QString::number(seconds));
    nameChanged(Label5);
    if (game_->elapsedSeconds() == fishing::kGameSeconds - 10) {
        say([] { return tr("Kymmenen sekuntia jäljellä."); });
    }
}

QString Peli::clockText() const {
    return tr("Aikaa kulunut %1 min %2 s")
        .arg(game_->elapsedSeconds() / 60)
        .arg(game_->elapsedSeconds() % 60);
}

QString Peli::spokenName(const QWidget* control) const {
    if (control == mies) {
        return anglerText();
    }
    if (control == mato) {
        return wormText();
    }
    if (control == Label5) {
        return clockText();
    }
    return Form::spokenName(control);
}

void Peli::showRisingFish(const Fish& fish) {
    // Loading the picture already shown changes nothing, so the fish's
    // animation is not restarted on every step.
    kala->LoadFile(data(picture::of(fish)));
    kala->setVisible(true);
    kala->setTop(fishTop());
}

void Peli::showLandedFish(int row) {
    List1->addItem(catchLine(state_, row));
    // The list shows seven lines: keep the newest catch in view.
    List1->scrollToBottom();
    say([this, row] {
        // Named as the captions name it: in English both names, as the list shows the Finnish.
        return tr("Saalis: %1, %2 grammaa.")
            .arg(Captions::speciesText(cellText(state_.catch_table[row][1])))
            .arg(cellWeight(state_.catch_table[row][2]));
    });
    nameChanged(mies);
    kala->setVisible(false);
    kala->setTop(fishTop());
}

void Peli::showRipple(int x, int y) {
    va->setLeft(static_cast<float>(x));
    va->setTop(static_cast<float>(y));
    va->setVisible(true);
    va->setPlayCount(1);
    va->Play();
}

void Peli::showPause(bool paused) {
    tauko->setVisible(paused);
    say([paused] { return paused ? tr("Tauko") : tr("Peli jatkuu"); });
    if (paused) {
        tauko->raise();
        Rumpa1->Pause();
    } else if (musicStarted_) {
        Rumpa1->Resume();
    } else {
        startMusic();
    }
}

void Peli::changeEvent(QEvent* event) {
    Form::changeEvent(event);
    if (event->type() == QEvent::WindowStateChange && isMinimized()) {
        game_->pause();
    } else if (event->type() == QEvent::ActivationChange) {
        if (isActiveWindow()) {
            wasActive_ = true;
        } else if (wasActive_ && !justOpened()) {
            // Windows hand the focus round while one replaces another; only a
            // game window still left once that has settled pauses the game.
            QTimer::singleShot(0, this, [this] {
                if (!isActiveWindow() && isOpen()) {
                    game_->pause();
                }
            });
        }
    }
}

bool Peli::justOpened() const {
    return activatedAt_ && context().clock.now() - *activatedAt_ < kOpeningMs;
}

void Peli::sayLine(int line) {
    const QString file = chatter::voiceFile(line);
    if (!file.isEmpty()) {
        Rumpa1->PlaySound(data(QStringLiteral("\\data\\sound\\") + file), false);
    }
}

#include "game/peli.h"

#include "game/fishing.h"
#include "game/module1.h"
#include "platform/context.h"
#include "platform/kelmo.h"
#include "platform/look.h"
#include "platform/paths.h"
#include "platform/random.h"
#include "platform/soundplayer.h"
#include "platform/timer.h"

#include <QApplication>
#include <QKeyEvent>
#include <QListWidget>
#include <QPushButton>

namespace {

// The boat's Top may not go above 16 or below 192; the angler stands 16 pixels higher.
constexpr float kTopLimit = 16;
constexpr float kBottomLimit = 192;
constexpr float kAnglerAbove = 16;
constexpr float kBoatStep = 20;
constexpr float kRisePerStep = 15;
// Measured from the boat's Top + Width: where a fish waits, and the line it must pass to land.
constexpr float kRestPlace = 40;
constexpr float kLandingLine = 100;

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

Peli::Peli(Forms& forms, Module1& state)
    : Form(forms, QStringLiteral("peli"), QStringLiteral("Norppala"), QSize(362, 401)),
      state(state) {
    setPicture(QStringLiteral(":/pictures/peli_tausta.gif"));
    Clock& clock = context().clock;

    // Created back to front: the water lies under the ripple, the rising fish
    // and the boat, and the angler stands in the boat on top of everything.
    vesi = new Kelmo(this, clock, QStringLiteral("vesi"), QRect(0, 136, 153, 73),
                     QStringLiteral(":/pictures/vesi.gif"));
    va = new Kelmo(this, clock, QStringLiteral("va"), QRect(152, 216, 89, 81),
                   QStringLiteral(":/pictures/va.gif"));
    va->setVisible(false);
    kala = new Kelmo(this, clock, QStringLiteral("kala"), QRect(72, 104, 70, 100),
                     QStringLiteral(":/pictures/kala.gif"));
    kala->setVisible(false);
    vene = new Kelmo(this, clock, QStringLiteral("vene"), QRect(0, 16, 137, 113),
                     QStringLiteral(":/pictures/vene.gif"));
    mies = new Kelmo(this, clock, QStringLiteral("mies"), QRect(0, 0, 97, 129),
                     QStringLiteral(":/pictures/mies.gif"));
    mato = new Kelmo(this, clock, QStringLiteral("mato"), QRect(256, 208, 97, 89),
                     QStringLiteral(":/pictures/mato.gif"));

    const QFont heading = look::systemFont(8.25, true);
    const QFont clockFont = look::arial(20.25, true);
    Label1 = new Label(this, QStringLiteral("Label1"), QRect(248, 8, 113, 17),
                       QStringLiteral("Veneen ohjaus:"), heading, look::cyan, Qt::AlignHCenter);
    Label2 = new Label(this, QStringLiteral("Label2"), QRect(256, 80, 97, 17),
                       QStringLiteral("Ongen ohjaus:"), heading, look::cyan, Qt::AlignHCenter);
    Label3 = new Label(this, QStringLiteral("Label3"), QRect(248, 184, 105, 17),
                       QStringLiteral("Madon tila:"), heading, look::cyan, Qt::AlignHCenter);
    Label4 = new Label(this, QStringLiteral("Label4"), QRect(160, 312, 81, 33),
                       QStringLiteral("Saalis"), look::arial(14.25, true));
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
    Command4 = makeButton(this, QStringLiteral("Command4"), QRect(256, 104, 97, 25),
                          QStringLiteral("Nosta!"), true);
    Command3 = makeButton(this, QStringLiteral("Command3"), QRect(256, 128, 97, 25),
                          QStringLiteral("Näpäytä vapaa"), true);
    Command5 = makeButton(this, QStringLiteral("Command5"), QRect(256, 152, 97, 25),
                          QStringLiteral("Vaihda mato"), false);
    Command6 = makeButton(this, QStringLiteral("Command6"), QRect(224, 360, 129, 33),
                          QStringLiteral("Lopeta"), true);

    List1 = new QListWidget(this);
    List1->setObjectName(QStringLiteral("List1"));
    List1->setGeometry(0, 304, 153, 95);
    List1->setFont(look::systemFont(8.25));
    QPalette listPalette = List1->palette();
    listPalette.setColor(QPalette::Base, look::navy);
    listPalette.setColor(QPalette::Text, look::cyan);
    List1->setPalette(listPalette);

    setTabOrder(Command1, Command2);
    setTabOrder(Command2, Command3);
    setTabOrder(Command3, Command4);
    setTabOrder(Command4, Command5);
    setTabOrder(Command5, List1);
    setTabOrder(List1, Command6);

    Timer1 = makeTimer(QStringLiteral("Timer1"), 5000, true);
    pieni = makeTimer(QStringLiteral("pieni"), 1200, false);
    keski = makeTimer(QStringLiteral("keski"), 1800, false);
    iso = makeTimer(QStringLiteral("iso"), 2500, false);
    fish = makeTimer(QStringLiteral("fish"), 10000, true);
    vaihto = makeTimer(QStringLiteral("vaihto"), 5000, false);
    kala_nousee = makeTimer(QStringLiteral("kala_nousee"), 100, false);
    sano = makeTimer(QStringLiteral("sano"), 8000, true);
    aika = makeTimer(QStringLiteral("aika"), 1000, true);

    Rumpa1 = makePlayer();

    connect(Command1, &QPushButton::clicked, this, &Peli::on_Command1_clicked);
    connect(Command2, &QPushButton::clicked, this, &Peli::on_Command2_clicked);
    connect(Command3, &QPushButton::clicked, this, &Peli::on_Command3_clicked);
    connect(Command4, &QPushButton::clicked, this, &Peli::on_Command4_clicked);
    connect(Command5, &QPushButton::clicked, this, &Peli::on_Command5_clicked);
    connect(Command6, &QPushButton::clicked, this, &Peli::on_Command6_clicked);
    connect(aika, &Timer::timeout, this, &Peli::on_aika_timeout);
    connect(Timer1, &Timer::timeout, this, &Peli::on_Timer1_timeout);
    connect(pieni, &Timer::timeout, this, &Peli::on_pieni_timeout);
    connect(keski, &Timer::timeout, this, &Peli::on_keski_timeout);
    connect(iso, &Timer::timeout, this, &Peli::on_iso_timeout);
    connect(fish, &Timer::timeout, this, &Peli::on_fish_timeout);
    connect(va, &Kelmo::AnimationDone, this, &Peli::on_va_AnimationDone);
    connect(vaihto, &Timer::timeout, this, &Peli::on_vaihto_timeout);
    connect(kala_nousee, &Timer::timeout, this, &Peli::on_kala_nousee_timeout);
    connect(sano, &Timer::timeout, this, &Peli::on_sano_timeout);

    // The game keys reach the game whichever control has the focus: a focused
    // button would otherwise take space as its own click and the arrows as focus moves.
    qApp->installEventFilter(this);
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
    QPushButton* button = nullptr;
    bool repeats = false;
    switch (key.key()) {
    case Qt::Key_Up:
        button = Command1;
        repeats = true;
        break;
    case Qt::Key_Down:
        button = Command2;
        repeats = true;
        break;
    case Qt::Key_Space:
        button = Command4;
        break;
    case Qt::Key_N:
        button = Command3;
        break;
    case Qt::Key_V:
        button = Command5;
        break;
    default:
        return false;
    }
    // Holding an arrow rows on; holding the other keys must not toggle the
    // line or eat through worms.
    if ((repeats || !key.isAutoRepeat()) && button->isEnabled() && button->isVisible()) {
        button->click();
    }
    return true;
}

QString Peli::data(const QString& gamePath) const {
    return appFile(context().appPath, gamePath);
}

void Peli::animateAngler(const QString& gamePath) {
    mies->LoadFile(data(gamePath));
    mies->setPlayCount(1);
    mies->Play();
}

void Peli::load() {
    state.spot_bonus = static_cast<qint16>(fishing::spotBonus(state.spot_choice));
    context().random.Randomize();
    state.clock_minutes = 0;
    state.clock_seconds = 0;
    state.koho_state = QStringLiteral("koho3");
    state.line_in_water = true;
    state.hotspot_pos = static_cast<qint16>(rollInt(context().random, 9));
    state.boat_pos = 0;
    // A game that ended with a fish on the hook or still rising must not hand
    // that fish to this one: a lift before the first nibble would land it.
    state.fish_hooked = false;
    state.fish_species.clear();
    state.fish_size.clear();
    state.fish_weight = 0;
    state.fish_picture.clear();
}

void Peli::activate() {
    Rumpa1->setMode(1);
    Rumpa1->Init(static_cast<qint32>(winId()), 44100, false, false);
    Rumpa1->LoadMusic(data(QStringLiteral("\\data\\music.mp3")));
    Rumpa1->PlayMusic(true);
    Rumpa1->setVolume(20);
}

void Peli::on_aika_timeout() {
    ++state.clock_seconds;
    if (state.clock_seconds == 60) {
        state.clock_seconds = 0;
        ++state.clock_minutes;
    }
    if (state.clock_minutes == 3) {
        forms().show(QStringLiteral("loppu"));
        forms().unload(QStringLiteral("peli"));
        return;
    }
    Label5->setText(QString::number(state.clock_minutes));
    Label7->setText(QString::number(state.clock_seconds));
}

void Peli::placeWaterAndFish() {
    vesi->setTop(vene->top() + static_cast<float>(vene->width()));
    kala->setTop(vene->top() + static_cast<float>(vene->width()) - kRestPlace);
}

void Peli::setBitePeriod() {
    Timer1->setInterval(fishing::bitePeriod(state.boat_pos, state.hotspot_pos, state.spot_bonus));
}

void Peli::on_Command1_clicked() {
    // The limit is tested before the step, so a step may carry the boat a few
    // pixels past it; the next press only snaps it back.
    if (vene->top() <= kTopLimit) {
        vene->setTop(kTopLimit);
        mies->setTop(kTopLimit - kAnglerAbove);
        placeWaterAndFish();
        return;
    }
    mies->setTop(mies->top() - kBoatStep);
    vene->setTop(vene->top() - kBoatStep);
    placeWaterAndFish();
    --state.boat_pos;
    setBitePeriod();
}

void Peli::on_Command2_clicked() {
    if (vene->top() >= kBottomLimit) {
        vene->setTop(kBottomLimit);
        mies->setTop(kBottomLimit - kAnglerAbove);
        placeWaterAndFish();
        return;
    }
    mies->setTop(mies->top() + kBoatStep);
    vene->setTop(vene->top() + kBoatStep);
    placeWaterAndFish();
    ++state.boat_pos;
    setBitePeriod();
}

void Peli::on_Command3_clicked() {
    // A running bite clock keeps its countdown; the shorter period starts with
    // the next one. The period bottoms out at 100 ms.
    Timer1->setInterval(fishing::tappedPeriod(Timer1->interval()));
    animateAngler(QStringLiteral("\\data\\mies_napautus.gif"));
}

void Peli::on_Command4_clicked() {
    if (state.line_in_water) {
        if (state.fish_hooked) {
            tarkista_kala();
        }
        Command1->setEnabled(true);
        Command2->setEnabled(true);
        pieni->setEnabled(false);
        keski->setEnabled(false);
        iso->setEnabled(false);
        Timer1->setEnabled(false);
        mato->LoadFile(
            data(QStringLiteral("\\data\\") + state.koho_state + QStringLiteral(".gif")));
        Command5->setEnabled(true);
        Command3->setEnabled(false);
        Command4->setText(QStringLiteral("Laske!"));
        state.line_in_water = false;
        animateAngler(QStringLiteral("\\data\\mies_nosto.gif"));
        return;
    }
    Command1->setEnabled(false);
    Command2->setEnabled(false);
    Timer1->setEnabled(true);
    mato->LoadFile(data(QStringLiteral("\\data\\mato_dis.gif")));
    Command5->setEnabled(false);
    Command3->setEnabled(true);
    Command4->setText(QStringLiteral("Nosta!"));
    state.line_in_water = true;
    state.fish_hooked = false;
    animateAngler(QStringLiteral("\\data\\mies_lasku.gif"));
}

void Peli::tarkista_kala() {
    if (!state.fish_hooked) {
        return;
    }
    // The catch table holds 20 fish: once it is full, a lift is only a lift.
    if (state.fish_count >= Module1::kRows) {
        return;
    }
    state.fish_weight = static_cast<qint16>(rollInt(context().random, 2000, 100));
    fishing::classify(state.fish_weight, state.fish_species, state.fish_size);
    state.fish_picture = fishing::fishPicture(state.fish_species, state.fish_size);
    kala_nousee->setEnabled(true);
}

void Peli::on_kala_nousee_timeout() {
    // Loading the picture already shown changes nothing, so the fish's
    // animation is not restarted on every step.
    kala->LoadFile(data(state.fish_picture));
    kala->setVisible(true);
    kala->setTop(kala->top() - kRisePerStep);
    const float landingLine = vene->top() + static_cast<float>(vene->width()) - kLandingLine;
    if (!(landingLine > kala->top())) {
        return;
    }
    ++state.fish_count;
    state.catch_table[state.fish_count][1] = state.fish_species;
    state.catch_table[state.fish_count][2] = state.fish_weight;
    kala_nousee->setEnabled(false);
    List1->addItem(catchLine(state.fish_species, state.fish_weight));
    // The list shows seven lines: keep the newest catch in view.
    List1->scrollToBottom();
    kala->setVisible(false);
    kala->setTop(vene->top() + static_cast<float>(vene->width()) - kRestPlace);
    state.fish_hooked = false;
    state.fish_species.clear();
    state.fish_size.clear();
    state.fish_weight = 0;
    state.fish_picture.clear();
}

void Peli::set_mato() {
    Random& random = context().random;
    if (state.koho_state == QLatin1String("koho3")) {
        state.fish_hooked = true;
    } else if (state.koho_state == QLatin1String("koho2")) {
        state.fish_hooked = rollInt(random, 2) == 0;
    } else if (state.koho_state == QLatin1String("koho1")) {
        state.fish_hooked = rollInt(random, 5) == 0;
    }
}

void Peli::on_Timer1_timeout() {
    if (state.koho_state == QLatin1String("koho1")) {
        return;
    }
    Random& random = context().random;
    state.bite_roll = static_cast<qint16>(
        state.boat_pos == state.hotspot_pos ? rollInt(random, 7, 2) : rollInt(random, 11));
    const fishing::Nibble nibble = fishing::nibbleOf(state.bite_roll);
    Timer* window = nullptr;
    switch (nibble) {
    case fishing::Nibble::Small:
        window = pieni;
        break;
    case fishing::Nibble::Medium:
        window = keski;
        break;
    case fishing::Nibble::Large:
        window = iso;
        break;
    case fishing::Nibble::None:
        return;
    }
    state.koho_state = fishing::kohoAfterWear(rollInt(random, fishing::wearDraws(nibble)));
    set_mato();
    mies->LoadFile(data(QStringLiteral("\\data\\mies_kala.gif")));
    // A window of this class that is still open runs on to its own end.
    window->setEnabled(true);
}

void Peli::closeNibbleWindow(Timer* window) {
    state.fish_hooked = false;
    mies->LoadFile(data(QStringLiteral("\\data\\mies.gif")));
    window->setEnabled(false);
}

void Peli::on_pieni_timeout() {
    closeNibbleWindow(pieni);
}

void Peli::on_keski_timeout() {
    closeNibbleWindow(keski);
}

void Peli::on_iso_timeout() {
    closeNibbleWindow(iso);
}

void Peli::on_fish_timeout() {
    Random& random = context().random;
    const int x = rollInt(random, 224);
    const int y = rollInt(random, 288);
    va->setLeft(static_cast<float>(x));
    va->setTop(static_cast<float>(y));
    va->setVisible(true);
    va->setPlayCount(1);
    va->Play();
}

void Peli::on_va_AnimationDone() {
    va->setVisible(false);
}

void Peli::on_Command5_clicked() {
    Command1->setEnabled(false);
    Command2->setEnabled(false);
    Command3->setEnabled(false);
    Command4->setEnabled(false);
    Command5->setEnabled(false);
    mato->LoadFile(data(QStringLiteral("\\data\\mato_dis.gif")));
    vaihto->setEnabled(true);
}

void Peli::on_vaihto_timeout() {
    Command1->setEnabled(true);
    Command2->setEnabled(true);
    Command4->setEnabled(true);
    Command5->setEnabled(true);
    state.koho_state = QStringLiteral("koho3");
    mato->LoadFile(data(QStringLiteral("\\data\\koho3.gif")));
    vaihto->setEnabled(false);
}

void Peli::on_sano_timeout() {
    const int n = rollInt(context().random, 15, 1);
    Rumpa1->PlaySound(
        data(QStringLiteral("\\data\\sound\\kala0") + QString::number(n) + QStringLiteral(".wav")),
        false);
}

void Peli::on_Command6_clicked() {
    forms().show(QStringLiteral("menu"));
    forms().unload(QStringLiteral("peli"));
}

#include "menu/ohje.h"

#include "platform/context.h"
#include "platform/kelmo.h"
#include "platform/look.h"
#include "platform/windownames.h"

#include <QComboBox>
#include <QPushButton>

Ohje::Ohje(Forms& forms)
    : Form(forms, windowName::ohje, QStringLiteral("Norppala"), QSize(426, 358)) {
    setAccessibleName(tr("Norppala: ohje"));
    setPicture(QStringLiteral(":/pictures/ohje_corner.png"));
    Clock& clock = context().clock;
    Pictures& pictures = context().pictures;
    // The system font here runs wider than the small captions' boxes were
    // drawn for; its condensed cut keeps each caption on its one line.
    QFont caption = look::systemFont(8.25);
    caption.setStretch(QFont::SemiCondensed);

    Label1 = new Label(this, QStringLiteral("Label1"), QRect(8, 8, 153, 57), tr("Norppala Ohje"),
                       look::arial(12, true));
    // The heading stands beside the corner icon, not over it.
    Label1->setContentsMargins(picture().width() - Label1->x() + 6, 0, 0, 0);
    Label2 = new Label(this, QStringLiteral("Label2"), QRect(0, 56, 81, 17), tr("Ahventen koot:"),
                       caption);
    // The size pictures are part of the window, smallest on the left; the game
    // never changes them.
    Kelmo1 = new Kelmo(this, clock, pictures, QStringLiteral("Kelmo1"), QRect(16, 80, 41, 65),
                       QStringLiteral(":/pictures/help_ahven_pieni.gif"));
    Kelmo2 = new Kelmo(this, clock, pictures, QStringLiteral("Kelmo2"), QRect(80, 80, 57, 73),
                       QStringLiteral(":/pictures/help_ahven_keski.gif"));
    Kelmo3 = new Kelmo(this, clock, pictures, QStringLiteral("Kelmo3"), QRect(160, 80, 65, 97),
                       QStringLiteral(":/pictures/help_ahven_iso.gif"));
    Label3 = new Label(this, QStringLiteral("Label3"), QRect(0, 208, 81, 17), tr("Haukien koot:"),
                       caption);
    Kelmo4 = new Kelmo(this, clock, pictures, QStringLiteral("Kelmo4"), QRect(24, 232, 25, 57),
                       QStringLiteral(":/pictures/help_hauki_pieni.gif"));
    Kelmo5 = new Kelmo(this, clock, pictures, QStringLiteral("Kelmo5"), QRect(80, 232, 41, 89),
                       QStringLiteral(":/pictures/help_hauki_keski.gif"));
    Kelmo6 = new Kelmo(this, clock, pictures, QStringLiteral("Kelmo6"), QRect(152, 232, 41, 113),
                       QStringLiteral(":/pictures/help_hauki_iso.gif"));
    Kelmo1->setAccessibleName(tr("Pieni ahven"));
    Kelmo2->setAccessibleName(tr("Keskikokoinen ahven"));
    Kelmo3->setAccessibleName(tr("Iso ahven"));
    Kelmo4->setAccessibleName(tr("Pieni hauki"));
    Kelmo5->setAccessibleName(tr("Keskikokoinen hauki"));
    Kelmo6->setAccessibleName(tr("Iso hauki"));
    Line1 =
        new Line(this, QStringLiteral("Line1"), QPoint(248, 0), QPoint(248, 360), 2, look::cyan);
    Label4 = new Label(this, QStringLiteral("Label4"), QRect(256, 8, 161, 305),
                       tr("Pelin nimi tulee miehestä kuka pelissä kalastelee. Mies on ihan pöpi! "
                          "Puhelee yksin mielettömiä. Ilman äänikorttia tämä peli on aivan "
                          "tavallinen kalastuspeli. HUOM! Tämä peli ei ole kovin realistinen!"),
                       look::arial(14.25), look::cyan, Qt::AlignHCenter | Qt::AlignTop);

    Command1 = new QPushButton(tr("Pois"), this);
    Command1->setObjectName(QStringLiteral("Command1"));
    Command1->setGeometry(256, 312, 161, 33);
    Command1->setFont(look::systemFont(8.25));

    // Pressed in, the next game gives the first-game hints in the captions.
    vinkit = new QPushButton(tr("Vinkit"), this);
    vinkit->setObjectName(QStringLiteral("vinkit"));
    vinkit->setGeometry(168, 53, 73, 24);
    vinkit->setFont(look::systemFont(8.25));
    vinkit->setCheckable(true);
    vinkit->setChecked(context().preferences.hintsDue());
    vinkit->setToolTip(tr("Vinkit näkyvät tekstityksessä seuraavassa pelissä."));
    connect(vinkit, &QPushButton::toggled, this, [this](bool due) {
        Preferences& preferences = context().preferences;
        preferences.setHintsDue(due);
        if (due) {
            preferences.setCaptions(true);
        }
    });
    // Beside the heading: how large every window of the game is drawn.
    Preferences& preferences = context().preferences;
    kokoteksti =
        new Label(this, QStringLiteral("kokoteksti"), QRect(168, 10, 73, 17), tr("Koko:"), caption);
    koko = new QComboBox(this);
    koko->setObjectName(QStringLiteral("koko"));
    koko->setGeometry(168, 28, 57, 22);
    koko->setFont(look::systemFont(8.25));
    for (int zoom = Preferences::kMinZoom; zoom <= Preferences::kMaxZoom; ++zoom) {
        koko->addItem(tr("%1×").arg(zoom), zoom);
    }
    koko->setCurrentIndex(koko->findData(preferences.zoom()));
    koko->setAccessibleName(tr("Ikkunoiden koko"));
    koko->setAccessibleDescription(tr("Myös näppäimet + ja -. F11 näyttää ikkunan koko näytöllä."));
    koko->setToolTip(koko->accessibleDescription());
    kokoteksti->setBuddy(koko);
    connect(koko, &QComboBox::activated, this, [this, &preferences](int index) {
        preferences.setZoom(koko->itemData(index).toInt());
    });
    connect(&preferences, &Preferences::zoomChanged, this,
            [this](int zoom) { koko->setCurrentIndex(koko->findData(zoom)); });
    setTabOrder(koko, Command1);

    setEscapeButton(Command1);
    connect(Command1, &QPushButton::clicked, this, &Ohje::on_Command1_clicked);
}

void Ohje::on_Command1_clicked() {
    emit closed();
}

#include "setup/aloita.h"

#include "core/mapfile.h"
#include "core/module1.h"
#include "core/paths.h"
#include "platform/context.h"
#include "platform/dialogs.h"
#include "platform/kelmo.h"
#include "platform/look.h"
#include "platform/windownames.h"

#include <QDir>
#include <QFileInfo>
#include <QImageReader>
#include <QKeyEvent>
#include <QPushButton>
#include <QShortcut>
#include <QSignalBlocker>

Aloita::Aloita(Forms& forms, Module1& state)
    : Form(forms, windowName::aloita, QStringLiteral("Norppala"),
           QSize(mapfile::kClientWidth, mapfile::kClientHeight)),
      state_(state) {
    // The title stays the program's name; a screen reader hears what the window is for.
    setAccessibleName(tr("Norppala: järven ja kalapaikan valinta"));
    Label1 = new Label(this, QStringLiteral("Label1"), QRect(200, 0, 137, 73),
                       tr("Valitse kenttä alapuolelta. Klikkaa hiirellä ympyrää ja "
                          "paina sitten Aloita."),
                       look::arial(9.75));

    // Shown in the empty overview square when there is no map to choose from.
    viesti = new Label(this, QStringLiteral("viesti"), QRect(10, 50, 180, 100), QString(),
                       look::arial(9.75, true), look::yellow, Qt::AlignCenter);
    viesti->hide();

    Command1 = new QPushButton(tr("Aloita"), this);
    Command1->setObjectName(QStringLiteral("Command1"));
    Command1->setGeometry(200, 176, 137, 25);
    Command1->setFont(look::systemFont());

    File1 = new FileListBox(this, QStringLiteral("File1"), QRect(208, 80, 121, 84));
    File1->setFont(look::systemFont());
    QPalette listPalette = File1->palette();
    listPalette.setColor(QPalette::Base, Qt::white);
    listPalette.setColor(QPalette::Text, look::black);
    File1->setPalette(listPalette);

    File1->setAccessibleName(tr("Järvet"));

    setTabOrder(Command1, File1);

    Line1 = new Line(this, QStringLiteral("Line1"), QPoint(200, 0), QPoint(200, 200), 2);
    Line2 = new Line(this, QStringLiteral("Line2"), QPoint(0, 200), QPoint(200, 200), 2);

    const std::array<int, 3> designLeft{80, 40, 0};
    for (int i = 0; i < 3; ++i) {
        const int spot = i + 1;
        Label* marker =
            new Label(this, QStringLiteral("paikka%1").arg(spot),
                      QRect(designLeft[i], 160, mapfile::kMarkerSize, mapfile::kMarkerSize),
                      QString(), look::systemFont());
        marker->setButton(true);
        marker->setAccessibleName(tr("Kalapaikka %1").arg(spot));
        // Tab reaches the spots after the map list; a click chooses without taking the focus.
        marker->setFocusPolicy(Qt::TabFocus);
        // Until the window is first active the markers hide the picture beneath them.
        marker->setTransparent(false);
        // On top of everything, so a marker can always be clicked over its whole square.
        marker->raise();
        connect(marker, &Label::clicked, this, [this, spot] { on_paikka_clicked(spot); });
        paikka[i] = marker;
        // The spot's number chooses it wherever the focus is, the map list included.
        for (const int key : {Qt::Key_0 + spot, int(Qt::KeypadModifier) | (Qt::Key_0 + spot)}) {
            connect(new QShortcut(QKeySequence(key), this), &QShortcut::activated, this,
                    [this, spot] { on_paikka_clicked(spot); });
        }
    }
    setTabOrder(File1, paikka[0]);
    setTabOrder(paikka[0], paikka[1]);
    setTabOrder(paikka[1], paikka[2]);

    connect(File1, &FileListBox::clicked, this, &Aloita::on_File1_clicked);
    connect(Command1, &QPushButton::clicked, this, &Aloita::on_Command1_clicked);
}

QString Aloita::mapsFolder() const {
    return appFile(context().appPath, QStringLiteral("\\data\\maps"));
}

void Aloita::load() {
    // The window opens on the map and spot of the last game, so that what
    // "Aloita" starts is what the player sees. A map that can no longer be
    // shown is forgotten: the player picks one again.
    if (!state_.map_file.isEmpty() && loadMap(state_.map_file)) {
        state_.map_name.clear();
        state_.map_file.clear();
    }
    frameChosenSpot();
}

void Aloita::activate() {
    for (Label* marker : paikka) {
        marker->setTransparent(true);
    }
    listMaps();
}

void Aloita::frameChosenSpot() {
    for (int i = 0; i < 3; ++i) {
        paikka[i]->setBorderStyle(i + 1 == state_.spot_choice ? 1 : 0);
    }
}

void Aloita::keyPressEvent(QKeyEvent* event) {
    // The arrows go round the three spots once one of them has the focus.
    const auto at = std::find(paikka.begin(), paikka.end(), focusWidget());
    int step = 0;
    if (event->key() == Qt::Key_Right || event->key() == Qt::Key_Down) {
        step = 1;
    } else if (event->key() == Qt::Key_Left || event->key() == Qt::Key_Up) {
        step = -1;
    }
    if (at == paikka.end() || step == 0) {
        Form::keyPressEvent(event);
        return;
    }
    const auto index = static_cast<int>(at - paikka.begin());
    paikka[static_cast<size_t>((index + step + 3) % 3)]->setFocus(Qt::TabFocusReason);
}

void Aloita::listMaps() {
    const QDir folder(mapsFolder());
    File1->clear();
    if (!folder.exists()) {
        viesti->setText(tr("Karttoja ei löytynyt: pelin kansiosta puuttuu kansio "
                           "data\\maps."));
        viesti->show();
        return;
    }
    QStringList names;
    // A folder, a named pipe or a link to nothing by a map's name is no map.
    for (const QString& name :
         folder.entryList({QStringLiteral("*.ars")}, QDir::Files, QDir::Name | QDir::IgnoreCase)) {
        if (isPlainFile(folder.filePath(name))) {
            names << name;
        }
    }
    File1->addItems(names);
    if (names.isEmpty()) {
        viesti->setText(tr("Kansiossa data\\maps ei ole yhtään karttaa."));
        viesti->show();
        return;
    }
    viesti->hide();
    const auto again = File1->findItems(loadedMap_, Qt::MatchExactly);
    if (!loadedMap_.isEmpty() && !again.isEmpty()) {
        // Shows the map loaded already, without loading it again.
        const QSignalBlocker quiet(File1);
        File1->setCurrentItem(again.first());
    }
}

void Aloita::on_File1_clicked(QListWidgetItem* item) {
    if (!item) {
        return;
    }
    const QString fileName = item->text();
    if (const auto refusal = loadMap(fileName)) {
        // The map shown before stays, so the list goes back to highlighting it.
        // The keyboard's place stays on the refused entry, so the arrow keys
        // move on past it instead of meeting it again.
        {
            const QSignalBlocker quiet(File1);
            File1->clearSelection();
            const auto shown = File1->findItems(loadedMap_, Qt::MatchExactly);
            if (!loadedMap_.isEmpty() && !shown.isEmpty()) {
                shown.first()->setSelected(true);
            }
        }
        refuse(*refusal);
        return;
    }
    context().announcer.say(
        this, [fileName] { return tr("%1 ladattu.").arg(QFileInfo(fileName).completeBaseName()); });
}

std::optional<QString> Aloita::loadMap(const QString& fileName) {
    const mapfile::ReadResult result = mapfile::read(
        QDir(mapsFolder()).filePath(fileName), mapsFolder(),
        [this](const QString& path) { return context().pictures.load(path) != nullptr; });
    if (const auto* refusal = std::get_if<mapfile::Refusal>(&result)) {
        return mapfile::explain(*refusal, fileName);
    }

    const auto& map = std::get<mapfile::MapDescription>(result);
    state_.map_name = map.folder;
    state_.map_file = fileName;
    for (int i = 0; i < 3; ++i) {
        moveControl(paikka[i], QPoint(mapfile::clampLeft(map.spots[i].left),
                                      mapfile::clampTop(map.spots[i].top)));
    }
    setPicture(appFile(context().appPath, QStringLiteral("\\data\\maps\\") + state_.map_name +
                                              QStringLiteral("\\1.gif")));
    loadedMap_ = fileName;
    // The spot chosen before, in this visit or the last game, is the one this
    // map starts on: its marker shows it.
    frameChosenSpot();
    return std::nullopt;
}

void Aloita::on_paikka_clicked(int spot) {
    for (int i = 0; i < 3; ++i) {
        paikka[i]->setBorderStyle(i + 1 == spot ? 1 : 0);
    }
    state_.spot_choice = static_cast<qint16>(spot);
    context().announcer.say(this, [spot] { return tr("Kalapaikka %1 valittu").arg(spot); });
}

void Aloita::on_Command1_clicked() {
    // map_name only ever holds a folder name that passed the reader's checks.
    if (state_.map_name.isEmpty()) {
        refuse(tr("Valitse ensin kartta listasta."));
        return;
    }
    if (state_.spot_choice < 1 || state_.spot_choice > 3) {
        refuse(tr("Valitse ensin kalapaikka klikkaamalla ympyrää kartalla."));
        return;
    }
    const QString background =
        appFile(context().appPath, QStringLiteral("\\data\\maps\\") + state_.map_name +
                                       QStringLiteral("\\taka%1.gif").arg(state_.spot_choice));
    if (!isPlainFile(background) || !QImageReader(background).canRead()) {
        refuse(tr("Kalapaikan kuva %1 puuttuu tai on viallinen, joten peliä ei voi "
                  "aloittaa.")
                   .arg(QDir::toNativeSeparators(background)));
        return;
    }

    emit startRequested();
}

void Aloita::refuse(const QString& text) {
    context().dialogs.message(this, QStringLiteral("Norppala"), text);
}

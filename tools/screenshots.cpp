// Plays through every window offscreen on a virtual clock and saves a picture
// of each: `make screenshots` writes them into docs/, and in English into docs/en/.
// Usage: norppala_screenshots [FOLDER [fi|en]]
#include "app/headless.h"
#include "app/language.h"
#include "app/program.h"
#include "core/autoangler.h"
#include "core/clock.h"
#include "core/module1.h"
#include "core/random.h"
#include "core/recordsreader.h"
#include "game/peli.h"
#include "platform/dialogs.h"
#include "platform/form.h"
#include "platform/kelmo.h"

#include <QApplication>
#include <QDir>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <QTranslator>
#include <cstdio>
#include <cstring>

namespace {

struct Tour {
    Forms& forms;
    VirtualClock& clock;
    Module1& state;
    QString out;
    int failures = 0;

    void settle() {
        QCoreApplication::processEvents();
        RecordsReader::finishAll();
        forms.flushUnloaded();
    }
    void advance(qint64 ms) {
        clock.advance(ms);
        settle();
    }
    QWidget* find(const QString& window, const QString& name) {
        Form* form = forms.find(window);
        return form ? form->findChild<QWidget*>(name) : nullptr;
    }
    void click(const QString& window, const QString& name) {
        if (QWidget* target = find(window, name)) {
            QTest::mouseClick(target, Qt::LeftButton, Qt::NoModifier, QPoint(3, 3));
            settle();
        } else {
            std::fprintf(stderr, "screenshots: no %s in %s\n", qPrintable(name),
                         qPrintable(window));
            ++failures;
        }
    }
    void save(const QString& window, const QString& file) {
        Form* form = forms.find(window);
        if (!form || !form->grab().save(QDir(out).filePath(file))) {
            std::fprintf(stderr, "screenshots: could not save %s\n", qPrintable(file));
            ++failures;
            return;
        }
        std::printf("%s\n", qPrintable(QDir(out).filePath(file)));
    }
    // Lets time pass until `done` holds, at most `limit` ms.
    template <class F> bool waitFor(F done, qint64 limit) {
        for (qint64 waited = 0; waited < limit; waited += 50) {
            if (done()) {
                return true;
            }
            advance(50);
        }
        return done();
    }
};

} // namespace

int main(int argc, char* argv[]) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const QString out = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("docs");
    QDir().mkpath(out);
    const bool english = argc > 2 && std::strcmp(argv[2], "en") == 0;
    QTranslator translator;
    if (!useLanguage(english ? Language::English : Language::Finnish, translator)) {
        std::fprintf(stderr, "screenshots: the English texts are missing\n");
        return 1;
    }

    VirtualClock clock;
    MersenneRandom random(20261207);
    NoDialogs dialogs;
    SilentSound sound;
    MemorySettings settings;
    // The pictures show the windows at their own size, whatever the screen.
    settings.setNumber(setting::zoom, 1);
    Program program({.clock = &clock,
                     .random = &random,
                     .dialogs = &dialogs,
                     .sound = &sound,
                     .settings = &settings});
    Forms& forms = program.forms();
    Module1& state = program.state();
    Tour tour{forms, clock, state, out};

    if (!program.start()) {
        return 1;
    }
    tour.settle();
    tour.save("menu", "menu.png");
    tour.click("menu", "Label3");
    tour.save("credits", "credits.png");
    tour.click("menu", "Label6");
    tour.save("ohje", "ohje.png");
    forms.unload("credits");
    forms.unload("ohje");

    tour.click("menu", "Label2");
    if (auto* list = qobject_cast<QListWidget*>(tour.find("aloita", "File1"))) {
        const auto items = list->findItems("Pitkajarvi.ars", Qt::MatchExactly);
        if (!items.isEmpty()) {
            QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::NoModifier,
                              list->visualItemRect(items.first()).center());
            tour.settle();
        }
    }
    tour.click("aloita", "paikka1");
    tour.save("aloita", "aloita.png");
    tour.click("aloita", "Command1");

    // The book player fishes through the buttons until two fish are in, keeping
    // a picture of the first nibble and of the first fish rising.
    auto* screen = forms.find<Peli>("peli");
    if (!screen) {
        std::fprintf(stderr, "screenshots: the game did not start\n");
        return 1;
    }
    FishingGame& game = screen->game();
    const AutoAngler angler(
        [&](Action action) { tour.click("peli", screen->button(action)->objectName()); });
    bool nibbleSaved = false;
    bool riseSaved = false;
    while (state.fish_count < 2 && game.elapsedSeconds() < 120 && forms.isLoaded("peli")) {
        if (!nibbleSaved && game.angler() == Angler::Nibble) {
            tour.advance(200);
            tour.save("peli", "peli_nykii.png");
            nibbleSaved = true;
        }
        angler.react(game);
        if (!riseSaved && game.risingFish()) {
            tour.advance(300);
            tour.save("peli", "peli_kala_nousee.png");
            riseSaved = true;
        }
        tour.advance(100);
    }
    if (forms.isLoaded("peli")) {
        // The line up with the bait showing, and the boat a step down the lake.
        // A lift too late, after a nibble has ended, says why nothing came up.
        if (!game.lineInWater()) {
            tour.waitFor([&] { return game.rod() == Rod::Up && !game.risingFish(); }, 10000);
            tour.click("peli", "Command4");
        }
        tour.waitFor([&] { return game.angler() == Angler::Nibble; }, 60000);
        tour.waitFor([&] { return game.angler() != Angler::Nibble; }, 5000);
        tour.advance(200);
        tour.click("peli", "Command4");
        tour.advance(300);
        tour.save("peli", "peli_tekstitys.png");
        tour.advance(6000);
        tour.click("peli", "Command2");
        tour.advance(400);
        tour.save("peli", "peli_siima_ylhaalla.png");
        game.pause();
        tour.settle();
        tour.save("peli", "peli_tauko.png");
        game.resume();
        // The same game at twice the size, as the + key shows it.
        program.context().preferences.setZoom(2);
        tour.advance(400);
        tour.save("peli", "zoom2.png");
        program.context().preferences.setZoom(1);
        tour.settle();
    }
    tour.waitFor([&] { return forms.isLoaded("loppu"); }, 200000);
    tour.save("loppu", "loppu.png");
    return tour.failures == 0 ? 0 : 1;
}

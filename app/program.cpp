#include "app/program.h"

#include "app/screenflow.h"
#include "app/startup.h"
#include "core/clock.h"
#include "core/paths.h"
#include "core/random.h"
#include "game/peli.h"
#include "platform/dialogs.h"
#include "platform/form.h"
#include "platform/kelmo.h"
#include "platform/look.h"
#include "platform/placement.h"
#include "platform/shortcuts.h"

#include <QGuiApplication>
#include <QScreen>

namespace {

// The part that was passed in, or else a real one, kept in `own`.
template <class Real, class Part> Part& pick(Part* given, std::unique_ptr<Part>& own) {
    if (given) {
        return *given;
    }
    own = std::make_unique<Real>();
    return *own;
}

} // namespace

Program::Program(Outside outside) {
    if (!outside.clock) {
        // Tests of the real program may run its clock faster.
        ownClock_ = std::make_unique<RealClock>(clockRate());
    }
    Clock& clock = outside.clock ? *outside.clock : *ownClock_;
    Random& random = pick<MersenneRandom>(outside.random, ownRandom_);
    Dialogs& dialogs = pick<QtDialogs>(outside.dialogs, ownDialogs_);
    Sound& sound = pick<SdlSound>(outside.sound, ownSound_);
    Settings& settings = pick<QtSettings>(outside.settings, ownSettings_);
    Announcer& announcer = pick<AccessibleAnnouncer>(outside.announcer, ownAnnouncer_);
    const QString appPath = outside.appPath.isEmpty() ? programFolder() : outside.appPath;
    installAccessibility();
    // The sound and the zoom stay as the player last left them. A new player's
    // game window takes a comfortable share of the screen it opens on.
    const QScreen* screen = placement::firstScreen();
    preferences_ = std::make_unique<Preferences>(
        sound, settings,
        screen ? fittingZoom(Peli::kDesignSize.height(), screen->geometry().height()) : 1);
    pictures_ = std::make_unique<Pictures>();
    context_.reset(new Context{clock, random, dialogs, sound, appPath, settings, announcer,
                               *preferences_, *pictures_});
    forms_ = std::make_unique<Forms>(*context_);
    shortcuts_ = std::make_unique<ShortcutFilter>(*forms_, *preferences_, announcer);
    // Windows are made and destroyed all evening: Qt's pixmap cache would only grow.
    disablePixmapCache();
    flow_ = std::make_unique<ScreenFlow>(*forms_, state_);
}

Program::~Program() = default;

bool Program::start() {
    if (!checkDataFolder(context_->appPath, context_->dialogs)) {
        return false;
    }
    flow_->start();
    return true;
}

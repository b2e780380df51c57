#include "app/firstpaint.h"
#include "app/language.h"
#include "app/startup.h"
#include "app/windows.h"
#include "core/clock.h"
#include "core/module1.h"
#include "core/paths.h"
#include "core/random.h"
#include "platform/context.h"
#include "platform/dialogs.h"
#include "platform/form.h"

#include <QApplication>
#include <QLocale>
#include <QTranslator>
#include <cstdio>

int main(int argc, char* argv[]) {
    if (const std::optional<int> status = answerCommandLine(argc, argv)) {
        return *status;
    }
    const std::optional<Language> forced = languageOption(argc, argv).language;
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Norppala"));
    QTranslator translator;
    if (!useLanguage(forced.value_or(systemLanguage(QLocale::system().uiLanguages())),
                     translator)) {
        std::fprintf(stderr, "norppala: the English texts are missing; playing in Finnish\n");
    }
    // The game decides itself when its last window has gone.
    QApplication::setQuitOnLastWindowClosed(false);

    RealClock clock(clockRate());
    MersenneRandom random;
    QtDialogs dialogs;
    SdlSound sound;
    QtSettings settings;
    AccessibleAnnouncer announcer;
    Context context{clock, random, dialogs, sound, programFolder(), settings, announcer};
    if (!checkDataFolder(context.appPath, dialogs)) {
        return 1;
    }
    Module1 state;
    Forms forms(context);
    registerWindows(forms, state);
    QObject::connect(&forms, &Forms::lastWindowClosed, &app, &QApplication::quit,
                     Qt::QueuedConnection);

    forms.show(QStringLiteral("menu"));
    watchFirstPaint(forms.find(QStringLiteral("menu")));
    return app.exec();
}

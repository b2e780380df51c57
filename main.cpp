#include "app/firstpaint.h"
#include "app/language.h"
#include "app/program.h"
#include "app/screenflow.h"
#include "app/startup.h"
#include "platform/form.h"
#include "platform/windownames.h"

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

    Program program;
    QObject::connect(&program.flow(), &ScreenFlow::finished, &app, &QApplication::quit,
                     Qt::QueuedConnection);
    if (!program.start()) {
        return 1;
    }
    watchFirstPaint(program.forms().find(windowName::menu));
    return app.exec();
}

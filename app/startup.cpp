#include "app/startup.h"

#include "app/language.h"
#include "core/paths.h"
#include "platform/dialogs.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <cstdio>
#include <cstring>

#ifndef NORPPALA_VERSION
#error "NORPPALA_VERSION names the program's version; the build sets it"
#endif

namespace {

// A reply that could not be written (a closed or full stdout) ends with a
// failure, so a script reading the version never takes silence for an answer.
int reply(const char* text) {
    const bool written = std::fputs(text, stdout) >= 0 && std::fflush(stdout) == 0;
    return written ? 0 : 1;
}

} // namespace

std::optional<int> answerCommandLine(int argc, char* argv[]) {
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--version") == 0) {
            return reply("norppala " NORPPALA_VERSION "\n");
        }
        if (std::strcmp(argv[i], "--help") == 0) {
            return reply(
                "Käyttö / usage: norppala [--lang fi|en] [--help | --version]\n"
                "Norppala, pieni suomalainen kalastuspeli / a small Finnish fishing game.\n"
                "Ilman valitsimia peli avaa päävalikon / without options it opens "
                "the main menu.\n"
                "\n"
                "  --help      tämä ohje / show this help and exit\n"
                "  --version   ohjelman versio / show the version and exit\n"
                "  --lang fi|en\n"
                "              pelin kieli, suomi tai englanti / the game's language,\n"
                "              Finnish or English (by default the system's: Finnish\n"
                "              for Finnish, English otherwise)\n"
                "\n"
                "Qt:n omat valitsimet käyvät myös / Qt's own options work too "
                "(-platform offscreen).\n"
                "Näppäimet ja tulostiedostot / keys and result files: man 6 norppala\n");
        }
    }
    const LanguageOption language = languageOption(argc, argv);
    if (!language.error.isEmpty()) {
        std::fprintf(stderr, "norppala: %s\n", qPrintable(language.error));
        return 2;
    }
    return std::nullopt;
}

bool checkDataFolder(const QString& appPath, Dialogs& dialogs) {
    const QString folder = appFile(appPath, QStringLiteral("\\data"));
    if (QFileInfo(folder).isDir()) {
        return true;
    }
    const QString text =
        QCoreApplication::translate(
            "startup", "Pelin data-kansiota ei löytynyt:\n%1\n\n"
                       "Kansiossa ovat pelin kuvat, musiikki ja kartat, joten peli ei voi "
                       "käynnistyä ilman sitä. Asenna peli uudelleen tai siirrä data-kansio "
                       "ohjelman viereen.")
            .arg(QDir::toNativeSeparators(folder));
    std::fprintf(stderr, "norppala: %s\n", qPrintable(text));
    if (qEnvironmentVariable("NORPPALA_NO_DIALOGS") != QStringLiteral("1")) {
        dialogs.message(nullptr, QStringLiteral("Norppala"), text);
    }
    return false;
}

int clockRate() {
    bool ok = false;
    const int rate = qEnvironmentVariableIntValue("NORPPALA_TEST_CLOCK_RATE", &ok);
    return ok && rate >= 1 && rate <= 10 ? rate : 1;
}

#include "app/startup.h"

#include "core/paths.h"
#include "platform/dialogs.h"

#include <QDir>
#include <QFileInfo>
#include <cstdio>

bool checkDataFolder(const QString& appPath, Dialogs& dialogs) {
    const QString folder = appFile(appPath, QStringLiteral("\\data"));
    if (QFileInfo(folder).isDir()) {
        return true;
    }
    const QString text =
        QStringLiteral("Pelin data-kansiota ei löytynyt:\n%1\n\n"
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

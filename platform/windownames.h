#pragma once

#include <QString>

// The game's windows, by the names they are registered, opened and closed
// under. A window uses only its own; which window opens when is the screen
// flow's choice (app/screenflow.h).
namespace windowName {
inline const QString menu = QStringLiteral("menu");
inline const QString credits = QStringLiteral("credits");
inline const QString ohje = QStringLiteral("ohje");
inline const QString aloita = QStringLiteral("aloita");
inline const QString peli = QStringLiteral("peli");
inline const QString loppu = QStringLiteral("loppu");
inline const QString ennatykset = QStringLiteral("ennatykset");
} // namespace windowName

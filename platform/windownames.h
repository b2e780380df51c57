#pragma once

#include <QString>

// The game's windows, by the names they are registered, opened and closed
// under: every window opens another only through these.
namespace windowName {
inline const QString menu = QStringLiteral("menu");
inline const QString credits = QStringLiteral("credits");
inline const QString ohje = QStringLiteral("ohje");
inline const QString aloita = QStringLiteral("aloita");
inline const QString peli = QStringLiteral("peli");
inline const QString loppu = QStringLiteral("loppu");
inline const QString ennatykset = QStringLiteral("ennatykset");
} // namespace windowName

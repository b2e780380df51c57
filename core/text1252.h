#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <optional>

// The game's text files (map descriptions, result files) are Windows-1252.

// Nothing if the text holds a character that Windows-1252 cannot hold.
std::optional<QByteArray> toWindows1252(const QString& text);
QString fromWindows1252(QByteArrayView bytes);
// Whether every character of the text has a Windows-1252 byte.
bool fitsWindows1252(const QString& text);

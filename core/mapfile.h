#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <array>
#include <functional>
#include <variant>

// Reading a lake map's description (a ".ars" file): ten lines of Windows-1252
// text. Line 1 names the map's folder under the maps folder; lines 3-4, 6-7
// and 9-10 give the top and left edge of the three spot markers.
namespace mapfile {

// The setup window's client area and the marker size, which bound where a
// marker may stand.
inline constexpr int kClientWidth = 337;
inline constexpr int kClientHeight = 201;
inline constexpr int kMarkerSize = 40;
inline constexpr int kMaxTop = kClientHeight - kMarkerSize;
inline constexpr int kMaxLeft = kClientWidth - kMarkerSize;

// A description larger than this is not read past it: only its first lines count.
inline constexpr qint64 kMaxBytes = 1 << 20;

struct SpotPlace {
    float top = 0;
    float left = 0;
};

struct MapDescription {
    QString folder;
    std::array<SpotPlace, 3> spots{};
};

enum class Problem {
    Unreadable,    // the file could not be opened or read
    TooShort,      // fewer than ten lines
    TooLong,       // the first ten lines do not fit in kMaxBytes
    UnsafeFolder,  // line 1 would name something outside the maps folder
    MissingPicture // the map folder lacks one of its pictures
};

struct Refusal {
    Problem problem;
    QString detail; // the missing picture's name, where there is one
};

using ReadResult = std::variant<MapDescription, Refusal>;

// The number a line holds: blanks and tabs are skipped wherever they stand,
// the longest leading part that forms a decimal number is taken (sign, digits,
// fraction after a full stop, exponent) and the rest ignored. A line that does
// not begin with a number is 0. Too large a number gives an infinity.
float parseNumber(const QString& line);

// A marker's top or left edge, kept so that the whole marker stands inside the
// window; an infinity goes to the nearer edge and NaN to 0.
int clampTop(float top);
int clampLeft(float left);

// The lines of a text: CR LF, LF and CR all end a line; a last line without a
// line end still counts, but an empty text after the last line end does not.
QStringList splitLines(const QString& text);

// Whether a line-1 folder name stays inside the maps folder: not empty, not
// "." or "..", and without any folder separator.
bool isSafeFolderName(const QString& name);

// Parses a description's bytes. When `complete` is false the bytes are only the
// start of a larger file, so a last line without its line end is not trusted.
ReadResult parse(const QByteArray& bytes, bool complete = true);

// Whether a file holds a picture that can be shown. Decoding pictures is the
// windows' business, so whoever reads a map says how to check.
using PictureCheck = std::function<bool(const QString& path)>;

// Reads the description at `path` and checks that the map folder it names
// under `mapsFolder` holds 1.gif and taka1.gif to taka3.gif, the overview one
// as a readable picture.
ReadResult read(const QString& path, const QString& mapsFolder, const PictureCheck& isPicture);

// The player's message for a refused description.
QString explain(const Refusal& refusal, const QString& fileName);

} // namespace mapfile

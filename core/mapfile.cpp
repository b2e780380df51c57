#include "core/mapfile.h"

#include "core/paths.h"
#include "core/plainfile.h"
#include "core/text1252.h"

#include <QCoreApplication>
#include <QDir>
#include <charconv>
#include <cmath>
#include <limits>
#include <string>

namespace mapfile {

namespace {

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

// An exponent this large already makes any number infinite or zero, so longer
// exponents are cut to it instead of overflowing.
constexpr long kExponentCap = 1'000'000;

} // namespace

float parseNumber(const QString& line) {
    std::string s;
    s.reserve(static_cast<size_t>(line.size()));
    for (QChar ch : line) {
        const char16_t c = ch.unicode();
        if (c == u' ' || c == u'\t') {
            continue;
        }
        if (c > 0x7F) {
            break; // nothing past here can belong to a number
        }
        s.push_back(static_cast<char>(c));
    }

    size_t i = 0;
    bool negative = false;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) {
        negative = s[i] == '-';
        ++i;
    }
    std::string digits;
    while (i < s.size() && isDigit(s[i])) {
        digits.push_back(s[i++]);
    }
    const long pointAt = static_cast<long>(digits.size());
    if (i < s.size() && s[i] == '.') {
        ++i;
        while (i < s.size() && isDigit(s[i])) {
            digits.push_back(s[i++]);
        }
    }
    if (digits.empty()) {
        return 0.0f;
    }
    const long fraction = static_cast<long>(digits.size()) - pointAt;

    long exponent = 0;
    if (i < s.size() && (s[i] == 'e' || s[i] == 'E')) {
        size_t j = i + 1;
        bool expNegative = false;
        if (j < s.size() && (s[j] == '+' || s[j] == '-')) {
            expNegative = s[j] == '-';
            ++j;
        }
        // "1e" or "1e+" is the number 1 followed by text that is ignored.
        if (j < s.size() && isDigit(s[j])) {
            for (; j < s.size() && isDigit(s[j]); ++j) {
                exponent = std::min(kExponentCap, exponent * 10 + (s[j] - '0'));
            }
            if (expNegative) {
                exponent = -exponent;
            }
        }
    }

    const size_t firstNonZero = digits.find_first_not_of('0');
    if (firstNonZero == std::string::npos) {
        return 0.0f;
    }
    // The value is 0.ddd × 10^order, with ddd starting at the first non-zero digit.
    const long order = pointAt - static_cast<long>(firstNonZero) + exponent;

    std::string canonical = negative ? "-" : "";
    canonical += digits.substr(firstNonZero);
    canonical += 'e';
    canonical += std::to_string(exponent - fraction);

    double value = 0;
    const auto [end, error] =
        std::from_chars(canonical.data(), canonical.data() + canonical.size(), value);
    (void)end;
    constexpr float infinity = std::numeric_limits<float>::infinity();
    if (error == std::errc::result_out_of_range) {
        if (order > 0) {
            return negative ? -infinity : infinity;
        }
        return 0.0f;
    }
    if (error != std::errc()) {
        return 0.0f;
    }
    // A double beyond the float range must not be converted directly.
    if (std::fabs(value) > static_cast<double>(std::numeric_limits<float>::max())) {
        return negative ? -infinity : infinity;
    }
    return static_cast<float>(value);
}

namespace {

int clampTo(float value, int highest) {
    if (std::isnan(value) || value <= 0.0f) {
        return 0;
    }
    if (value >= static_cast<float>(highest)) {
        return highest;
    }
    return static_cast<int>(std::lround(value));
}

} // namespace

int clampTop(float top) {
    return clampTo(top, kMaxTop);
}

int clampLeft(float left) {
    return clampTo(left, kMaxLeft);
}

QStringList splitLines(const QString& text) {
    QStringList lines;
    qsizetype start = 0;
    const qsizetype size = text.size();
    for (qsizetype i = 0; i < size; ++i) {
        const QChar c = text.at(i);
        if (c == u'\r' || c == u'\n') {
            lines << text.mid(start, i - start);
            if (c == u'\r' && i + 1 < size && text.at(i + 1) == u'\n') {
                ++i;
            }
            start = i + 1;
        }
    }
    if (start < size) {
        lines << text.mid(start);
    }
    return lines;
}

bool isSafeFolderName(const QString& name) {
    if (name.isEmpty() || name == QLatin1String(".") || name == QLatin1String("..")) {
        return false;
    }
    // A NUL would cut the path short where the system reads it.
    return !name.contains(u'/') && !name.contains(u'\\') && !name.contains(QChar(u'\0'));
}

ReadResult parse(const QByteArray& bytes, bool complete) {
    const QString text = fromWindows1252(bytes);
    QStringList lines = splitLines(text);
    if (!complete && !lines.isEmpty() && !text.endsWith(u'\r') && !text.endsWith(u'\n')) {
        lines.removeLast(); // cut off where reading stopped, not at its line end
    }
    constexpr int kLines = 10;
    if (lines.size() < kLines) {
        return Refusal{complete ? Problem::TooShort : Problem::TooLong, {}};
    }
    MapDescription map;
    map.folder = lines.at(0);
    if (!isSafeFolderName(map.folder)) {
        return Refusal{Problem::UnsafeFolder, {}};
    }
    for (int spot = 0; spot < 3; ++spot) {
        map.spots[spot].top = parseNumber(lines.at(2 + spot * 3));
        map.spots[spot].left = parseNumber(lines.at(3 + spot * 3));
    }
    return map;
}

ReadResult read(const QString& path, const QString& mapsFolder, const PictureCheck& isPicture) {
    QByteArray bytes(kMaxBytes, Qt::Uninitialized);
    const std::optional<PlainRead> file = readPlainFile(path, bytes);
    if (!file) {
        return Refusal{Problem::Unreadable, {}};
    }
    bytes.truncate(file->size);

    ReadResult result = parse(bytes, file->complete);
    const auto* map = std::get_if<MapDescription>(&result);
    if (!map) {
        return result;
    }
    const QDir folder(QDir(mapsFolder).filePath(map->folder));
    const QString overview = QStringLiteral("1.gif");
    const QString overviewPath = folder.filePath(overview);
    if (!isPlainFile(overviewPath) || !isPicture(overviewPath)) {
        return Refusal{Problem::MissingPicture, overview};
    }
    for (int spot = 1; spot <= 3; ++spot) {
        const QString name = QStringLiteral("taka%1.gif").arg(spot);
        if (!isPlainFile(folder.filePath(name))) {
            return Refusal{Problem::MissingPicture, name};
        }
    }
    return result;
}

QString explain(const Refusal& refusal, const QString& fileName) {
    switch (refusal.problem) {
    case Problem::Unreadable:
        return QCoreApplication::translate("mapfile", "Karttaa \"%1\" ei voitu avata.")
            .arg(fileName);
    case Problem::TooShort:
        return QCoreApplication::translate(
                   "mapfile", "Kartan kuvaus \"%1\" on vajaa: siinä pitää olla kymmenen riviä.")
            .arg(fileName);
    case Problem::TooLong:
        return QCoreApplication::translate("mapfile",
                                           "Kartan kuvaus \"%1\" on liian suuri luettavaksi.")
            .arg(fileName);
    case Problem::UnsafeFolder:
        return QCoreApplication::translate(
                   "mapfile", "Kartan kuvauksen \"%1\" ensimmäinen rivi ei ole kelvollinen "
                              "kartan kansion nimi.")
            .arg(fileName);
    case Problem::MissingPicture:
        return QCoreApplication::translate(
                   "mapfile", "Kartan \"%1\" kansiosta puuttuu kuva %2 tai se on viallinen.")
            .arg(fileName, refusal.detail);
    }
    return QCoreApplication::translate("mapfile", "Karttaa \"%1\" ei voitu käyttää.").arg(fileName);
}

} // namespace mapfile

// Any text as a number line of a map description. The reader must never crash,
// and where the line, blanks and tabs left out, begins with a plain decimal
// number it must agree with the C library reading that same number.
#include "core/mapfile.h"
#include "core/text1252.h"

#include <QByteArray>
#include <QRegularExpression>
#include <QString>
#include <cfloat>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <string>

namespace {

void require(bool ok) {
    if (!ok) {
        __builtin_trap();
    }
}

// The longest leading decimal number: sign, digits with an optional full stop
// and fraction, optional exponent. No hex, inf or nan, which strtod would take.
const QRegularExpression& leadingNumber() {
    static const QRegularExpression pattern(
        QStringLiteral("^[+-]?([0-9]+\\.?[0-9]*|\\.[0-9]+)([eE][+-]?[0-9]+)?"));
    return pattern;
}

// The value the line should read as, the same way the game keeps it: read as a
// double, then held in single precision, overflowing to an infinity.
float expected(const QString& stripped) {
    const QRegularExpressionMatch match = leadingNumber().match(stripped);
    if (!match.hasMatch()) {
        return 0.0f;
    }
    const std::string text = match.captured(0).toStdString();
    const double value = std::strtod(text.c_str(), nullptr);
    if (std::fabs(value) > static_cast<double>(FLT_MAX)) {
        return value < 0 ? -std::numeric_limits<float>::infinity()
                         : std::numeric_limits<float>::infinity();
    }
    return static_cast<float>(value);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    // Lines come from Windows-1252 files; a line in UTF-16 reaches the rest of QString.
    QString line;
    if (size > 0 && (data[0] & 1) && size % 2 == 1) {
        std::u16string wide((size - 1) / 2, u'\0');
        std::memcpy(wide.data(), data + 1, wide.size() * sizeof(char16_t));
        line = QString::fromStdU16String(wide);
    } else {
        line = fromWindows1252(bytes);
    }

    const float value = mapfile::parseNumber(line);
    (void)mapfile::clampTop(value);
    (void)mapfile::clampLeft(value);

    QString stripped = line;
    stripped.remove(QLatin1Char(' ')).remove(QLatin1Char('\t'));
    // Only ASCII can belong to a number; the rest, lone surrogates too, must
    // merely stop it (the pattern matcher rejects invalid UTF-16 outright).
    for (QChar& ch : stripped) {
        if (ch.unicode() > 0x7F) {
            ch = QLatin1Char('#');
        }
    }
    const float want = expected(stripped);
    require(!std::isnan(value));
    require(value == want);
    return 0;
}

#include "core/text1252.h"

namespace {

// The 32 characters that Windows-1252 puts at 0x80..0x9F; a zero marks the five
// bytes it leaves undefined. Qt's codec goes through ICU, which maps those five
// to C1 controls; the game treats them as not representable instead.
constexpr char16_t kHigh[32] = {0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0,      0x017D, 0,
                                0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

std::optional<char> byteFor(char16_t c) {
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) {
        return static_cast<char>(c);
    }
    for (int i = 0; i < 32; ++i) {
        if (kHigh[i] != 0 && kHigh[i] == c) {
            return static_cast<char>(0x80 + i);
        }
    }
    return std::nullopt;
}

} // namespace

std::optional<QByteArray> toWindows1252(const QString& text) {
    QByteArray out;
    out.reserve(text.size());
    for (QChar ch : text) {
        const auto byte = byteFor(ch.unicode());
        if (!byte) {
            return std::nullopt;
        }
        out.append(*byte);
    }
    return out;
}

bool fitsWindows1252(const QString& text) {
    return toWindows1252(text).has_value();
}

QString fromWindows1252(QByteArrayView bytes) {
    QString out(bytes.size(), Qt::Uninitialized);
    QChar* to = out.data();
    for (const char b : bytes) {
        const auto byte = static_cast<unsigned char>(b);
        char16_t c = byte;
        if (byte >= 0x80 && byte < 0xA0) {
            // The five undefined bytes read as the C1 control of the same number,
            // as the system codec does, so nothing is lost.
            c = kHigh[byte - 0x80] != 0 ? kHigh[byte - 0x80] : char16_t(byte);
        }
        *to++ = QChar(c);
    }
    return out;
}

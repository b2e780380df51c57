#include "support/gifwriter.h"

#include <QFile>

namespace {

void put16(QByteArray& out, int value) {
    out.append(static_cast<char>(value & 0xFF));
    out.append(static_cast<char>((value >> 8) & 0xFF));
}

// LZW with a two-bit alphabet, kept at three-bit codes by sending a clear code
// after every two pixels, so the table never grows: simple and valid.
QByteArray lzw(int pixels, int colour) {
    std::vector<int> codes;
    for (int i = 0; i < pixels; ++i) {
        if (i % 2 == 0) {
            codes.push_back(4);
        }
        codes.push_back(colour);
    }
    codes.push_back(5);
    QByteArray packed;
    quint32 buffer = 0;
    int bits = 0;
    for (int code : codes) {
        buffer |= static_cast<quint32>(code) << bits;
        bits += 3;
        while (bits >= 8) {
            packed.append(static_cast<char>(buffer & 0xFF));
            buffer >>= 8;
            bits -= 8;
        }
    }
    if (bits > 0) {
        packed.append(static_cast<char>(buffer & 0xFF));
    }
    QByteArray blocks;
    for (int at = 0; at < packed.size(); at += 255) {
        const QByteArray chunk = packed.mid(at, 255);
        blocks.append(static_cast<char>(chunk.size()));
        blocks.append(chunk);
    }
    blocks.append('\0');
    return blocks;
}

} // namespace

QByteArray TestGif::bytes() const {
    QByteArray out("GIF89a");
    put16(out, width);
    put16(out, height);
    out.append(static_cast<char>(0x91)); // global table of four colours
    out.append('\0');
    out.append('\0');
    const unsigned char palette[12] = {0, 0, 128, 255, 0, 0, 0, 200, 0, 255, 255, 0};
    out.append(reinterpret_cast<const char*>(palette), 12);
    if (loopCount) {
        out.append("\x21\xFF\x0BNETSCAPE2.0\x03\x01", 16);
        put16(out, *loopCount);
        out.append('\0');
    }
    for (size_t i = 0; i < frameColours.size(); ++i) {
        out.append("\x21\xF9\x04", 3);
        out.append(static_cast<char>(0x08)); // restore to background
        put16(out, (i < delaysMs.size() ? delaysMs[i] : 100) / 10);
        out.append('\0');
        out.append('\0');
        out.append('\x2C');
        put16(out, 0);
        put16(out, 0);
        put16(out, width);
        put16(out, height);
        out.append('\0');
        out.append('\x02');
        out.append(lzw(width * height, frameColours[i]));
    }
    out.append('\x3B');
    return out;
}

bool TestGif::save(const QString& path) const {
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes()) == bytes().size();
}

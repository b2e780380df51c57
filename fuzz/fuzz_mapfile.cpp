// Any bytes as a lake map's description: the reader either gives a map whose
// folder stays inside the maps folder and whose markers fit the window, or a
// refusal. Crashes, hangs and reads past the data are caught by the sanitizers.
#include "core/mapfile.h"
#include "core/text1252.h"

#include <QByteArray>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <variant>

namespace {

void require(bool ok) {
    if (!ok) {
        __builtin_trap();
    }
}

// The folder check written out separately from the reader's own.
bool folderStaysInside(const QString& folder) {
    return !folder.isEmpty() && folder != QLatin1String(".") && folder != QLatin1String("..") &&
           !folder.contains(QLatin1Char('/')) && !folder.contains(QLatin1Char('\\')) &&
           !folder.contains(QChar(u'\0'));
}

// Line 1 as the description holds it: everything before the first CR or LF.
QString firstLine(const QByteArray& bytes) {
    qsizetype end = 0;
    while (end < bytes.size() && bytes[end] != '\r' && bytes[end] != '\n') {
        ++end;
    }
    return fromWindows1252(bytes.left(end));
}

void check(const QByteArray& bytes, bool complete) {
    const mapfile::ReadResult result = mapfile::parse(bytes, complete);
    if (const auto* refusal = std::get_if<mapfile::Refusal>(&result)) {
        require(refusal->problem == mapfile::Problem::TooShort ||
                refusal->problem == mapfile::Problem::TooLong ||
                refusal->problem == mapfile::Problem::UnsafeFolder);
        require(!mapfile::explain(*refusal, QStringLiteral("x.ars")).isEmpty());
        return;
    }
    const auto* map = std::get_if<mapfile::MapDescription>(&result);
    require(map != nullptr);
    require(folderStaysInside(map->folder));
    require(map->folder == firstLine(bytes));
    for (const mapfile::SpotPlace& spot : map->spots) {
        const int top = mapfile::clampTop(spot.top);
        const int left = mapfile::clampLeft(spot.left);
        require(top >= 0 && top <= 161);
        require(left >= 0 && left <= 297);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    // A copy of exactly the fuzzer's bytes, so ASan sees any read past them.
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    check(bytes, true);
    check(bytes, false);
    return 0;
}

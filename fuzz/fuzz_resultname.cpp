// Any player name, in UTF-8 or UTF-16, with any catch: the name is either
// refused, or its result file stays in the data folder and holds exactly the
// catch lines and the name, readable back from Windows-1252.
#include "core/module1.h"
#include "core/resultfile.h"
#include "core/text1252.h"

#include <QDir>
#include <QFileInfo>
#include <QString>
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <variant>

namespace {

void require(bool ok) {
    if (!ok) {
        __builtin_trap();
    }
}

const QString kAppPath = QStringLiteral("/tmp/norppala-fuzz/peli");
const QString kDataFolder = kAppPath + QStringLiteral("/data");

// Names the game gives its fish; the catch is not what is fuzzed here, only
// how many rows the file holds and what they weigh.
const QString kSpecies[] = {QStringLiteral("Ahven"), QStringLiteral("Hauki"),
                            QStringLiteral("Särki")};

struct Input {
    const uint8_t* data;
    size_t size;

    uint8_t take() {
        if (size == 0) {
            return 0;
        }
        --size;
        return *data++;
    }
};

// The first bytes set the catch: a count that may lie outside the table's
// rows, then a species and weight per row, the weight as a number or as text.
void fillCatch(Input& in, Module1& state) {
    state.fish_count = static_cast<qint16>(static_cast<int8_t>(in.take()));
    for (int row = 1; row <= Module1::kRows; ++row) {
        const uint8_t kind = in.take();
        const auto weight = static_cast<qint16>(in.take() << 8 | in.take());
        state.catch_table[row][1] = kSpecies[kind % 3];
        if (kind & 0x80) {
            state.catch_table[row][2] = QString::number(weight);
        } else {
            state.catch_table[row][2] = weight;
        }
    }
}

QString expectedText(const Module1& state, const QString& name) {
    QString text;
    const int rows = std::clamp<int>(state.fish_count, 0, Module1::kRows);
    for (int row = 1; row <= rows; ++row) {
        const int weight = std::holds_alternative<qint16>(state.catch_table[row][2])
                               ? std::get<qint16>(state.catch_table[row][2])
                               : std::get<QString>(state.catch_table[row][2]).toInt();
        text += std::get<QString>(state.catch_table[row][1]) + QStringLiteral(" = ") +
                QString::number(weight) + QStringLiteral("g\r\n");
    }
    return text + QStringLiteral("Nämä kalat sai ") + name + QStringLiteral("\r\n");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    Input in{data, size};
    Module1 state;
    const uint8_t mode = in.take();
    if (mode & 2) {
        fillCatch(in, state);
    }

    QString name;
    if (mode & 1) {
        std::u16string wide(in.size / 2, u'\0');
        std::memcpy(wide.data(), in.data, wide.size() * sizeof(char16_t));
        name = QString::fromStdU16String(wide);
    } else {
        name = QString::fromUtf8(reinterpret_cast<const char*>(in.data),
                                 static_cast<qsizetype>(in.size));
    }

    if (refuseReason(name)) {
        return 0;
    }
    const QString path = resultFilePath(kAppPath, name);
    const QString clean = QDir::cleanPath(path);
    require(clean == path);
    require(QFileInfo(clean).path() == kDataFolder);
    require(clean.startsWith(kDataFolder + QLatin1Char('/')));
    require(QFileInfo(clean).fileName() == name + QStringLiteral(".kal"));

    const QByteArray bytes = resultFileBytes(state, name);
    require(fromWindows1252(bytes) == expectedText(state, name));
    return 0;
}

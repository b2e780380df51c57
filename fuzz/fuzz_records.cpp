// Any bytes as a result file, and as a folder of them: the reader gives a name
// fit to show and figures that add up, and the records keep their order.
// Crashes, hangs and reads past the data are caught by the sanitizers.
#include "core/records.h"

#include <QByteArray>
#include <QList>
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <tuple>

namespace {

void require(bool ok) {
    if (!ok) {
        __builtin_trap();
    }
}

void checkOne(const SavedResult& result, const QByteArray& bytes) {
    const qsizetype lines = bytes.count('\n') + bytes.count('\r') + 1;
    require(result.fish >= 0 && result.fish <= lines);
    require(result.total >= 0 && result.total <= qint64(result.fish) * kMaxCatchGrams);
    require(result.biggestPerch >= 0 && result.biggestPerch <= result.total);
    require(result.biggestPike >= 0 && result.biggestPike <= result.total);
    require(result.fish > 0 || result.total == 0);
    require(result.name.size() <= kMaxReadNameLength);
    for (const QChar ch : result.name) {
        const char16_t c = ch.unicode();
        require(c >= 0x20 && c != 0x7F && !(c >= 0x80 && c <= 0x9F));
    }
    require(result.name.isEmpty() || !result.name.back().isHighSurrogate());
}

bool sameFigures(const SavedResult& a, const SavedResult& b) {
    return a.name == b.name && a.total == b.total && a.fish == b.fish &&
           a.biggestPerch == b.biggestPerch && a.biggestPike == b.biggestPike;
}

// Several files at once: each piece between form feeds is a file, its first
// byte its age. The best are the heaviest, equal ones oldest first, and the
// biggest fish are the heaviest of all.
void checkRecords(const QByteArray& bytes, int places) {
    std::vector<SavedResult> results;
    const QList<QByteArray> pieces = bytes.split('\f');
    for (qsizetype i = 0; i < pieces.size() && i < 64; ++i) {
        const QByteArray& piece = pieces[i];
        SavedResult result = parseResultFile(piece, QStringLiteral("f%1.kal").arg(i));
        result.modifiedNs = piece.isEmpty() ? 0 : static_cast<unsigned char>(piece[0]);
        result.fileName = QStringLiteral("f%1.kal").arg(i, 2, 10, QLatin1Char('0'));
        results.push_back(result);
    }
    const Records records = tallyRecords(results, places);
    require(records.best.size() == std::min(results.size(), size_t(places)));
    for (size_t i = 1; i < records.best.size(); ++i) {
        const SavedResult& a = records.best[i - 1];
        const SavedResult& b = records.best[i];
        require(a.total > b.total ||
                (a.total == b.total &&
                 std::tie(a.modifiedNs, a.fileName) < std::tie(b.modifiedNs, b.fileName)));
    }
    qint64 best = 0;
    int perch = 0;
    int pike = 0;
    for (const SavedResult& result : results) {
        best = std::max(best, result.total);
        perch = std::max(perch, result.biggestPerch);
        pike = std::max(pike, result.biggestPike);
        if (!records.best.empty()) {
            require(result.total <= records.best.front().total);
        }
    }
    require(perch == (records.perch ? records.perch->grams : 0));
    require(pike == (records.pike ? records.pike->grams : 0));
    require(beatsEverySaved(best + 1, results));
    require(!beatsEverySaved(best, results));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0) {
        return 0;
    }
    const uint8_t flags = data[0];
    // A copy of exactly the fuzzer's bytes, so ASan sees any read past them.
    const QByteArray bytes(reinterpret_cast<const char*>(data + 1),
                           static_cast<qsizetype>(size - 1));

    const bool cutShort = flags & 1;
    const SavedResult result = parseResultFile(bytes, QStringLiteral("Nimi.kal"), cutShort);
    checkOne(result, bytes);
    require(sameFigures(result, parseResultFile(bytes, QStringLiteral("Nimi.kal"), cutShort)));
    if (cutShort) {
        // What is left out of a cut file is exactly its unfinished last line.
        const qsizetype end = std::max(bytes.lastIndexOf('\n'), bytes.lastIndexOf('\r'));
        require(
            sameFigures(result, parseResultFile(bytes.left(end + 1), QStringLiteral("Nimi.kal"))));
    }
    checkRecords(bytes, (flags >> 1) % 12);
    return 0;
}

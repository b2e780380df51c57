// Any bytes as a result file, and as a folder of them: the reader gives a name
// fit to show and figures a game could have saved, and the records keep their order.
// Crashes, hangs and reads past the data are caught by the sanitizers.
#include "core/fishinggame.h"
#include "core/module1.h"
#include "core/records.h"

#include <QByteArray>
#include <QList>
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <tuple>

namespace {

void require(bool ok) {
    if (!ok) {
        __builtin_trap();
    }
}

void checkOne(const SavedResult& result) {
    require(result.fish >= 0 && result.fish <= Module1::kRows);
    require(result.total >= qint64(result.fish) * fishing::kLightestFish &&
            result.total <= qint64(result.fish) * fishing::kHeaviestFish);
    require(result.biggestPerch == 0 || (result.biggestPerch >= fishing::kLightestFish &&
                                         result.biggestPerch < fishing::kLightestPike));
    require(result.biggestPike == 0 || (result.biggestPike >= fishing::kLightestPike &&
                                        result.biggestPike <= fishing::kHeaviestFish));
    require(result.biggestPerch + result.biggestPike <= result.total);
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
        std::optional<SavedResult> read = parseResultFile(piece, QStringLiteral("f%1.kal").arg(i));
        if (!read) {
            continue;
        }
        SavedResult& result = *read;
        result.modifiedNs = piece.isEmpty() ? 0 : static_cast<unsigned char>(piece[0]);
        result.fileName = QStringLiteral("f%1.kal").arg(i, 2, 10, QLatin1Char('0'));
        results.push_back(result);
    }
    const Records records = tallyRecords(results, places);
    // An empty catch takes no place among the best.
    const auto ranked = static_cast<size_t>(std::count_if(
        results.begin(), results.end(), [](const SavedResult& r) { return r.total > 0; }));
    require(records.best.size() == std::min(ranked, size_t(places)));
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

    // Tallied in two shares, the latest first, and merged: the very same records.
    RecordsTally one(places);
    RecordsTally other(places);
    for (size_t i = results.size(); i-- > 0;) {
        (i % 2 ? one : other).add(results[i]);
    }
    one.merge(std::move(other));
    const Records merged = one.take();
    require(merged.read == records.read && merged.best.size() == records.best.size());
    for (size_t i = 0; i < merged.best.size(); ++i) {
        require(merged.best[i].fileName == records.best[i].fileName);
    }
    require(merged.perch.has_value() == records.perch.has_value() &&
            (!merged.perch || merged.perch->name == records.perch->name));
    require(merged.pike.has_value() == records.pike.has_value() &&
            (!merged.pike || merged.pike->name == records.pike->name));
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

    const std::optional<SavedResult> result = parseResultFile(bytes, QStringLiteral("Nimi.kal"));
    const std::optional<SavedResult> again = parseResultFile(bytes, QStringLiteral("Nimi.kal"));
    require(result.has_value() == again.has_value());
    if (result) {
        checkOne(*result);
        require(sameFigures(*result, *again));
    }
    checkRecords(bytes, (flags >> 1) % 12);
    return 0;
}

#include "core/records.h"

#include "core/fishinggame.h"
#include "core/module1.h"
#include "core/paths.h"
#include "core/plainfile.h"
#include "core/text1252.h"

#include <QSet>
#include <QStandardPaths>
#include <algorithm>
#include <mutex>
#include <system_error>
#include <thread>
#include <tuple>

namespace {

const QString kNamePrefix = QStringLiteral("Nämä kalat sai ");
const QString kSuffix = QStringLiteral(".kal");

// A file written by hand in a modern editor is UTF-8, often with a byte-order
// mark. Windows-1252 text with letters beyond ASCII is practically never valid
// UTF-8 ("ä" is E4, which UTF-8 would need continued), so valid UTF-8 with such
// letters is taken as UTF-8 and anything else as Windows-1252.
QString decode(QByteArrayView bytes) {
    if (bytes.startsWith("\xEF\xBB\xBF")) {
        bytes = bytes.sliced(3);
    }
    // Plain ASCII reads the same either way.
    return bytes.isValidUtf8() ? QString::fromUtf8(bytes) : fromWindows1252(bytes);
}

// A line with "=" is a catch line: "hauki = 1234g", blanks allowed around the
// parts. It counts only as a fish a strike can land; anything else on such a
// line (another species, a weight out of reach, in kilos or missing) is no
// catch of any game. Plain decimal digits, so "1e3" is no weight.
struct CatchLine {
    QStringView species;
    int grams = 0;
};

enum class Line { Other, Catch, Impossible };

Line parseCatch(QStringView line, CatchLine& fish) {
    const qsizetype equals = line.indexOf(QLatin1Char('='));
    if (equals < 0) {
        return Line::Other;
    }
    fish.species = line.left(equals).trimmed();
    QStringView weight = line.sliced(equals + 1).trimmed();
    if (!weight.endsWith(QLatin1Char('g'), Qt::CaseInsensitive)) {
        return Line::Impossible;
    }
    weight.chop(1);
    weight = weight.trimmed();
    if (weight.isEmpty()) {
        return Line::Impossible;
    }
    int grams = 0;
    for (const QChar digit : weight) {
        if (digit < QLatin1Char('0') || digit > QLatin1Char('9')) {
            return Line::Impossible;
        }
        grams = grams * 10 + (digit.unicode() - u'0');
        if (grams > fishing::kHeaviestFish) {
            return Line::Impossible;
        }
    }
    fish.grams = grams;
    return fishing::canLand(fish.species, grams) ? Line::Catch : Line::Impossible;
}

// A name as the records window can show it: no control characters to upset
// the window or a screen reader, and no longer than the game's own names.
QString cleanName(QStringView name) {
    QString clean;
    clean.reserve(std::min<qsizetype>(name.size(), kMaxReadNameLength));
    for (const QChar ch : name) {
        if (clean.size() >= kMaxReadNameLength) {
            break;
        }
        const char16_t c = ch.unicode();
        const bool control = c < 0x20 || c == 0x7F || (c >= 0x80 && c <= 0x9F) || c == 0x2028 ||
                             c == 0x2029 || c == 0xFEFF;
        clean.append(control ? QLatin1Char('?') : ch);
    }
    // Never end on half of a character that needs two code units.
    if (!clean.isEmpty() && clean.back().isHighSurrogate()) {
        clean.chop(1);
    }
    return clean;
}

QString nameFromFile(const QString& fileName) {
    if (fileName.endsWith(kSuffix, Qt::CaseInsensitive)) {
        return fileName.left(fileName.size() - kSuffix.size());
    }
    return fileName;
}

auto age(const SavedResult& result) {
    return std::tie(result.modifiedNs, result.fileName, result.folder);
}

// Whether `a` takes a better place than `b` among the best totals.
bool ranksAbove(const SavedResult& a, const SavedResult& b) {
    return a.total > b.total || (a.total == b.total && age(a) < age(b));
}

// Keeps the heavier fish of a species; of equal ones the earlier file's.
void keepBigger(std::optional<SavedResult>& holder, const SavedResult& result, int grams,
                int SavedResult::*biggest) {
    if (grams <= 0) {
        return;
    }
    if (!holder || grams > (*holder).*biggest ||
        (grams == (*holder).*biggest && age(result) < age(*holder))) {
        holder = result;
    }
}

std::optional<BigFish> bigFish(const std::optional<SavedResult>& holder,
                               int SavedResult::*biggest) {
    if (!holder) {
        return std::nullopt;
    }
    return BigFish{holder->name, (*holder).*biggest};
}

} // namespace

std::optional<SavedResult> parseResultFile(QByteArrayView bytes, const QString& fileName) {
    const QString text = decode(bytes);

    SavedResult result;
    result.fileName = fileName;
    std::optional<QStringView> name;
    CatchLine fish;
    for (const QStringView line : QStringView(text).tokenize(QChar(u'\n'), Qt::SkipEmptyParts)) {
        // A CR alone ends a line too; split on it within each LF-ended piece.
        for (const QStringView part : line.tokenize(QChar(u'\r'), Qt::SkipEmptyParts)) {
            if (part.startsWith(kNamePrefix, Qt::CaseInsensitive)) {
                name = part.sliced(kNamePrefix.size());
                continue;
            }
            switch (parseCatch(part, fish)) {
            case Line::Other:
                continue;
            case Line::Impossible:
                return std::nullopt;
            case Line::Catch:
                break;
            }
            if (++result.fish > Module1::kRows) {
                return std::nullopt;
            }
            result.total += fish.grams;
            int& biggest =
                fish.grams < fishing::kLightestPike ? result.biggestPerch : result.biggestPike;
            biggest = std::max(biggest, fish.grams);
        }
    }
    const QString fromFile = nameFromFile(fileName);
    result.name = cleanName(name && !name->isEmpty() ? *name : QStringView(fromFile));
    return result;
}

QStringList resultFolders(const QString& appPath) {
    QStringList folders;
    const QString own = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    if (!own.isEmpty()) {
        folders << own;
    }
    folders << appFile(appPath, QStringLiteral("\\data"));
    return folders;
}

RecordsTally::RecordsTally(int places) : places_(std::max(places, 0)) {}

void RecordsTally::add(SavedResult result) {
    ++records_.read;
    keepBigger(perch_, result, result.biggestPerch, &SavedResult::biggestPerch);
    keepBigger(pike_, result, result.biggestPike, &SavedResult::biggestPike);
    rank(std::move(result));
}

void RecordsTally::rank(SavedResult result) {
    // An empty catch is no record, however few results there are.
    if (result.total <= 0) {
        return;
    }
    std::vector<SavedResult>& best = records_.best;
    if (static_cast<int>(best.size()) >= places_ &&
        (best.empty() || !ranksAbove(result, best.back()))) {
        return;
    }
    best.insert(std::upper_bound(best.begin(), best.end(), result, ranksAbove), std::move(result));
    if (static_cast<int>(best.size()) > places_) {
        best.pop_back();
    }
}

void RecordsTally::merge(RecordsTally&& other) {
    records_.read += other.records_.read;
    records_.skipped += other.records_.skipped;
    if (other.perch_) {
        keepBigger(perch_, *other.perch_, other.perch_->biggestPerch, &SavedResult::biggestPerch);
    }
    if (other.pike_) {
        keepBigger(pike_, *other.pike_, other.pike_->biggestPike, &SavedResult::biggestPike);
    }
    for (SavedResult& result : other.records_.best) {
        rank(std::move(result));
    }
}

Records RecordsTally::take() {
    records_.perch = bigFish(perch_, &SavedResult::biggestPerch);
    records_.pike = bigFish(pike_, &SavedResult::biggestPike);
    return std::move(records_);
}

Records tallyRecords(const std::vector<SavedResult>& results, int places) {
    RecordsTally tally(places);
    for (const SavedResult& result : results) {
        tally.add(result);
    }
    return tally.take();
}

namespace {

// The result files of the folders, handed out a few at a time to the threads
// that read them.
class Listing {
public:
    struct File {
        const PlainFolder* folder;
        int index; // of the folder among those asked for
        PlainFolder::Entry entry;
    };

    explicit Listing(const QStringList& paths) {
        QSet<QByteArray> seen;
        for (int index = 0; index < paths.size(); ++index) {
            auto folder = std::make_unique<PlainFolder>(paths[index]);
            if (folder->isOpen() && !seen.contains(folder->identity())) {
                seen.insert(folder->identity());
                folders_.emplace_back(std::move(folder), index);
            }
        }
    }

    // The next few result files into `files`; false when every one was handed out.
    bool take(std::vector<File>& files) {
        files.clear();
        const std::lock_guard lock(lock_);
        while (files.size() < kBatch && current_ < folders_.size()) {
            const auto& [folder, index] = folders_[current_];
            std::optional<PlainFolder::Entry> entry = folder->next();
            if (!entry) {
                ++current_;
            } else if (entry->name.endsWith(kSuffix, Qt::CaseInsensitive)) {
                files.push_back(File{folder.get(), index, std::move(*entry)});
            }
        }
        return !files.empty();
    }

private:
    static constexpr size_t kBatch = 64;
    std::mutex lock_;
    std::vector<std::pair<std::unique_ptr<PlainFolder>, int>> folders_;
    size_t current_ = 0;
};

void readSome(Listing& listing, RecordsTally& tally, const std::atomic<bool>* stop) {
    // One more byte than a result file may hold tells a longer file.
    QByteArray buffer(kMaxResultFileBytes + 1, Qt::Uninitialized);
    std::vector<Listing::File> files;
    while (!(stop && stop->load(std::memory_order_relaxed)) && listing.take(files)) {
        for (const Listing::File& file : files) {
            const auto read = file.folder->read(file.entry, buffer);
            std::optional<SavedResult> result;
            if (read && read->complete && read->size <= kMaxResultFileBytes) {
                result = parseResultFile(QByteArrayView(buffer.constData(), read->size),
                                         file.entry.name);
            }
            if (!result) {
                tally.skip();
                continue;
            }
            result->modifiedNs = read->modifiedNs;
            result->folder = file.index;
            tally.add(std::move(*result));
        }
    }
}

} // namespace

Records readRecords(const QStringList& folders, int places, const std::atomic<bool>* stop) {
    // Reading a file from the file cache is mostly the system's work on the
    // calling core; a few threads share it out over the cores there are.
    const int threads = std::clamp(static_cast<int>(std::thread::hardware_concurrency()), 1, 4);
    Listing listing(folders);
    std::vector<RecordsTally> tallies(static_cast<size_t>(threads), RecordsTally(places));
    std::vector<std::thread> helpers;
    for (size_t i = 1; i < tallies.size(); ++i) {
        try {
            helpers.emplace_back(readSome, std::ref(listing), std::ref(tallies[i]), stop);
        } catch (const std::system_error&) {
            break; // fewer threads read it all the same
        }
    }
    readSome(listing, tallies[0], stop);
    for (std::thread& helper : helpers) {
        helper.join();
    }
    for (size_t i = 1; i < tallies.size(); ++i) {
        tallies[0].merge(std::move(tallies[i]));
    }
    return tallies[0].take();
}

bool beatsEverySaved(qint64 total, const std::vector<SavedResult>& saved) {
    return total > 0 && std::all_of(saved.begin(), saved.end(), [total](const SavedResult& result) {
               return result.total < total;
           });
}

#include "core/records.h"

#include "core/paths.h"
#include "core/text1252.h"

#include <QDirIterator>
#include <QFile>
#include <QSet>
#include <QStandardPaths>
#include <QStringDecoder>
#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <tuple>
#include <unistd.h>

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
    const bool plainAscii =
        std::none_of(bytes.begin(), bytes.end(), [](char c) { return (c & 0x80) != 0; });
    if (!plainAscii) {
        QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
        QString text = utf8.decode(bytes);
        if (!utf8.hasError()) {
            return text;
        }
    }
    return fromWindows1252(bytes.toByteArray());
}

struct CatchLine {
    QStringView species;
    int grams = 0;
};

// "hauki = 1234g", with any blanks around the parts: what the game writes and
// what a hand-edited line most likely looks like. A weight the game's catch
// table could not hold is no catch.
std::optional<CatchLine> parseCatch(QStringView line) {
    const qsizetype equals = line.indexOf(QLatin1Char('='));
    if (equals < 0) {
        return std::nullopt;
    }
    const QStringView species = line.left(equals).trimmed();
    QStringView weight = line.sliced(equals + 1).trimmed();
    if (species.isEmpty() || !weight.endsWith(QLatin1Char('g'), Qt::CaseInsensitive)) {
        return std::nullopt;
    }
    weight.chop(1);
    weight = weight.trimmed();
    if (weight.isEmpty() || weight.size() > 5) {
        return std::nullopt;
    }
    int grams = 0;
    for (const QChar digit : weight) {
        if (digit < QLatin1Char('0') || digit > QLatin1Char('9')) {
            return std::nullopt;
        }
        grams = grams * 10 + (digit.unicode() - u'0');
    }
    if (grams > kMaxCatchGrams) {
        return std::nullopt;
    }
    return CatchLine{species, grams};
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

struct PlainFile {
    qsizetype size = 0; // bytes read into the buffer
    bool cutShort = false;
    qint64 modifiedNs = 0;
};

// Reads a plain file into `buffer` (kMaxResultFileBytes + 1 bytes). It is
// opened without waiting (a named pipe put there since the folder was listed
// would otherwise hold the game until someone writes into it) and read only
// if it is a plain file.
std::optional<PlainFile> readPlainFile(const QString& path, QByteArray& buffer) {
    const QByteArray native = QFile::encodeName(path);
    const int fd = ::open(native.constData(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) {
        return std::nullopt;
    }
    struct stat info {};
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        ::close(fd);
        return std::nullopt;
    }
    PlainFile file;
    file.modifiedNs = static_cast<qint64>(info.st_mtim.tv_sec) * 1'000'000'000 +
                      static_cast<qint64>(info.st_mtim.tv_nsec);
    // One byte more than is kept tells whether the file goes on.
    while (file.size < buffer.size()) {
        const ssize_t got =
            ::read(fd, buffer.data() + file.size, static_cast<size_t>(buffer.size() - file.size));
        if (got < 0 && errno == EINTR) {
            continue;
        }
        if (got <= 0) {
            break;
        }
        file.size += got;
    }
    ::close(fd);
    if (file.size > kMaxResultFileBytes) {
        file.size = kMaxResultFileBytes;
        file.cutShort = true;
    }
    return file;
}

auto age(const SavedResult& result) {
    return std::tie(result.modifiedNs, result.fileName, result.folder);
}

} // namespace

SavedResult parseResultFile(const QByteArray& bytes, const QString& fileName, bool cutShort) {
    QByteArrayView kept(bytes);
    if (cutShort) {
        const qsizetype end = std::max(kept.lastIndexOf('\n'), kept.lastIndexOf('\r'));
        kept = kept.first(end + 1);
    }
    const QString text = decode(kept);

    SavedResult result;
    result.fileName = fileName;
    std::optional<QStringView> name;
    for (const QStringView line : QStringView(text).tokenize(QChar(u'\n'), Qt::SkipEmptyParts)) {
        // A CR alone ends a line too; split on it within each LF-ended piece.
        for (const QStringView part : line.tokenize(QChar(u'\r'), Qt::SkipEmptyParts)) {
            if (part.startsWith(kNamePrefix, Qt::CaseInsensitive)) {
                name = part.sliced(kNamePrefix.size());
                continue;
            }
            const auto fish = parseCatch(part);
            if (!fish) {
                continue;
            }
            ++result.fish;
            result.total += fish->grams;
            if (fish->species.compare(u"ahven", Qt::CaseInsensitive) == 0) {
                result.biggestPerch = std::max(result.biggestPerch, fish->grams);
            } else if (fish->species.compare(u"hauki", Qt::CaseInsensitive) == 0) {
                result.biggestPike = std::max(result.biggestPike, fish->grams);
            }
        }
    }
    const QString fromFile = nameFromFile(fileName);
    result.name = cleanName(name && !name->isEmpty() ? *name : QStringView(fromFile));
    return result;
}

QStringList resultFolders(const QString& appPath) {
    QStringList folders{appFile(appPath, QStringLiteral("\\data"))};
    const QString own = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    if (!own.isEmpty()) {
        folders << own;
    }
    return folders;
}

std::vector<SavedResult> readResults(const QStringList& folders) {
    std::vector<SavedResult> results;
    QByteArray buffer;
    // A folder is known by its device and inode, however it is named.
    QSet<std::pair<quint64, quint64>> seen;
    int files = 0;
    for (int index = 0; index < folders.size(); ++index) {
        const QString& folder = folders[index];
        struct stat info {};
        if (folder.isEmpty() || ::stat(QFile::encodeName(folder).constData(), &info) != 0 ||
            !S_ISDIR(info.st_mode)) {
            continue;
        }
        const std::pair<quint64, quint64> id{info.st_dev, info.st_ino};
        if (seen.contains(id)) {
            continue;
        }
        seen.insert(id);
        // Every entry, hidden ones too (".piilo" is a name the game saves):
        // whether it is a plain file is checked once it is open. The name is
        // matched here rather than by a name filter, which would cost a pattern
        // compiled anew each time the results window opens.
        QDirIterator entries(folder,
                             QDir::AllEntries | QDir::System | QDir::Hidden | QDir::NoDotAndDotDot);
        while (entries.hasNext() && files < kMaxResultFiles) {
            const QString path = entries.next();
            if (!entries.fileName().endsWith(kSuffix, Qt::CaseInsensitive)) {
                continue;
            }
            if (buffer.isEmpty()) {
                buffer.resize(kMaxResultFileBytes + 1);
            }
            const auto file = readPlainFile(path, buffer);
            if (!file) {
                continue;
            }
            ++files;
            SavedResult result =
                parseResultFile(QByteArray::fromRawData(buffer.constData(), file->size),
                                entries.fileName(), file->cutShort);
            result.modifiedNs = file->modifiedNs;
            result.folder = index;
            results.push_back(std::move(result));
        }
    }
    return results;
}

Records tallyRecords(std::vector<SavedResult> results, int places) {
    std::sort(results.begin(), results.end(),
              [](const SavedResult& a, const SavedResult& b) { return age(a) < age(b); });
    Records records;
    for (const SavedResult& result : results) {
        // Strictly heavier: of equal fish the earlier keeps the record.
        if (result.biggestPerch > 0 &&
            (!records.perch || result.biggestPerch > records.perch->grams)) {
            records.perch = BigFish{result.name, result.biggestPerch};
        }
        if (result.biggestPike > 0 && (!records.pike || result.biggestPike > records.pike->grams)) {
            records.pike = BigFish{result.name, result.biggestPike};
        }
    }
    // Stable, so that equal totals stay in the order of their files' age.
    std::stable_sort(results.begin(), results.end(),
                     [](const SavedResult& a, const SavedResult& b) { return a.total > b.total; });
    if (static_cast<int>(results.size()) > std::max(places, 0)) {
        results.resize(static_cast<size_t>(std::max(places, 0)));
    }
    records.best = std::move(results);
    return records;
}

bool beatsEverySaved(qint64 total, const std::vector<SavedResult>& saved) {
    return total > 0 && std::all_of(saved.begin(), saved.end(), [total](const SavedResult& result) {
               return result.total < total;
           });
}

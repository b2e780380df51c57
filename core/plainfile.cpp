#include "core/plainfile.h"

#include <QFile>

#ifdef Q_OS_UNIX
#include <cerrno>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#else
#include <QDir>
#include <QDirIterator>
#include <QFileInfo>
#endif

#ifdef Q_OS_UNIX

namespace {

// O_NONBLOCK: opening a named pipe waits for a writer without it. A plain file
// reads the same either way.
constexpr int kOpenFlags = O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC;

qint64 modifiedNs(const struct stat& info) {
#ifdef Q_OS_DARWIN
    const timespec& time = info.st_mtimespec;
#else
    const timespec& time = info.st_mtim;
#endif
    return static_cast<qint64>(time.tv_sec) * 1'000'000'000 + static_cast<qint64>(time.tv_nsec);
}

// Reads an opened file if it is a plain one, and closes it.
std::optional<PlainRead> readOpened(int fd, QByteArray& buffer) {
    if (fd < 0) {
        return std::nullopt;
    }
    struct stat info {};
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        ::close(fd);
        return std::nullopt;
    }
    PlainRead file;
    file.modifiedNs = modifiedNs(info);
    bool failed = false;
    while (file.size < buffer.size()) {
        const ssize_t got =
            ::read(fd, buffer.data() + file.size, static_cast<size_t>(buffer.size() - file.size));
        if (got < 0 && errno == EINTR) {
            continue;
        }
        if (got <= 0) {
            failed = got < 0;
            break;
        }
        file.size += got;
        // Once the size the file had when opened is in, asking for its end
        // would only cost another call.
        if (file.size == info.st_size) {
            break;
        }
    }
    ::close(fd);
    if (failed) {
        return std::nullopt;
    }
    file.complete = file.size < buffer.size() || file.size == info.st_size;
    return file;
}

} // namespace

std::optional<PlainRead> readPlainFile(const QString& path, QByteArray& buffer) {
    if (path.isEmpty()) {
        return std::nullopt;
    }
    const QByteArray native = QFile::encodeName(path);
    // Looked at before it is opened, so that a device is never opened at all.
    struct stat info {};
    if (::stat(native.constData(), &info) != 0 || !S_ISREG(info.st_mode)) {
        return std::nullopt;
    }
    return readOpened(::open(native.constData(), kOpenFlags), buffer);
}

struct PlainFolder::Impl {
    DIR* dir = nullptr;
    QByteArray identity;
};

PlainFolder::PlainFolder(const QString& path) : d(std::make_unique<Impl>()) {
    if (path.isEmpty()) {
        return;
    }
    const int fd = ::open(QFile::encodeName(path).constData(), kOpenFlags | O_DIRECTORY);
    if (fd < 0) {
        return;
    }
    struct stat info {};
    if (::fstat(fd, &info) != 0 || !S_ISDIR(info.st_mode) || !(d->dir = ::fdopendir(fd))) {
        ::close(fd);
        return;
    }
    // A folder is known by its device and inode, however it is named.
    d->identity = QByteArray::number(static_cast<quint64>(info.st_dev)) + ':' +
                  QByteArray::number(static_cast<quint64>(info.st_ino));
}

PlainFolder::~PlainFolder() {
    if (d->dir) {
        ::closedir(d->dir);
    }
}

bool PlainFolder::isOpen() const {
    return d->dir != nullptr;
}

QByteArray PlainFolder::identity() const {
    return d->identity;
}

std::optional<PlainFolder::Entry> PlainFolder::next() {
    if (!d->dir) {
        return std::nullopt;
    }
    while (const dirent* entry = ::readdir(d->dir)) {
        const char* name = entry->d_name;
        if (qstrcmp(name, ".") == 0 || qstrcmp(name, "..") == 0) {
            continue;
        }
        Entry found{QFile::decodeName(name), Entry::Kind::Unknown};
#ifdef DT_REG
        // A link may lead to a plain file; the listing cannot say.
        if (entry->d_type == DT_REG) {
            found.kind = Entry::Kind::File;
        } else if (entry->d_type != DT_LNK && entry->d_type != DT_UNKNOWN) {
            found.kind = Entry::Kind::Other;
        }
#endif
        return found;
    }
    return std::nullopt;
}

std::optional<PlainRead> PlainFolder::read(const Entry& entry, QByteArray& buffer) const {
    if (!d->dir || entry.kind == Entry::Kind::Other) {
        return std::nullopt;
    }
    const int folder = ::dirfd(d->dir);
    const QByteArray name = QFile::encodeName(entry.name);
    // Only what the listing could not tell is looked up before it is opened,
    // so that a device is never opened at all.
    struct stat info {};
    if (entry.kind == Entry::Kind::Unknown &&
        (::fstatat(folder, name.constData(), &info, 0) != 0 || !S_ISREG(info.st_mode))) {
        return std::nullopt;
    }
    return readOpened(::openat(folder, name.constData(), kOpenFlags), buffer);
}

#else

// Elsewhere a folder holds no named pipes, and Qt's own file calls do.

std::optional<PlainRead> readPlainFile(const QString& path, QByteArray& buffer) {
    if (path.isEmpty() || !QFileInfo(path).isFile()) {
        return std::nullopt;
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        return std::nullopt;
    }
    PlainRead read;
    read.modifiedNs =
        file.fileTime(QFileDevice::FileModificationTime).toMSecsSinceEpoch() * 1'000'000;
    const qint64 got = file.read(buffer.data(), buffer.size());
    if (got < 0) {
        return std::nullopt;
    }
    read.size = got;
    read.complete = got < buffer.size() || file.atEnd();
    return read;
}

struct PlainFolder::Impl {
    QString path;
    std::optional<QDirIterator> entries;
    QByteArray identity;
};

PlainFolder::PlainFolder(const QString& path) : d(std::make_unique<Impl>()) {
    const QFileInfo info(path);
    if (path.isEmpty() || !info.isDir()) {
        return;
    }
    d->path = path;
    d->entries.emplace(path, QDir::AllEntries | QDir::System | QDir::Hidden | QDir::NoDotAndDotDot);
    // Names of folders here are of either case.
    d->identity = info.canonicalFilePath().toCaseFolded().toUtf8();
}

PlainFolder::~PlainFolder() = default;

bool PlainFolder::isOpen() const {
    return d->entries.has_value();
}

QByteArray PlainFolder::identity() const {
    return d->identity;
}

std::optional<PlainFolder::Entry> PlainFolder::next() {
    if (!d->entries || !d->entries->hasNext()) {
        return std::nullopt;
    }
    d->entries->next();
    return Entry{d->entries->fileName(), Entry::Kind::Unknown};
}

std::optional<PlainRead> PlainFolder::read(const Entry& entry, QByteArray& buffer) const {
    if (!d->entries || entry.kind == Entry::Kind::Other) {
        return std::nullopt;
    }
    return readPlainFile(d->path + QLatin1Char('/') + entry.name, buffer);
}

#endif

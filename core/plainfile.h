#pragma once

#include <QByteArray>
#include <QString>
#include <QtGlobal>
#include <memory>
#include <optional>

// Plain files read so that nothing else can hold the game up: a named pipe or
// a device where a file was expected would otherwise wait for a writer for
// good. On Unix the system's own calls open a file without waiting and know a
// folder by its device and inode; elsewhere, where folders hold no named
// pipes, Qt's file calls do it all.

// What reading a plain file gave.
struct PlainRead {
    qsizetype size = 0;    // bytes read into the buffer
    bool complete = true;  // false when the file goes on past the buffer
    qint64 modifiedNs = 0; // the file's modification time, ns since 1970 (UTC)
};

// Reads the plain file at the path into `buffer`, at most `buffer.size()`
// bytes. Nothing when the path is no plain file (a folder, a named pipe, a
// device, a socket, a link that leads nowhere) or cannot be read. A link counts
// as the file it leads to.
std::optional<PlainRead> readPlainFile(const QString& path, QByteArray& buffer);

// One folder, listed entry by entry, its plain files read relative to it (no
// path is looked up anew for each file). Every entry is listed, hidden ones
// too. One thread at a time lists; any number may read entries meanwhile.
class PlainFolder {
public:
    struct Entry {
        QString name;
        // What the listing tells of the entry without asking the file system
        // again: a plain file, something else, or it cannot say.
        enum class Kind { File, Other, Unknown } kind = Kind::Unknown;
    };

    explicit PlainFolder(const QString& path);
    ~PlainFolder();
    PlainFolder(const PlainFolder&) = delete;
    PlainFolder& operator=(const PlainFolder&) = delete;

    // Whether the path named a folder that could be opened for listing.
    bool isOpen() const;
    // The same for one folder however it is named (through a link, "..").
    QByteArray identity() const;

    // The next entry, or nothing when none is left.
    std::optional<Entry> next();
    // readPlainFile() of an entry of this folder.
    std::optional<PlainRead> read(const Entry& entry, QByteArray& buffer) const;

private:
    struct Impl;
    std::unique_ptr<Impl> d;
};

#include "core/paths.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#ifdef Q_OS_UNIX
#include <sys/stat.h>
#endif

QString appFile(const QString& appPath, const QString& gamePath) {
    QString relative = gamePath;
    relative.replace(QLatin1Char('\\'), QLatin1Char('/'));
    while (relative.startsWith(QLatin1Char('/'))) {
        relative.remove(0, 1);
    }
    if (appPath.isEmpty()) {
        return QDir::cleanPath(relative);
    }
    // Plain joining: the game asks for a picture path on every sprite change,
    // and a QDir for each one cost more than the picture lookup itself.
    return QDir::cleanPath(appPath + QLatin1Char('/') + relative);
}

QString gameFolder(const QString& programDir) {
    const QString beside = QDir::cleanPath(programDir);
    const QString shared = QDir::cleanPath(programDir + QStringLiteral("/../share/games/norppala"));
    for (const QString& folder : {beside, shared}) {
        if (QFileInfo(appFile(folder, QStringLiteral("\\data"))).isDir()) {
            return folder;
        }
    }
    return beside;
}

QString programFolder() {
    return gameFolder(QCoreApplication::applicationDirPath());
}

std::optional<PlainFile> plainFile(const QString& path) {
    if (path.isEmpty()) {
        return std::nullopt;
    }
    if (path.startsWith(QLatin1Char(':'))) {
        // Built into the program: never changes.
        const QFileInfo info(path);
        return info.isFile() ? std::optional<PlainFile>(PlainFile{info.size(), 0}) : std::nullopt;
    }
#ifdef Q_OS_UNIX
    // One look at the file gives its kind, size and time; the sprites ask on
    // every change of picture. stat() follows links, as QFileInfo::isFile() does.
    struct stat status {};
    if (::stat(QFile::encodeName(path).constData(), &status) != 0 || !S_ISREG(status.st_mode)) {
        return std::nullopt;
    }
    return PlainFile{static_cast<qint64>(status.st_size),
                     static_cast<qint64>(status.st_mtim.tv_sec) * 1000 +
                         static_cast<qint64>(status.st_mtim.tv_nsec) / 1000000};
#else
    // isFile() follows links and is false for folders, pipes, devices and sockets.
    const QFileInfo info(path);
    if (!info.isFile()) {
        return std::nullopt;
    }
    // The file's own time, in UTC: QFileInfo's local time would look up the
    // time zone on every sprite change.
    return PlainFile{info.size(),
                     QFile(path).fileTime(QFileDevice::FileModificationTime).toMSecsSinceEpoch()};
#endif
}

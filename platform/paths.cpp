#include "platform/paths.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <sys/stat.h>

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

QString programFolder() {
    return QCoreApplication::applicationDirPath();
}

std::optional<PlainFile> plainFile(const QString& path) {
    if (path.startsWith(QLatin1Char(':'))) {
        const QFileInfo info(path);
        return info.isFile() ? std::optional<PlainFile>(PlainFile{info.size(), 0}) : std::nullopt;
    }
    // One stat call, which follows links: pictures are checked on every sprite
    // change, and a file time as a QDateTime would cost a time-zone lookup each time.
    struct stat status {};
    if (path.isEmpty() || ::stat(QFile::encodeName(path).constData(), &status) != 0 ||
        !S_ISREG(status.st_mode)) {
        return std::nullopt;
    }
    return PlainFile{qint64(status.st_size),
                     qint64(status.st_mtim.tv_sec) * 1000000000 + status.st_mtim.tv_nsec};
}

#include "platform/paths.h"

#include <QCoreApplication>
#include <QDir>

QString appFile(const QString& appPath, const QString& gamePath) {
    QString relative = gamePath;
    relative.replace(QLatin1Char('\\'), QLatin1Char('/'));
    while (relative.startsWith(QLatin1Char('/'))) {
        relative.remove(0, 1);
    }
    return QDir::cleanPath(QDir(appPath).filePath(relative));
}

QString programFolder() {
    return QCoreApplication::applicationDirPath();
}

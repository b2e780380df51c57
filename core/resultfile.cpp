#include "core/resultfile.h"

#include "core/module1.h"
#include "core/paths.h"
#include "core/plainfile.h"
#include "core/text1252.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <algorithm>

namespace {

constexpr int kMaxNameLength = 100;

bool isControl(char16_t c) {
    return c < 0x20 || c == 0x7F || (c >= 0x80 && c <= 0x9F);
}

// CON, PRN, AUX, NUL, COM1..COM9 and LPT1..LPT9 name devices on Windows,
// whatever extension follows them and whatever their case. The superscript
// digits count as digits there too.
bool isReservedDeviceName(const QString& name) {
    QString base = name.section(QLatin1Char('.'), 0, 0);
    while (base.endsWith(QLatin1Char(' '))) {
        base.chop(1);
    }
    base = base.toUpper();
    static const QStringList plain = {QStringLiteral("CON"), QStringLiteral("PRN"),
                                      QStringLiteral("AUX"), QStringLiteral("NUL")};
    if (plain.contains(base)) {
        return true;
    }
    if (base.size() != 4 ||
        !(base.startsWith(QStringLiteral("COM")) || base.startsWith(QStringLiteral("LPT")))) {
        return false;
    }
    const char16_t digit = base.at(3).unicode();
    return (digit >= u'1' && digit <= u'9') || digit == u'\u00B9' || digit == u'\u00B2' ||
           digit == u'\u00B3';
}

QByteArray encodeLossy(const QString& text) {
    QByteArray out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar ch = text.at(i);
        if (ch.isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate()) {
            ++i;
            out.append('?');
            continue;
        }
        const auto byte = toWindows1252(QString(ch));
        out.append(byte ? *byte : QByteArray(1, '?'));
    }
    return out;
}

QString dataFolder(const QString& appPath) {
    return appFile(appPath, QStringLiteral("\\data"));
}

QString pathIn(const QString& folder, const QString& name) {
    return folder + QLatin1Char('/') + name + QStringLiteral(".kal");
}

QString problemWriting(const QString& path, const QString& why) {
    return QCoreApplication::translate("resultfile",
                                       "Tulosta ei voitu tallentaa tiedostoon %1.\n%2\n"
                                       "Jos tällä nimellä oli jo tulos, se on ennallaan.")
        .arg(QDir::toNativeSeparators(path), why);
}

} // namespace

int caughtRows(const Module1& state) {
    return std::clamp<int>(state.fish_count, 0, Module1::kRows);
}

std::optional<QString> refuseReason(const QString& name) {
    static const QString forbidden = QStringLiteral("/\\:*?\"<>|");
    for (const QChar ch : name) {
        if (isControl(ch.unicode())) {
            return QCoreApplication::translate("resultfile", "Nimessä ei saa olla ohjausmerkkejä.");
        }
        if (forbidden.contains(ch)) {
            return QCoreApplication::translate("resultfile",
                                               "Nimessä ei saa olla merkkiä %1.\n"
                                               "Näitä merkkejä ei voi käyttää: / \\ : * ? \" < > |")
                .arg(ch);
        }
    }
    if (name == QStringLiteral(".") || name == QStringLiteral("..")) {
        return QCoreApplication::translate("resultfile",
                                           "Nimi ei voi olla pelkkä piste tai kaksi pistettä.");
    }
    if (name.size() > kMaxNameLength) {
        return QCoreApplication::translate(
                   "resultfile", "Nimi on liian pitkä: siinä saa olla enintään %1 merkkiä.")
            .arg(kMaxNameLength);
    }
    if (!fitsWindows1252(name)) {
        return QCoreApplication::translate(
            "resultfile", "Nimessä on merkki, jota ei voi tallentaa tulostiedostoon.");
    }
    if (isReservedDeviceName(name)) {
        return QCoreApplication::translate("resultfile",
                                           "Nimeä \"%1\" ei voi käyttää tiedoston nimenä.")
            .arg(name);
    }
    return std::nullopt;
}

QByteArray resultFileBytes(const Module1& state, const QString& name) {
    static const QByteArray crlf("\r\n");
    QByteArray bytes;
    const int rows = caughtRows(state);
    for (int row = 1; row <= rows; ++row) {
        bytes += encodeLossy(catchLine(state, row)) + crlf;
    }
    bytes += encodeLossy(QStringLiteral("Nämä kalat sai ") + name) + crlf;
    return bytes;
}

QString resultFilePath(const QString& appPath, const QString& name) {
    // The name is joined as one file name, never split into folders.
    return dataFolder(appPath) + QLatin1Char('/') + name + QStringLiteral(".kal");
}

std::optional<QString> saveResultFile(const Module1& state, const QString& appPath,
                                      const QString& name, const SaveDeviceFactory& device) {
    return saveResultFileIn(state, dataFolder(appPath), name, device);
}

ResultFolder resultFolder(const QString& appPath, const FolderCheck& canWrite) {
    const QString data = dataFolder(appPath);
    const bool writable = canWrite ? canWrite(data) : QFileInfo(data).isWritable();
    if (writable) {
        return {data, false};
    }
    return {QStandardPaths::writableLocation(QStandardPaths::AppDataLocation), true};
}

std::optional<EarlierResult> savedResultIn(const QString& folder, const QString& name) {
    const QString path = pathIn(folder, name);
    // One byte more than a result file may hold tells a file that goes on.
    QByteArray buffer(kMaxResultFileBytes + 1, Qt::Uninitialized);
    const std::optional<PlainRead> read = readPlainFile(path, buffer);
    if (!read) {
        return std::nullopt;
    }
    if (!read->complete || read->size > kMaxResultFileBytes) {
        return EarlierResult{};
    }
    return EarlierResult{
        parseResultFile(QByteArrayView(buffer).first(read->size), QFileInfo(path).fileName())};
}

std::optional<QString> saveResultFileIn(const Module1& state, const QString& folder,
                                        const QString& name, const SaveDeviceFactory& device) {
    if (auto reason = refuseReason(name)) {
        return QCoreApplication::translate("resultfile", "Tulosta ei tallennettu.\n") + *reason;
    }
    const QString path = pathIn(folder, name);
    if (QFileInfo(path).absolutePath() != QFileInfo(folder).absoluteFilePath()) {
        return QCoreApplication::translate(
            "resultfile", "Tulosta ei tallennettu.\nNimestä ei saa tiedostoa data-kansioon.");
    }

    // Something at the name that is neither a plain file nor a folder (a named
    // pipe, a device, a link that leads nowhere) holds no earlier result: the new
    // file takes its place as if the name were free. Left there, a link to nothing
    // would carry the result to wherever it points, outside the data folder.
    const QFileInfo existing(path);
    if ((existing.exists() || existing.isSymLink()) && !existing.isDir() && !isPlainFile(path) &&
        !QFile::remove(path)) {
        return problemWriting(path,
                              QStringLiteral("Samannimistä erikoistiedostoa ei voi korvata."));
    }

    std::unique_ptr<QSaveFile> file = device ? device(path) : std::make_unique<QSaveFile>(path);
    if (!file->open(QIODevice::WriteOnly)) {
        return problemWriting(path, file->errorString());
    }
    const QByteArray bytes = resultFileBytes(state, name);
    if (file->write(bytes) != bytes.size()) {
        const QString why = file->errorString();
        file->cancelWriting();
        file->commit();
        return problemWriting(path, why.isEmpty() ? QCoreApplication::translate(
                                                        "resultfile", "Kirjoittaminen keskeytyi.")
                                                  : why);
    }
    if (!file->commit()) {
        return problemWriting(path, file->errorString());
    }
    return std::nullopt;
}

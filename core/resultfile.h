#pragma once

#include "core/records.h"

#include <QByteArray>
#include <QSaveFile>
#include <QString>
#include <functional>
#include <memory>
#include <optional>

struct Module1;

// The rows of the catch table that hold this game's fish. A count outside 0..20
// would read past the table, so it is held to the table's rows.
int caughtRows(const Module1& state);

// Why the player's name cannot name a result file in the data folder, as a
// message for the player; nothing if it can. The name becomes "<name>.kal" in
// the data folder, so it must not reach another folder, hold characters file
// names cannot hold, or be a device name some systems reserve.
std::optional<QString> refuseReason(const QString& name);

// The bytes of a result file: each catch line, then "Nämä kalat sai " and the
// name, every line ending CR LF, in Windows-1252. A character Windows-1252 has
// no byte for is written as '?' (refuseReason keeps such names from being saved).
QByteArray resultFileBytes(const Module1& state, const QString& name);

// The full path of the result file of an accepted name.
QString resultFilePath(const QString& appPath, const QString& name);

// Makes the file a result is written through. The game uses QSaveFile itself;
// a test can hand in one that fails part way, as a full disk would.
using SaveDeviceFactory = std::function<std::unique_ptr<QSaveFile>(const QString& path)>;

// Saves the result under the name, replacing an earlier file of that name only
// with a complete new one. Nothing if it was saved, otherwise the message that
// tells the player why not (the name is refused, or the file could not be written).
std::optional<QString> saveResultFile(const Module1& state, const QString& appPath,
                                      const QString& name, const SaveDeviceFactory& device = {});

// The same, into the given folder instead of the data folder.
std::optional<QString> saveResultFileIn(const Module1& state, const QString& folder,
                                        const QString& name, const SaveDeviceFactory& device = {});

// A result file already saved under a name: its result as the records read
// it, or nothing when no game could have written it (damaged or edited by hand).
struct EarlierResult {
    std::optional<SavedResult> result;
};

// The file already saved under the name in the folder; nothing if no plain file
// holds that name there, so that a save would replace no earlier result.
std::optional<EarlierResult> savedResultIn(const QString& folder, const QString& name);

// Where result files go: the data folder beside the program, or, when the
// player may not write there (a game installed for the whole system), the
// player's own data folder for the game.
struct ResultFolder {
    QString path;
    bool playersOwn = false;
};
using FolderCheck = std::function<bool(const QString& folder)>;
ResultFolder resultFolder(const QString& appPath, const FolderCheck& canWrite = {});

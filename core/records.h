#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QtGlobal>
#include <optional>
#include <vector>

// Result files read back: who caught how much, for the records window and the
// results window's "Uusi ennätys!".

// One result file as read back. A file the game wrote gives exactly its catch
// and name; a damaged or hand-edited one gives what of it could be read.
struct SavedResult {
    QString name;         // after "Nämä kalat sai ", else the file's name without ".kal"
    qint64 total = 0;     // grams, the sum of the catch lines read
    int fish = 0;         // catch lines read
    int biggestPerch = 0; // grams of the heaviest "ahven", 0 if none
    int biggestPike = 0;  // grams of the heaviest "hauki", 0 if none

    // Where the file was found, which orders results of equal worth.
    qint64 modifiedNs = 0; // the file's modification time, ns since 1970
    QString fileName;
    int folder = 0; // index into the folders read
};

// A file is read up to this many bytes; a game's own file is under 400.
inline constexpr qsizetype kMaxResultFileBytes = 64 * 1024;
// At most this many result files are read from all folders together.
inline constexpr int kMaxResultFiles = 10000;
// A name read back is cut to the longest name the game saves.
inline constexpr int kMaxReadNameLength = 100;
// The heaviest weight a catch line may hold: what the game's catch table holds.
inline constexpr int kMaxCatchGrams = 32767;

// Reads the bytes of a result file: Windows-1252 (or UTF-8, as an editor may
// save a file by hand), lines ending CR LF, LF or CR. Catch lines "laji = 1234g"
// count, blanks around the parts allowed; other lines are passed over. The name
// comes from the last "Nämä kalat sai " line; without one, `fileName` (less a
// ".kal" ending) names the catch. Control characters in a name read as '?'.
// When `cutShort` the bytes end part way through the file and their last,
// unfinished line is left out.
SavedResult parseResultFile(const QByteArray& bytes, const QString& fileName,
                            bool cutShort = false);

// The folders results are saved in: the data folder beside the program, then
// the player's own data folder for the game (where an installed game saves).
QStringList resultFolders(const QString& appPath);

// Every result file ("*.kal") in the folders. Only plain files are opened
// (named pipes, devices and folders are passed over, and nothing waits on
// them), each read up to kMaxResultFileBytes. A folder reached twice (the same
// folder by two paths) is read once; a name present in two folders is two results.
std::vector<SavedResult> readResults(const QStringList& folders);

// The heaviest fish of a species and whose it was.
struct BigFish {
    QString name;
    int grams = 0;
};

struct Records {
    std::vector<SavedResult> best; // the best totals, heaviest first
    std::optional<BigFish> perch;
    std::optional<BigFish> pike;
};

// The `places` best totals and the biggest perch and pike. Of equal totals or
// fish, the earlier file keeps the better place: by modification time, then
// file name, then folder.
Records tallyRecords(std::vector<SavedResult> results, int places = 10);

// Whether a game's total is a new record: more than any saved total (and more
// than nothing, so an empty catch never is one).
bool beatsEverySaved(qint64 total, const std::vector<SavedResult>& saved);

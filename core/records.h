#pragma once

#include <QByteArrayView>
#include <QString>
#include <QStringList>
#include <QtGlobal>
#include <atomic>
#include <optional>
#include <vector>

// Result files read back: who caught how much, for the records window and the
// results window's "Uusi ennätys!".

// One result file as read back.
struct SavedResult {
    QString name;         // after "Nämä kalat sai ", else the file's name without ".kal"
    qint64 total = 0;     // grams, the sum of the catch lines
    int fish = 0;         // catch lines
    int biggestPerch = 0; // grams of the heaviest "ahven", 0 if none
    int biggestPike = 0;  // grams of the heaviest "hauki", 0 if none

    // Where the file was found, which orders results of equal worth.
    qint64 modifiedNs = 0; // the file's modification time, ns since 1970
    QString fileName;
    int folder = 0; // index into the folders read
};

// A file longer than this is no result file (a game's own is under 400 bytes).
inline constexpr qsizetype kMaxResultFileBytes = 64 * 1024;
// A name read back is cut to the longest name the game saves.
inline constexpr int kMaxReadNameLength = 100;

// Reads the bytes of a result file: Windows-1252 (or UTF-8, as an editor may
// save a file by hand), lines ending CR LF, LF or CR. A line with "=" is a catch
// line, "laji = 1234g" with blanks allowed around the parts; other lines are
// passed over. The name comes from the last "Nämä kalat sai " line; without
// one, `fileName` (less a ".kal" ending) names the catch. Control characters in
// a name read as '?'.
// Nothing when no game could have written the catch: a catch line that is no
// fish a strike can land (a species the lake does not have, a weight the
// strike does not draw, or no weight at all), or more fish than a game holds.
std::optional<SavedResult> parseResultFile(QByteArrayView bytes, const QString& fileName);

// The folders results are saved in: the player's own data folder for the game
// (where an installed game saves), then the data folder beside the program.
QStringList resultFolders(const QString& appPath);

// The heaviest fish of a species and whose it was.
struct BigFish {
    QString name;
    int grams = 0;
};

struct Records {
    std::vector<SavedResult> best; // the best totals, heaviest first
    std::optional<BigFish> perch;  // none until a perch is saved
    std::optional<BigFish> pike;
    int read = 0;    // result files read into the records
    int skipped = 0; // result files left out: unreadable, not plain files, or no game's
};

// The records of results added one at a time, kept in the room of the places
// asked for however many results come. Of equal totals or fish the earlier
// file keeps the better place: by modification time, then file name, then
// folder; so the records do not depend on the order the results come in.
class RecordsTally {
public:
    explicit RecordsTally(int places = 10);
    void add(SavedResult result);
    void skip() { ++records_.skipped; }
    // Takes in what another tally counted.
    void merge(RecordsTally&& other);
    Records take();

private:
    void rank(SavedResult result);

    int places_;
    Records records_;
    std::optional<SavedResult> perch_;
    std::optional<SavedResult> pike_;
};

// The `places` best totals and the biggest perch and pike of the results.
Records tallyRecords(const std::vector<SavedResult>& results, int places = 10);

// Every result file ("*.kal") of the folders, tallied. Each is read only if it
// is a plain file (named pipes, devices and folders are skipped, and nothing
// waits on them) no longer than kMaxResultFileBytes, and counts only if a game
// could have written it. A folder reached twice (the same folder by two paths)
// is read once; a name present in two folders is two results. When `stop` is
// set part way, what was read so far.
Records readRecords(const QStringList& folders, int places,
                    const std::atomic<bool>* stop = nullptr);

// Whether a game's total is a new record: more than any saved total (and more
// than nothing, so an empty catch never is one).
bool beatsEverySaved(qint64 total, const std::vector<SavedResult>& saved);

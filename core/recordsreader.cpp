#include "core/recordsreader.h"

#include <algorithm>
#include <condition_variable>
#include <mutex>
#include <thread>

// The readings going on, and the readers waiting for them; a reader and its
// finishAll() live on one thread, the reading on another.
struct RecordsReader::Job {
    QStringList folders;
    int places = 0;
    std::atomic<bool> stop{false};
    // Under the lock below.
    bool done = false;
    Records records;
    RecordsReader* owner = nullptr;
};

namespace {

// Never destroyed: a reading left behind as the program ends may still come
// to its end after the program's own objects are gone.
struct Readings {
    std::mutex lock;
    std::condition_variable done;
    int underway = 0;                    // under the lock
    std::vector<RecordsReader*> readers; // on the readers' thread
};
Readings& readings = *new Readings;

} // namespace

RecordsReader::RecordsReader(const QStringList& folders, int places, QObject* parent)
    : QObject(parent), job_(std::make_shared<Job>()) {
    job_->folders = folders;
    job_->places = places;
    job_->owner = this;
    readings.readers.push_back(this);
    {
        const std::lock_guard lock(readings.lock);
        ++readings.underway;
    }
    std::thread([job = job_] {
        Records records = readRecords(job->folders, job->places, &job->stop);
        const std::lock_guard lock(readings.lock);
        job->records = std::move(records);
        job->done = true;
        --readings.underway;
        readings.done.notify_all();
        // Posted while the lock keeps the reader from going away; a reader
        // destroyed before the event comes takes the event with it.
        if (job->owner) {
            QMetaObject::invokeMethod(
                job->owner, [owner = job->owner] { owner->deliver(); }, Qt::QueuedConnection);
        }
    }).detach();
}

RecordsReader::~RecordsReader() {
    std::erase(readings.readers, this);
    job_->stop = true;
    const std::lock_guard lock(readings.lock);
    job_->owner = nullptr;
}

void RecordsReader::deliver() {
    if (delivered_) {
        return;
    }
    Records records;
    {
        const std::lock_guard lock(readings.lock);
        if (!job_->done) {
            return;
        }
        records = std::move(job_->records);
    }
    delivered_ = true;
    emit finished(records);
}

void RecordsReader::finishAll() {
    {
        std::unique_lock lock(readings.lock);
        readings.done.wait(lock, [] { return readings.underway == 0; });
    }
    // A reader may go away as another one's records are shown.
    const std::vector<RecordsReader*> readers = readings.readers;
    for (RecordsReader* reader : readers) {
        if (std::find(readings.readers.begin(), readings.readers.end(), reader) !=
            readings.readers.end()) {
            reader->deliver();
        }
    }
}

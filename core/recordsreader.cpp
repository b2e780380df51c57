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

std::mutex readingsLock;
std::condition_variable readingDone;
int readingsUnderway = 0;                // under readingsLock
std::vector<RecordsReader*> liveReaders; // on the readers' thread

} // namespace

RecordsReader::RecordsReader(const QStringList& folders, int places, QObject* parent)
    : QObject(parent), job_(std::make_shared<Job>()) {
    job_->folders = folders;
    job_->places = places;
    job_->owner = this;
    liveReaders.push_back(this);
    {
        const std::lock_guard lock(readingsLock);
        ++readingsUnderway;
    }
    std::thread([job = job_] {
        Records records = readRecords(job->folders, job->places, &job->stop);
        const std::lock_guard lock(readingsLock);
        job->records = std::move(records);
        job->done = true;
        --readingsUnderway;
        readingDone.notify_all();
        // Posted while the lock keeps the reader from going away; a reader
        // destroyed before the event comes takes the event with it.
        if (job->owner) {
            QMetaObject::invokeMethod(
                job->owner, [owner = job->owner] { owner->deliver(); }, Qt::QueuedConnection);
        }
    }).detach();
}

RecordsReader::~RecordsReader() {
    std::erase(liveReaders, this);
    job_->stop = true;
    const std::lock_guard lock(readingsLock);
    job_->owner = nullptr;
}

void RecordsReader::deliver() {
    if (delivered_) {
        return;
    }
    Records records;
    {
        const std::lock_guard lock(readingsLock);
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
        std::unique_lock lock(readingsLock);
        readingDone.wait(lock, [] { return readingsUnderway == 0; });
    }
    // A reader may go away as another one's records are shown.
    const std::vector<RecordsReader*> readers = liveReaders;
    for (RecordsReader* reader : readers) {
        if (std::find(liveReaders.begin(), liveReaders.end(), reader) != liveReaders.end()) {
            reader->deliver();
        }
    }
}

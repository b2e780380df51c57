#pragma once

#include "core/records.h"

#include <QObject>
#include <QStringList>
#include <memory>

// Reads the records on a thread of its own, so that a window never waits on
// the files, however many there are or however slow one of them is. The
// records arrive through `finished` on the reader's thread, never before control
// returns to its event loop. A reader destroyed before then stops the reading
// and is not waited for.
class RecordsReader : public QObject {
    Q_OBJECT
public:
    RecordsReader(const QStringList& folders, int places, QObject* parent = nullptr);
    ~RecordsReader() override;

    // Waits until every reading started is done, and hands every live reader
    // its records at once: for tests, tools and benchmarks.
    static void finishAll();

signals:
    void finished(const Records& records);

private:
    struct Job;
    void deliver();

    std::shared_ptr<Job> job_;
    bool delivered_ = false;
};

#pragma once

#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <atomic>
#include <list>
#include <mutex>
#include <string>
#include <thread>

// Named pipes put where the game expects files. Opening a pipe for reading
// waits until something opens it for writing, so a game that opened one would
// hang its test for good. For each pipe a thread waits to open its writing end,
// which happens only once a reader has opened the pipe; the watch then notes
// the pipe and closes its end at once, so the reader meets an empty file and
// the test ends with a failure instead of hanging.
class PipeWatch {
public:
    PipeWatch() = default;
    ~PipeWatch();
    PipeWatch(const PipeWatch&) = delete;
    PipeWatch& operator=(const PipeWatch&) = delete;

    // Makes a named pipe at the path (nothing may be there) and watches it.
    bool add(const QString& path);
    // The pipes (by the path given to add) some reader opened so far.
    QStringList opened() const;

private:
    struct Pipe {
        std::string own; // the watch's own name for the pipe, which the game cannot replace
        QString given;
    };
    void watch(const Pipe& pipe);

    QTemporaryDir dir_;
    mutable std::mutex mutex_;
    QStringList opened_;
    std::atomic<bool> stop_{false};
    std::list<Pipe> pipes_;
    std::list<std::thread> threads_;
};

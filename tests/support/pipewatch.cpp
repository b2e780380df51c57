#include "support/pipewatch.h"

#include <QFile>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

PipeWatch::~PipeWatch() {
    stop_ = true;
    // A reader of our own lets each waiting thread's open return; it stays open
    // until every thread has ended, so none can start waiting again.
    std::vector<int> readers;
    for (const Pipe& pipe : pipes_) {
        readers.push_back(::open(pipe.own.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
    }
    for (std::thread& thread : threads_) {
        thread.join();
    }
    for (int fd : readers) {
        if (fd >= 0) {
            ::close(fd);
        }
    }
}

bool PipeWatch::add(const QString& path) {
    const std::string own =
        QFile::encodeName(dir_.filePath(QString::number(pipes_.size()))).toStdString();
    // A second name for the same pipe, so the watch reaches it even after the
    // game has put something else at the given path.
    if (!dir_.isValid() || ::mkfifo(own.c_str(), 0600) != 0 ||
        ::link(own.c_str(), QFile::encodeName(path).constData()) != 0) {
        return false;
    }
    const Pipe& pipe = pipes_.emplace_back(Pipe{own, path});
    threads_.emplace_back([this, &pipe] { watch(pipe); });
    return true;
}

QStringList PipeWatch::opened() const {
    const std::lock_guard<std::mutex> lock(mutex_);
    return opened_;
}

void PipeWatch::watch(const Pipe& pipe) {
    while (true) {
        // Returns once the pipe has a reader: the game's, or ours at the end.
        const int fd = ::open(pipe.own.c_str(), O_WRONLY | O_CLOEXEC);
        if (fd >= 0) {
            ::close(fd);
        }
        if (stop_ || fd < 0) {
            return;
        }
        const std::lock_guard<std::mutex> lock(mutex_);
        if (!opened_.contains(pipe.given)) {
            opened_ << pipe.given;
        }
    }
}

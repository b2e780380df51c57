#pragma once

#include <QSaveFile>

// A disk that fills up half way through the write, as a full disk would.
class FullDisk final : public QSaveFile {
public:
    using QSaveFile::QSaveFile;

protected:
    qint64 writeData(const char* data, qint64 len) override {
        QSaveFile::writeData(data, len / 2);
        setErrorString(QStringLiteral("No space left on device"));
        return -1;
    }
};

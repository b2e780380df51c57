#include "platform/settings.h"

#include <QSettings>

QtSettings::QtSettings(const QString& iniFile)
    : store_(iniFile.isEmpty() ? std::make_unique<QSettings>(QStringLiteral("Norppala"),
                                                             QStringLiteral("Norppala"))
                               : std::make_unique<QSettings>(iniFile, QSettings::IniFormat)) {}

QtSettings::~QtSettings() = default;

bool QtSettings::flag(const QString& key, bool fallback) const {
    return store_->value(key, fallback).toBool();
}

void QtSettings::setFlag(const QString& key, bool value) {
    store_->setValue(key, value);
    store_->sync();
}

int QtSettings::number(const QString& key, int fallback) const {
    bool ok = false;
    const int value = store_->value(key).toInt(&ok);
    return ok ? value : fallback;
}

void QtSettings::setNumber(const QString& key, int value) {
    store_->setValue(key, value);
    store_->sync();
}

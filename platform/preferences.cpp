#include "platform/preferences.h"

#include "platform/settings.h"
#include "platform/soundplayer.h"

Preferences::Preferences(Sound& sound, Settings& settings) : sound_(sound), settings_(settings) {
    sound_.setMuted(settings_.flag(setting::muted, false));
}

bool Preferences::muted() const {
    return sound_.muted();
}

void Preferences::setMuted(bool muted) {
    sound_.setMuted(muted);
    settings_.setFlag(setting::muted, muted);
    emit changed();
}

bool Preferences::nibbleCue() const {
    return settings_.flag(setting::nibbleCue, true);
}

void Preferences::setNibbleCue(bool on) {
    settings_.setFlag(setting::nibbleCue, on);
    emit changed();
}

bool Preferences::captions() const {
    return settings_.flag(setting::captions, true);
}

void Preferences::setCaptions(bool on) {
    settings_.setFlag(setting::captions, on);
    emit changed();
}

bool Preferences::hintsDue() const {
    return !settings_.flag(setting::hintsGiven, false);
}

void Preferences::setHintsDue(bool due) {
    settings_.setFlag(setting::hintsGiven, !due);
}

#include "platform/preferences.h"

#include "platform/settings.h"
#include "platform/soundplayer.h"

#include <algorithm>

Preferences::Preferences(Sound& sound, Settings& settings, int defaultZoom)
    : sound_(sound), settings_(settings),
      defaultZoom_(std::clamp(defaultZoom, kMinZoom, kMaxZoom)) {
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

int Preferences::zoom() const {
    // A number edited by hand into the store is kept within bounds.
    return std::clamp(settings_.number(setting::zoom, defaultZoom_), kMinZoom, kMaxZoom);
}

void Preferences::setZoom(int zoom) {
    zoom = std::clamp(zoom, kMinZoom, kMaxZoom);
    const int before = this->zoom();
    // Kept even when it is the default, so a later, larger screen keeps it.
    settings_.setNumber(setting::zoom, zoom);
    if (zoom != before) {
        emit zoomChanged(zoom);
    }
}

int fittingZoom(int windowHeight, int screenHeight) {
    if (windowHeight <= 0) {
        return Preferences::kMinZoom;
    }
    return std::clamp(screenHeight * 3 / 4 / windowHeight, Preferences::kMinZoom,
                      Preferences::kMaxZoom);
}

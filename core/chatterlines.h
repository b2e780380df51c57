#pragma once

#include <QString>

// What the old angler mutters while the game runs: the voice clip of each line,
// its words as a subtitle and how long it plays. Lines are numbered from 1, as
// FishingGame::chatter counts them; a number outside 1..kChatterLines has no
// clip, no words and no length.
namespace chatter {

// The subtitle in the game's language: his Finnish words, or their English
// when the game speaks English.
QString caption(int line);
// How long the clip plays, in milliseconds.
int lengthMs(int line);
// The clip's file name in the data folder's sound folder ("kala01.wav").
QString voiceFile(int line);

} // namespace chatter

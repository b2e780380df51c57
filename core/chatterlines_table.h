// The old angler's muttering: each voice clip in data/sound, the Finnish words he
// says in it and how long it plays. Written by tools/make_assets.py together with
// the clips (`--only texts` rewrites this file alone from the clips in data/sound);
// edit the lines there, not here. The English comes from the game's translation.
#pragma once

#include <QtGlobal>

namespace chatter {

struct TableLine {
    const char* file;
    const char* text;
    int ms;
};

// clang-format off
inline constexpr TableLine kTable[] = {
    {"kala01.wav", QT_TRANSLATE_NOOP("chatter", "No niin. Taas täällä. Kala, kala, missä sinä olet?"), 5294},
    {"kala02.wav", QT_TRANSLATE_NOOP("chatter", "Ei syö. Ei syö ei. Liian hieno mato tälle järvelle."), 4579},
    {"kala03.wav", QT_TRANSLATE_NOOP("chatter", "Mitähän se ahven nyt miettii. Varmaan samaa kuin minä."), 4416},
    {"kala04.wav", QT_TRANSLATE_NOOP("chatter", "Hauki! Tule tänne! Minulla on sinulle asiaa."), 4574},
    {"kala05.wav", QT_TRANSLATE_NOOP("chatter", "Ennen oli kalat isompia. Ja madot pitkiä kuin villasukat."), 4597},
    {"kala06.wav", QT_TRANSLATE_NOOP("chatter", "Tuulee lounaasta. Tai koillisesta. Ihan sama."), 4708},
    {"kala07.wav", QT_TRANSLATE_NOOP("chatter", "Minä puhun kaloille, eikä kukaan vastaa. Tyypillistä."), 4835},
    {"kala08.wav", QT_TRANSLATE_NOOP("chatter", "Ei tässä kiirettä. Järvi ei karkaa minnekään."), 4348},
    {"kala09.wav", QT_TRANSLATE_NOOP("chatter", "Mato, ole reipas. Tee isä ylpeäksi."), 4004},
    {"kala010.wav", QT_TRANSLATE_NOOP("chatter", "Kuka siellä naputtelee? Ahven, sinäkö?"), 4145},
    {"kala011.wav", QT_TRANSLATE_NOOP("chatter", "Jos ei tule kalaa, syön makkaraa. Hah!"), 4120},
    {"kala012.wav", QT_TRANSLATE_NOOP("chatter", "Voi räkä. Koho heiluu, mutta ei mitään."), 4153},
    {"kala013.wav", QT_TRANSLATE_NOOP("chatter", "Isoisä sanoi, että tämä on hyvä paikka. Isoisä ei osannut kalastaa."), 5124},
    {"kala014.wav", QT_TRANSLATE_NOOP("chatter", "Hyttynen! Mene pois, minä kalastan tässä!"), 4093},
    {"kala015.wav", QT_TRANSLATE_NOOP("chatter", "Hiljaa nyt, kalat kuulevat. Kuulevatko kalat? Eivät kuule."), 5320},
};
// clang-format on

} // namespace chatter

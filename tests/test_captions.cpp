#include "app/language.h"
#include "core/captions.h"
#include "core/chatterlines.h"
#include "game/captionstrip.h"
#include "platform/settings.h"
#include "test_game_world.h"

#include <QFile>
#include <QRegularExpression>
#include <QTest>
#include <QTranslator>
#include <QXmlStreamReader>
#include <gtest/gtest.h>

// The captions' strip on the game screen: where it sits, that every caption
// fits it in both languages, the C key, and the first-game hints.

namespace {

// Every caption's words, as the translations file holds them: the Finnish
// source and its English, with each number or name filled in at its widest.
QStringList captionTexts(QLatin1String wanted = QLatin1String("Captions")) {
    QFile file(QStringLiteral(NORPPALA_SOURCE_DIR "/translations/norppala_en.ts"));
    EXPECT_TRUE(file.open(QIODevice::ReadOnly));
    QXmlStreamReader xml(&file);
    QStringList texts;
    QString context;
    while (!xml.atEnd()) {
        xml.readNext();
        if (!xml.isStartElement()) {
            continue;
        }
        if (xml.name() == QLatin1String("name")) {
            context = xml.readElementText();
        } else if (context == wanted && (xml.name() == QLatin1String("source") ||
                                         xml.name() == QLatin1String("translation"))) {
            texts << xml.readElementText();
        }
    }
    QStringList filled;
    for (QString text : texts) {
        const bool english = text.contains(QLatin1String("Catch"));
        text.replace(QLatin1String("%1"),
                     text.startsWith(QLatin1String("Saalis:")) ||
                             text.startsWith(QLatin1String("Catch:"))
                         ? (english ? QStringLiteral("perch (ahven)") : QStringLiteral("ahven"))
                         : QStringLiteral("5"));
        filled << text.replace(QLatin1String("%2"), QStringLiteral("2099"));
    }
    return filled;
}

} // namespace

class CaptionStripTest : public GameWorld {};

// The strip lies inside the lake, over its bottom, and never over a control;
// its type is at least 9 pt, and every caption of the game fits it in both
// languages, at every zoom, without a word cut short.
TEST_F(CaptionStripTest, LiesInTheLakeOverNoControlAndEveryCaptionFits) {
    Peli* screen = startGame();
    auto* strip = control<CaptionStrip>("peli", "tekstitys");
    ASSERT_TRUE(strip);
    // Nine points are twelve pixels at the windows' 96 dots per inch.
    EXPECT_GE(captionLook::kPoints, 9.0);
    EXPECT_GE(strip->font().pixelSize(), 12);
    // At every zoom the strip and its type grow together, and the words still fit.
    for (int zoom = 1; zoom <= 4; ++zoom) {
        SCOPED_TRACE(zoom);
        context.preferences.setZoom(zoom);
        const QRect band = strip->geometry();
        EXPECT_TRUE(QRect(0, 0, 248 * zoom, 304 * zoom).contains(band))
            << band.y() << "+" << band.height();
        EXPECT_GE(band.bottom(), 290 * zoom) << "over the bottom of the lake";
        EXPECT_GE(band.width(), 240 * zoom);
        for (QWidget* control : screen->findChildren<QWidget*>()) {
            if (control != strip && control->parentWidget() == screen &&
                (control->inherits("QAbstractButton") || control->inherits("QAbstractItemView") ||
                 control->inherits("QLabel"))) {
                EXPECT_FALSE(band.intersects(control->geometry()))
                    << control->objectName().toStdString();
            }
        }
        const int room = band.width() - 2 * captionLook::kPadding;
        // Every caption, the angler's lines too, takes at most the strip's two
        // lines, each within the band and none cut short.
        const auto wrapped = [&](const QString& text) {
            const QStringList lines = strip->wrap(text);
            EXPECT_LE(lines.size(), captionLook::kLines) << text.toStdString();
            for (const QString& line : lines) {
                EXPECT_LE(strip->fontMetrics().horizontalAdvance(line), room) << line.toStdString();
                EXPECT_FALSE(line.endsWith(QChar(0x2026))) << line.toStdString();
            }
            return lines;
        };
        const QStringList texts = captionTexts();
        EXPECT_GE(texts.size(), 2 * 20);
        for (const QString& text : texts) {
            const QStringList lines = wrapped(text);
            // What is one line of news stays one line, each line of a lift's reason too.
            if (!text.contains(QLatin1String("Vinkki")) && !text.contains(QLatin1String("Tip"))) {
                EXPECT_EQ(lines.size(), text.count(QLatin1Char('\n')) + 1) << text.toStdString();
            }
        }
        const QStringList mutterings = captionTexts(QLatin1String("chatter"));
        EXPECT_EQ(mutterings.size(), 2 * 15);
        for (const QString& text : mutterings) {
            wrapped(text);
        }
        // A text too long for the strip is cut short, not run over its edge.
        const QStringList cut = strip->wrap(QString(200, QLatin1Char('W')));
        EXPECT_EQ(cut.size(), 1);
        EXPECT_LE(strip->fontMetrics().horizontalAdvance(cut.value(0)), room);
    }
}

// At a nibble the strip says so, in the game's language, for as long as the
// nibble lasts; a lift that brings up nothing says why.
TEST_F(CaptionStripTest, ShowsTheNibbleAndWhyALiftCameUpEmpty) {
    startGame();
    auto* strip = control<CaptionStrip>("peli", "tekstitys");
    ASSERT_TRUE(untilTheBite());
    random.roll(5, 11); // a medium nibble
    random.roll(1, 3);  // that leaves half the worm
    random.roll(1, 2);  // and hooks no fish
    advance(1);
    ASSERT_TRUE(game().nibble());
    EXPECT_TRUE(strip->isVisible());
    EXPECT_TRUE(strip->lines().contains(QStringLiteral("Kala nykii!")))
        << strip->lines().join('|').toStdString();
    click("peli", "Command3"); // a tap does not hide it
    EXPECT_TRUE(strip->lines().contains(QStringLiteral("Kala nykii!")));
    EXPECT_TRUE(strip->lines().contains(QStringLiteral("Nosta siima nyt! (välilyönti)")));
    click("peli", "Command4");
    // The nibble and its hint are over; the reason shows.
    EXPECT_FALSE(strip->lines().contains(QStringLiteral("Kala nykii!")));
    EXPECT_FALSE(strip->lines().contains(QStringLiteral("Nosta siima nyt! (välilyönti)")));
    EXPECT_TRUE(strip->lines().contains(QStringLiteral("Kala nykäisi, mutta ei tarttunut.")))
        << strip->lines().join('|').toStdString();
    EXPECT_TRUE(strip->lines().contains(QStringLiteral("Mato on puoliksi syöty.")));
    // Then the first-game hint on the worm, then nothing.
    // (The angler's muttering may share the strip, below them.)
    const QString hint = QStringLiteral("Vinkki: ehjä mato pitää kalan.");
    advance(Captions::kMissShows);
    ASSERT_FALSE(strip->lines().isEmpty());
    EXPECT_EQ(strip->lines().first(), hint);
    EXPECT_FALSE(strip->lines().contains(QStringLiteral("Mato on puoliksi syöty.")));
    advance(Captions::kHintShows);
    EXPECT_FALSE(strip->lines().contains(hint)) << strip->lines().join('|').toStdString();
}

// C turns the captions off and on in every window; the choice outlives the run.
TEST_F(CaptionStripTest, CIsRememberedAndOffBuildsNoWords) {
    EXPECT_TRUE(context.preferences.captions()) << "on for a new player";
    forms.show(QStringLiteral("menu"));
    settle();
    QTest::keyClick(window("menu"), Qt::Key_C);
    EXPECT_FALSE(context.preferences.captions());
    EXPECT_FALSE(settings.flag(setting::captions, true));
    EXPECT_EQ(announcer.last(), "menu: Tekstitys pois");
    forms.unload(QStringLiteral("menu"));

    Peli* screen = startGame();
    int posted = 0;
    QObject::connect(&screen->captions(), &Captions::posted, [&posted] { ++posted; });
    auto* strip = control<CaptionStrip>("peli", "tekstitys");
    fishByTheBook(40 * 1000);
    EXPECT_EQ(posted, 0);
    EXPECT_FALSE(strip->isVisible());
    EXPECT_GE(state.fish_count, 1);

    // On again in the game, the strip follows the game from there on.
    QTest::keyClick(screen, Qt::Key_C);
    EXPECT_TRUE(settings.flag(setting::captions, false));
    hookFish(1500);
    click("peli", "Command4");
    advance(2000);
    EXPECT_GE(posted, 2);
    EXPECT_TRUE(strip->lines().filter(QStringLiteral("hauki, 1500 g")).size() == 1)
        << strip->lines().join('|').toStdString();

    // A new run on the same settings keeps the player's choice.
    QTest::keyClick(screen, Qt::Key_C);
    RecordingSound nextSound{players};
    const Program next({&clock, &random, &dialogs, &nextSound, &settings, &announcer, appPath});
    EXPECT_FALSE(const_cast<Program&>(next).context().preferences.captions());
}

// The hints come in a new player's first game, not in the next, and again
// once asked for in the help window.
TEST_F(CaptionStripTest, HintsShowOncePerNewPlayerAndAgainWhenAskedFor) {
    const auto hintAtFirstNibble = [this] {
        startGame();
        auto* strip = control<CaptionStrip>("peli", "tekstitys");
        EXPECT_TRUE(untilTheBite());
        bites::hookedNibble(random);
        advance(1);
        const bool hinted =
            strip->lines().contains(QStringLiteral("Nosta siima nyt! (välilyönti)"));
        EXPECT_TRUE(strip->lines().contains(QStringLiteral("Kala nykii!")));
        forms.unload(QStringLiteral("peli"));
        settle();
        return hinted;
    };
    EXPECT_TRUE(hintAtFirstNibble());
    EXPECT_FALSE(hintAtFirstNibble());
    EXPECT_FALSE(hintAtFirstNibble());

    forms.show(QStringLiteral("ohje"));
    settle();
    auto* ask = control<QPushButton>("ohje", "vinkit");
    ASSERT_TRUE(ask && !ask->isChecked());
    QTest::keyClick(window("ohje"), Qt::Key_C); // captions off: asking turns them back on
    click("ohje", "vinkit");
    EXPECT_TRUE(ask->isChecked());
    EXPECT_TRUE(context.preferences.captions());
    forms.unload(QStringLiteral("ohje"));
    settle();
    EXPECT_TRUE(hintAtFirstNibble());
    EXPECT_FALSE(hintAtFirstNibble());
}

// The angler's muttering shows in words while his clip plays, then goes.
TEST_F(CaptionStripTest, TheAnglersLinesShowWhileHeSaysThem) {
    startGame();
    auto* strip = control<CaptionStrip>("peli", "tekstitys");
    random.roll(9, 15); // line 10, kala010.wav
    advance(8000);
    const QString words = QStringLiteral("Kuka siellä naputtelee? Ahven, sinäkö?");
    EXPECT_EQ(strip->lines().join(QLatin1Char(' ')), words);
    // Captions are cleared on the game clock's seconds.
    advance(chatter::lengthMs(10) + 1000);
    EXPECT_FALSE(strip->lines().join(QLatin1Char(' ')).contains(QLatin1String("naputtelee")));
}

// In English the news reads in English, the fish named in both languages,
// on the strip and to a screen reader.
TEST_F(CaptionStripTest, SpeaksTheGamesLanguage) {
    QTranslator translator;
    ASSERT_TRUE(useLanguage(Language::English, translator));
    startGame();
    auto* strip = control<CaptionStrip>("peli", "tekstitys");
    hookFish(1234);
    click("peli", "Command4");
    advance(2000);
    const QStringList lines = strip->lines();
    const QString said = announcer.last();
    useLanguage(Language::Finnish, translator);
    EXPECT_TRUE(lines.contains(QStringLiteral("Catch: pike (hauki), 1234 g")))
        << lines.join('|').toStdString();
    // A screen reader names the fish the same way.
    EXPECT_EQ(said, QStringLiteral("peli: Caught: pike (hauki), 1234 grams."));
}

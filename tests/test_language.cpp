#include "app/language.h"
#include "app/startup.h"
#include "core/mapfile.h"
#include "core/resultfile.h"
#include "platform/labeltable.h"
#include "test_game_world.h"

#include <QAccessible>
#include <QCoreApplication>
#include <QDir>
#include <QLabel>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QSet>
#include <QStyle>
#include <QStyleOptionButton>
#include <QTemporaryDir>
#include <QTranslator>
#include <algorithm>
#include <vector>

namespace {

// What a player reads, control by control ("loppu.Command2" → "Save Result").
using Texts = QMap<QString, QString>;

// Every window of a whole game in one language: the texts of its captions,
// labels and buttons, and those that do not fit their boxes.
class Languages : public GameWorld {
protected:
    // The player's own data folder of this test alone, so the records hold
    // only what the test puts there.
    Languages() : oldDataHome_(qgetenv("XDG_DATA_HOME")) {
        qputenv("XDG_DATA_HOME", QFile::encodeName(dir.path() + QStringLiteral("/oma")));
    }
    ~Languages() override {
        QCoreApplication::removeTranslator(&translator_);
        qputenv("XDG_DATA_HOME", oldDataHome_);
    }

    void speak(Language language) {
        QCoreApplication::removeTranslator(&translator_);
        ASSERT_TRUE(useLanguage(language, translator_));
    }

    // A button needs its one line inside its frame; a label its wrapped lines,
    // where the last line may reach into the font's descent only as deep as
    // its letters do (a "g" needs it, "Saalis" not).
    static bool fits(QWidget* control, const QString& text) {
        const QFontMetrics metrics = control->fontMetrics();
        if (auto* button = qobject_cast<QPushButton*>(control)) {
            QStyleOptionButton option;
            option.initFrom(button);
            option.text = text;
            const QRect inside =
                button->style()->subElementRect(QStyle::SE_PushButtonContents, &option, button);
            return metrics.horizontalAdvance(text) <= inside.width() &&
                   metrics.ascent() + metrics.descent() <= inside.height();
        }
        const auto* label = static_cast<QLabel*>(control);
        const QRect needed = metrics.boundingRect(QRect(0, 0, label->width(), 1000),
                                                  Qt::TextWordWrap | label->alignment(), text);
        const int inkBelow =
            text.isEmpty() ? 0 : std::max(0, metrics.tightBoundingRect(text).bottom() + 1);
        const int unusedDescent = std::max(0, metrics.descent() - inkBelow);
        return needed.width() <= label->width() &&
               needed.height() - unusedDescent <= label->height();
    }

    void record(const QString& windowName, const QString& suffix = QString()) {
        Form* form = window(windowName);
        ASSERT_NE(form, nullptr) << windowName.toStdString();
        texts[windowName + QStringLiteral(".caption")] = form->windowTitle();
        texts[windowName + QStringLiteral(".accessible")] =
            QAccessible::queryAccessibleInterface(form)->text(QAccessible::Name);
        // What a screen reader gives as the headings of a table's columns.
        for (auto* table : form->findChildren<LabelTable*>()) {
            QAccessibleTableInterface* grid =
                QAccessible::queryAccessibleInterface(table)->tableInterface();
            QStringList headings;
            for (int column = 0; column < grid->columnCount(); ++column) {
                headings << grid->columnDescription(column);
            }
            texts[windowName + '.' + table->objectName() + QStringLiteral(".headings")] =
                headings.join('|');
        }
        for (QWidget* control : form->findChildren<QWidget*>()) {
            QString text;
            if (auto* label = qobject_cast<QLabel*>(control);
                label && !label->inherits("PixelPicture")) {
                text = label->text();
            } else if (auto* button = qobject_cast<QPushButton*>(control)) {
                text = button->text();
            } else {
                continue;
            }
            const QString where = windowName + '.' + control->objectName() + suffix;
            texts[where] = text;
            if (!control->accessibleName().isEmpty()) {
                texts[where + QStringLiteral(".accessible")] = control->accessibleName();
            }
            if (!fits(control, text)) {
                misfits << where + QStringLiteral(": ") + text;
            }
        }
    }

    // Menu, credits and help; the setup screen without maps, refusing to start,
    // and ready; the game with the line down, paused and up; the results, the
    // records and the name prompt.
    void tour() {
        forms.show(QStringLiteral("menu"));
        settle();
        click("menu", "Label3");
        click("menu", "Label6");
        record("menu");
        record("credits");
        record("ohje");
        forms.unload(QStringLiteral("credits"));
        forms.unload(QStringLiteral("ohje"));

        const QString maps = path(QStringLiteral("\\data\\maps"));
        ASSERT_TRUE(QDir().rename(maps, maps + QStringLiteral(".away")));
        click("menu", "Label2");
        record("aloita", QStringLiteral(" (no maps)"));
        forms.unload(QStringLiteral("aloita"));
        ASSERT_TRUE(QDir().rename(maps + QStringLiteral(".away"), maps));
        forms.show(QStringLiteral("aloita"));
        settle();
        click("aloita", "Command1");
        ASSERT_FALSE(dialogs.messages.isEmpty());
        texts[QStringLiteral("aloita: no map chosen")] = dialogs.messages.last();
        clickItem("aloita", "File1", QStringLiteral("Pitkajarvi.ars"));
        click("aloita", "paikka1");
        record("aloita");

        random.roll(3, 9);
        click("aloita", "Command1");
        ASSERT_NE(peli(), nullptr);
        record("peli");
        game().pause();
        settle();
        record("peli", QStringLiteral(" (paused)"));
        game().resume();
        settle();
        click("peli", "Command4");
        record("peli", QStringLiteral(" (line up)"));

        fishByTheBook(200 * 1000);
        ASSERT_NE(window("loppu"), nullptr);
        record("loppu");
        // The records, before anything is saved, with one file no game wrote.
        QFile damaged(path(QStringLiteral("\\data\\rikki.kal")));
        ASSERT_TRUE(damaged.open(QIODevice::WriteOnly));
        damaged.write("lohi = 1500g\r\n");
        damaged.close();
        click("loppu", "Command3");
        record("ennatykset");
        forms.unload(QStringLiteral("ennatykset"));
        settle();
        click("loppu", "Command2");
        ASSERT_FALSE(dialogs.questions.isEmpty());
        texts[QStringLiteral("loppu: name prompt")] = dialogs.questions.last();
    }

    Texts texts;
    QStringList misfits;

private:
    QByteArray oldDataHome_;
    QTranslator translator_;
};

// Texts that are the same in every language: numbers, the clock's colon, the
// catch total, the program's name.
bool sameInEveryLanguage(const QString& text) {
    static const QStringList same{QStringLiteral("OK"), QStringLiteral("Norppala"),
                                  QStringLiteral("Norppala|OK")};
    return same.contains(text) || !text.contains(QRegularExpression(QStringLiteral("[a-z]{2}")));
}

} // namespace

TEST_F(Languages, EveryFinnishTextFitsItsBox) {
    tour();
    EXPECT_EQ(texts.value("menu.Label2"), "Pelaa");
    EXPECT_EQ(texts.value("peli.tauko (paused)"), "Tauko – jatka painamalla P");
    EXPECT_EQ(texts.value("ennatykset.taulukko.headings"), "|Nimi|Paino|Kaloja");
    // Each window says what it is for, though most are titled by the program's name alone.
    QStringList names;
    for (const char* name : {"menu", "credits", "ohje", "aloita", "peli", "loppu", "ennatykset"}) {
        names << texts.value(QStringLiteral("%1.accessible").arg(name));
    }
    EXPECT_EQ(names.count(), QSet<QString>(names.begin(), names.end()).size())
        << names.join(", ").toStdString();
    EXPECT_FALSE(names.contains(QString())) << names.join(", ").toStdString();
    EXPECT_EQ(texts.value("aloita.caption"), "Norppala");
    EXPECT_EQ(texts.value("menu.accessible"), QStringLiteral("Norppala: päävalikko"));
    EXPECT_TRUE(misfits.isEmpty()) << misfits.join('\n').toStdString();
}

TEST_F(Languages, InEnglishEveryTextIsTranslatedAndFitsItsBox) {
    tour();
    const Texts finnish = texts;
    const QStringList checked = finnish.keys();
    texts.clear();
    misfits.clear();
    // A fresh world for the second tour, as the game starts in one language.
    for (const char* name : {"menu", "credits", "ohje", "aloita", "peli", "loppu"}) {
        forms.unload(QString::fromLatin1(name));
    }
    settle();
    dialogs.messages.clear();
    dialogs.questions.clear();
    state = Module1{};
    speak(Language::English);
    tour();

    EXPECT_EQ(texts.keys(), checked) << "both tours see the same controls";
    for (auto it = finnish.cbegin(); it != finnish.cend(); ++it) {
        SCOPED_TRACE(it.key().toStdString());
        if (!sameInEveryLanguage(it.value())) {
            EXPECT_NE(texts.value(it.key()), it.value()) << "still Finnish";
        }
    }
    EXPECT_TRUE(misfits.isEmpty()) << misfits.join('\n').toStdString();

    EXPECT_EQ(texts.value("menu.Label2"), "Play");
    EXPECT_EQ(texts.value("peli.Command4"), "Lift!");
    EXPECT_EQ(texts.value("peli.Command4 (line up)"), "Lower!");
    EXPECT_EQ(texts.value("peli.tauko (paused).accessible"), "Paused – press P to resume");
    EXPECT_EQ(texts.value("loppu: name prompt"), "Norppala|Who are you?");
    EXPECT_EQ(texts.value("ennatykset.otsikko_paino"), "Weight");
    EXPECT_EQ(texts.value("ennatykset.taulukko.headings"), "|Name|Weight|Fish");
    EXPECT_EQ(texts.value("ennatykset.ohitetut"),
              "1 result file was skipped (damaged or unreadable).");
    // The catch lines are the result file's own words in every language.
    const auto* list = control<QListWidget>("loppu", "List1");
    ASSERT_GT(list->count(), 0);
    EXPECT_TRUE(list->item(0)->text().startsWith("ahven = ") ||
                list->item(0)->text().startsWith("hauki = "));
}

TEST_F(Languages, MessagesOfTheRulesAreTranslatedButTheResultFileStaysFinnish) {
    speak(Language::English);
    EXPECT_EQ(refuseReason(QStringLiteral("a/b")).value_or(QString()),
              "The name must not contain the character /.\n"
              "These characters cannot be used: / \\ : * ? \" < > |");
    EXPECT_EQ(refuseReason(QString(101, 'a')).value_or(QString()),
              "The name is too long: it can have at most 100 characters.");
    EXPECT_EQ(mapfile::explain({mapfile::Problem::MissingPicture, QStringLiteral("taka2.gif")},
                               QStringLiteral("Uusi.ars")),
              "The picture taka2.gif is missing from the folder of the map \"Uusi.ars\", or it "
              "is damaged.");

    state.fish_count = 1;
    state.catch_table[1][1] = QStringLiteral("hauki");
    state.catch_table[1][2] = qint16{1234};
    EXPECT_EQ(resultFileBytes(state, QStringLiteral("Pertti")),
              QByteArray("hauki = 1234g\r\nN\xe4m\xe4 kalat sai Pertti\r\n"));
}

TEST(LanguageChoice, TheSystemLanguageDecidesUnlessTheCommandLineSays) {
    EXPECT_EQ(systemLanguage({"fi-FI"}), Language::Finnish);
    EXPECT_EQ(systemLanguage({"fi"}), Language::Finnish);
    EXPECT_EQ(systemLanguage({"en-GB", "fi-FI"}), Language::English);
    // The first language the game speaks wins; one it does not speak gets English.
    EXPECT_EQ(systemLanguage({"sv-SE", "fi_FI"}), Language::Finnish);
    EXPECT_EQ(systemLanguage({"de-DE"}), Language::English);
    EXPECT_EQ(systemLanguage({"C"}), Language::English);
    EXPECT_EQ(systemLanguage({}), Language::English);

    auto option = [](std::vector<const char*> args) {
        args.insert(args.begin(), "norppala");
        return languageOption(static_cast<int>(args.size()), const_cast<char**>(args.data()));
    };
    EXPECT_EQ(option({}).language, std::nullopt);
    EXPECT_EQ(option({"-platform", "offscreen", "--lang", "en"}).language, Language::English);
    EXPECT_EQ(option({"--lang=fi"}).language, Language::Finnish);
    EXPECT_EQ(option({"--lang", "en", "--lang", "fi"}).language, Language::Finnish);
    for (const std::vector<const char*>& wrong :
         {std::vector<const char*>{"--lang"}, {"--lang", "sv"}, {"--lang="}, {"--lang", "EN"}}) {
        const LanguageOption refused = option(wrong);
        EXPECT_EQ(refused.language, std::nullopt);
        EXPECT_FALSE(refused.error.isEmpty());
        std::vector<const char*> args{"norppala"};
        args.insert(args.end(), wrong.begin(), wrong.end());
        EXPECT_EQ(answerCommandLine(static_cast<int>(args.size()), const_cast<char**>(args.data())),
                  2);
    }
}

// The built program itself, on a Finnish and on an English desktop. A copy of
// it in an empty folder says at once, before any window, that its data folder
// is missing, and it says so in the language it chose.
TEST(LanguageChoice, TheRealProgramSpeaksTheLanguageItIsToldToOnAnyDesktop) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString program = dir.path() + QStringLiteral("/norppala");
    ASSERT_TRUE(QFile::copy(QStringLiteral(NORPPALA_BINARY_DIR "/norppala"), program));
    QFile::setPermissions(program, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);

    auto says = [&](const QString& desktop, const QStringList& arguments) -> std::string {
        QProcess run;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        env.insert(QStringLiteral("SDL_AUDIODRIVER"), QStringLiteral("dummy"));
        env.insert(QStringLiteral("NORPPALA_NO_DIALOGS"), QStringLiteral("1"));
        const QString locale = desktop == QLatin1String("fi") ? QStringLiteral("fi_FI.UTF-8")
                                                              : QStringLiteral("en_GB.UTF-8");
        env.insert(QStringLiteral("LANGUAGE"), desktop);
        env.insert(QStringLiteral("LC_ALL"), locale);
        env.insert(QStringLiteral("LC_MESSAGES"), locale);
        env.insert(QStringLiteral("LANG"), locale);
        run.setProcessEnvironment(env);
        run.start(program, arguments);
        if (!run.waitForStarted(30000) || !run.waitForFinished(60000)) {
            run.kill();
            run.waitForFinished();
            return "(no answer)";
        }
        const std::string err = QString::fromUtf8(run.readAllStandardError()).toStdString();
        if (err.find("data-kansiota ei löytynyt") != std::string::npos) {
            return "fi";
        }
        if (err.find("data folder was not found") != std::string::npos) {
            return "en";
        }
        return err;
    };
    const QStringList english{QStringLiteral("--lang"), QStringLiteral("en")};
    const QStringList finnish{QStringLiteral("--lang=fi")};
    // The desktop decides by itself, so the two runs below really go against it.
    EXPECT_EQ(says(QStringLiteral("fi"), {}), "fi");
    EXPECT_EQ(says(QStringLiteral("en"), {}), "en");
    EXPECT_EQ(says(QStringLiteral("fi"), english), "en");
    EXPECT_EQ(says(QStringLiteral("en"), finnish), "fi");
}

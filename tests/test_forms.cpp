#include "core/clock.h"
#include "core/random.h"
#include "core/timer.h"
#include "platform/context.h"
#include "platform/form.h"
#include "platform/kelmo.h"
#include "platform/look.h"
#include "support/fakes.h"

#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

namespace {

// A window that counts its load and activation steps and owns a timer and a player.
class Probe : public Form {
public:
    Probe(Forms& forms, const QString& name, QStringList& events)
        : Form(forms, name, "Probe " + name, QSize(120, 80)), events_(events) {
        tick = new Timer(this, context().clock, "tick", 1000, true);
        connect(tick, &Timer::timeout, this, [this] { events_ << objectName() + " tick"; });
        makePlayer();
    }
    Timer* tick;
    std::function<void()> onLoad;

protected:
    void load() override {
        events_ << objectName() + " load";
        if (onLoad) {
            onLoad();
        }
    }
    void activate() override { events_ << objectName() + " activate"; }

private:
    QStringList& events_;
};

class FormsTest : public ::testing::Test {
protected:
    FormsTest() {
        for (const char* name : {"menu", "credits", "ohje", "peli"}) {
            forms.registerForm(name, [this, name](Forms& f) {
                return new Probe(f, QString::fromLatin1(name), events);
            });
        }
    }
    void settle() {
        QCoreApplication::processEvents();
        forms.flushUnloaded();
    }

    VirtualClock clock;
    ScriptedRandom random;
    ScriptedDialogs dialogs;
    PlayerLog players;
    RecordingSound sound{players};
    MemorySettings settings;
    RecordingAnnouncer announcer;
    Preferences preferences{sound, settings};
    Pictures pictures;
    Context context{clock,    random,    dialogs,     sound,   QString(),
                    settings, announcer, preferences, pictures};
    Forms forms{context};
    QStringList events;
};

} // namespace

TEST_F(FormsTest, WindowIsLoadedOnceShownModelessAndRaisedWhenShownAgain) {
    Form* first = forms.get("menu");
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(events, QStringList{"menu load"});
    EXPECT_FALSE(first->isVisible());
    EXPECT_EQ(first->windowTitle(), "Probe menu");
    EXPECT_EQ(first->size(), QSize(120, 80));
    EXPECT_EQ(first->palette().color(QPalette::Window), QColor(0, 0, 128));
    // The program icon, drawn at the sizes a window system asks for and
    // scaled from the nearest larger one in between.
    const QIcon icon = first->windowIcon();
    EXPECT_EQ(icon.availableSizes(), (QList<QSize>{{32, 32}, {48, 48}, {64, 64}}));
    const auto premultiplied = QImage::Format_ARGB32_Premultiplied;
    const QImage drawn48 = builtInPicture(":/pictures/icon48.png").convertToFormat(premultiplied);
    ASSERT_FALSE(drawn48.isNull());
    EXPECT_EQ(icon.pixmap(QSize(48, 48)).toImage().convertToFormat(premultiplied), drawn48);
    EXPECT_EQ(icon.pixmap(QSize(40, 40)).size(), QSize(40, 40));
    EXPECT_EQ(icon.pixmap(QSize(128, 128)).size(), QSize(128, 128));

    forms.show("menu");
    EXPECT_TRUE(first->isVisible());
    EXPECT_FALSE(first->isModal());
    forms.show("menu");
    settle();
    EXPECT_EQ(forms.get("menu"), first);
    EXPECT_EQ(events, (QStringList{"menu load", "menu activate"}));
}

TEST_F(FormsTest, UnloadDestroysAtOnceAndAReloadIsAFreshInstance) {
    forms.show("peli");
    QPointer<Form> old = forms.find("peli");
    Timer* tick = static_cast<Probe*>(old.data())->tick;
    clock.advance(1000);
    forms.unload("peli");
    forms.unload("peli"); // closing a closed window does nothing
    EXPECT_FALSE(tick->enabled());
    EXPECT_EQ(forms.find("peli"), nullptr);
    EXPECT_FALSE(old->isVisible());
    EXPECT_EQ(players.of("peli").last(), "destroyed");
    clock.advance(5000);
    EXPECT_EQ(events.count("peli tick"), 1);
    settle();
    EXPECT_TRUE(old.isNull());

    Form* fresh = forms.get("peli");
    EXPECT_EQ(events.count("peli load"), 2);
    EXPECT_EQ(static_cast<Probe*>(fresh)->tick->enabled(), true);
}

TEST_F(FormsTest, ActivationRunsOnShowAndWhenTheActiveWindowCloses) {
    forms.show("menu");
    forms.show("credits");
    forms.show("credits"); // already the active one: nothing runs again
    settle();
    EXPECT_EQ(events,
              (QStringList{"menu load", "menu activate", "credits load", "credits activate"}));
    events.clear();

    // Closing the active window hands activation back to the one before it,
    // without any window manager to do it.
    forms.unload("credits");
    EXPECT_EQ(events, QStringList{"menu activate"});
    EXPECT_EQ(forms.active(), forms.find("menu"));

    // Closing a window that is not active activates nothing.
    forms.show("ohje");
    forms.show("menu");
    events.clear();
    forms.unload("ohje");
    settle();
    EXPECT_TRUE(events.isEmpty());
}

TEST_F(FormsTest, CloseBoxUnloadsAndTheLastWindowEndsTheProgram) {
    QSignalSpy last(&forms, &Forms::lastWindowClosed);
    forms.show("menu");
    forms.show("ohje");
    forms.find("ohje")->close();
    settle();
    EXPECT_FALSE(forms.isLoaded("ohje"));
    EXPECT_EQ(events.last(), "menu activate");
    EXPECT_EQ(last.count(), 0);

    // A window that is loaded but never shown keeps the program going too.
    forms.get("peli");
    forms.unload("menu");
    EXPECT_EQ(last.count(), 0);
    forms.unload("peli");
    EXPECT_EQ(last.count(), 1);
}

TEST_F(FormsTest, AWindowMayCloseAnotherFromItsLoadStep) {
    forms.registerForm("loppu", [this](Forms& f) {
        auto* form = new Probe(f, "loppu", events);
        form->onLoad = [&f] { f.unload("peli"); };
        return form;
    });
    QSignalSpy last(&forms, &Forms::lastWindowClosed);
    forms.show("peli");
    forms.show("loppu");
    EXPECT_FALSE(forms.isLoaded("peli"));
    EXPECT_TRUE(forms.find("loppu")->isVisible());
    EXPECT_EQ(forms.active(), forms.find("loppu"));
    EXPECT_EQ(last.count(), 0);
    EXPECT_EQ(forms.loadedNames(), QStringList{"loppu"});
}

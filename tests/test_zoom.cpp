#include "platform/dialogs.h"
#include "platform/labeltable.h"
#include "platform/look.h"
#include "platform/settings.h"
#include "platform/titlebar.h"
#include "test_game_world.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QMap>
#include <QPushButton>
#include <QSettings>
#include <QTest>
#include <QTimer>

namespace {

// What a control of a window's client area was given: its box, its text's
// size in pixels (0 when it has no font of its own) and its icon's size.
struct Placed {
    QRect box;
    int fontPixels = 0;
    QSize icon;
};

// A table's cells are part of the layout too, placed within their table.
QList<const QWidget*> controlsOf(const Form* form) {
    QList<const QWidget*> controls;
    for (const QWidget* control : form->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        controls.append(control);
        if (qobject_cast<const LabelTable*>(control) != nullptr) {
            for (const QWidget* cell :
                 control->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
                controls.append(cell);
            }
        }
    }
    return controls;
}

QMap<QString, Placed> layoutOf(const Form* form) {
    QMap<QString, Placed> layout;
    for (const QWidget* control : controlsOf(form)) {
        if (control->isWindow() || control->objectName().isEmpty()) {
            continue;
        }
        Placed placed{control->geometry(), 0, QSize()};
        if (control->testAttribute(Qt::WA_SetFont)) {
            placed.fontPixels = control->font().pixelSize();
        }
        if (const auto* button = qobject_cast<const QAbstractButton*>(control)) {
            placed.icon = button->iconSize();
        }
        layout.insert(control->objectName(), placed);
    }
    return layout;
}

// The layout at zoom 1 with every box, text and icon `zoom` times larger.
QMap<QString, Placed> times(QMap<QString, Placed> layout, int zoom) {
    for (Placed& placed : layout) {
        placed.box = QRect(placed.box.topLeft() * zoom, placed.box.size() * zoom);
        placed.fontPixels *= zoom;
        if (placed.icon.isValid()) {
            placed.icon *= zoom;
        }
    }
    return layout;
}

void expectLayout(const QMap<QString, Placed>& got, const QMap<QString, Placed>& want) {
    EXPECT_EQ(got.keys(), want.keys());
    for (auto it = want.cbegin(); it != want.cend(); ++it) {
        const Placed found = got.value(it.key());
        EXPECT_EQ(found.box, it->box) << it.key().toStdString();
        EXPECT_EQ(found.fontPixels, it->fontPixels) << it.key().toStdString();
        EXPECT_EQ(found.icon, it->icon) << it.key().toStdString();
    }
}

class Zoom : public GameWorld {
protected:
    // Opens a window as the game does; the game screen with a game in it.
    Form* open(const QString& name) {
        if (name == QLatin1String("peli")) {
            startGame();
        } else {
            forms.show(name);
            settle();
        }
        return window(name);
    }
    void key(Form* form, int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QTest::keyClick(form->focusWidget() ? form->focusWidget() : form, Qt::Key(key), modifiers);
        settle();
    }
};

const char* const kWindows[] = {"menu", "credits", "ohje", "aloita", "peli", "loppu", "ennatykset"};

} // namespace

TEST_F(Zoom, EveryWindowAtEveryZoomIsItsDesignTimesTheZoom) {
    for (const char* name : kWindows) {
        SCOPED_TRACE(name);
        const QString windowName = QString::fromLatin1(name);
        Form* form = open(windowName);
        ASSERT_NE(form, nullptr);
        ASSERT_EQ(form->zoom(), 1);
        const QMap<QString, Placed> design = layoutOf(form);
        const QSize designSize = form->size();
        EXPECT_EQ(designSize, form->designSize());
        for (int zoom : {2, 3, 4, 1}) {
            SCOPED_TRACE(zoom);
            context.preferences.setZoom(zoom);
            settle();
            EXPECT_EQ(form->zoom(), zoom);
            EXPECT_EQ(form->size(), designSize * zoom);
            EXPECT_EQ(form->minimumSize(), form->maximumSize());
            expectLayout(layoutOf(form), times(design, zoom));
        }
        // A window opened at a zoom is laid out just as one zoomed once open.
        forms.unload(windowName);
        settle();
        context.preferences.setZoom(3);
        form = open(windowName);
        ASSERT_NE(form, nullptr);
        EXPECT_EQ(form->size(), designSize * 3);
        expectLayout(layoutOf(form), times(design, 3));
        // What a screen reader is told of a control's place follows it.
        QWidget* control = form->findChild<QWidget*>(design.firstKey());
        ASSERT_NE(control, nullptr);
        QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(control);
        ASSERT_NE(accessible, nullptr);
        EXPECT_EQ(accessible->rect(), QRect(control->mapToGlobal(QPoint(0, 0)),
                                            design[control->objectName()].box.size() * 3));
        forms.unload(windowName);
        settle();
        context.preferences.setZoom(1);
    }
}

TEST_F(Zoom, MovingPicturesAndMarkersKeepTheirDesignPlaceTimesTheZoom) {
    context.preferences.setZoom(3);
    startGame(1, 3);
    const auto placedAt = [](const Kelmo* sprite, int zoom) {
        return QPoint(static_cast<int>(std::lround(sprite->left())) * zoom,
                      static_cast<int>(std::lround(sprite->top())) * zoom);
    };
    // Row down a few steps with the line up, then watch a fish rise.
    button("Command4")->click();
    advance(1500);
    for (int i = 0; i < 3; ++i) {
        button("Command2")->click();
        advance(100);
    }
    for (const char* name : {"vene", "mies", "vesi"}) {
        EXPECT_EQ(sprite(name)->pos(), placedAt(sprite(name), 3)) << name;
        EXPECT_EQ(sprite(name)->size(), sprite(name)->designSize() * 3) << name;
    }
    const float boatTop = sprite("vene")->top();
    EXPECT_GT(boatTop, 16.0F);
    context.preferences.setZoom(2);
    settle();
    EXPECT_EQ(sprite("vene")->top(), boatTop);
    EXPECT_EQ(sprite("vene")->pos(), placedAt(sprite("vene"), 2));

    // The spots of a map are placed as the map says, in the window's own pixels.
    forms.unload("peli");
    settle();
    forms.show("aloita");
    settle();
    ASSERT_TRUE(clickItem("aloita", "File1", "Pitkajarvi.ars"));
    const QPoint atTwo = control("aloita", "paikka2")->pos();
    context.preferences.setZoom(1);
    settle();
    EXPECT_EQ(atTwo, control("aloita", "paikka2")->pos() * 2);
    ASSERT_TRUE(clickItem("aloita", "File1", "Kivijarvi.ars"));
    const QPoint atOne = control("aloita", "paikka2")->pos();
    context.preferences.setZoom(4);
    settle();
    EXPECT_EQ(control("aloita", "paikka2")->pos(), atOne * 4);

    // A control a window adds once it is laid out is placed by its design box.
    auto* late = new QWidget(window("aloita"));
    window("aloita")->placeControl(late, QRect(10, 20, 30, 40));
    EXPECT_EQ(late->geometry(), QRect(40, 80, 120, 160));
    context.preferences.setZoom(1);
    settle();
    EXPECT_EQ(late->geometry(), QRect(10, 20, 30, 40));
}

TEST_F(Zoom, PixelsOfPicturesBecomeWholeBlocks) {
    QImage art(12, 10, QImage::Format_ARGB32_Premultiplied);
    for (int y = 0; y < art.height(); ++y) {
        for (int x = 0; x < art.width(); ++x) {
            art.setPixel(x, y, qRgb(x * 20, y * 25, (x * y) % 256));
        }
    }
    const QString file = dir.filePath("art.png");
    ASSERT_TRUE(art.save(file));
    const auto render = [](QWidget* widget) {
        QImage image(widget->size(), QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        widget->render(&image);
        return image;
    };
    const auto expectBlocks = [](const QImage& small, const QImage& big, int zoom) {
        ASSERT_EQ(big.size(), small.size() * zoom);
        int faults = 0;
        for (int y = 0; y < big.height(); ++y) {
            for (int x = 0; x < big.width(); ++x) {
                faults += big.pixel(x, y) != small.pixel(x / zoom, y / zoom);
            }
        }
        EXPECT_EQ(faults, 0);
    };

    Form form(forms, "kuva", "Norppala", QSize(30, 20));
    Kelmo sprite(&form, clock, context.pictures, "vene", QRect(5, 7, 12, 10), QString());
    sprite.LoadFile(file);
    const QImage one = render(&sprite);
    EXPECT_EQ(one, art);
    form.setZoom(2);
    EXPECT_EQ(sprite.pos(), QPoint(10, 14));
    expectBlocks(one, render(&sprite), 2);

    // A button's pixel-art icon: each pixel a 3 × 3 block once its window is at 3×.
    auto* arrow = new QPushButton(&form);
    arrow->setGeometry(0, 0, 30, 20);
    arrow->setIcon(pixelIcon(file));
    arrow->setIconSize(art.size());
    form.setZoom(3);
    const auto pixelsOf = [&](QRgb colour) {
        const QImage button = render(arrow);
        int count = 0;
        for (int y = 0; y < button.height(); ++y) {
            for (int x = 0; x < button.width(); ++x) {
                count += button.pixel(x, y) == colour;
            }
        }
        return count;
    };
    EXPECT_EQ(pixelsOf(art.pixel(5, 5)), 9);
    // A button that cannot be pressed shows its icon greyed, at any zoom.
    arrow->setEnabled(false);
    EXPECT_EQ(pixelsOf(art.pixel(5, 5)), 0);
    delete arrow;

    // The window's own picture, beneath the controls.
    sprite.hide();
    form.setPicture(art);
    form.setZoom(1);
    const QImage window = render(&form);
    form.setZoom(3);
    expectBlocks(window, render(&form), 3);
}

TEST_F(Zoom, TheZoomIsRememberedAndANewPlayerGetsOneThatFitsTheScreen) {
    // A 401-pixel game window in three quarters of the screen's height.
    EXPECT_EQ(fittingZoom(401, 600), 1);
    EXPECT_EQ(fittingZoom(401, 768), 1);
    EXPECT_EQ(fittingZoom(401, 1080), 2);
    EXPECT_EQ(fittingZoom(401, 1440), 2);
    EXPECT_EQ(fittingZoom(401, 1600), 2);
    EXPECT_EQ(fittingZoom(401, 1605), 3);
    EXPECT_EQ(fittingZoom(401, 2160), 4);
    EXPECT_EQ(fittingZoom(401, 8640), 4);
    EXPECT_EQ(fittingZoom(401, 0), 1);

    const QString file = dir.filePath("norppala.ini");
    {
        QtSettings store(file);
        Preferences preferences(sound, store, 3);
        EXPECT_EQ(preferences.zoom(), 3);
        preferences.setZoom(2);
    }
    {
        QtSettings store(file);
        Preferences preferences(sound, store, 4);
        EXPECT_EQ(preferences.zoom(), 2);
        preferences.setZoom(9);
        EXPECT_EQ(preferences.zoom(), 4);
        // A zoom the player took is kept even when the next screen's default equals it.
        preferences.setZoom(1);
    }
    QtSettings store(file);
    EXPECT_EQ(Preferences(sound, store, 4).zoom(), 1);
    // Edited by hand: a number out of bounds is bounded, anything else is no choice.
    store.setNumber(setting::zoom, 0);
    EXPECT_EQ(Preferences(sound, store, 3).zoom(), 1);
    QSettings(file, QSettings::IniFormat).setValue(setting::zoom, "iso");
    QtSettings edited(file);
    EXPECT_EQ(Preferences(sound, edited, 3).zoom(), 3);
}

TEST_F(Zoom, PlusAndMinusZoomEveryWindowButAreWrittenInATextField) {
    Form* menu = open("menu");
    Form* credits = open("credits");
    key(credits, Qt::Key_Plus);
    EXPECT_EQ(context.preferences.zoom(), 2);
    EXPECT_EQ(settings.number(setting::zoom, 0), 2);
    EXPECT_EQ(menu->size(), menu->designSize() * 2);
    EXPECT_EQ(credits->size(), credits->designSize() * 2);
    EXPECT_EQ(announcer.last(), "credits: Koko 2×");
    key(menu, Qt::Key_Equal, Qt::ControlModifier);
    key(menu, Qt::Key_Plus, Qt::ControlModifier | Qt::ShiftModifier | Qt::KeypadModifier);
    EXPECT_EQ(context.preferences.zoom(), 4);
    key(menu, Qt::Key_Plus);
    EXPECT_EQ(context.preferences.zoom(), 4);
    key(menu, Qt::Key_Minus, Qt::ControlModifier);
    key(menu, Qt::Key_Minus, Qt::KeypadModifier);
    EXPECT_EQ(context.preferences.zoom(), 2);
    // Neither a plain = nor Alt - is a zoom key.
    key(menu, Qt::Key_Equal);
    key(menu, Qt::Key_Minus, Qt::AltModifier);
    EXPECT_EQ(context.preferences.zoom(), 2);

    auto* field = new QLineEdit(menu);
    field->show();
    field->setFocus();
    QTest::keyClicks(field, "+-");
    EXPECT_EQ(field->text(), "+-");
    EXPECT_EQ(context.preferences.zoom(), 2);
    QTest::keyClick(field, Qt::Key_Plus, Qt::ControlModifier);
    EXPECT_EQ(context.preferences.zoom(), 3);
    delete field;

    // The help window's choice, and the keys show in it.
    Form* ohje = open("ohje");
    auto* choice = control<QComboBox>("ohje", "koko");
    EXPECT_EQ(choice->currentText(), "3×");
    choice->setCurrentIndex(0);
    emit choice->activated(0);
    settle();
    EXPECT_EQ(context.preferences.zoom(), 1);
    EXPECT_EQ(menu->size(), menu->designSize());
    key(ohje, Qt::Key_Plus);
    EXPECT_EQ(choice->currentText(), "2×");
}

TEST_F(Zoom, FullScreenCentresTheWindowOnBlackAndF11OrEscPutItBack) {
    Peli* screen = startGame();
    const QMap<QString, Placed> design = layoutOf(screen);
    context.preferences.setZoom(2);
    settle();
    const QRect before = screen->geometry();
    const QRect whole = screen->screen()->geometry();

    key(screen, Qt::Key_F11);
    ASSERT_TRUE(screen->fullScreen());
    EXPECT_TRUE(screen->isFullScreen());
    EXPECT_EQ(screen->geometry(), whole);
    // The largest whole zoom that fits, centred.
    const int zoom = std::min(whole.width() / 362, whole.height() / 401);
    EXPECT_EQ(screen->zoom(), zoom);
    const QPoint corner((whole.width() - 362 * zoom) / 2, (whole.height() - 401 * zoom) / 2);
    EXPECT_EQ(screen->scaled(QRect(0, 0, 362, 401)), QRect(corner, QSize(362, 401) * zoom));
    QMap<QString, Placed> centred = times(design, zoom);
    for (Placed& placed : centred) {
        placed.box.translate(corner);
    }
    expectLayout(layoutOf(screen), centred);
    const QImage shown = screen->grab().toImage();
    EXPECT_EQ(shown.pixel(0, 0), QColor(Qt::black).rgb());
    EXPECT_EQ(shown.pixel(corner.x() + zoom, corner.y() + zoom), screen->picture().pixel(1, 1));
    EXPECT_FALSE(game().paused());

    // F11 again puts it back as it was.
    key(screen, Qt::Key_F11);
    EXPECT_FALSE(screen->fullScreen());
    EXPECT_EQ(screen->geometry(), before);
    EXPECT_EQ(screen->minimumSize(), screen->maximumSize());
    expectLayout(layoutOf(screen), times(design, 2));
    EXPECT_FALSE(game().paused());

    // Esc leaves full screen and pauses; out of full screen it is the pause key again.
    key(screen, Qt::Key_F11);
    ASSERT_TRUE(screen->fullScreen());
    key(screen, Qt::Key_Escape);
    EXPECT_FALSE(screen->fullScreen());
    EXPECT_EQ(screen->geometry(), before);
    EXPECT_TRUE(game().paused());
    key(screen, Qt::Key_F11);
    key(screen, Qt::Key_Escape);
    EXPECT_TRUE(game().paused());
    key(screen, Qt::Key_Escape);
    EXPECT_FALSE(game().paused());

    // + and - in full screen change the zoom the window has once it leaves.
    key(screen, Qt::Key_F11);
    key(screen, Qt::Key_Plus);
    EXPECT_EQ(context.preferences.zoom(), 3);
    EXPECT_EQ(screen->zoom(), zoom);
    key(screen, Qt::Key_F11);
    EXPECT_EQ(screen->size(), screen->designSize() * 3);
    expectLayout(layoutOf(screen), times(design, 3));

    // In the help window Esc first leaves full screen, then closes the window.
    Form* ohje = open("ohje");
    key(ohje, Qt::Key_F11);
    EXPECT_TRUE(ohje->isFullScreen());
    key(ohje, Qt::Key_Escape);
    EXPECT_FALSE(ohje->isFullScreen());
    EXPECT_NE(window("ohje"), nullptr);
    key(ohje, Qt::Key_Escape);
    EXPECT_EQ(window("ohje"), nullptr);
}

TEST_F(Zoom, AnOwnTitleBarKeepsItsHeightAboveTheZoomedClientAreaAndGoesInFullScreen) {
    forms.setOwnTitleBars(true);
    context.preferences.setZoom(2);
    Form* menu = open("menu");
    TitleBar* bar = menu->titleBar();
    ASSERT_NE(bar, nullptr);
    const QSize client = menu->designSize() * 2;
    EXPECT_EQ(menu->size(), client + QSize(0, TitleBar::kHeight));
    EXPECT_EQ(bar->geometry(), QRect(0, 0, client.width(), TitleBar::kHeight));
    QWidget* item = control("menu", "Label2");
    EXPECT_EQ(QRect(item->mapTo(menu, QPoint(0, 0)), item->size()),
              QRect(0, 104 * 2 + TitleBar::kHeight, 185 * 2, 33 * 2));

    key(menu, Qt::Key_F11);
    EXPECT_FALSE(bar->isVisible());
    EXPECT_EQ(QRect(item->mapTo(menu, QPoint(0, 0)), item->size()),
              menu->scaled(QRect(0, 104, 185, 33)));
    key(menu, Qt::Key_F11);
    EXPECT_TRUE(bar->isVisible());
    EXPECT_EQ(menu->size(), client + QSize(0, TitleBar::kHeight));
    EXPECT_EQ(item->mapTo(menu, QPoint(0, 0)), QPoint(0, 104 * 2 + TitleBar::kHeight));
}

// A question or a message asked over a zoomed window is as large as its texts.
TEST_F(Zoom, DialogsOverAZoomedWindowGrowWithIt) {
    forms.show(QStringLiteral("menu"));
    settle();
    Form* menu = forms.find(QStringLiteral("menu"));
    QtDialogs dialogs;
    const auto shownFontOf = [&](int zoom) {
        context.preferences.setZoom(zoom);
        qreal points = 0;
        // The message is modal: look at it once it shows, then close it.
        QTimer::singleShot(0, [&points] {
            QWidget* box = QApplication::activeModalWidget();
            ASSERT_NE(box, nullptr);
            points = box->font().pointSizeF();
            box->close();
        });
        dialogs.message(menu, QStringLiteral("Norppala"), QStringLiteral("Valitse ensin kartta."));
        return points;
    };
    const qreal plain = shownFontOf(1);
    ASSERT_GT(plain, 0);
    EXPECT_DOUBLE_EQ(shownFontOf(3), 3 * plain);
}

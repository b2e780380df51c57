#include "menu/menu.h"

#include "core/paths.h"
#include "platform/accessibility.h"
#include "platform/context.h"
#include "platform/look.h"
#include "platform/soundplayer.h"
#include "platform/windownames.h"

#include <QKeyEvent>
#include <QMouseEvent>

namespace {

Label* makeItem(QWidget* parent, const QString& name, int top, const QString& caption) {
    auto* item = new Label(parent, name, QRect(0, top, 185, 33), caption, look::arial(20.25),
                           look::yellow, Qt::AlignHCenter | Qt::AlignTop);
    item->setButton(true);
    // The arrow keys carry the focus from item to item, so a screen reader
    // says each one; a click chooses without taking it.
    item->setFocusPolicy(Qt::TabFocus);
    return item;
}
} // namespace

Menu::Menu(Forms& forms)
    : Form(forms, windowName::menu, QStringLiteral("Norppala"), QSize(299, 261)) {
    // The title stays the program's name; a screen reader hears what the window is for.
    setAccessibleName(tr("Norppala: päävalikko"));
    // Mouse moves over the bare background put the items back to yellow.
    setMouseTracking(true);

    Image1 = new PixelPicture(this, QStringLiteral("Image1"), QRect(16, 16, 68, 68),
                              QStringLiteral(":/pictures/icon32.png"));

    // The program's icon only repeats the welcome beside it.
    markDecoration(Image1);

    Label1 = new Label(this, QStringLiteral("Label1"), QRect(88, 16, 209, 65),
                       tr("Tervetuloa pelaamaan Norppala:stä!"), look::arial(14.25));
    Line1 = new Line(this, QStringLiteral("Line1"), QPoint(0, 96), QPoint(296, 96), 2, look::blue);
    Line2 =
        new Line(this, QStringLiteral("Line2"), QPoint(184, 264), QPoint(184, 96), 2, look::blue);

    Label2 = makeItem(this, QStringLiteral("Label2"), 104, tr("Pelaa"));
    Label3 = makeItem(this, QStringLiteral("Label3"), 144, tr("Tekijät"));
    Label6 = makeItem(this, QStringLiteral("Label6"), 184, tr("Ohje"));
    Label5 = makeItem(this, QStringLiteral("Label5"), 224, tr("Poistu"));

    Label4 =
        new Label(this, QStringLiteral("Label4"), QRect(200, 104, 81, 105),
                  tr("Tehtävänäsi on saada mahdollisimman paljon isoja kaloja 3 minuutin aikana."),
                  look::arial(8.25), look::cyan, Qt::AlignHCenter | Qt::AlignTop);

    Rumpa1 = makePlayer();

    connect(Label2, &Label::clicked, this, &Menu::on_Label2_clicked);
    connect(Label3, &Label::clicked, this, &Menu::on_Label3_clicked);
    connect(Label6, &Label::clicked, this, &Menu::on_Label6_clicked);
    connect(Label5, &Label::clicked, this, &Menu::on_Label5_clicked);
    for (Label* item : items()) {
        connect(item, &Label::mouseMoved, this, [this, item] {
            keyItem_ = static_cast<int>(items().indexOf(item));
            highlight(item);
        });
        item->installEventFilter(this);
    }
    // Until an arrow reaches an item the window itself takes the keys, so the
    // menu opens with nothing lit.
    setFocusPolicy(Qt::StrongFocus);
    setFocus();
}

void Menu::activate() {
    emit activated();
    Rumpa1->Stop();
    Rumpa1->Init(44100);
    Rumpa1->LoadMusic(appFile(context().appPath, QStringLiteral("\\data\\music2.mp3")));
    Rumpa1->PlayMusic(true);
}

void Menu::mouseMoveEvent(QMouseEvent* event) {
    // A move over a control reaches the window too when the control lets it
    // pass; only the bare background counts.
    if (isBackgroundAt(event->position().toPoint())) {
        for (Label* item : {Label2, Label3, Label5, Label6}) {
            item->setTextColor(look::yellow);
        }
        keyItem_ = -1;
    }
    Form::mouseMoveEvent(event);
}

void Menu::keyPressEvent(QKeyEvent* event) {
    const QList<Label*> all = items();
    const int count = static_cast<int>(all.size());
    switch (event->key()) {
    case Qt::Key_Up:
    case Qt::Key_Down: {
        // The first press lights the top or bottom item; later ones wrap round.
        const int step = event->key() == Qt::Key_Down ? 1 : -1;
        if (keyItem_ < 0) {
            keyItem_ = step > 0 ? 0 : count - 1;
        } else {
            keyItem_ = (keyItem_ + step + count) % count;
        }
        highlight(all[keyItem_]);
        all[keyItem_]->setFocus(Qt::TabFocusReason);
        return;
    }
    case Qt::Key_E:
        // The records, read afresh even if their window is open.
        if (!event->isAutoRepeat() &&
            !(event->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))) {
            emit recordsRequested();
        }
        return;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (!event->isAutoRepeat() && keyItem_ >= 0) {
            emit all[keyItem_]->clicked();
        }
        return;
    default:
        Form::keyPressEvent(event);
    }
}

bool Menu::eventFilter(QObject* watched, QEvent* event) {
    // An item the focus reaches by Tab lights up as one the arrows reach.
    if (event->type() == QEvent::FocusIn) {
        if (auto* item = qobject_cast<Label*>(watched); item && items().contains(item)) {
            keyItem_ = static_cast<int>(items().indexOf(item));
            highlight(item);
        }
    }
    return Form::eventFilter(watched, event);
}

void Menu::highlight(Label* item) {
    // One item is lit at a time, whether the mouse or the keys lit it: an item
    // the mouse left over the window's edge (to a window opened beside the
    // menu) goes out when another lights up.
    for (Label* other : items()) {
        other->setTextColor(other == item ? look::red : look::yellow);
    }
}

void Menu::on_Label2_clicked() {
    Rumpa1->Stop();
    emit playRequested();
}

void Menu::on_Label3_clicked() {
    emit creditsRequested();
}

void Menu::on_Label6_clicked() {
    emit helpRequested();
}

void Menu::on_Label5_clicked() {
    emit quitRequested();
}

#include "results/loppu.h"

#include "core/module1.h"
#include "core/records.h"
#include "platform/context.h"
#include "platform/dialogs.h"
#include "platform/look.h"
#include "platform/windownames.h"

#include <QDir>
#include <QListWidget>
#include <QPalette>
#include <QPushButton>

namespace {

QPushButton* makeButton(QWidget* parent, const QString& name, const QString& caption,
                        const QRect& box) {
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(name);
    button->setFont(look::systemFont());
    button->setGeometry(box);
    return button;
}

} // namespace

Loppu::Loppu(Forms& forms, Module1& state)
    : Form(forms, windowName::loppu, tr("Norppala - Lopputulos"), QSize(329, 315)), state_(state) {
    Label1 =
        new Label(this, QStringLiteral("Label1"), QRect(0, 0, 329, 81), tr("Lopputulos"),
                  look::arial(36, true, true, true), look::cyan, Qt::AlignHCenter | Qt::AlignTop);

    List1 = new QListWidget(this);
    List1->setObjectName(QStringLiteral("List1"));
    List1->setGeometry(40, 80, 161, 160);
    List1->setFont(look::systemFont());
    List1->setSortingEnabled(false);
    setOneLineItems(List1);
    QPalette colours = List1->palette();
    colours.setColor(QPalette::Base, look::navy);
    colours.setColor(QPalette::Text, look::cyan);
    List1->setPalette(colours);

    Label2 = new Label(this, QStringLiteral("Label2"), QRect(216, 80, 97, 25), tr("Yhteispaino:"),
                       look::arial(12, true));
    // Tall enough for the tail of the "g" after the grams, which a 17-pixel box clipped.
    tot = new Label(this, QStringLiteral("tot"), QRect(216, 104, 97, 21), QStringLiteral("0"),
                    look::arial(12, true), look::cyan, Qt::AlignHCenter | Qt::AlignTop);
    ennatys =
        new Label(this, QStringLiteral("ennatys"), QRect(216, 136, 97, 41), tr("Uusi ennätys!"),
                  look::arial(12, true), look::yellow, Qt::AlignHCenter | Qt::AlignTop);
    ennatys->setAccessibleName(ennatys->text());
    ennatys->setAccessibleDescription(
        tr("Tämän pelin yhteispaino on suurempi kuin yksikään tallennettu tulos."));
    ennatys->hide();

    Command1 = makeButton(this, QStringLiteral("Command1"), tr("OK"), QRect(40, 256, 81, 33));
    Command2 =
        makeButton(this, QStringLiteral("Command2"), tr("Tallenna Tulos"), QRect(120, 256, 81, 33));
    Command3 =
        makeButton(this, QStringLiteral("Command3"), tr("Ennätykset"), QRect(216, 256, 97, 33));
    Command3->setAccessibleName(Command3->text());
    Command3->setAccessibleDescription(tr("Näyttää parhaat tallennetut tulokset"));

    List1->setAccessibleName(tr("Saalis"));
    List1->setFocusPolicy(Qt::StrongFocus);
    Command1->setFocusPolicy(Qt::StrongFocus);
    Command2->setFocusPolicy(Qt::StrongFocus);
    Command3->setFocusPolicy(Qt::StrongFocus);
    setTabOrder(List1, Command1);
    setTabOrder(Command1, Command2);
    setTabOrder(Command2, Command3);
    List1->setFocus();

    connect(Command1, &QPushButton::clicked, this, &Loppu::on_Command1_clicked);
    connect(Command2, &QPushButton::clicked, this, &Loppu::on_Command2_clicked);
    connect(Command3, &QPushButton::clicked, this, &Loppu::on_Command3_clicked);
}

void Loppu::load() {
    // The results take the game screen's place.
    forms().unload(windowName::peli);

    // Summed wider than the table's 16-bit weights: a full catch can pass 32767 g.
    qint32 total = 0;
    const int rows = caughtRows(state_);
    for (int row = 1; row <= rows; ++row) {
        List1->addItem(catchLine(state_, row));
        total += cellWeight(state_.catch_table[row][2]);
    }
    tot->setText(QString::number(total) + QLatin1Char('g'));
    tot->setAccessibleName(tr("Yhteispaino %1 grammaa").arg(total));

    // Read as the window opens, so a record shows before it is saved; saving
    // it afterwards does not take the notice away.
    const bool record = beatsEverySaved(total, readResults(resultFolders(context().appPath)));
    ennatys->setVisible(record);
    setAccessibleDescription(record ? ennatys->text() : QString());
}

void Loppu::on_Command1_clicked() {
    forms().show(windowName::menu);
    forms().unload(windowName::loppu);
}

void Loppu::on_Command3_clicked() {
    // A fresh window, so that a result saved meanwhile is in it.
    forms().unload(windowName::ennatykset);
    forms().show(windowName::ennatykset);
}

void Loppu::on_Command2_clicked() {
    const QString name =
        context().dialogs.askText(this, QStringLiteral("Norppala"), tr("Kuka olet?"));
    if (name.isEmpty()) {
        return;
    }
    const ResultFolder folder = resultFolder(context().appPath, folderCheck_);
    if (folder.playersOwn && !QDir().mkpath(folder.path)) {
        context().dialogs.message(this, QStringLiteral("Norppala"),
                                  tr("Tulosta ei voitu tallentaa: kansiota %1 ei voi luoda.")
                                      .arg(QDir::toNativeSeparators(folder.path)));
        return;
    }
    if (const auto problem = saveResultFileIn(state_, folder.path, name, saveDevice_)) {
        context().dialogs.message(this, QStringLiteral("Norppala"), *problem);
    } else if (folder.playersOwn) {
        // An installed game's own folder is not the player's to write in.
        context().dialogs.message(
            this, QStringLiteral("Norppala"),
            tr("Pelin data-kansioon ei voi kirjoittaa, joten tulos tallennettiin "
               "omaan kansioosi:\n%1")
                .arg(QDir::toNativeSeparators(folder.path + QLatin1Char('/') + name +
                                              QStringLiteral(".kal"))));
    }
}

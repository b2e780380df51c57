#include "results/loppu.h"

#include "core/module1.h"
#include "core/recordsreader.h"
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
    // it afterwards does not take the notice away. Two places, as this
    // window's own file may be among them.
    total_ = total;
    reading_ = true;
    auto* reader = new RecordsReader(resultFolders(context().appPath), 2, this);
    connect(reader, &RecordsReader::finished, this, &Loppu::showRecord);
}

void Loppu::showRecord(const Records& saved) {
    reading_ = false;
    const QStringList folders = resultFolders(context().appPath);
    std::vector<SavedResult> others;
    for (const SavedResult& result : saved.best) {
        // The result of this very game, saved before the reading came to it.
        const bool ours = savedWhileReading_ && result.total == total_ &&
                          result.fish == caughtRows(state_) &&
                          folders.value(result.folder) == savedWhileReading_->first &&
                          result.fileName == savedWhileReading_->second;
        if (!ours) {
            others.push_back(result);
        }
    }
    const bool record = beatsEverySaved(total_, others);
    ennatys->setVisible(record);
    setAccessibleDescription(record ? ennatys->text() : QString());
    // The saved results are read once, as the window opens: after the news
    // that the game ended, a reader hears the total.
    context().announcer.say(this, [this, record] {
        const QString total = tr("Yhteispaino %1 grammaa").arg(total_);
        return record ? tr("%1. Uusi ennätys!").arg(total) : total + QLatin1Char('.');
    });
}

void Loppu::on_Command1_clicked() {
    emit closed();
}

void Loppu::on_Command3_clicked() {
    emit recordsRequested();
}

void Loppu::on_Command2_clicked() {
    const ResultFolder folder = resultFolder(context().appPath, folderCheck_);
    QString name;
    for (;;) {
        name = context().dialogs.askText(this, QStringLiteral("Norppala"), tr("Kuka olet?"));
        if (name.isEmpty()) {
            return;
        }
        // An earlier result under the name, perhaps a better one, is replaced
        // only when the player says so; otherwise the player names another.
        const auto earlier = refuseReason(name) ? std::nullopt : savedResultIn(folder.path, name);
        if (!earlier) {
            break;
        }
        const QString question =
            earlier->result
                ? tr("Nimellä \"%1\" on jo tallennettu tulos (%2 g). Korvataanko?")
                      .arg(name, QString::number(earlier->result->total))
                : tr("Nimellä \"%1\" on jo tallennettu tiedosto. Korvataanko?").arg(name);
        if (context().dialogs.askYesNo(this, QStringLiteral("Norppala"), question)) {
            break;
        }
    }
    if (folder.playersOwn && !QDir().mkpath(folder.path)) {
        context().dialogs.message(this, QStringLiteral("Norppala"),
                                  tr("Tulosta ei voitu tallentaa: kansiota %1 ei voi luoda.")
                                      .arg(QDir::toNativeSeparators(folder.path)));
        return;
    }
    if (const auto problem = saveResultFileIn(state_, folder.path, name, saveDevice_)) {
        context().dialogs.message(this, QStringLiteral("Norppala"), *problem);
        return;
    }
    if (reading_) {
        savedWhileReading_.emplace(folder.path, name + QStringLiteral(".kal"));
    }
    if (folder.playersOwn) {
        // An installed game's own folder is not the player's to write in.
        context().dialogs.message(
            this, QStringLiteral("Norppala"),
            tr("Pelin data-kansioon ei voi kirjoittaa, joten tulos tallennettiin "
               "omaan kansioosi:\n%1")
                .arg(QDir::toNativeSeparators(folder.path + QLatin1Char('/') + name +
                                              QStringLiteral(".kal"))));
    }
}

#include "menu/credits.h"

#include "platform/look.h"
#include "platform/windownames.h"

#include <QPushButton>

namespace {
Label* makeCredit(QWidget* parent, const QString& name, const QRect& box, const QString& text) {
    return new Label(parent, name, box, text, look::arial(9.75));
}
} // namespace

Credits::Credits(Forms& forms)
    : Form(forms, windowName::credits, tr("Norppala - Tekijät"), QSize(223, 241)) {
    Label1_0 = makeCredit(this, QStringLiteral("Label1_0"), QRect(16, 16, 177, 25),
                          tr("Grafiikka: Aino Lehtola"));
    Label2 = makeCredit(this, QStringLiteral("Label2"), QRect(16, 48, 177, 25),
                        tr("Musiikki: Veikko Harju"));
    Label3 = makeCredit(this, QStringLiteral("Label3"), QRect(16, 80, 177, 25),
                        tr("Testaaja: Oona Kivelä"));
    Line1 = new Line(this, QStringLiteral("Line1"), QPoint(0, 112), QPoint(224, 112), 1);
    Label4 = makeCredit(this, QStringLiteral("Label4"), QRect(8, 120, 177, 41),
                        tr("Pelin kotisivujen osoite:  http://norppala.example/"));
    Label1_1 = makeCredit(this, QStringLiteral("Label1_1"), QRect(8, 168, 177, 33),
                          tr("Sähköposti: tekijat@norppala.example"));

    Command1 = new QPushButton(tr("Pois"), this);
    Command1->setObjectName(QStringLiteral("Command1"));
    Command1->setGeometry(0, 216, 225, 25);
    Command1->setFont(look::systemFont(8.25));

    setEscapeButton(Command1);
    connect(Command1, &QPushButton::clicked, this, &Credits::on_Command1_clicked);
}

void Credits::on_Command1_clicked() {
    emit closed();
}

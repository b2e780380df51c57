#include "platform/dialogs.h"

#include <QCoreApplication>
#include <QInputDialog>
#include <QMessageBox>
#include <QPushButton>

QString QtDialogs::askText(QWidget* parent, const QString& caption, const QString& prompt) {
    QInputDialog dialog(parent);
    dialog.setObjectName(QStringLiteral("nimikysely"));
    dialog.setWindowTitle(caption);
    dialog.setLabelText(prompt);
    dialog.setTextValue(QString());
    dialog.setOkButtonText(QCoreApplication::translate("QtDialogs", "OK"));
    dialog.setCancelButtonText(QCoreApplication::translate("QtDialogs", "Peruuta"));
    if (dialog.exec() != QDialog::Accepted) {
        return QString();
    }
    return dialog.textValue();
}

void QtDialogs::message(QWidget* parent, const QString& caption, const QString& text) {
    QMessageBox box(QMessageBox::Warning, caption, text, QMessageBox::Ok, parent);
    box.setObjectName(QStringLiteral("viesti"));
    box.exec();
}

bool QtDialogs::askYesNo(QWidget* parent, const QString& caption, const QString& question) {
    QMessageBox box(QMessageBox::Question, caption, question, QMessageBox::NoButton, parent);
    box.setObjectName(QStringLiteral("kysymys"));
    QPushButton* yes =
        box.addButton(QCoreApplication::translate("QtDialogs", "Kyllä"), QMessageBox::YesRole);
    QPushButton* no =
        box.addButton(QCoreApplication::translate("QtDialogs", "Ei"), QMessageBox::NoRole);
    yes->setObjectName(QStringLiteral("kylla"));
    no->setObjectName(QStringLiteral("ei"));
    box.setDefaultButton(no);
    box.setEscapeButton(no);
    box.exec();
    return box.clickedButton() == yes;
}

#include "platform/dialogs.h"

#include "platform/form.h"

#include <QCoreApplication>
#include <QInputDialog>
#include <QMessageBox>
#include <QPushButton>

namespace {

// A question asked over a zoomed window is drawn as large as the window's texts.
void zoomLike(QWidget* dialog, QWidget* parent) {
    if (const auto* form = qobject_cast<const Form*>(parent ? parent->window() : nullptr)) {
        dialog->setFont(form->scaled(dialog->font()));
    }
}

} // namespace

QString QtDialogs::askText(QWidget* parent, const QString& caption, const QString& prompt) {
    QInputDialog dialog(parent);
    zoomLike(&dialog, parent);
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
    zoomLike(&box, parent);
    box.exec();
}

bool QtDialogs::askYesNo(QWidget* parent, const QString& caption, const QString& question) {
    QMessageBox box(QMessageBox::Question, caption, question, QMessageBox::NoButton, parent);
    box.setObjectName(QStringLiteral("kysymys"));
    zoomLike(&box, parent);
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

#include "platform/dialogs.h"

#include <QCoreApplication>
#include <QInputDialog>
#include <QMessageBox>

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

#pragma once

#include <QString>

class QWidget;

// The modal dialogs the game asks questions and reports problems with. Tests
// answer them from a script instead of a person.
class Dialogs {
public:
    virtual ~Dialogs() = default;
    // A text prompt with OK and Cancel; Cancel gives the empty text.
    virtual QString askText(QWidget* parent, const QString& caption, const QString& prompt) = 0;
    // A message the player acknowledges with OK.
    virtual void message(QWidget* parent, const QString& caption, const QString& text) = 0;
    // A question answered Yes or No; No is the default button, and closing the
    // dialog or Escape answers No.
    virtual bool askYesNo(QWidget* parent, const QString& caption, const QString& question) = 0;
};

class QtDialogs final : public Dialogs {
public:
    QString askText(QWidget* parent, const QString& caption, const QString& prompt) override;
    void message(QWidget* parent, const QString& caption, const QString& text) override;
    bool askYesNo(QWidget* parent, const QString& caption, const QString& question) override;
};

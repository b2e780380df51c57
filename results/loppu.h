#pragma once

#include "core/resultfile.h"
#include "platform/form.h"

#include <optional>
#include <utility>

class Label;
class QListWidget;
class QPushButton;
struct Module1;
struct Records;

// The results window: lists the catch of the game just ended with its total
// weight and saves it to a result file under the player's name; "OK" is done
// with it. A total above every saved one is announced as a new record; a
// screen reader hears the total, and whether it is one, as the window opens;
// "Ennätykset" asks for the records.
class Loppu : public Form {
    Q_OBJECT
public:
    Loppu(Forms& forms, Module1& state);

    // Where "Tallenna Tulos" writes through; the default is a plain QSaveFile.
    void setSaveDevice(SaveDeviceFactory device) { saveDevice_ = std::move(device); }
    // Whether a folder may be written to; the default asks the file system.
    void setFolderCheck(FolderCheck check) { folderCheck_ = std::move(check); }

signals:
    // "OK": the player is done with the results.
    void closed();
    void recordsRequested();

protected:
    void load() override;

private:
    void showRecord(const Records& saved);
    void on_Command1_clicked();
    void on_Command2_clicked();
    void on_Command3_clicked();

    Module1& state_;
    SaveDeviceFactory saveDevice_;
    FolderCheck folderCheck_;
    qint32 total_ = 0;
    // Saved here while the saved results were still being read, so perhaps
    // among them: folder and file name.
    std::optional<std::pair<QString, QString>> savedWhileReading_;
    bool reading_ = false;
    Label* Label1;
    QListWidget* List1;
    Label* Label2;
    Label* tot;
    Label* ennatys;
    QPushButton* Command1;
    QPushButton* Command2;
    QPushButton* Command3;
};

#pragma once

#include "platform/form.h"

#include <array>
#include <optional>

class FileListBox;
class Label;
class Line;
class QListWidgetItem;
class QPushButton;
struct Module1;

// The setup window: the player picks a lake map from the list, one of its
// three fishing spots on the overview picture, and starts the game.
class Aloita : public Form {
    Q_OBJECT
public:
    Aloita(Forms& forms, Module1& state);

    // The description file shown now, empty until one was loaded on this visit.
    QString loadedMap() const { return loadedMap_; }

signals:
    // "Aloita" with a map and a spot chosen and the spot's picture readable.
    void startRequested();

protected:
    void load() override;
    void activate() override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void on_File1_clicked(QListWidgetItem* item);
    // Loads the map of a description, or tells why it cannot be loaded.
    std::optional<QString> loadMap(const QString& fileName);
    // Frames the marker of the spot "Aloita" starts on.
    void frameChosenSpot();
    void on_paikka_clicked(int spot);
    void on_Command1_clicked();

    void listMaps();
    void refuse(const QString& text);
    QString mapsFolder() const;

    Module1& state_;
    Label* Label1;
    Label* viesti;
    FileListBox* File1;
    QPushButton* Command1;
    std::array<Label*, 3> paikka{};
    Line* Line1;
    Line* Line2;
    QString loadedMap_;
};

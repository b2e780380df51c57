#pragma once

#include "platform/form.h"

#include <array>

class Label;
class LabelTable;
class Line;
class QPushButton;
struct Records;

// The records: the ten best saved totals (name, grams, fish) and the biggest
// perch and pike ever saved. The result files are read each time it opens, off
// the window's thread: the window shows at once and fills in when they are read.
class Ennatykset : public Form {
    Q_OBJECT
public:
    static constexpr int kPlaces = 10;

    explicit Ennatykset(Forms& forms);

public slots:
    void on_Command1_clicked();

signals:
    // "Pois": the player is done with the window.
    void closed();

protected:
    void load() override;

private:
    struct Row {
        Label* sija;
        Label* nimi;
        Label* paino;
        Label* kaloja;
    };
    void fill(const Records& records);
    void showReading();

    Label* Label1;
    Label* otsikko_nimi;
    Label* otsikko_paino;
    Label* otsikko_kaloja;
    LabelTable* taulukko;
    std::array<Row, kPlaces> rivit;
    Label* tyhja;
    Line* Line1;
    Label* otsikko_ahven;
    Label* ahven;
    Label* otsikko_hauki;
    Label* hauki;
    Label* ohitetut;
    QPushButton* Command1;
};

#pragma once

#include <QString>
#include <QtGlobal>
#include <array>
#include <variant>

// A cell of the catch table: nothing yet (Empty), a species name, or a weight in grams.
using Cell = std::variant<std::monostate, QString, qint16>;

// The one record that every window shares, for the whole run. The setup
// screen writes the map and spot, a game writes its catch, and the results
// screen reads the catch. Everything starts zeroed and Empty.
struct Module1 {
    static constexpr int kRows = 20;

    qint16 fish_count = 0;
    // Rows 1..20, columns 1..2 (species, weight); index 0 of each is unused so
    // the table reads as the game counts.
    std::array<std::array<Cell, 3>, kRows + 1> catch_table{};
    qint16 spot_choice = 0;
    QString map_name;
    // The map description `map_name` was last loaded from, so that the setup
    // screen can show that map again when it next opens.
    QString map_file;

    // Empties the catch for a new game: no fish, every cell the empty text.
    void clearCatch();
};

// A catch line: "hauki = 1234g".
QString catchLine(const QString& species, int weight);
// The catch line of row `row` (1-based) of the table.
QString catchLine(const Module1& state, int row);
// The weight in grams held by a cell; 0 for a cell with no number.
int cellWeight(const Cell& cell);
QString cellText(const Cell& cell);

#include "core/module1.h"

void Module1::clearCatch() {
    fish_count = 0;
    for (int row = 1; row <= kRows; ++row) {
        catch_table[row][1] = QString();
        catch_table[row][2] = QString();
    }
}

QString catchLine(const QString& species, int weight) {
    return species + QStringLiteral(" = ") + QString::number(weight) + QLatin1Char('g');
}

QString catchLine(const Module1& state, int row) {
    return catchLine(cellText(state.catch_table[row][1]), cellWeight(state.catch_table[row][2]));
}

int cellWeight(const Cell& cell) {
    if (const auto* weight = std::get_if<qint16>(&cell)) {
        return *weight;
    }
    if (const auto* text = std::get_if<QString>(&cell)) {
        return text->toInt();
    }
    return 0;
}

QString cellText(const Cell& cell) {
    if (const auto* text = std::get_if<QString>(&cell)) {
        return *text;
    }
    if (const auto* weight = std::get_if<qint16>(&cell)) {
        return QString::number(*weight);
    }
    return QString();
}

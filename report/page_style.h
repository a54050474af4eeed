// What every page of a report shares, the survey's and the history's
// alike, so that they look like one document: the table rules, the shade
// of a table's title row and the gap between blocks.
#pragma once

#include <QColor>

inline constexpr double millimetres_per_inch = 25.4;
inline constexpr double gap_mm = 4.0;
inline constexpr double rule_width_mm = 0.2;
inline const QColor rule_colour(0x80, 0x80, 0x80);
inline const QColor title_row_colour(0xE8, 0xE8, 0xE8);

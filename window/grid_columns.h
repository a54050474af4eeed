// The columns of the survey grid on "Tabela": address, remarks, the
// contamination cell, the detector's six words (service view only), then the
// comparison with an earlier report (shown once one is loaded).
#pragma once

namespace grid_column {

inline constexpr int address = 0;
inline constexpr int contamination = 2;
inline constexpr int first_word = 3;
inline constexpr int first_comparison = 9;
inline constexpr int comparison_count = 4;
inline constexpr int count = first_comparison + comparison_count;

} // namespace grid_column

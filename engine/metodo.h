#pragma once
// The method code of an analysis: one unsigned byte, as the window keeps it in FMetodo.

#include <cstdint>

namespace velmo {

inline constexpr uint8_t mtNenhum = 0;            // nothing chosen
inline constexpr uint8_t mtAreaFoliar = 1;        // leaf area, measured by TAreaFoliar
inline constexpr uint8_t mtIndiceAreaFoliar = 2;  // leaf area index, measured by TAreaFoliar
inline constexpr uint8_t mtOlhoDeLombo = 3;       // loin-eye area, TProcessaOlhoDeLombro

}  // namespace velmo

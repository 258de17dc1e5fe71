#pragma once
// Colours the engine compares and paints, and the unit conversions every shown area goes through.

#include <cstdint>

#include "bmp.h"

namespace velmo {

// Colour values 0x00BBGGRR, always compared exactly.
inline constexpr uint32_t clWhite = 0xFFFFFF;  // background and erased pixels
inline constexpr uint32_t clRed = 0x0000FF;    // filled gaps; traced outline pixels
inline constexpr uint32_t clGreen = 0x008000;  // background reached from a region's border

// Resolution in dots per inch from the file's signed biXPelsPerMeter: the integer nearest to
// v / 39.370079, halves to even. 0 for a picture without the field.
int32_t LerResolucao(const ImagemBmp& imagem);

// Length in centimetres of `pixels` at `resolucao` dpi; 0.0 when the resolution is 0 or negative.
double PixelsParaCm(int32_t pixels, int32_t resolucao);

// Cuts `valor` toward zero after `n` decimals of its 15-significant-digit decimal expansion.
// The result does not depend on the locale's decimal separator.
double TruncarCasas(uint8_t n, double valor);

}  // namespace velmo

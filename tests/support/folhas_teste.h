#pragma once
// Two leaf scans whose figures and summary blocks were worked out by hand, shared by the summary
// tests and the batch tool's tests so both check the same text.

#include <cstdint>
#include <string>
#include <vector>

#include "bmp_teste.h"

namespace velmo::teste {

// 100 × 100 at 254 dpi (1 cm²): 40 black rows (4000 pixels) and one row with black at columns 0
// and 11, whose 10 whites between are filled. Covered 4012 px, corrected 10 px, ignored 5988 px.
inline constexpr int32_t kPpmFolhaPequena = 10000;
inline Pixels FolhaPequena() {
  Pixels p(100, std::vector<uint32_t>(100, 0xFFFFFFu));
  for (int y = 0; y < 40; ++y) {
    p[size_t(y)].assign(100, 0);
  }
  p[50][0] = 0;
  p[50][11] = 0;
  return p;
}

// 40 × 30 black at 1 dpi: 1200 px × 6.4516 = 7741.92 cm², all covered.
inline constexpr int32_t kPpmFolhaGrande = 39;
inline Pixels FolhaGrande() {
  return Pixels(30, std::vector<uint32_t>(40, 0));
}

// Their blocks of the summary with Brazilian separators.
inline std::string BlocoFolhaPequena(const std::string& caminho) {
  return "# Imagem: " + caminho +
         "\n"
         "  - Resolução...........: 254\n"
         "  - Área total (cm²)....: 1,0000\n"
         "  - Área ignorada (cm²).: 0,5988\n"
         "  - Área corrigida (cm²): 0,0010\n"
         "  - Área coberta (cm²)..: 0,4012\n"
         "\n";
}

inline std::string BlocoFolhaGrande(const std::string& caminho) {
  return "# Imagem: " + caminho +
         "\n"
         "  - Resolução...........: 1\n"
         "  - Área total (cm²)....: 7.741,9200\n"
         "  - Área ignorada (cm²).: 0,0000\n"
         "  - Área corrigida (cm²): 0,0000\n"
         "  - Área coberta (cm²)..: 7.741,9200\n"
         "\n";
}

}  // namespace velmo::teste

#pragma once
// Leaf-area measurement of one scan: every pixel that is not exactly white is leaf; white runs of
// 1 to 20 pixels between leaf pixels of a row count as leaf too (the corrected area).
// All the work happens in the constructor; the object keeps its figures, not the picture.

#include <cstdint>
#include <string>

#include "progresso.h"

namespace velmo {

struct LinhaBmp;

class TAreaFoliar {
 public:
  // Loads and measures `Arquivo`. Throws the loader's errors (ErroArquivo, ErroBitmapInvalido,
  // ErroBitmapNaoSuportado) and ErroMedicao for a picture of 0 rows or 0 columns.
  // `Progresso` may be null; it belongs to the caller.
  TAreaFoliar(const std::string& Arquivo, Progresso* Progresso);

  const std::string& GetArquivo() const { return FArquivo; }
  int32_t GetResolucao() const { return FResolucao; }
  // Areas in cm², cut to four decimals.
  double GetAreaTotal() const;
  double GetAreaCoberta() const;
  double GetAreaIgnorada() const;
  double GetAreaCorrigida() const;

 private:
  // First pass over one row: its white gaps of 1 to 20 pixels become leaf; returns how many
  // pixels that fills and adds to `brancos` the white pixels the row keeps after filling. Rows
  // are independent, so nothing of the picture is written or kept.
  static int64_t PreencherFalhas(const LinhaBmp& linha, int32_t largura, int64_t& brancos);
  // The second pass's progress, then the three percentages. Throws ErroMedicao for a picture
  // without pixels.
  void CalcularPercentuais(int32_t largura, int32_t altura, int64_t preenchidos, int64_t brancos);

  Progresso* FProgresso;
  int32_t FResolucao = 0;
  std::string FArquivo;
  double FAreaTotal = 0;
  double FPercCoberta = 0;
  double FPercIgnorada = 0;
  double FPercCorrigida = 0;
};

}  // namespace velmo

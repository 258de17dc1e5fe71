#pragma once
// Loin-eye segmentation of one scan: one region per traced outline; regions of at least 1 cm²
// count as animals. Public contract only; the internal steps are declared with the class.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "progresso.h"

namespace velmo {

class TProcessaOlhoDeLombro {
 public:
  // Loads `Arquivo` and reads its resolution; measures nothing yet. Throws the loader's errors
  // before touching `Progresso` (which may be null and belongs to the caller).
  TProcessaOlhoDeLombro(const std::string& Arquivo, Progresso* Progresso);
  ~TProcessaOlhoDeLombro();

  // Splits the picture into regions. A second call finds nothing more.
  void Processar();

  const std::string& GetArquivo() const;
  int32_t GetResolucao() const;
  int32_t GetNumeroRegioes() const;       // counted regions (area >= 1 cm²)
  double GetAreaTotal() const;            // sum of the counted regions' areas, cm²
  double GetAreaRegiao(int32_t N) const;  // area of the N-th counted region (from 1), or 0
};

}  // namespace velmo

#pragma once
// The command line of velmo-medir: its options, the usage text and the number format of the
// environment's locale. Errors in the command line are ErroUso, whose text is printed as it stands.

#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "resumo.h"

namespace velmo {

class ErroUso : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

struct Opcoes {
  bool Ajuda = false;
  bool Versao = false;
  uint8_t Metodo = 0;
  double AreaAmostrada = 0;
  std::optional<std::string> Csv;  // "-" for the standard output
  unsigned Tarefas = 1;
  std::vector<std::string> Caminhos;
};

extern const char* const kUso;

// The separators of the locale the environment names (LC_ALL, then LC_NUMERIC, then LANG); those
// of "C" (".", none) when it names no installed locale. The numeric category is set back to "C"
// afterwards, so nothing else formats by the locale.
FormatoNumero FormatoDoAmbiente();

// A number as the method page reads its area box: digits with at most one `decimal` separator;
// any other text, the empty one included, reads as 0.
double LerNumero(const std::string& texto, const std::string& decimal);

// Reads and checks `argumentos` (without the program name). With --ajuda or --versao nothing
// else is checked. `Tarefas` defaults to `processadores`. Throws ErroUso.
Opcoes LerOpcoes(const std::vector<std::string>& argumentos, const std::string& decimal,
                 unsigned processadores);

}  // namespace velmo

#pragma once
// The result summary of a processing run: one block of lines per measured image, in list order,
// then the totals of the method. The window and velmo-medir build it with the same code and pass
// the separators of their locale. Values are in the pattern "#,##0.0000"; texts are UTF-8.

#include <cstdint>
#include <string>
#include <vector>

namespace velmo {

class TAreaFoliar;
class TProcessaOlhoDeLombro;

// The user's separators, as UTF-8 texts (the window takes them from QLocale, the batch tool from
// localeconv). `milhar` may be empty: the digits are then not grouped.
struct FormatoNumero {
  std::string decimal = ",";
  std::string milhar = ".";
};

// "#,##0.0000": at least one integer digit, integer digits grouped by three, four decimals; the
// value is first taken to 15 significant digits and then to the nearest 0.0001, halves away from
// zero, so a value that prints as 0.00005 rounds up as the user reads it. A value that rounds to
// zero prints without a sign. Infinities and NaN print as "INF", "-INF" and "NAN".
std::string FormatarNumero(double valor, const FormatoNumero& formato);

// The figures of one leaf measurement that the summary and the batch's CSV show, copied out of
// the object so that a long batch need not keep the objects.
struct TFigurasAreaFoliar {
  std::string Arquivo;
  int32_t Resolucao = 0;
  double AreaTotal = 0;
  double AreaIgnorada = 0;
  double AreaCorrigida = 0;
  double AreaCoberta = 0;
};
TFigurasAreaFoliar Figuras(const TAreaFoliar& Area);

// The same for a processed loin-eye measurement: `Regioes` holds the areas of the counted
// regions in the engine's order, `AreaTotal` its GetAreaTotal.
struct TFigurasOlhoDeLombo {
  std::string Arquivo;
  int32_t Resolucao = 0;
  double AreaTotal = 0;
  std::vector<double> Regioes;
};
TFigurasOlhoDeLombo Figuras(const TProcessaOlhoDeLombro& Olho);

// Builds the summary image by image. The caller feeds each measured image as soon as it has its
// figures; `Concluir` appends the totals and gives the text to store. The builder keeps only its
// lines and sums, never the measurement objects, and takes either the objects or their figures.
class TResumo {
 public:
  // Throws std::invalid_argument for a method code other than 1, 2 or 3.
  TResumo(uint8_t Metodo, double AreaAmostrada, FormatoNumero Formato);

  // Appends the image's block and adds it to the totals. Throws std::invalid_argument when the
  // object does not match the method (a leaf measurement under method 3 or the reverse).
  void Adicionar(const TAreaFoliar& Area);
  void Adicionar(const TFigurasAreaFoliar& Area);
  // `Olho` must have been processed.
  void Adicionar(const TProcessaOlhoDeLombro& Olho);
  void Adicionar(const TFigurasOlhoDeLombo& Olho);

  // The lines so far, one entry per line; after `Concluir`, the totals block too.
  const std::vector<std::string>& Linhas() const { return FLinhas; }

  // Appends the totals block (once; later calls give the same text) and returns the lines joined
  // by "\n", with leading and trailing blanks and control characters removed: the text ends with
  // the last totals line, without a line break.
  std::string Concluir();

 private:
  std::string Numero(double valor) const;

  uint8_t FMetodo;
  double FAreaAmostrada;
  FormatoNumero FFormato;
  double FSomaAreas = 0;
  int32_t FNumeroAnimais = 0;
  bool FConcluido = false;
  std::vector<std::string> FLinhas;
};

// The whole summary at once: `Areas` for methods 1 and 2, `Olhos` (processed) for method 3, each in
// image order; the list the method does not use must be empty.
std::string MontarResumo(uint8_t Metodo, double AreaAmostrada,
                         const std::vector<const TAreaFoliar*>& Areas,
                         const std::vector<const TProcessaOlhoDeLombro*>& Olhos,
                         const FormatoNumero& Formato);

// Removes every byte up to and including the space (blanks and control characters) from both
// ends; bytes of UTF-8 letters are above it and stay.
std::string Aparar(const std::string& texto);

}  // namespace velmo

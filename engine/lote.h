#pragma once
// The batch core of velmo-medir: builds the image list from files and folders, measures the list
// with several threads while keeping list order, and writes the results as the summary text or
// as CSV. Everything the tool prints comes from here; the tool itself only reads its options.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "resumo.h"

namespace velmo {

// One image of a batch: the figures of its measurement, or the warning that skipped it. Only the
// figures are kept, so the memory of a batch does not grow with what a measurement object holds.
struct TImagemLote {
  std::string Caminho;
  std::optional<TFigurasAreaFoliar> AreaFoliar;    // methods 1 and 2, when measured
  std::optional<TFigurasOlhoDeLombo> OlhoDeLombo;  // method 3, when measured
  std::string Aviso;                               // why it was skipped; empty when measured

  bool Medida() const { return AreaFoliar || OlhoDeLombo; }
};

// The window's warning for a file that does not load as a bitmap.
std::string AvisoArquivoInvalido(const std::string& Caminho);

// The list of `Caminhos` by the selection page's rules: a folder adds its BMP entries (see
// BuscarImagensNaPasta), anything else is added as the path given; repeats go in once. A folder
// that cannot be read adds nothing and leaves its message in `Avisos`. Trailing "/" of a folder
// argument are dropped first ("fotos/" lists "fotos/a.bmp"), except for the root itself.
std::vector<std::string> MontarListaLote(const std::vector<std::string>& Caminhos,
                                         std::vector<std::string>& Avisos);

// Measures each of `Imagens` with the class of `Metodo` (1, 2 or 3), up to `Tarefas` images at
// once, and returns one entry per image in list order, whatever `Tarefas` is. An image that fails
// to load gets AvisoArquivoInvalido; one whose measurement fails after loading gets the error's
// text. Throws std::invalid_argument for another method code.
std::vector<TImagemLote> MedirLote(const std::vector<std::string>& Imagens, uint8_t Metodo,
                                   unsigned Tarefas);

// The summary text of the measured images (TResumo), without a final line break.
std::string ResumoDoLote(const std::vector<TImagemLote>& Itens, uint8_t Metodo,
                         double AreaAmostrada, const FormatoNumero& Formato);

// CSV (RFC 4180, lines ended by CR LF) of the measured images, with a header line. Methods 1 and
// 2: one row per image (path, resolution, total, ignored, corrected and covered areas); method 3:
// one row per counted region (path, resolution, region number from 1, area). Values have four
// decimals with `Decimal` and no grouping; fields are separated by ";" when `Decimal` is a comma,
// by "," otherwise, and quoted when they hold the separator, a quote or a line break.
std::string CsvDoLote(const std::vector<TImagemLote>& Itens, uint8_t Metodo,
                      const std::string& Decimal);

}  // namespace velmo

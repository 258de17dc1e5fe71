#include "cmdContagem.h"

#include <charconv>
#include <cmath>
#include <string>

namespace velmo {

int32_t LerResolucao(const ImagemBmp& imagem) {
  // 39.370079, not the exact 39.3700787…: the usual scanner fields (2835, 3780, 11811, 23622,
  // 47244, 94488) then come out as whole dpi. nearbyint rounds halves to even.
  return int32_t(std::nearbyint(double(imagem.PixelsPorMetroX()) / 39.370079));
}

double PixelsParaCm(int32_t pixels, int32_t resolucao) {
  if (resolucao <= 0) {
    return 0.0;
  }
  return double(pixels) / (double(resolucao) / 2.54);
}

double TruncarCasas(uint8_t n, double valor) {
  if (!std::isfinite(valor)) {
    return valor;
  }
  // 15 significant digits first, so a double a hair away from a short decimal gives that decimal
  // (0.1 + 0.2 gives 0.3). The cut is made on the plain decimal numeral, which never depends on
  // the locale's separator: only the separator's character would differ.
  char cientifico[40];
  const auto escrito = std::to_chars(cientifico, cientifico + sizeof cientifico, valor,
                                     std::chars_format::scientific, 14);
  const std::string texto(cientifico, escrito.ptr);
  const size_t posE = texto.find('e');
  const bool negativo = texto[0] == '-';
  std::string digitos;
  for (size_t i = negativo ? 1 : 0; i < posE; ++i) {
    if (texto[i] != '.') {
      digitos += texto[i];
    }
  }
  const int expoente = std::stoi(texto.substr(posE + 1));

  std::string inteiros;
  std::string fracao;
  if (expoente >= 0) {
    const size_t nInteiros = size_t(expoente) + 1;
    if (nInteiros >= digitos.size()) {
      inteiros = digitos + std::string(nInteiros - digitos.size(), '0');
    } else {
      inteiros = digitos.substr(0, nInteiros);
      fracao = digitos.substr(nInteiros);
    }
  } else {
    inteiros = "0";
    fracao = std::string(size_t(-expoente) - 1, '0') + digitos;
  }
  if (fracao.size() > n) {
    fracao.resize(n);
  }
  std::string cortado = (negativo ? "-" : "") + inteiros;
  if (!fracao.empty()) {
    cortado += "." + fracao;
  }
  double resultado = valor;
  const auto [fim, erro] =
      std::from_chars(cortado.data(), cortado.data() + cortado.size(), resultado);
  if (erro != std::errc() || fim != cortado.data() + cortado.size()) {
    return valor;
  }
  // A cut of a small negative value reads back as -0; areas show it as 0.
  return resultado == 0.0 ? 0.0 : resultado;
}

}  // namespace velmo

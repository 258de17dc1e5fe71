#include "resumo.h"

#include <charconv>
#include <cmath>
#include <stdexcept>
#include <utility>

#include "AreaFoliar.h"
#include "OlhoDeLombo.h"
#include "metodo.h"

namespace velmo {

namespace {

// Every item line starts with two spaces, a hyphen, a space, the label padded with dots and ": ",
// 26 characters in all, so the values line up in column 27.
const char* const kImagem = "# Imagem: ";
const char* const kResolucao = "  - Resolução...........: ";
const char* const kAreaTotal = "  - Área total (cm²)....: ";
const char* const kAreaIgnorada = "  - Área ignorada (cm²).: ";
const char* const kAreaCorrigida = "  - Área corrigida (cm²): ";
const char* const kAreaCoberta = "  - Área coberta (cm²)..: ";
const char* const kNumeroImagens = "  - Número de Imagens...: ";
const char* const kTotalizadores = "# TOTALIZADORES:";
const char* const kAreaFoliar = "  - Área foliar (cm²)...: ";
const char* const kAreaAmostrada = "  - Área amostrada (cm²): ";
const char* const kIaf = "  - I.A.F...............: ";
const char* const kNumeroAnimais = "  - Número de animais...: ";
const char* const kAolTotal = "  - A.O.L. total........: ";
const char* const kAolMedia = "  - A.O.L. média........: ";
const char* const kErro = "ERRO!";

// Adds one to the decimal digits in `digitos`, carrying to the left; a carry out of the first
// digit prepends a "1".
void SomarUm(std::string& digitos) {
  for (size_t i = digitos.size(); i-- > 0;) {
    if (digitos[i] != '9') {
      ++digitos[i];
      return;
    }
    digitos[i] = '0';
  }
  digitos.insert(digitos.begin(), '1');
}

}  // namespace

TFigurasAreaFoliar Figuras(const TAreaFoliar& Area) {
  return {Area.GetArquivo(),      Area.GetResolucao(),     Area.GetAreaTotal(),
          Area.GetAreaIgnorada(), Area.GetAreaCorrigida(), Area.GetAreaCoberta()};
}

TFigurasOlhoDeLombo Figuras(const TProcessaOlhoDeLombro& Olho) {
  TFigurasOlhoDeLombo f{Olho.GetArquivo(), Olho.GetResolucao(), Olho.GetAreaTotal(), {}};
  for (int32_t n = 1; n <= Olho.GetNumeroRegioes(); ++n) {
    f.Regioes.push_back(Olho.GetAreaRegiao(n));
  }
  return f;
}

std::string FormatarNumero(double valor, const FormatoNumero& formato) {
  if (std::isnan(valor)) {
    return "NAN";
  }
  if (std::isinf(valor)) {
    return valor < 0 ? "-INF" : "INF";
  }
  // 15 significant digits as d.dddddddddddddde±x; the rounding works on those decimal digits.
  char cientifico[40];
  const auto escrito = std::to_chars(cientifico, cientifico + sizeof cientifico, std::fabs(valor),
                                     std::chars_format::scientific, 14);
  const std::string texto(cientifico, escrito.ptr);
  const size_t posE = texto.find('e');
  std::string mantissa;
  for (size_t i = 0; i < posE; ++i) {
    if (texto[i] != '.') {
      mantissa += texto[i];
    }
  }
  const int expoente = std::stoi(texto.substr(posE + 1));

  // All digits from the units on, as one integer numeral with a fixed point before the last
  // `casas` of them; then cut to four decimals, rounding on the fifth.
  std::string digitos;
  size_t casas;
  if (expoente >= 0) {
    const size_t inteiros = size_t(expoente) + 1;
    if (mantissa.size() <= inteiros) {
      digitos = mantissa + std::string(inteiros - mantissa.size(), '0');
      casas = 0;
    } else {
      digitos = mantissa;
      casas = mantissa.size() - inteiros;
    }
  } else {
    digitos = "0" + std::string(size_t(-expoente) - 1, '0') + mantissa;
    casas = digitos.size() - 1;
  }
  if (casas < 4) {
    digitos += std::string(4 - casas, '0');
  } else if (casas > 4) {
    const bool arredondaParaCima = digitos[digitos.size() - (casas - 4)] >= '5';
    digitos.resize(digitos.size() - (casas - 4));
    if (arredondaParaCima) {
      SomarUm(digitos);
    }
  }
  std::string inteiros = digitos.substr(0, digitos.size() - 4);
  const std::string decimais = digitos.substr(digitos.size() - 4);
  const size_t zeros = inteiros.find_first_not_of('0');
  inteiros = zeros == std::string::npos ? "0" : inteiros.substr(zeros);

  std::string resultado;
  if (valor < 0 && (inteiros != "0" || decimais != "0000")) {
    resultado = "-";
  }
  for (size_t i = 0; i < inteiros.size(); ++i) {
    if (i > 0 && (inteiros.size() - i) % 3 == 0) {
      resultado += formato.milhar;
    }
    resultado += inteiros[i];
  }
  return resultado + formato.decimal + decimais;
}

TResumo::TResumo(uint8_t Metodo, double AreaAmostrada, FormatoNumero Formato)
    : FMetodo(Metodo), FAreaAmostrada(AreaAmostrada), FFormato(std::move(Formato)) {
  if (Metodo != mtAreaFoliar && Metodo != mtIndiceAreaFoliar && Metodo != mtOlhoDeLombo) {
    throw std::invalid_argument("resumo: método de medição inválido: " + std::to_string(Metodo));
  }
}

std::string TResumo::Numero(double valor) const {
  return FormatarNumero(valor, FFormato);
}

void TResumo::Adicionar(const TAreaFoliar& Area) {
  Adicionar(Figuras(Area));
}

void TResumo::Adicionar(const TFigurasAreaFoliar& Area) {
  if (FMetodo == mtOlhoDeLombo || FConcluido) {
    throw std::invalid_argument("resumo: medição de área foliar fora de lugar: " + Area.Arquivo);
  }
  FSomaAreas += Area.AreaCoberta;
  FLinhas.push_back(kImagem + Area.Arquivo);
  FLinhas.push_back(kResolucao + std::to_string(Area.Resolucao));
  FLinhas.push_back(kAreaTotal + Numero(Area.AreaTotal));
  FLinhas.push_back(kAreaIgnorada + Numero(Area.AreaIgnorada));
  FLinhas.push_back(kAreaCorrigida + Numero(Area.AreaCorrigida));
  FLinhas.push_back(kAreaCoberta + Numero(Area.AreaCoberta));
  FLinhas.emplace_back();
}

void TResumo::Adicionar(const TProcessaOlhoDeLombro& Olho) {
  Adicionar(Figuras(Olho));
}

void TResumo::Adicionar(const TFigurasOlhoDeLombo& Olho) {
  if (FMetodo != mtOlhoDeLombo || FConcluido) {
    throw std::invalid_argument("resumo: medição de olho de lombo fora de lugar: " + Olho.Arquivo);
  }
  const int32_t regioes = int32_t(Olho.Regioes.size());
  FNumeroAnimais += regioes;
  FSomaAreas += Olho.AreaTotal;
  FLinhas.push_back(kImagem + Olho.Arquivo);
  FLinhas.push_back(kResolucao + std::to_string(Olho.Resolucao));
  FLinhas.push_back(kNumeroImagens + std::to_string(regioes));
  FLinhas.push_back(kAreaTotal + Numero(Olho.AreaTotal));
  FLinhas.emplace_back();
}

std::string TResumo::Concluir() {
  if (!FConcluido) {
    FConcluido = true;
    FLinhas.push_back(kTotalizadores);
    if (FMetodo == mtOlhoDeLombo) {
      // The count of animals is shown in the number format, with four decimals.
      FLinhas.push_back(kNumeroAnimais + Numero(FNumeroAnimais));
      FLinhas.push_back(kAolTotal + Numero(FSomaAreas));
      FLinhas.push_back(kAolMedia +
                        (FNumeroAnimais >= 1 ? Numero(FSomaAreas / FNumeroAnimais) : kErro));
    } else {
      FLinhas.push_back(kAreaFoliar + Numero(FSomaAreas));
      if (FMetodo == mtIndiceAreaFoliar) {
        FLinhas.push_back(kAreaAmostrada + Numero(FAreaAmostrada));
        FLinhas.push_back(kIaf +
                          (FAreaAmostrada > 0 ? Numero(FSomaAreas / FAreaAmostrada) : kErro));
      }
    }
  }
  std::string texto;
  for (size_t i = 0; i < FLinhas.size(); ++i) {
    if (i > 0) {
      texto += '\n';
    }
    texto += FLinhas[i];
  }
  return Aparar(texto);
}

std::string MontarResumo(uint8_t Metodo, double AreaAmostrada,
                         const std::vector<const TAreaFoliar*>& Areas,
                         const std::vector<const TProcessaOlhoDeLombro*>& Olhos,
                         const FormatoNumero& Formato) {
  TResumo resumo(Metodo, AreaAmostrada, Formato);
  for (const TAreaFoliar* area : Areas) {
    resumo.Adicionar(*area);
  }
  for (const TProcessaOlhoDeLombro* olho : Olhos) {
    resumo.Adicionar(*olho);
  }
  return resumo.Concluir();
}

std::string Aparar(const std::string& texto) {
  const auto branco = [](char c) { return static_cast<unsigned char>(c) <= ' '; };
  size_t inicio = 0;
  size_t fim = texto.size();
  while (inicio < fim && branco(texto[inicio])) {
    ++inicio;
  }
  while (fim > inicio && branco(texto[fim - 1])) {
    --fim;
  }
  return texto.substr(inicio, fim - inicio);
}

}  // namespace velmo

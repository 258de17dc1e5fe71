#include "opcoes.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <clocale>

#include "metodo.h"

namespace velmo {

const char* const kUso =
    "Uso: velmo-medir --metodo N [--area-amostrada AREA] [--csv ARQUIVO] [--tarefas T] [--] "
    "CAMINHO...\n"
    "\n"
    "Mede imagens BMP e escreve na saída padrão o resumo do resultado, como a página de\n"
    "resultado do VELMO - Arvelim o mostra.\n"
    "\n"
    "  --metodo N             1 ou af: área foliar; 2 ou iaf: índice de área foliar;\n"
    "                         3 ou aol: área de olho de lombo\n"
    "  --area-amostrada AREA  área amostrada em cm², com o separador decimal do locale;\n"
    "                         obrigatória e maior que 0 no método 2\n"
    "  --csv ARQUIVO          grava também os números em CSV (UTF-8); com \"-\", escreve o CSV\n"
    "                         na saída padrão no lugar do resumo\n"
    "  --tarefas T            mede até T imagens ao mesmo tempo (padrão: o número de\n"
    "                         processadores); a saída é a mesma para qualquer T\n"
    "  --ajuda                mostra esta ajuda\n"
    "  --versao               mostra a versão\n"
    "\n"
    "Cada CAMINHO é um arquivo BMP ou uma pasta. De uma pasta entram, em ordem de nome, as\n"
    "entradas terminadas em .bmp (em qualquer caixa), sem entrar nas subpastas. Um caminho já\n"
    "listado não entra de novo. Os números seguem o locale do ambiente (LC_ALL, LC_NUMERIC, "
    "LANG).\n"
    "\n"
    "Saída: 0 quando todas as imagens foram medidas, 1 quando alguma foi ignorada (o aviso vai\n"
    "para a saída de erros), 2 para erro de uso ou quando o CSV não pode ser gravado.\n";

namespace {

// The sampled area's warning of the method page.
const char* const kAvisoArea =
    "Para calcular o Índice de Área Folhada, deve-se informar um valor válido para a área "
    "amostrada em cm²!";

constexpr unsigned kMaxTarefas = 1024;

uint8_t LerMetodo(const std::string& texto) {
  std::string t = texto;
  std::transform(t.begin(), t.end(), t.begin(),
                 [](unsigned char c) { return char(std::tolower(c)); });
  if (t == "1" || t == "af") {
    return mtAreaFoliar;
  }
  if (t == "2" || t == "iaf") {
    return mtIndiceAreaFoliar;
  }
  if (t == "3" || t == "aol") {
    return mtOlhoDeLombo;
  }
  throw ErroUso("velmo-medir: método inválido: \"" + texto + "\" (use 1, 2, 3, af, iaf ou aol).");
}

unsigned LerTarefas(const std::string& texto) {
  unsigned valor = 0;
  const auto [fim, erro] = std::from_chars(texto.data(), texto.data() + texto.size(), valor);
  if (texto.empty() || erro != std::errc() || fim != texto.data() + texto.size() || valor < 1 ||
      valor > kMaxTarefas) {
    throw ErroUso("velmo-medir: número de tarefas inválido: \"" + texto +
                  "\" (use um inteiro de 1 a " + std::to_string(kMaxTarefas) + ").");
  }
  return valor;
}

}  // namespace

FormatoNumero FormatoDoAmbiente() {
  // Only the numeric category: a wrong name in another category (LANG=xx) must not cost the
  // user the separators that LC_NUMERIC names.
  FormatoNumero formato{".", ""};
  if (std::setlocale(LC_NUMERIC, "")) {
    const std::lconv* lc = std::localeconv();
    if (lc->decimal_point && *lc->decimal_point) {
      formato.decimal = lc->decimal_point;
    }
    formato.milhar = lc->thousands_sep ? lc->thousands_sep : "";
  }
  std::setlocale(LC_NUMERIC, "C");
  return formato;
}

double LerNumero(const std::string& texto, const std::string& decimal) {
  std::string numeral;
  bool temDigito = false;
  bool temSeparador = false;
  for (size_t i = 0; i < texto.size();) {
    if (texto[i] >= '0' && texto[i] <= '9') {
      numeral += texto[i++];
      temDigito = true;
    } else if (!temSeparador && !decimal.empty() &&
               texto.compare(i, decimal.size(), decimal) == 0) {
      numeral += '.';
      i += decimal.size();
      temSeparador = true;
    } else {
      return 0;
    }
  }
  if (!temDigito) {
    return 0;
  }
  if (numeral.front() == '.') {
    numeral.insert(numeral.begin(), '0');
  }
  double valor = 0;
  const auto [fim, erro] = std::from_chars(numeral.data(), numeral.data() + numeral.size(), valor);
  return erro == std::errc() && fim == numeral.data() + numeral.size() ? valor : 0;
}

Opcoes LerOpcoes(const std::vector<std::string>& argumentos, const std::string& decimal,
                 unsigned processadores) {
  Opcoes op;
  op.Tarefas = std::clamp(processadores, 1u, kMaxTarefas);
  std::optional<std::string> metodo;
  std::optional<std::string> area;
  bool soCaminhos = false;
  for (size_t i = 0; i < argumentos.size(); ++i) {
    const std::string& arg = argumentos[i];
    if (soCaminhos || arg.size() < 2 || arg[0] != '-') {
      op.Caminhos.push_back(arg);
      continue;
    }
    if (arg == "--") {
      soCaminhos = true;
      continue;
    }
    if (arg == "--ajuda") {
      op.Ajuda = true;
      continue;
    }
    if (arg == "--versao") {
      op.Versao = true;
      continue;
    }
    // Options with a value take it as the next argument or after "=".
    const size_t igual = arg.find('=');
    const std::string nome = arg.substr(0, igual);
    if (nome != "--metodo" && nome != "--area-amostrada" && nome != "--csv" &&
        nome != "--tarefas") {
      throw ErroUso("velmo-medir: opção desconhecida: \"" + arg + "\".");
    }
    std::string valor;
    if (igual != std::string::npos) {
      valor = arg.substr(igual + 1);
    } else if (i + 1 < argumentos.size()) {
      valor = argumentos[++i];
    } else {
      throw ErroUso("velmo-medir: falta o valor da opção " + nome + ".");
    }
    if (nome == "--metodo") {
      metodo = valor;
    } else if (nome == "--area-amostrada") {
      area = valor;
    } else if (nome == "--csv") {
      if (valor.empty()) {
        throw ErroUso("velmo-medir: a opção --csv precisa de um nome de arquivo ou \"-\".");
      }
      op.Csv = valor;
    } else {
      op.Tarefas = LerTarefas(valor);
    }
  }
  if (op.Ajuda || op.Versao) {
    return op;
  }
  if (!metodo) {
    throw ErroUso("velmo-medir: falta a opção --metodo.");
  }
  op.Metodo = LerMetodo(*metodo);
  op.AreaAmostrada = area ? LerNumero(*area, decimal) : 0;
  if (op.Metodo == mtIndiceAreaFoliar && !(op.AreaAmostrada > 0)) {
    throw ErroUso(kAvisoArea);
  }
  if (op.Caminhos.empty()) {
    throw ErroUso("velmo-medir: nenhum CAMINHO informado.");
  }
  return op;
}

}  // namespace velmo

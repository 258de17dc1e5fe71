// velmo-medir: the figures and the summary text of the window's result page, from the command
// line. This file only reads the options and hands the work to the engine's batch core.

#include <fstream>
#include <iostream>
#include <string>
#include <thread>
#include <vector>

#include "lote.h"
#include "opcoes.h"

namespace {

constexpr int kTudoMedido = 0;
constexpr int kAlgumaIgnorada = 1;
constexpr int kErroDeUso = 2;

bool Gravar(std::ostream& saida, const std::string& texto) {
  saida << texto;
  saida.flush();
  return bool(saida);
}

}  // namespace

int main(int argc, char** argv) {
  using namespace velmo;
  const FormatoNumero formato = FormatoDoAmbiente();
  Opcoes op;
  try {
    op = LerOpcoes(std::vector<std::string>(argv + 1, argv + argc), formato.decimal,
                   std::thread::hardware_concurrency());
  } catch (const ErroUso& e) {
    std::cerr << e.what() << "\n\n" << kUso;
    return kErroDeUso;
  }
  if (op.Ajuda) {
    std::cout << kUso;
    return kTudoMedido;
  }
  if (op.Versao) {
    std::cout << "velmo-medir " VELMO_VERSAO "\n";
    return kTudoMedido;
  }

  // The CSV file is created before measuring, so a wrong path fails at once.
  const bool csvNaSaida = op.Csv == "-";
  std::ofstream arquivoCsv;
  if (op.Csv && !csvNaSaida) {
    arquivoCsv.open(*op.Csv, std::ios::binary | std::ios::trunc);
    if (!arquivoCsv) {
      std::cerr << "velmo-medir: não foi possível criar o arquivo CSV \"" << *op.Csv << "\".\n";
      return kErroDeUso;
    }
  }

  std::vector<std::string> avisos;
  const std::vector<std::string> lista = MontarListaLote(op.Caminhos, avisos);
  const std::vector<TImagemLote> itens = MedirLote(lista, op.Metodo, op.Tarefas);
  for (const TImagemLote& item : itens) {
    if (!item.Medida()) {
      avisos.push_back(item.Aviso);
    }
  }
  for (const std::string& aviso : avisos) {
    std::cerr << aviso << '\n';
  }

  if (csvNaSaida) {
    if (!Gravar(std::cout, CsvDoLote(itens, op.Metodo, formato.decimal))) {
      std::cerr << "velmo-medir: não foi possível escrever na saída padrão.\n";
      return kErroDeUso;
    }
  } else {
    if (!Gravar(std::cout, ResumoDoLote(itens, op.Metodo, op.AreaAmostrada, formato) + "\n")) {
      std::cerr << "velmo-medir: não foi possível escrever na saída padrão.\n";
      return kErroDeUso;
    }
    if (op.Csv && !Gravar(arquivoCsv, CsvDoLote(itens, op.Metodo, formato.decimal))) {
      std::cerr << "velmo-medir: não foi possível gravar o arquivo CSV \"" << *op.Csv << "\".\n";
      return kErroDeUso;
    }
  }
  return avisos.empty() ? kTudoMedido : kAlgumaIgnorada;
}

#include "lote.h"

#include <algorithm>
#include <atomic>
#include <filesystem>
#include <new>
#include <stdexcept>
#include <thread>

#include "AreaFoliar.h"
#include "OlhoDeLombo.h"
#include "erros.h"
#include "listaimagens.h"
#include "metodo.h"

namespace velmo {

namespace {

void ValidarMetodo(uint8_t Metodo) {
  if (Metodo != mtAreaFoliar && Metodo != mtIndiceAreaFoliar && Metodo != mtOlhoDeLombo) {
    throw std::invalid_argument("lote: método de medição inválido: " + std::to_string(Metodo));
  }
}

TImagemLote MedirImagem(const std::string& Caminho, uint8_t Metodo) {
  TImagemLote item;
  item.Caminho = Caminho;
  try {
    if (Metodo == mtOlhoDeLombo) {
      TProcessaOlhoDeLombro olho(Caminho, nullptr);
      olho.Processar();
      item.OlhoDeLombo = Figuras(olho);
    } else {
      item.AreaFoliar = Figuras(TAreaFoliar(Caminho, nullptr));
    }
  } catch (const ErroArquivo&) {
    item.Aviso = AvisoArquivoInvalido(Caminho);
  } catch (const ErroBitmapInvalido&) {
    item.Aviso = AvisoArquivoInvalido(Caminho);
  } catch (const ErroBitmapNaoSuportado&) {
    item.Aviso = AvisoArquivoInvalido(Caminho);
  } catch (const std::bad_alloc&) {
    item.Aviso = "Não há memória para medir a imagem \"" + Caminho + "\"; ela será ignorada.";
  } catch (const std::exception& e) {
    item.Aviso = e.what();
  }
  return item;
}

std::string CampoCsv(const std::string& valor, char separador) {
  if (valor.find_first_of(std::string{separador, '"', '\r', '\n'}) == std::string::npos) {
    return valor;
  }
  std::string campo = "\"";
  for (char c : valor) {
    campo += c;
    if (c == '"') {
      campo += '"';
    }
  }
  return campo + '"';
}

}  // namespace

std::string AvisoArquivoInvalido(const std::string& Caminho) {
  return "O arquivo \"" + Caminho + "\" não é um bitmap válido e será ignorado!";
}

std::vector<std::string> MontarListaLote(const std::vector<std::string>& Caminhos,
                                         std::vector<std::string>& Avisos) {
  std::vector<std::string> lista;
  for (const std::string& caminho : Caminhos) {
    std::error_code erro;
    if (!std::filesystem::is_directory(caminho, erro)) {
      AdicionarImagens(lista, {caminho});
      continue;
    }
    std::string pasta = caminho;
    while (pasta.size() > 1 && pasta.back() == '/') {
      pasta.pop_back();
    }
    try {
      AdicionarImagens(lista, BuscarImagensNaPasta(pasta));
    } catch (const ErroArquivo& e) {
      Avisos.push_back(e.what());
    }
  }
  return lista;
}

std::vector<TImagemLote> MedirLote(const std::vector<std::string>& Imagens, uint8_t Metodo,
                                   unsigned Tarefas) {
  ValidarMetodo(Metodo);
  std::vector<TImagemLote> itens(Imagens.size());
  // Each thread takes the next unmeasured index and writes only its own slot, so the result is
  // in list order and does not depend on how many threads there are.
  std::atomic<size_t> proximo{0};
  auto trabalhar = [&] {
    for (size_t i = proximo++; i < Imagens.size(); i = proximo++) {
      itens[i] = MedirImagem(Imagens[i], Metodo);
    }
  };
  const size_t tarefas = std::min<size_t>(std::max(Tarefas, 1u), Imagens.size());
  std::vector<std::jthread> threads;
  for (size_t t = 1; t < tarefas; ++t) {
    threads.emplace_back(trabalhar);
  }
  trabalhar();
  return itens;
}

std::string ResumoDoLote(const std::vector<TImagemLote>& Itens, uint8_t Metodo,
                         double AreaAmostrada, const FormatoNumero& Formato) {
  TResumo resumo(Metodo, AreaAmostrada, Formato);
  for (const TImagemLote& item : Itens) {
    if (item.AreaFoliar) {
      resumo.Adicionar(*item.AreaFoliar);
    } else if (item.OlhoDeLombo) {
      resumo.Adicionar(*item.OlhoDeLombo);
    }
  }
  return resumo.Concluir();
}

std::string CsvDoLote(const std::vector<TImagemLote>& Itens, uint8_t Metodo,
                      const std::string& Decimal) {
  ValidarMetodo(Metodo);
  const char separador = Decimal == "," ? ';' : ',';
  const FormatoNumero formato{Decimal, ""};
  std::string csv;
  auto linha = [&](const std::vector<std::string>& campos) {
    for (size_t i = 0; i < campos.size(); ++i) {
      if (i > 0) {
        csv += separador;
      }
      csv += CampoCsv(campos[i], separador);
    }
    csv += "\r\n";
  };
  auto numero = [&](double valor) { return FormatarNumero(valor, formato); };

  if (Metodo == mtOlhoDeLombo) {
    linha({"arquivo", "resolucao_dpi", "regiao", "area_cm2"});
  } else {
    linha({"arquivo", "resolucao_dpi", "area_total_cm2", "area_ignorada_cm2", "area_corrigida_cm2",
           "area_coberta_cm2"});
  }
  for (const TImagemLote& item : Itens) {
    if (const auto& a = item.AreaFoliar) {
      linha({a->Arquivo, std::to_string(a->Resolucao), numero(a->AreaTotal),
             numero(a->AreaIgnorada), numero(a->AreaCorrigida), numero(a->AreaCoberta)});
    } else if (const auto& o = item.OlhoDeLombo) {
      for (size_t n = 0; n < o->Regioes.size(); ++n) {
        linha({o->Arquivo, std::to_string(o->Resolucao), std::to_string(n + 1),
               numero(o->Regioes[n])});
      }
    }
  }
  return csv;
}

}  // namespace velmo

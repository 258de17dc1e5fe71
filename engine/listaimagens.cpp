#include "listaimagens.h"

#include <algorithm>
#include <cerrno>
#include <filesystem>
#include <system_error>

#include "erros.h"

namespace velmo {

namespace {

bool TerminaEmBmp(const std::string& nome) {
  if (nome.size() < 4) {
    return false;
  }
  const std::string fim = nome.substr(nome.size() - 4);
  // ASCII only: the letters of ".bmp" have no other case forms to match.
  auto minuscula = [](char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; };
  return fim[0] == '.' && minuscula(fim[1]) == 'b' && minuscula(fim[2]) == 'm' &&
         minuscula(fim[3]) == 'p';
}

std::string Motivo(const std::error_code& erro) {
  if (erro == std::errc::no_such_file_or_directory) {
    return "a pasta não existe";
  }
  if (erro == std::errc::permission_denied) {
    return "sem permissão de leitura";
  }
  if (erro == std::errc::not_a_directory) {
    return "não é uma pasta";
  }
  return "erro do sistema " + std::to_string(erro.value()) + " (" + erro.message() + ")";
}

}  // namespace

bool ImagemNaLista(const std::vector<std::string>& Lista, const std::string& Caminho) {
  return std::find(Lista.begin(), Lista.end(), Caminho) != Lista.end();
}

void AdicionarImagens(std::vector<std::string>& Lista, const std::vector<std::string>& Novas) {
  for (const std::string& caminho : Novas) {
    if (!ImagemNaLista(Lista, caminho)) {
      Lista.push_back(caminho);
    }
  }
}

std::vector<std::string> BuscarImagensNaPasta(const std::string& Pasta) {
  std::vector<std::string> nomes;
  std::error_code erro;
  std::filesystem::directory_iterator it(Pasta, erro);
  for (; !erro && it != std::filesystem::directory_iterator(); it.increment(erro)) {
    std::string nome = it->path().filename().string();
    if (TerminaEmBmp(nome)) {
      nomes.push_back(std::move(nome));
    }
  }
  if (erro) {
    throw ErroArquivo("Não foi possível ler a pasta \"" + Pasta + "\": " + Motivo(erro) + ".");
  }
  // std::string compares its chars as unsigned bytes.
  std::sort(nomes.begin(), nomes.end());
  std::vector<std::string> caminhos;
  caminhos.reserve(nomes.size());
  for (const std::string& nome : nomes) {
    caminhos.push_back(Pasta + "/" + nome);
  }
  return caminhos;
}

}  // namespace velmo

// Loin-eye area of an A4 sheet at 300 dpi (2480 × 3508, 24 bits) with twelve traced outlines and
// marks inside: processing with its load against reading the file from the page cache, the same
// sheet sprinkled with 5,000 one-pixel specks against the clean one, and peak memory against the
// file's size.
// Usage: bench_lombo OUT_DIR   (the sheets are written once to OUT_DIR and reused)

#include <cstdio>
#include <filesystem>
#include <functional>
#include <random>
#include <string>

#include <unistd.h>
#include "OlhoDeLombo.h"

#include "comum.h"
#include "desenho.h"

namespace {

using namespace velmo;

void Processar(const std::string& caminho) {
  TProcessaOlhoDeLombro lombo(caminho, nullptr);
  lombo.Processar();
}

// Specks on white only, touching no ink, so that each is a region of its own.
void Salpicar(desenho::Pixels& p, int quantos, std::mt19937& rng) {
  std::uniform_int_distribution<int> xs(1, int(p[0].size()) - 2), ys(1, int(p.size()) - 2);
  for (int feitos = 0; feitos < quantos;) {
    const int x = xs(rng), y = ys(rng);
    bool livre = true;
    for (int dy = -1; dy <= 1; ++dy) {
      for (int dx = -1; dx <= 1; ++dx) {
        livre = livre && p[size_t(y + dy)][size_t(x + dx)] == desenho::kBranco;
      }
    }
    if (livre) {
      p[size_t(y)][size_t(x)] = 0x303030;
      ++feitos;
    }
  }
}

}  // namespace

int main(int argc, char** argv) {
  if (argc == 3 && std::string(argv[1]) == "--medir") {
    Processar(argv[2]);
    bench::ImprimirPico();
    return 0;
  }
  if (argc != 2) {
    std::fprintf(stderr, "uso: %s PASTA_DE_SAIDA\n", argv[0]);
    return 2;
  }
  const std::filesystem::path pasta = argv[1];
  const std::string limpa = (pasta / "lombo_a4.bmp").string();
  const std::string salpicada = (pasta / "lombo_a4_salpicada.bmp").string();
  if (!std::filesystem::exists(limpa) || !std::filesystem::exists(salpicada)) {
    std::mt19937 rng(12);
    desenho::Pixels p = desenho::Papel(2480, 3508);
    desenho::FolhaDeLombos(p, rng, 3, 4, 300);
    teste::Gravar(limpa, teste::Bmp24(p, desenho::PixelsPorMetro(300)));
    Salpicar(p, 5000, rng);
    teste::Gravar(salpicada, teste::Bmp24(p, desenho::PixelsPorMetro(300)));
    // Measure in a fresh process: the one that wrote the files reads them back from the page
    // cache several times faster than any other process does.
    execv(argv[0], argv);
  }
  const double tamanho = double(std::filesystem::file_size(limpa));
  bench::LerArquivo(limpa);
  bench::LerArquivo(salpicada);

  const auto t = bench::Medianas(
      {[&] { bench::LerArquivo(limpa); }, [&] { Processar(limpa); }, [&] { Processar(salpicada); }},
      7);
  std::printf("Olho de lombo, A4 com 12 contornos e marcas, 24 bits a 300 dpi (%.1f MB)\n",
              bench::Mb(tamanho));
  std::printf(
      "  leitura do cache: %.1f ms; processamento com a carga: %.1f ms; com 5000 pontos: %.1f ms "
      "(processador)\n",
      t[0].cpu * 1e3, t[1].cpu * 1e3, t[2].cpu * 1e3);
  std::printf("  razão processamento / leitura: %.2f no processador, %.2f no relógio (meta <= 4)\n",
              t[1].cpu / t[0].cpu, t[1].parede / t[0].parede);
  std::printf("  razão com pontos / limpa: %.2f no processador, %.2f no relógio (meta <= 2)\n",
              t[2].cpu / t[1].cpu, t[2].parede / t[1].parede);
  const double pico = bench::PicoDeMemoria(argv[0], {"--medir", limpa});
  std::printf("  pico de memória: %.1f MB = %.2f × o arquivo (meta < 3)\n", bench::Mb(pico),
              pico / tamanho);
  return 0;
}

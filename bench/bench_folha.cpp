// Leaf area of an A4 scan at 300 dpi (2480 × 3508, 24 bits, about 26 MB): measurement with its
// load against reading the file from the page cache, peak memory against the file's size, and
// memory growth over 20 scans measured in one process.
// Usage: bench_folha OUT_DIR   (the scan is written once to OUT_DIR and reused)

#include <cstdio>
#include <filesystem>
#include <functional>
#include <random>
#include <string>
#include <vector>

#include <unistd.h>
#include "AreaFoliar.h"

#include "comum.h"
#include "desenho.h"

namespace {

using namespace velmo;

// White paper with eight leaves in many shades of green, holes and veins.
void EscreverDigitalizacao(const std::string& caminho) {
  std::mt19937 rng(7);
  std::uniform_real_distribution<double> u(0, 1);
  desenho::Pixels p = desenho::Papel(2480, 3508);
  std::vector<uint32_t> verdes;
  for (uint32_t i = 0; i < 40; ++i) {
    verdes.push_back(0x1E5A1E + ((i * 5) << 8) + i);
  }
  for (int f = 0; f < 8; ++f) {
    const double cx = 400 + (f % 2) * 1300 + u(rng) * 300;
    const double cy = 450 + (f / 2) * 850 + u(rng) * 100;
    desenho::Folha(p, rng, cx, cy, 1000 + u(rng) * 600, 400 + u(rng) * 250, u(rng) * 3, verdes,
                   0x64AA6E);
  }
  teste::Gravar(caminho, teste::Bmp24(p, desenho::PixelsPorMetro(300)));
}

}  // namespace

int main(int argc, char** argv) {
  if (argc == 3 && std::string(argv[1]) == "--medir") {
    TAreaFoliar(argv[2], nullptr);
    bench::ImprimirPico();
    return 0;
  }
  if (argc == 2 && std::string(argv[1]) == "--vazio") {
    bench::ImprimirPico();
    return 0;
  }
  if (argc == 3 && std::string(argv[1]) == "--vinte") {
    // The analysis keeps every measurement until the next run: keep them all here too. The
    // allocator keeps the second file's buffer for reuse (glibc raises its mmap threshold once a
    // large block is freed), a one-off step; growth is counted from the second scan on.
    std::vector<TAreaFoliar> medidas;
    medidas.reserve(20);
    std::vector<double> residente;
    for (int i = 0; i < 20; ++i) {
      medidas.emplace_back(argv[2], nullptr);
      residente.push_back(bench::MemoriaResidente());
    }
    std::printf(
        "  20 digitalizações num processo: residente %.1f MB após a 1ª, %.1f MB após a 2ª, "
        "%.1f MB após a 20ª;\n  crescimento da 2ª à 20ª: %.2f KB por digitalização\n",
        bench::Mb(residente[0]), bench::Mb(residente[1]), bench::Mb(residente[19]),
        (residente[19] - residente[1]) / 18 / 1024);
    bench::ImprimirPico();
    return 0;
  }
  if (argc != 2) {
    std::fprintf(stderr, "uso: %s PASTA_DE_SAIDA\n", argv[0]);
    return 2;
  }
  const std::string caminho = (std::filesystem::path(argv[1]) / "folha_a4.bmp").string();
  if (!std::filesystem::exists(caminho)) {
    EscreverDigitalizacao(caminho);
    // Measure in a fresh process: the one that wrote the files reads them back from the page
    // cache several times faster than any other process does.
    execv(argv[0], argv);
  }
  const double tamanho = double(std::filesystem::file_size(caminho));
  bench::LerArquivo(caminho);  // into the page cache

  const auto t = bench::Medianas(
      {[&] { bench::LerArquivo(caminho); }, [&] { TAreaFoliar(caminho, nullptr); }}, 9);
  std::printf("Área foliar, A4 2480 × 3508 com 24 bits a 300 dpi (%.1f MB)\n", bench::Mb(tamanho));
  std::printf("  leitura do cache: %.1f ms; medição com a carga: %.1f ms (processador)\n",
              t[0].cpu * 1e3, t[1].cpu * 1e3);
  std::printf("  razão medição / leitura: %.2f no processador, %.2f no relógio (meta <= 3)\n",
              t[1].cpu / t[0].cpu, t[1].parede / t[0].parede);

  const double pico = bench::PicoDeMemoria(argv[0], {"--medir", caminho});
  const double vazio = bench::PicoDeMemoria(argv[0], {"--vazio"});
  std::printf("  pico de memória: %.1f MB = %.2f × o arquivo (meta < 2); processo vazio %.1f MB\n",
              bench::Mb(pico), pico / tamanho, bench::Mb(vazio));
  bench::PicoDeMemoria(argv[0], {"--vinte", caminho});
  return 0;
}

// velmo-medir on 40 A4 scans at 300 dpi (2480 × 3508, 24 bits) with method 1, against the time
// to read the same files from the page cache, and one thread against two.
// Usage: bench_medir OUT_DIR   (the scans are written once to OUT_DIR/medir and reused)

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <random>
#include <string>
#include <thread>
#include <vector>

#include "bmp_teste.h"
#include "comum.h"

namespace {

constexpr int kImagens = 40;
constexpr int kLargura = 2480;
constexpr int kAltura = 3508;
constexpr int32_t kPpm300 = 11811;
constexpr int kRepeticoes = 3;


using velmo::bench::Tempo;

// A scan of leaves: white paper with a few leaf-green ellipses, each with small white holes and
// ragged edges, so the gap filling has real work in every row.
std::vector<uint8_t> Digitalizacao(unsigned semente) {
  std::mt19937 aleatorio(semente);
  velmo::teste::Pixels p(kAltura, std::vector<uint32_t>(kLargura, 0xFFFFFF));
  std::uniform_real_distribution<double> u(0, 1);
  for (int f = 0; f < 7; ++f) {
    const double cx = 300 + u(aleatorio) * (kLargura - 600);
    const double cy = 400 + u(aleatorio) * (kAltura - 800);
    const double rx = 150 + u(aleatorio) * 350;
    const double ry = 250 + u(aleatorio) * 500;
    for (int y = std::max(0, int(cy - ry)); y < std::min(kAltura, int(cy + ry)); ++y) {
      for (int x = std::max(0, int(cx - rx)); x < std::min(kLargura, int(cx + rx)); ++x) {
        const double d = (x - cx) * (x - cx) / (rx * rx) + (y - cy) * (y - cy) / (ry * ry);
        if (d > 1 + 0.05 * u(aleatorio)) {
          continue;
        }
        const uint32_t verde = 0x206020 + (uint32_t(aleatorio() % 64) << 8);
        p[size_t(y)][size_t(x)] = u(aleatorio) < 0.02 ? 0xFFFFFF : verde;
      }
    }
  }
  return velmo::teste::Bmp24(p, kPpm300);
}

Tempo LerArquivos(const std::vector<std::string>& arquivos) {
  return velmo::bench::Cronometrar([&] {
    for (const auto& a : arquivos) {
      velmo::bench::LerArquivo(a);
    }
  });
}

velmo::bench::Execucao RodarMedir(const char* metodo, const char* tarefas,
                                  const std::vector<std::string>& caminhos) {
  std::vector<std::string> args = {VELMO_MEDIR, "--metodo", metodo, "--tarefas", tarefas};
  args.insert(args.end(), caminhos.begin(), caminhos.end());
  return velmo::bench::RodarProcesso(std::move(args));
}

template <class F>
Tempo Melhor(F medir) {
  Tempo melhor{1e30, 1e30};
  for (int i = 0; i < kRepeticoes; ++i) {
    const Tempo t = medir();
    melhor.parede = std::min(melhor.parede, t.parede);
    melhor.cpu = std::min(melhor.cpu, t.cpu);
  }
  return melhor;
}

}  // namespace

int main(int argc, char** argv) {
  const std::filesystem::path pasta =
      std::filesystem::path(argc > 1 ? argv[1] : "bench/out") / "medir";
  std::filesystem::create_directories(pasta);
  std::vector<std::string> arquivos;
  for (int i = 0; i < kImagens; ++i) {
    char nome[32];
    std::snprintf(nome, sizeof nome, "scan%02d.bmp", i);
    const auto caminho = pasta / nome;
    if (!std::filesystem::exists(caminho)) {
      velmo::teste::Gravar(caminho, Digitalizacao(unsigned(1000 + i)));
    }
    arquivos.push_back(caminho.string());
  }
  LerArquivos(arquivos);  // into the page cache
  const Tempo leitura = Melhor([&] { return LerArquivos(arquivos); });
  const Tempo uma = Melhor([&] { return RodarMedir("1", "1", {pasta.string()}).tempo; });
  const Tempo duas = Melhor([&] { return RodarMedir("1", "2", {pasta.string()}).tempo; });
  // Memory must not grow with the length of the batch: 4 scans against 40, loin-eye method.
  const long quatro = RodarMedir("3", "1", {arquivos.begin(), arquivos.begin() + 4}).memoriaKb;
  const long quarenta = RodarMedir("3", "1", arquivos).memoriaKb;
  double carga[1] = {0};
  getloadavg(carga, 1);
  std::printf(
      "%d digitalizações A4 300 dpi, método 1 (melhor de %d; carga média %.2f em %u "
      "processadores):\n",
      kImagens, kRepeticoes, carga[0], std::thread::hardware_concurrency());
  std::printf("                   parede       cpu\n");
  std::printf("  ler os arquivos  %7.3f s  %7.3f s\n", leitura.parede, leitura.cpu);
  std::printf("  --tarefas 1      %7.3f s  %7.3f s\n", uma.parede, uma.cpu);
  std::printf("  --tarefas 2      %7.3f s  %7.3f s\n", duas.parede, duas.cpu);
  std::printf("  --tarefas 1 / leitura: %.2f (parede), %.2f (cpu); meta <= 3\n",
              uma.parede / leitura.parede, uma.cpu / leitura.cpu);
  std::printf("  --tarefas 1 / --tarefas 2 (parede): %.2f; meta >= 1,6\n",
              uma.parede / duas.parede);
  std::printf(
      "  memória máxima, método 3, --tarefas 1: %ld MB com 4 imagens, %ld MB com %d; "
      "razão %.2f (meta: perto de 1)\n",
      quatro / 1024, quarenta / 1024, kImagens, double(quarenta) / double(quatro));
  return 0;
}

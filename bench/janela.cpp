// The processing page's run (preview read included) against velmo-medir --tarefas 1 on the same
// 20 A4 scans at 300 dpi (2480 × 3508, 24 bits), method 1, side by side in one process.
// Usage: bench_janela OUT_DIR   (the scans are written once to OUT_DIR/janela and reused)

#include <QApplication>
#include <QPushButton>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <ctime>
#include <filesystem>
#include <random>
#include <string>
#include <vector>

#include "comum.h"
#include "desenho.h"
#include "wizard/Centralizador.h"
#include "wizard/Geral.h"
#include "wizard/Processamento.h"
#include "wizard/Resultado.h"
#include "wizard/dialogos.h"
#include "wizard/pagina.h"

namespace {

constexpr int kImagens = 20;
constexpr int kLargura = 2480;
constexpr int kAltura = 3508;
constexpr int kRepeticoes = 3;

using Relogio = std::chrono::steady_clock;

using velmo::bench::Tempo;

double Cpu(clockid_t relogio) {
  timespec t;
  clock_gettime(relogio, &t);
  return double(t.tv_sec) + double(t.tv_nsec) * 1e-9;
}

// An A4 sheet with a few leaves scattered over it.
std::vector<uint8_t> Digitalizacao(unsigned semente) {
  std::mt19937 rng(semente);
  std::uniform_real_distribution<double> u(0, 1);
  velmo::teste::Pixels p = velmo::desenho::Papel(kLargura, kAltura);
  for (int f = 0; f < 6; ++f)
    velmo::desenho::Folha(p, rng, 400 + u(rng) * (kLargura - 800), 500 + u(rng) * (kAltura - 1000),
                          700 + u(rng) * 600, 300 + u(rng) * 250, u(rng) * 3.1, {0x1E6B2A},
                          0x3C8F4E);
  return velmo::teste::Bmp24(p, velmo::desenho::PixelsPorMetro(300));
}

Tempo Medir(const std::vector<std::string>& arquivos) {
  std::vector<std::string> args = {VELMO_MEDIR, "--metodo", "1", "--tarefas", "1"};
  args.insert(args.end(), arquivos.begin(), arquivos.end());
  return velmo::bench::RodarProcesso(std::move(args)).tempo;
}

// One run of the processing page, as "&Avançar >" starts it, until the result page opens.
Tempo Janela(const std::vector<std::string>& arquivos) {
  using namespace velmo;
  auto* janela = new TfrmCentralizador;
  frmCentralizador = janela;
  janela->show();
  frmGeral->close();
  frmCentralizador->FMetodo = mtAreaFoliar;
  for (const auto& a : arquivos)
    frmCentralizador->FImagens.append(QString::fromStdString(a));
  TfrmProcessamento* pagina = AbrirPagina(frmProcessamento);
  QCoreApplication::processEvents();
  DialogosDeTeste dialogos;
  const double cpu = Cpu(CLOCK_THREAD_CPUTIME_ID);
  const auto inicio = Relogio::now();
  pagina->btnAvancar->click();
  const Tempo t{std::chrono::duration<double>(Relogio::now() - inicio).count(),
                Cpu(CLOCK_THREAD_CPUTIME_ID) - cpu};
  if (!frmResultado || !dialogos.Mensagens.isEmpty()) {
    std::fprintf(stderr, "a execução da janela não chegou ao resultado\n");
    std::exit(1);
  }
  delete janela;
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  return t;
}

}  // namespace

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication aplicacao(argc, argv);
  velmo::IniciarAplicacao();
  const std::filesystem::path pasta =
      std::filesystem::path(argc > 1 ? argv[1] : "bench/out") / "janela";
  std::filesystem::create_directories(pasta);
  std::vector<std::string> arquivos;
  for (int i = 0; i < kImagens; ++i) {
    char nome[32];
    std::snprintf(nome, sizeof nome, "folhas%02d.bmp", i);
    const auto caminho = pasta / nome;
    if (!std::filesystem::exists(caminho))
      velmo::teste::Gravar(caminho, Digitalizacao(unsigned(2000 + i)));
    arquivos.push_back(caminho.string());
  }
  Medir(arquivos);  // the files into the page cache
  // Alternated, so that a change in the machine's load falls on both.
  Tempo medir{1e30, 1e30}, janela{1e30, 1e30};
  for (int i = 0; i < kRepeticoes; ++i) {
    const Tempo m = Medir(arquivos);
    const Tempo j = Janela(arquivos);
    medir = {std::min(medir.parede, m.parede), std::min(medir.cpu, m.cpu)};
    janela = {std::min(janela.parede, j.parede), std::min(janela.cpu, j.cpu)};
  }
  std::printf("%d digitalizações A4 300 dpi, método 1 (melhor de %d):\n", kImagens, kRepeticoes);
  std::printf("                          parede       cpu\n");
  std::printf("  velmo-medir --tarefas 1 %7.3f s  %7.3f s\n", medir.parede, medir.cpu);
  std::printf("  janela (processamento)  %7.3f s  %7.3f s\n", janela.parede, janela.cpu);
  std::printf("  janela / velmo-medir: %.2f (parede), %.2f (cpu); meta <= 2\n",
              janela.parede / medir.parede, janela.cpu / medir.cpu);
  return 0;
}

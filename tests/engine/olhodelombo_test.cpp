#include <gtest/gtest.h>
#include <malloc.h>

#include <algorithm>
#include <deque>
#include <random>
#include <tuple>

#include "OlhoDeLombo.h"
#include "bmp.h"
#include "bmp_teste.h"
#include "cmdContagem.h"
#include "erros.h"

namespace velmo {
namespace {

using teste::Pixels;

constexpr int32_t kPpm300 = 11811;  // 300 dpi
constexpr int32_t kPpm254 = 10000;  // 254 dpi: one pixel is 0.01 cm, its area 0.0001 cm²
constexpr int32_t kPpm1 = 39;       // 1 dpi: one pixel is 6.4516 cm², every region counts

Pixels Branca(int largura, int altura) {
  return Pixels(size_t(altura), std::vector<uint32_t>(size_t(largura), clWhite));
}

// A ring of `espessura` pixels just inside the box (x0, y0, largura, altura); 0 fills it.
void Contorno(Pixels& p, int x0, int y0, int largura, int altura, int espessura, uint32_t cor = 0) {
  for (int y = y0; y < y0 + altura; ++y) {
    for (int x = x0; x < x0 + largura; ++x) {
      const int dentro = std::min({x - x0, y - y0, x0 + largura - 1 - x, y0 + altura - 1 - y});
      if (espessura == 0 || dentro < espessura) {
        p[size_t(y)][size_t(x)] = cor;
      }
    }
  }
}

class ProgressoFalso : public Progresso {
 public:
  int Min() const override { return min; }
  int Max() const override { return max; }
  void SetMax(int m) override { max = m; }
  int Position() const override { return posicao; }
  void SetPosition(int p) override {
    posicao = p;
    posicoes.push_back(p);
  }
  void ProcessarMensagens() override { ++mensagens; }

  int min = 0;
  int max = 100;
  int posicao = 0;
  std::vector<int> posicoes;
  int mensagens = 0;
};

class OlhoDeLomboTest : public testing::Test {
 protected:
  std::string Gravar(const Pixels& p, int32_t ppm = kPpm300) {
    const std::string caminho = (pasta_ / ("img" + std::to_string(contador_++) + ".bmp")).string();
    teste::Gravar(caminho, teste::Bmp24(p, ppm));
    return caminho;
  }
  std::unique_ptr<TProcessaOlhoDeLombro> Processado(const Pixels& p, int32_t ppm = kPpm300,
                                                    Progresso* progresso = nullptr) {
    auto olho = std::make_unique<TProcessaOlhoDeLombro>(Gravar(p, ppm), progresso);
    olho->Processar();
    return olho;
  }

  teste::PastaTemporaria pasta_;
  int contador_ = 0;
};

// ---------------------------------------------------------------------------------------------
// Worked figures at 300 dpi: a box of 120 × 120 pixels is (120 / (300 / 2.54))² = 1.032256 cm².

struct CasoAreaConhecida {
  const char* nome;
  Pixels imagem;
  double area;  // the single region's area
  bool contada;
};

class AreaConhecidaTest : public OlhoDeLomboTest,
                          public testing::WithParamInterface<CasoAreaConhecida> {};

TEST_P(AreaConhecidaTest, UmaRegiaoComAAreaEsperada) {
  const auto olho = Processado(GetParam().imagem);
  ASSERT_EQ(olho->GetRegioes().size(), 1u);
  EXPECT_DOUBLE_EQ(olho->GetRegioes()[0]->GetArea(), GetParam().area);
  const double contada = GetParam().contada ? GetParam().area : 0.0;
  EXPECT_EQ(olho->GetNumeroRegioes(), GetParam().contada ? 1 : 0);
  EXPECT_DOUBLE_EQ(olho->GetAreaTotal(), contada);
  EXPECT_DOUBLE_EQ(olho->GetAreaRegiao(1), contada);
  EXPECT_DOUBLE_EQ(olho->GetAreaRegiao(2), 0.0);
}

Pixels Quadrado(int lado, int espessura) {
  Pixels p = Branca(lado + 10, lado + 10);
  Contorno(p, 5, 5, lado, lado, espessura);
  return p;
}

Pixels QuadradoComFalha() {
  Pixels p = Quadrado(120, 1);
  p[5 + 60][5] = clWhite;  // middle of the left side
  return p;
}

INSTANTIATE_TEST_SUITE_P(
    Quadrados, AreaConhecidaTest,
    testing::Values(CasoAreaConhecida{"Contorno120", Quadrado(120, 1), 1.0322, true},
                    CasoAreaConhecida{"Cheio120", Quadrado(120, 0), 1.0322, true},
                    // Only the outer edge of a wide stroke is traced; everything inside it is area.
                    CasoAreaConhecida{"Traco3px120", Quadrado(120, 3), 1.0322, true},
                    CasoAreaConhecida{"Traco5px120", Quadrado(120, 5), 1.0322, true},
                    // (118 / 118.110236…)² = 0.998135…
                    CasoAreaConhecida{"Contorno118NaoConta", Quadrado(118, 1), 0.9981, false},
                    // The row through the gap is background from the gap to the right side: 119
                    // pixels. (1 − 119 / 14400) × 1.032256 = 1.023725…
                    CasoAreaConhecida{"FalhaNoLadoEsquerdo", QuadradoComFalha(), 1.0237, true}),
    [](const auto& info) { return std::string(info.param.nome); });

// ---------------------------------------------------------------------------------------------
// Small drawings at 254 dpi, where a region's area is its count of unreached pixels × 0.0001.
// Expected boxes and counts are worked out by hand from the drawing.

struct RegiaoEsperada {
  TLimites caixa;
  int pixels;  // pixels of the box that no straight scan from a side reaches
};

struct CasoDesenho {
  const char* nome;
  std::vector<std::string> arte;
  std::vector<RegiaoEsperada> regioes;  // in the order found
};

class DesenhoTest : public OlhoDeLomboTest, public testing::WithParamInterface<CasoDesenho> {};

TEST_P(DesenhoTest, RegioesCaixasEAreas) {
  const auto olho = Processado(teste::DeArte(GetParam().arte), kPpm254);
  const auto& regioes = olho->GetRegioes();
  ASSERT_EQ(regioes.size(), GetParam().regioes.size());
  for (size_t i = 0; i < regioes.size(); ++i) {
    SCOPED_TRACE("região " + std::to_string(i + 1));
    const TLimites& obtida = regioes[i]->GetLimites();
    const TLimites& esperada = GetParam().regioes[i].caixa;
    EXPECT_EQ(obtida.Esquerda, esperada.Esquerda);
    EXPECT_EQ(obtida.Topo, esperada.Topo);
    EXPECT_EQ(obtida.Direita, esperada.Direita);
    EXPECT_EQ(obtida.Base, esperada.Base);
    EXPECT_NEAR(regioes[i]->GetArea(), GetParam().regioes[i].pixels * 0.0001, 1e-12);
  }
  EXPECT_EQ(olho->GetNumeroRegioes(), 0);  // nothing this small counts
}

INSTANTIATE_TEST_SUITE_P(
    Desenhos, DesenhoTest,
    testing::Values(
        CasoDesenho{"TudoBranco", {"....", "....", "...."}, {}},
        CasoDesenho{"Ponto", {"...", ".#.", "..."}, {{{1, 1, 1, 1}, 1}}},
        CasoDesenho{"QuaseBrancoETinta", {"...", "..f", "..."}, {{{2, 1, 2, 1}, 1}}},
        // Solid U whose arms both reach the top row: the 3 × 3 gap is reached from the top.
        CasoDesenho{"UBracosIguais",
                    {".........", ".##...##.", ".##...##.", ".##...##.", ".#######.", ".#######.",
                     "........."},
                    {{{1, 1, 7, 5}, 35 - 9}}},
        // The right arm is one row short: only the top row beside it is reached (from the
        // right); the columns above the gap stop at once on that painted row.
        CasoDesenho{"UBracoCurto",
                    {".........", ".##......", ".##...##.", ".##...##.", ".#######.", ".#######.",
                     "........."},
                    {{{1, 1, 7, 5}, 35 - 5}}},
        // An outline drawn in green (or any colour but white) is ink like black.
        CasoDesenho{"ContornoVerde", {"GGGG", "G..G", "GGGG"}, {{{0, 0, 3, 2}, 12}}},
        CasoDesenho{"DoisContornosNaOrdemDoPrimeiroPixel",
                    {"......###", "###...#.#", "#.#...###", "###......"},
                    {{{6, 0, 8, 2}, 9}, {{0, 1, 2, 3}, 9}}},
        // The inner outline is erased with the outer region's box and never measured.
        CasoDesenho{"ContornoDentroDeOutro",
                    {"#######", "#.....#", "#.###.#", "#.#.#.#", "#.###.#", "#.....#", "#######"},
                    {{{0, 0, 6, 6}, 49}}},
        // Ink in the gap of a U that the trace does not reach is white in the crop.
        CasoDesenho{"TintaSoltaNaCaixa",
                    {".........", ".##.#.##.", ".##...##.", ".##...##.", ".#######.", ".#######.",
                     "........."},
                    {{{1, 1, 7, 5}, 35 - 9}}},
        // A pixel that is exactly red in the file is edge in the crop: it stops column 3.
        CasoDesenho{"VermelhoNaCaixa",
                    {".........", ".##.R.##.", ".##...##.", ".##...##.", ".#######.", ".#######.",
                     "........."},
                    {{{1, 1, 7, 5}, 35 - 6}}},
        // Red beside an outline is never taken from a neighbour: it stays for a region of
        // its own after the outline's box is erased.
        CasoDesenho{
            "VermelhoAoLado", {"###.", "#.#R", "###."}, {{{0, 0, 2, 2}, 9}, {{3, 1, 3, 1}, 1}}},
        // Red as the first ink pixel is a seed like any other, and the trace goes on from it.
        CasoDesenho{"VermelhoComoSemente", {"R###", "#..#", "####"}, {{{0, 0, 3, 2}, 12}}},
        // Boxes overlap: the diagonal comes first and its box erases the top of the L; the
        // rest of the L is measured as an open outline of its own.
        CasoDesenho{"CaixasSobrepostas",
                    {"..........", ".#........", "..#.......", "...#......", ".#..#.....",
                     ".#...#....", ".#........", ".######..."},
                    {{{1, 1, 5, 5}, 5}, {{1, 6, 6, 7}, 7}}},
        // Outlines that touch at a corner form one region over both boxes.
        CasoDesenho{"ContornosQueSeTocam",
                    {"###...", "#.#...", "###...", "...###", "...#.#", "...###"},
                    {{{0, 0, 5, 5}, 36 - 18}}},
        // Cut by the left edge of the picture: the rows through the cut are background.
        CasoDesenho{
            "CortadoPelaBorda", {"####..", "...#..", "...#..", "####.."}, {{{0, 0, 3, 3}, 16 - 6}}},
        // Outside the picture is never background: the corner pixel touches none, so it is a
        // region alone; then the other eight, with the erased corner as their background.
        CasoDesenho{"BlocoNoCantoSuperiorEsquerdo",
                    {"###..", "###..", "###..", "....."},
                    {{{0, 0, 0, 0}, 1}, {{0, 0, 2, 2}, 8}}}),
    [](const auto& info) { return std::string(info.param.nome); });

// ---------------------------------------------------------------------------------------------

TEST_F(OlhoDeLomboTest, ApenasRegioesDeUmCm2ContamNaOrdemEmQueForamAchadas) {
  Pixels p = Branca(410, 160);
  Contorno(p, 5, 5, 120, 120, 1);     // 1.0322, counted first
  Contorno(p, 140, 10, 118, 118, 1);  // 0.9981, skipped by the numbering
  p[2][300] = 0;                      // a speck: the first seed, area 0 at 300 dpi
  Contorno(p, 270, 20, 130, 130, 2);  // (130 / 118.110236…)² = 1.211481…
  const auto olho = Processado(p);
  ASSERT_EQ(olho->GetRegioes().size(), 4u);
  EXPECT_DOUBLE_EQ(olho->GetRegioes()[0]->GetArea(), 0.0);
  EXPECT_EQ(olho->GetNumeroRegioes(), 2);
  EXPECT_DOUBLE_EQ(olho->GetAreaRegiao(1), 1.0322);
  EXPECT_DOUBLE_EQ(olho->GetAreaRegiao(2), 1.2114);
  EXPECT_DOUBLE_EQ(olho->GetAreaTotal(), 1.0322 + 1.2114);
  for (int32_t n : {0, -1, 3, INT32_MIN, INT32_MAX}) {
    SCOPED_TRACE(n);
    EXPECT_DOUBLE_EQ(olho->GetAreaRegiao(n), 0.0);
  }
}

TEST_F(OlhoDeLomboTest, AntesDeProcessarOsAgregadosSaoZeroEOsDadosDoArquivoJaValem) {
  const std::string caminho = Gravar(Quadrado(120, 1));
  TProcessaOlhoDeLombro olho(caminho, nullptr);
  EXPECT_EQ(olho.GetArquivo(), caminho);
  EXPECT_EQ(olho.GetResolucao(), 300);
  EXPECT_EQ(olho.GetNumeroRegioes(), 0);
  EXPECT_DOUBLE_EQ(olho.GetAreaTotal(), 0.0);
  EXPECT_DOUBLE_EQ(olho.GetAreaRegiao(1), 0.0);
}

TEST_F(OlhoDeLomboTest, SegundoProcessarNaoAcrescentaRegiao) {
  TProcessaOlhoDeLombro olho(Gravar(Quadrado(120, 1)), nullptr);
  olho.Processar();
  olho.Processar();
  EXPECT_EQ(olho.GetRegioes().size(), 1u);
  EXPECT_DOUBLE_EQ(olho.GetAreaTotal(), 1.0322);
}

// The window keeps one processed object per image for the report: each must keep its figures,
// not its working picture, its crops or its trace list. Regression: `vector = {}` kept them all.
TEST_F(OlhoDeLomboTest, ProcessadoGuardaOsNumerosENaoAsImagens) {
#if defined(__SANITIZE_ADDRESS__)
  GTEST_SKIP() << "mallinfo2 does not see the sanitizer's allocator";
#else
  Pixels p = Branca(1200, 1200);
  for (int i = 0; i < 4; ++i) {
    Contorno(p, 10 + 290 * i, 10 + 290 * i, 280, 280, 1);
  }
  const std::string caminho = Gravar(p);
  auto EmUso = [] {
    const struct mallinfo2 m = mallinfo2();
    return m.uordblks + m.hblkhd;
  };
  // The thread's spare read buffer is a cache, not growth.
  ImagemBmp::PercorrerLinhas(
      caminho, [](const ImagemBmp&) {}, [](const LinhaBmp&) {});
  const size_t antes = EmUso();
  TProcessaOlhoDeLombro olho(caminho, nullptr);
  olho.Processar();
  ASSERT_EQ(olho.GetNumeroRegioes(), 4);
  EXPECT_LT(EmUso() - antes, size_t{16 * 1024});  // the picture alone is 1,440,000 bytes
#endif
}

TEST_F(OlhoDeLomboTest, SemResolucaoTodaAreaEZeroENadaConta) {
  const auto olho = Processado(Quadrado(120, 1), 0);
  EXPECT_EQ(olho->GetResolucao(), 0);
  ASSERT_EQ(olho->GetRegioes().size(), 1u);
  EXPECT_DOUBLE_EQ(olho->GetRegioes()[0]->GetArea(), 0.0);
  EXPECT_EQ(olho->GetNumeroRegioes(), 0);
  EXPECT_DOUBLE_EQ(olho->GetAreaTotal(), 0.0);
}

TEST_F(OlhoDeLomboTest, ArquivoDeZeroBytesNaoTemRegiao) {
  const std::string caminho = (pasta_ / "vazio.bmp").string();
  teste::Gravar(caminho, {});
  ProgressoFalso barra;
  barra.posicao = 30;
  TProcessaOlhoDeLombro olho(caminho, &barra);
  EXPECT_EQ(olho.GetResolucao(), 0);
  EXPECT_EQ(barra.max, 0);
  EXPECT_EQ(barra.posicao, 0);
  olho.Processar();
  EXPECT_TRUE(olho.GetRegioes().empty());
  EXPECT_EQ(barra.mensagens, 0);
}

TEST_F(OlhoDeLomboTest, ArquivoQueNaoCarregaFalhaSemTocarNaBarra) {
  const std::string lixo = (pasta_ / "lixo.bmp").string();
  teste::Gravar(lixo, {'X', 'Y', 1, 2, 3});
  struct Caso {
    std::string caminho;
    bool invalido;  // bad bytes rather than a file that cannot be read
  };
  for (const Caso& caso : {Caso{(pasta_ / "nao-existe.bmp").string(), false}, Caso{lixo, true}}) {
    SCOPED_TRACE(caso.caminho);
    ProgressoFalso barra;
    barra.posicao = 42;
    barra.max = 9;
    if (caso.invalido) {
      EXPECT_THROW(TProcessaOlhoDeLombro olho(caso.caminho, &barra), ErroBitmapInvalido);
    } else {
      EXPECT_THROW(TProcessaOlhoDeLombro olho(caso.caminho, &barra), ErroArquivo);
    }
    EXPECT_EQ(barra.posicao, 42);
    EXPECT_EQ(barra.max, 9);
    EXPECT_TRUE(barra.posicoes.empty());
    EXPECT_EQ(barra.mensagens, 0);
  }
}

// ---------------------------------------------------------------------------------------------
// Progress: reset by the constructor, moved only forward by the seed searches, one message
// pass per row scanned.

TEST_F(OlhoDeLomboTest, BarraNumaImagemBrancaDeMilLinhas) {
  ProgressoFalso barra;
  barra.posicao = 77;
  TProcessaOlhoDeLombro olho(Gravar(Branca(3, 1000)), &barra);
  EXPECT_EQ(barra.max, 200);
  EXPECT_EQ(barra.posicao, 0);
  barra.posicoes.clear();
  olho.Processar();
  ASSERT_EQ(barra.posicoes.size(), 1000u);
  EXPECT_EQ(barra.posicoes.front(), 100);
  EXPECT_TRUE(std::is_sorted(barra.posicoes.begin(), barra.posicoes.end()));
  EXPECT_EQ(barra.posicoes.back(), 199);
  EXPECT_EQ(barra.mensagens, 1000);
}

TEST_F(OlhoDeLomboTest, BarraNuncaRecuaEComRegioesTerminaNaUltimaLinha) {
  Pixels p = Branca(60, 95);
  Contorno(p, 2, 3, 20, 20, 1);
  Contorno(p, 30, 1, 10, 50, 2);
  p[70][5] = 0;
  p[94][59] = 0;  // a seed on the last row
  ProgressoFalso barra;
  barra.min = 4;
  TProcessaOlhoDeLombro olho(Gravar(p), &barra);
  EXPECT_EQ(barra.posicao, 4);
  EXPECT_EQ(barra.max, 18);
  olho.Processar();
  EXPECT_EQ(olho.GetRegioes().size(), 4u);
  EXPECT_TRUE(std::is_sorted(barra.posicoes.begin(), barra.posicoes.end()));
  EXPECT_EQ(barra.posicoes[1], 9);  // the first row scanned
  EXPECT_EQ(barra.posicoes.back(), 9 + 94 / 10);
  EXPECT_GE(barra.mensagens, 95);
}

TEST_F(OlhoDeLomboTest, BarraComMenosDeDezLinhasFicaEmZero) {
  ProgressoFalso barra;
  barra.posicao = 5;
  const auto olho = Processado(teste::DeArte({"#..", "...", ".#."}), kPpm300, &barra);
  EXPECT_EQ(barra.max, 0);
  for (int p : barra.posicoes) {
    EXPECT_EQ(p, 0);
  }
}

// ---------------------------------------------------------------------------------------------

// A one-pixel serpentine over the whole picture: one edge as long as half the picture, traced
// without any call depth. Each white row between the ink rows is reached from one side up to
// its connecting pixel: (altura − 1) / 2 rows of (largura − 1) pixels.
TEST_F(OlhoDeLomboTest, ContornoDoTamanhoDaImagemNaoDependeDaPilha) {
  const int lado = 801;
  Pixels p = Branca(lado, lado);
  for (int y = 0; y < lado; ++y) {
    for (int x = 0; x < lado; ++x) {
      const bool conecta = (y % 4 == 1 && x == lado - 1) || (y % 4 == 3 && x == 0);
      if (y % 2 == 0 || conecta) {
        p[size_t(y)][size_t(x)] = 0;
      }
    }
  }
  const auto olho = Processado(p, kPpm254);
  ASSERT_EQ(olho->GetRegioes().size(), 1u);
  const TLimites caixa = olho->GetRegioes()[0]->GetLimites();
  EXPECT_EQ(caixa.Direita, lado - 1);
  EXPECT_EQ(caixa.Base, lado - 1);
  const int naoAlcancados = lado * lado - (lado - 1) / 2 * (lado - 1);
  EXPECT_NEAR(olho->GetRegioes()[0]->GetArea(), naoAlcancados * 0.0001, 1e-9);
}

// ---------------------------------------------------------------------------------------------
// Cross-check against a plain reimplementation on colour values: the seed search restarts at
// row 0 every time, the trace is a breadth-first flood, the scans walk columns directly.

struct RegiaoReferencia {
  TLimites caixa;
  double area;
};

std::vector<RegiaoReferencia> Referencia(Pixels p, int32_t dpi) {
  const int altura = int(p.size());
  const int largura = altura ? int(p[0].size()) : 0;
  auto dentro = [&](int x, int y) { return x >= 0 && y >= 0 && x < largura && y < altura; };
  auto tocaFundo = [&](int x, int y) {
    for (int dy = -1; dy <= 1; ++dy) {
      for (int dx = -1; dx <= 1; ++dx) {
        if ((dx || dy) && dentro(x + dx, y + dy) && p[size_t(y + dy)][size_t(x + dx)] == clWhite) {
          return true;
        }
      }
    }
    return false;
  };
  std::vector<RegiaoReferencia> regioes;
  for (;;) {
    int sx = -1;
    int sy = -1;
    for (int y = 0; y < altura && sx < 0; ++y) {
      for (int x = 0; x < largura && sx < 0; ++x) {
        if (p[size_t(y)][size_t(x)] != clWhite) {
          sx = x;
          sy = y;
        }
      }
    }
    if (sx < 0) {
      return regioes;
    }
    TLimites c{sx, sy, sx, sy};
    std::deque<std::pair<int, int>> fila{{sx, sy}};
    p[size_t(sy)][size_t(sx)] = clRed;
    while (!fila.empty()) {
      const auto [x, y] = fila.front();
      fila.pop_front();
      c = {std::min(c.Esquerda, x), std::min(c.Topo, y), std::max(c.Direita, x),
           std::max(c.Base, y)};
      for (int dy = -1; dy <= 1; ++dy) {
        for (int dx = -1; dx <= 1; ++dx) {
          const int qx = x + dx;
          const int qy = y + dy;
          if (dentro(qx, qy) && p[size_t(qy)][size_t(qx)] != clWhite &&
              p[size_t(qy)][size_t(qx)] != clRed && tocaFundo(qx, qy)) {
            p[size_t(qy)][size_t(qx)] = clRed;
            fila.push_back({qx, qy});
          }
        }
      }
    }
    const int h = c.Base - c.Topo + 1;
    const int w = c.Direita - c.Esquerda + 1;
    Pixels r(size_t(h), std::vector<uint32_t>(size_t(w), clWhite));
    for (int y = 0; y < h; ++y) {
      for (int x = 0; x < w; ++x) {
        r[size_t(y)][size_t(x)] =
            p[size_t(y + c.Topo)][size_t(x + c.Esquerda)] == clRed ? clRed : clWhite;
        p[size_t(y + c.Topo)][size_t(x + c.Esquerda)] = clWhite;
      }
    }
    long alcancados = 0;
    auto pinta = [&](int x, int y) {
      if (r[size_t(y)][size_t(x)] != clWhite) {
        return false;
      }
      r[size_t(y)][size_t(x)] = clGreen;
      ++alcancados;
      return true;
    };
    for (int y = 0; y < h; ++y) {
      for (int x = 0; x < w && pinta(x, y); ++x) {
      }
    }
    for (int y = 0; y < h; ++y) {
      for (int x = w - 1; x >= 0 && pinta(x, y); --x) {
      }
    }
    for (int x = 0; x < w; ++x) {
      for (int y = 0; y < h && pinta(x, y); ++y) {
      }
    }
    for (int x = 0; x < w; ++x) {
      for (int y = h - 1; y >= 0 && pinta(x, y); --y) {
      }
    }
    const double caixa = PixelsParaCm(h, dpi) * PixelsParaCm(w, dpi);
    const double parcela = double(alcancados) * 100.0 / (double(h) * double(w));
    regioes.push_back({c, TruncarCasas(4, (100.0 - parcela) / 100.0 * caixa)});
  }
}

TEST_F(OlhoDeLomboTest, ConfereComReimplementacaoSimplesEmImagensAleatorias) {
  std::mt19937 gerador(20261211);
  // Mostly black, some exactly red, green and one step short of white.
  const uint32_t tintas[] = {0, 0, 0, 0, 0, clRed, clGreen, 0xFEFFFF};
  for (int caso = 0; caso < 150; ++caso) {
    const int largura = 1 + int(gerador() % 24);
    const int altura = 1 + int(gerador() % 24);
    const unsigned densidade = 10 + gerador() % 60;  // percent of ink
    Pixels p = Branca(largura, altura);
    for (auto& linha : p) {
      for (auto& cor : linha) {
        if (gerador() % 100 < densidade) {
          cor = tintas[gerador() % 8];
        }
      }
    }
    const bool umDpi = caso % 2 == 0;
    SCOPED_TRACE("caso " + std::to_string(caso));
    const auto esperadas = Referencia(p, umDpi ? 1 : 254);
    const auto olho = Processado(p, umDpi ? kPpm1 : kPpm254);
    const auto& regioes = olho->GetRegioes();
    ASSERT_EQ(regioes.size(), esperadas.size());
    double soma = 0;
    int contadas = 0;
    for (size_t i = 0; i < regioes.size(); ++i) {
      const TLimites& a = regioes[i]->GetLimites();
      const TLimites& b = esperadas[i].caixa;
      ASSERT_EQ(std::tie(a.Esquerda, a.Topo, a.Direita, a.Base),
                std::tie(b.Esquerda, b.Topo, b.Direita, b.Base))
          << "região " << i + 1;
      ASSERT_DOUBLE_EQ(regioes[i]->GetArea(), esperadas[i].area) << "região " << i + 1;
      // A region's area never exceeds its box.
      const int32_t dpi = olho->GetResolucao();
      EXPECT_LE(regioes[i]->GetArea(), PixelsParaCm(a.Base - a.Topo + 1, dpi) *
                                           PixelsParaCm(a.Direita - a.Esquerda + 1, dpi));
      if (regioes[i]->GetArea() >= 1.0) {
        soma += regioes[i]->GetArea();
        ++contadas;
        EXPECT_DOUBLE_EQ(olho->GetAreaRegiao(contadas), regioes[i]->GetArea());
      }
    }
    // The counted regions add up to the total.
    EXPECT_EQ(olho->GetNumeroRegioes(), contadas);
    EXPECT_DOUBLE_EQ(olho->GetAreaTotal(), soma);
  }
}

// A bottom-up 32-bit BI_RGB file of the same picture.
std::vector<uint8_t> Bmp32(const Pixels& p, int32_t pixelsPorMetro) {
  const uint32_t h = uint32_t(p.size());
  const uint32_t w = uint32_t(p[0].size());
  std::vector<uint8_t> b(54 + size_t(4) * w * h, 0);
  b[0] = 'B';
  b[1] = 'M';
  teste::Poe32(b, 2, uint32_t(b.size()));
  teste::Poe32(b, 10, 54);
  teste::Poe32(b, 14, 40);
  teste::Poe32(b, 18, w);
  teste::Poe32(b, 22, h);
  b[26] = 1;
  b[28] = 32;
  teste::Poe32(b, 38, uint32_t(pixelsPorMetro));
  teste::Poe32(b, 42, uint32_t(pixelsPorMetro));
  for (uint32_t y = 0; y < h; ++y) {
    for (uint32_t x = 0; x < w; ++x) {
      const uint32_t c = p[y][x];
      uint8_t* q = b.data() + 54 + 4 * (size_t(w) * (h - 1 - y) + x);
      q[0] = uint8_t(c >> 16);
      q[1] = uint8_t(c >> 8);
      q[2] = uint8_t(c);
    }
  }
  return b;
}

// A 32-bit file reaches the segmentation as colours, not as 24-bit bytes: its rows must count
// their ink the same way, or the seed search would skip rows that still hold some.
TEST_F(OlhoDeLomboTest, ArquivoDe32BitsDaAsMesmasRegioesQueODe24) {
  std::mt19937 gerador(7);
  const uint32_t tintas[] = {0, clRed, 0xFEFFFF};
  for (int caso = 0; caso < 40; ++caso) {
    const int largura = 1 + int(gerador() % 40);
    const int altura = 1 + int(gerador() % 40);
    Pixels p = Branca(largura, altura);
    for (auto& linha : p) {
      for (auto& cor : linha) {
        if (gerador() % 100 < 30) {
          cor = tintas[gerador() % 3];
        }
      }
    }
    SCOPED_TRACE("caso " + std::to_string(caso));
    const auto de24 = Processado(p, kPpm254);
    const std::string caminho = (pasta_ / ("b32_" + std::to_string(caso) + ".bmp")).string();
    teste::Gravar(caminho, Bmp32(p, kPpm254));
    TProcessaOlhoDeLombro de32(caminho, nullptr);
    de32.Processar();
    ASSERT_EQ(de32.GetRegioes().size(), de24->GetRegioes().size());
    for (size_t i = 0; i < de24->GetRegioes().size(); ++i) {
      const TLimites& a = de32.GetRegioes()[i]->GetLimites();
      const TLimites& b = de24->GetRegioes()[i]->GetLimites();
      EXPECT_EQ(std::tie(a.Esquerda, a.Topo, a.Direita, a.Base),
                std::tie(b.Esquerda, b.Topo, b.Direita, b.Base));
      EXPECT_DOUBLE_EQ(de32.GetRegioes()[i]->GetArea(), de24->GetRegioes()[i]->GetArea());
    }
  }
}

}  // namespace
}  // namespace velmo

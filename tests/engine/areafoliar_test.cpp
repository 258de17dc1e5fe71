#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "AreaFoliar.h"
#include "bmp_teste.h"
#include "cmdContagem.h"
#include "erros.h"

namespace velmo {
namespace {

using teste::Pixels;

constexpr uint32_t kPreto = 0x000000;
constexpr uint32_t kBranco = 0xFFFFFF;
// biXPelsPerMeter 39 reads as 1 dpi: one pixel is 2.54 cm × 2.54 cm, so areas show pixel counts.
constexpr int32_t kUmDpi = 39;
constexpr double kCm2PorPixel = 2.54 * 2.54;

TAreaFoliar Medir(const teste::PastaTemporaria& pasta, const std::vector<uint8_t>& bmp,
                  Progresso* progresso = nullptr) {
  const auto caminho = pasta / "folha.bmp";
  teste::Gravar(caminho, bmp);
  return TAreaFoliar(caminho.string(), progresso);
}

// An 8-bit palette file of the same picture; every colour of `p` must be in `paleta`.
std::vector<uint8_t> Bmp8(const Pixels& p, const std::vector<uint32_t>& paleta,
                          int32_t pixelsPorMetro) {
  const uint32_t h = uint32_t(p.size());
  const uint32_t w = h ? uint32_t(p[0].size()) : 0;
  const uint32_t passo = (w + 3) / 4 * 4;
  const uint32_t inicio = 54 + 4 * uint32_t(paleta.size());
  std::vector<uint8_t> b(inicio + size_t(passo) * h, 0);
  b[0] = 'B';
  b[1] = 'M';
  teste::Poe32(b, 2, uint32_t(b.size()));
  teste::Poe32(b, 10, inicio);
  teste::Poe32(b, 14, 40);
  teste::Poe32(b, 18, w);
  teste::Poe32(b, 22, h);
  b[26] = 1;
  b[28] = 8;
  teste::Poe32(b, 38, uint32_t(pixelsPorMetro));
  teste::Poe32(b, 42, uint32_t(pixelsPorMetro));
  teste::Poe32(b, 46, uint32_t(paleta.size()));
  for (size_t i = 0; i < paleta.size(); ++i) {
    b[54 + 4 * i] = uint8_t(paleta[i] >> 16);
    b[54 + 4 * i + 1] = uint8_t(paleta[i] >> 8);
    b[54 + 4 * i + 2] = uint8_t(paleta[i]);
  }
  for (uint32_t y = 0; y < h; ++y) {
    for (uint32_t x = 0; x < w; ++x) {
      const auto i = std::find(paleta.begin(), paleta.end(), p[y][x]) - paleta.begin();
      b[inicio + size_t(passo) * (h - 1 - y) + x] = uint8_t(i);
    }
  }
  return b;
}

// Painted and still-white pixel counts, straight from the row rule: keep the columns L and R of
// the two latest non-white pixels; whenever R − L ≤ 21, paint the pixels between them red.
struct Contagem {
  int64_t pintados = 0;
  int64_t brancos = 0;
};
Contagem ContarAMao(Pixels p) {
  Contagem c;
  for (auto& linha : p) {
    int l = -1, r = -1;
    for (int x = 0; x < int(linha.size()); ++x) {
      if (linha[x] == kBranco) {
        continue;
      }
      if (l < 0) {
        l = x;
      } else if (r < 0) {
        r = x;
      } else {
        l = r;
        r = x;
      }
      if (l >= 0 && r >= 0 && r - l <= 21) {
        for (int i = l + 1; i < r; ++i) {
          linha[i] = clRed;
          ++c.pintados;
        }
      }
    }
    c.brancos += std::count(linha.begin(), linha.end(), kBranco);
  }
  return c;
}

void EsperarContagens(const TAreaFoliar& a, int64_t pixels, int64_t pintados, int64_t brancos) {
  EXPECT_NEAR(a.GetAreaTotal(), double(pixels) * kCm2PorPixel, 1e-9);
  EXPECT_NEAR(a.GetAreaCorrigida(), double(pintados) * kCm2PorPixel, 1e-9);
  EXPECT_NEAR(a.GetAreaIgnorada(), double(brancos) * kCm2PorPixel, 1e-9);
  EXPECT_NEAR(a.GetAreaCoberta(), double(pixels - brancos) * kCm2PorPixel, 1e-9);
}

std::string Repete(char c, int n) {
  return std::string(size_t(n), c);
}

struct CasoLinhas {
  const char* nome;
  std::vector<std::string> arte;  // '.' white, 'f' 0xFEFFFF, 'R' red, '#' black
  int64_t pintados;
  int64_t brancos;  // after filling
};

class PreencherFalhasTest : public testing::TestWithParam<CasoLinhas> {};

TEST_P(PreencherFalhasTest, PintaSoFalhasCurtasEntreFolha) {
  const auto& caso = GetParam();
  const Pixels p = teste::DeArte(caso.arte);
  teste::PastaTemporaria pasta;
  const TAreaFoliar a = Medir(pasta, teste::Bmp24(p, kUmDpi));
  EXPECT_EQ(a.GetResolucao(), 1);
  EsperarContagens(a, int64_t(p.size() * p[0].size()), caso.pintados, caso.brancos);
}

INSTANTIATE_TEST_SUITE_P(
    Linhas, PreencherFalhasTest,
    testing::Values(
        CasoLinhas{"tres_entre_duas_folhas", {"..#...#."}, 3, 3},
        CasoLinhas{"brancos_isolados", {"#.#.#"}, 2, 0},
        CasoLinhas{"falha_de_20_preenche", {"#" + Repete('.', 20) + "#"}, 20, 0},
        CasoLinhas{"falha_de_21_fica", {"#" + Repete('.', 21) + "#"}, 0, 21},
        CasoLinhas{"falhas_de_21_e_20_lado_a_lado",
                   {"#" + Repete('.', 21) + "#" + Repete('.', 20) + "#"},
                   20,
                   21},
        CasoLinhas{"so_folha", {"###"}, 0, 0},
        CasoLinhas{"varias_falhas_na_linha", {"#..#...#.#"}, 6, 0},
        CasoLinhas{"brancos_nas_bordas_ficam", {"...##..#..."}, 2, 6},
        CasoLinhas{"falha_so_na_vertical", {"..#..", ".....", "..#.."}, 0, 13},
        CasoLinhas{"um_pixel_de_largura", {"#", ".", "#", "."}, 0, 2},
        CasoLinhas{"quase_branco_e_folha", {"f..f", "ffff"}, 2, 0},
        CasoLinhas{"quase_branco_e_preto", {".f...#."}, 3, 2},
        CasoLinhas{"vermelho_e_folha", {"R.R"}, 1, 0},
        CasoLinhas{"tudo_branco", {"....", "...."}, 0, 8},
        // Long white stretches are skipped in blocks: a leaf pixel right after one must be seen.
        CasoLinhas{"folha_apos_trecho_longo",
                   {Repete('.', 37) + "#" + Repete('.', 9) + "#" + Repete('.', 16)},
                   9,
                   53}),
    [](const auto& info) { return std::string(info.param.nome); });

// Pseudo-random pictures of every width up to 41 with runs of 1 to 25 pixels, in a 24-bit and
// an 8-bit palette file, against the hand count: both ways of reading rows must agree with it.
TEST(PreencherFalhas, ArquivosDe24e8BitsConferemComAContagemAMao) {
  const std::vector<uint32_t> cores = {kBranco,  kPreto, 0xFEFFFF, 0xFFFEFF,
                                       0xFFFFFE, clRed,  0x7F7F7F};
  uint32_t semente = 12345;
  auto sorteio = [&semente](uint32_t n) {
    semente = semente * 1103515245 + 12345;
    return (semente >> 16) % n;
  };
  teste::PastaTemporaria pasta;
  for (int largura = 1; largura <= 41; ++largura) {
    SCOPED_TRACE("largura " + std::to_string(largura));
    Pixels p(7, std::vector<uint32_t>(size_t(largura)));
    for (auto& linha : p) {
      for (int x = 0; x < largura;) {
        const uint32_t cor = sorteio(2) ? kBranco : cores[1 + sorteio(uint32_t(cores.size() - 1))];
        const int fim = std::min(largura, x + 1 + int(sorteio(25)));
        for (; x < fim; ++x) {
          linha[x] = cor;
        }
      }
    }
    const Contagem esperado = ContarAMao(p);
    const int64_t pixels = 7 * int64_t(largura);
    {
      SCOPED_TRACE("24 bits");
      EsperarContagens(Medir(pasta, teste::Bmp24(p, kUmDpi)), pixels, esperado.pintados,
                       esperado.brancos);
    }
    {
      SCOPED_TRACE("8 bits");
      EsperarContagens(Medir(pasta, Bmp8(p, cores, kUmDpi)), pixels, esperado.pintados,
                       esperado.brancos);
    }
  }
}

// A picture of `largura` × `altura` black pixels in which `brancos` stay white after filling and
// `pintados` get painted: whole white rows, then a white run from the left edge, then rows of
// black pixels 21 columns apart with the 20 pixels between them white.
Pixels PorContagens(int32_t largura, int32_t altura, int64_t brancos, int64_t pintados) {
  Pixels p(size_t(altura), std::vector<uint32_t>(size_t(largura), kPreto));
  int32_t y = 0;
  for (; brancos >= largura; brancos -= largura) {
    std::fill(p[size_t(y)].begin(), p[size_t(y)].end(), kBranco);
    ++y;
  }
  if (brancos > 0) {
    std::fill_n(p[size_t(y++)].begin(), brancos, kBranco);
  }
  int32_t x = 0;  // the last black pixel before the next gap
  while (pintados > 0) {
    const int32_t falha = int32_t(std::min<int64_t>(20, pintados));
    if (x + falha + 1 >= largura) {
      ++y;
      x = 0;
      continue;
    }
    std::fill_n(p[size_t(y)].begin() + x + 1, falha, kBranco);
    x += falha + 1;
    pintados -= falha;
  }
  return p;
}

struct CasoExemplo {
  const char* nome;
  int32_t largura, altura, pixelsPorMetro;
  int64_t brancos, pintados;
  int32_t dpi;
  double total, coberta, ignorada, corrigida;
};

class ExemploTest : public testing::TestWithParam<CasoExemplo> {};

TEST_P(ExemploTest, DaAsAreasDoExemplo) {
  const auto& c = GetParam();
  const Pixels p = PorContagens(c.largura, c.altura, c.brancos, c.pintados);
  ASSERT_EQ(ContarAMao(p).brancos, c.brancos);
  ASSERT_EQ(ContarAMao(p).pintados, c.pintados);
  teste::PastaTemporaria pasta;
  const TAreaFoliar a = Medir(pasta, teste::Bmp24(p, c.pixelsPorMetro));
  EXPECT_EQ(a.GetResolucao(), c.dpi);
  EXPECT_EQ(a.GetAreaTotal(), c.total);
  EXPECT_EQ(a.GetAreaCoberta(), c.coberta);
  EXPECT_EQ(a.GetAreaIgnorada(), c.ignorada);
  EXPECT_EQ(a.GetAreaCorrigida(), c.corrigida);
}

// Figures worked out by hand: 1000 × 500 at 254 dpi is 10 cm × 5 cm; an A4 page at 300 dpi is
// 623.6431971555… cm², of which 3,218,848 / 8,699,840 is background and 12,345 pixels filled.
INSTANTIATE_TEST_SUITE_P(
    Exemplos, ExemploTest,
    testing::Values(
        CasoExemplo{"dez_por_cinco_cm", 1000, 500, 10000, 200000, 5000, 254, 50, 30, 20, 0.5},
        CasoExemplo{"a4_300dpi", 2480, 3508, 11811, 3218848, 12345, 300, 623.6431, 392.9018,
                    230.7413, 0.8849},
        CasoExemplo{"tudo_branco_100x100", 100, 100, 11811, 10000, 0, 300, 0.7168, 0, 0.7168, 0},
        CasoExemplo{"sem_branco", 40, 30, 11811, 0, 0, 300, 0.086, 0.086, 0, 0},
        CasoExemplo{"sem_resolucao", 40, 30, 0, 300, 20, 0, 0, 0, 0, 0},
        CasoExemplo{"resolucao_negativa", 40, 30, -11811, 300, 20, -300, 0, 0, 0, 0}),
    [](const auto& info) { return std::string(info.param.nome); });

TEST(TAreaFoliar, CampoDeResolucaoVerticalNaoConta) {
  const Pixels p = PorContagens(300, 200, 20000, 600);
  teste::PastaTemporaria pasta;
  const TAreaFoliar igual = Medir(pasta, teste::Bmp24(p, 11811, 11811));
  const TAreaFoliar dobro = Medir(pasta, teste::Bmp24(p, 11811, 23622));
  EXPECT_EQ(dobro.GetResolucao(), 300);
  EXPECT_EQ(dobro.GetAreaTotal(), igual.GetAreaTotal());
  EXPECT_EQ(dobro.GetAreaCoberta(), igual.GetAreaCoberta());
  EXPECT_EQ(dobro.GetAreaIgnorada(), igual.GetAreaIgnorada());
  EXPECT_EQ(dobro.GetAreaCorrigida(), igual.GetAreaCorrigida());
}

TEST(TAreaFoliar, GuardaOCaminhoComoDado) {
  teste::PastaTemporaria pasta;
  const auto caminho = (pasta / "folha com espaço.bmp").string();
  teste::Gravar(caminho, teste::Bmp24(teste::DeArte({"#."}), 11811));
  EXPECT_EQ(TAreaFoliar(caminho, nullptr).GetArquivo(), caminho);
}

// Records every call, in order: "msg" for message processing, "max N", and positions.
class ProgressoGravado : public Progresso {
 public:
  int Min() const override { return 0; }
  int Max() const override { return max_; }
  void SetMax(int max) override {
    max_ = max;
    chamadas.push_back("max " + std::to_string(max));
  }
  int Position() const override { return posicao_; }
  void SetPosition(int posicao) override {
    posicao_ = posicao;
    chamadas.push_back(std::to_string(posicao));
  }
  void ProcessarMensagens() override { chamadas.push_back("msg"); }

  std::vector<std::string> chamadas;

 private:
  int max_ = 100;
  int posicao_ = 7;  // left over from an earlier image
};

class ProgressoTest : public testing::TestWithParam<int> {};

TEST_P(ProgressoTest, SobeUmPassoACadaDezLinhasEmCadaPassada) {
  const int altura = GetParam();
  const Pixels p(size_t(altura), teste::DeArte({"..#...#..."})[0]);
  teste::PastaTemporaria pasta;
  ProgressoGravado progresso;
  const TAreaFoliar comBarra = Medir(pasta, teste::Bmp24(p, 11811), &progresso);

  std::vector<std::string> esperado = {"0", "max " + std::to_string(altura / 10 * 2)};
  for (int y = 0; y < altura; ++y) {
    esperado.insert(esperado.end(), {"msg", std::to_string(y / 10)});
  }
  for (int y = 0; y < altura; ++y) {
    esperado.insert(esperado.end(), {"msg", std::to_string(altura / 10 + y / 10)});
  }
  EXPECT_EQ(progresso.chamadas, esperado);
  EXPECT_LE(progresso.Position(), progresso.Max());

  const TAreaFoliar semBarra = Medir(pasta, teste::Bmp24(p, 11811));
  EXPECT_EQ(semBarra.GetAreaTotal(), comBarra.GetAreaTotal());
  EXPECT_EQ(semBarra.GetAreaCoberta(), comBarra.GetAreaCoberta());
  EXPECT_EQ(semBarra.GetAreaIgnorada(), comBarra.GetAreaIgnorada());
  EXPECT_EQ(semBarra.GetAreaCorrigida(), comBarra.GetAreaCorrigida());
}

// Height 95 is the worked case: Max 18, positions 0 to 9, then 9 to 18.
INSTANTIATE_TEST_SUITE_P(Alturas, ProgressoTest, testing::Values(95, 9, 10, 1));

TEST(TAreaFoliar, Altura95VaiDe0a9EDepoisDe9a18) {
  teste::PastaTemporaria pasta;
  ProgressoGravado progresso;
  Medir(pasta, teste::Bmp24(PorContagens(5, 95, 0, 0), 11811), &progresso);
  EXPECT_EQ(progresso.Max(), 18);
  std::vector<int> posicoes;
  for (const auto& c : progresso.chamadas) {
    if (c != "msg" && c.rfind("max", 0) != 0) {
      posicoes.push_back(std::stoi(c));
    }
  }
  ASSERT_EQ(posicoes.size(), 1u + 95 + 95);
  EXPECT_EQ(posicoes[1], 0);
  EXPECT_EQ(posicoes[95], 9);
  EXPECT_EQ(posicoes[96], 9);
  EXPECT_EQ(posicoes[190], 18);
  EXPECT_TRUE(std::is_sorted(posicoes.begin() + 1, posicoes.end()));
}

struct CasoSemPixels {
  const char* nome;
  std::vector<uint8_t> bytes;
};

std::vector<uint8_t> ComLargura(std::vector<uint8_t> b, uint32_t largura) {
  teste::Poe32(b, 18, largura);
  return b;
}

class SemPixelsTest : public testing::TestWithParam<CasoSemPixels> {};

TEST_P(SemPixelsTest, FalhaDizendoOArquivo) {
  teste::PastaTemporaria pasta;
  const auto caminho = (pasta / "vazia.bmp").string();
  teste::Gravar(caminho, GetParam().bytes);
  try {
    TAreaFoliar a(caminho, nullptr);
    FAIL() << "mediu uma imagem sem pixels";
  } catch (const ErroMedicao& e) {
    EXPECT_NE(std::string(e.what()).find(caminho), std::string::npos) << e.what();
  }
}

INSTANTIATE_TEST_SUITE_P(Imagens, SemPixelsTest,
                         testing::Values(CasoSemPixels{"arquivo_de_0_bytes", {}},
                                         CasoSemPixels{"zero_linhas",
                                                       ComLargura(teste::Bmp24({}, 11811), 5)}),
                         [](const auto& info) { return std::string(info.param.nome); });

TEST(TAreaFoliar, ArquivoQueFaltaPassaOErroDoCarregamento) {
  teste::PastaTemporaria pasta;
  EXPECT_THROW(TAreaFoliar((pasta / "nao-existe.bmp").string(), nullptr), ErroArquivo);
}

}  // namespace
}  // namespace velmo

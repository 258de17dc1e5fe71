#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <limits>

#include "bmp_teste.h"
#include "cmdContagem.h"

namespace velmo {
namespace {

struct CasoResolucao {
  int32_t pixelsPorMetro;
  int32_t dpi;
};

class LerResolucaoTest : public testing::TestWithParam<CasoResolucao> {};

TEST_P(LerResolucaoTest, ArredondaOCampoHorizontal) {
  const auto img = ImagemBmp::Decodificar(
      teste::Bmp24(teste::DeArte({"."}), GetParam().pixelsPorMetro, 23622), "r.bmp");
  EXPECT_EQ(LerResolucao(img), GetParam().dpi);
}

// Expected values: rounding v / 39.370079 by hand.
INSTANTIATE_TEST_SUITE_P(Campos, LerResolucaoTest,
                         testing::Values(CasoResolucao{2835, 72}, CasoResolucao{3780, 96},
                                         CasoResolucao{11811, 300}, CasoResolucao{23622, 600},
                                         CasoResolucao{47244, 1200}, CasoResolucao{94488, 2400},
                                         CasoResolucao{65535, 1665}, CasoResolucao{0, 0},
                                         CasoResolucao{10000, 254}, CasoResolucao{-11811, -300}));

TEST(LerResolucao, ArquivoVazioNaoTemResolucao) {
  EXPECT_EQ(LerResolucao(ImagemBmp::Decodificar({}, "vazio.bmp")), 0);
}

TEST(PixelsParaCm, Casos) {
  EXPECT_DOUBLE_EQ(PixelsParaCm(300, 300), 2.54);
  EXPECT_NEAR(PixelsParaCm(2480, 300), 20.997333333, 1e-9);
  EXPECT_NEAR(PixelsParaCm(3508, 300), 29.701066666, 1e-9);
  EXPECT_EQ(PixelsParaCm(100, 0), 0.0);
  EXPECT_EQ(PixelsParaCm(100, -5), 0.0);
  EXPECT_EQ(PixelsParaCm(0, 300), 0.0);
}

struct CasoCorte {
  const char* nome;
  double valor;
  double esperado;
};

class TruncarCasasTest : public testing::TestWithParam<CasoCorte> {};

TEST_P(TruncarCasasTest, CortaNaQuartaCasa) {
  EXPECT_EQ(TruncarCasas(4, GetParam().valor), GetParam().esperado);
}

INSTANTIATE_TEST_SUITE_P(
    Exemplos, TruncarCasasTest,
    testing::Values(CasoCorte{"e", 2.718281828, 2.7182},
                    CasoCorte{"menos_e", -2.718281828, -2.7182},
                    CasoCorte{"a4", 623.643197155556, 623.6431},
                    CasoCorte{"quase_12", 12.00009, 12}, CasoCorte{"inteiro", 5, 5},
                    CasoCorte{"sete", 7, 7}, CasoCorte{"sem_arredondar", 1.23456789, 1.2345},
                    CasoCorte{"negativo", -1.23456789, -1.2345},
                    CasoCorte{"abaixo_de_um_decimo_de_milesimo", 0.00009, 0},
                    CasoCorte{"um_decimo_de_milesimo", 0.0001, 0.0001},
                    CasoCorte{"um_pixel_a_300dpi", 0.0000716844, 0},
                    CasoCorte{"soma_0_1_0_2", 0.1 + 0.2, 0.3},
                    CasoCorte{"maior_double_abaixo_de_1", 0.99999999999999988898, 1},
                    CasoCorte{"quinze_digitos", 123456789012.34567, 123456789012.346},
                    CasoCorte{"enorme", 1e20, 1e20}, CasoCorte{"zero", 0, 0}),
    [](const auto& info) { return std::string(info.param.nome); });

TEST(TruncarCasas, NaoDependeDoSeparadorDoLocale) {
  const std::string anterior = std::setlocale(LC_ALL, nullptr);
  for (const char* nome : {"pt_BR.UTF-8", "en_US.UTF-8", "C"}) {
    SCOPED_TRACE(nome);
    if (!std::setlocale(LC_ALL, nome)) {
      continue;
    }
    EXPECT_EQ(TruncarCasas(4, 2.718281828), 2.7182);
    EXPECT_EQ(TruncarCasas(4, 1234.56789), 1234.5678);
  }
  std::setlocale(LC_ALL, anterior.c_str());
}

TEST(TruncarCasas, ValoresNaoFinitosVoltamComoEstao) {
  EXPECT_TRUE(std::isnan(TruncarCasas(4, std::numeric_limits<double>::quiet_NaN())));
  EXPECT_EQ(TruncarCasas(4, std::numeric_limits<double>::infinity()),
            std::numeric_limits<double>::infinity());
}

}  // namespace
}  // namespace velmo

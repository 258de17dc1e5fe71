#include <gtest/gtest.h>

#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "AreaFoliar.h"
#include "OlhoDeLombo.h"
#include "bmp_teste.h"
#include "folhas_teste.h"
#include "metodo.h"
#include "resumo.h"

namespace velmo {
namespace {

using teste::BlocoFolhaGrande;
using teste::BlocoFolhaPequena;
using teste::FolhaGrande;
using teste::FolhaPequena;
using teste::Pixels;

const FormatoNumero kPtBr{",", "."};
const FormatoNumero kEnUs{".", ","};

constexpr int32_t kPpm254 = 10000;  // one pixel is 0.01 cm × 0.01 cm = 0.0001 cm²
constexpr int32_t kPpm1 = 39;       // 1 dpi: one pixel is 2.54 cm × 2.54 cm = 6.4516 cm²

// ---------------------------------------------------------------------------------------------

struct CasoNumero {
  const char* nome;
  double valor;
  FormatoNumero formato;
  const char* esperado;
};

class FormatarNumeroTest : public testing::TestWithParam<CasoNumero> {};

TEST_P(FormatarNumeroTest, PadraoComQuatroCasas) {
  EXPECT_EQ(FormatarNumero(GetParam().valor, GetParam().formato), GetParam().esperado);
}

INSTANTIATE_TEST_SUITE_P(
    Casos, FormatarNumeroTest,
    testing::Values(
        CasoNumero{"Zero", 0.0, kPtBr, "0,0000"},
        CasoNumero{"MilEDuzentosPtBr", 1234.5, kPtBr, "1.234,5000"},
        CasoNumero{"MilEDuzentosEnUs", 1234.5, kEnUs, "1,234.5000"},
        CasoNumero{"TresGrupos", 1234567.891, kPtBr, "1.234.567,8910"},
        CasoNumero{"NovecentosNaoAgrupa", 999.5, kPtBr, "999,5000"},
        CasoNumero{"SemSeparadorDeMilhar", 1234567.5, FormatoNumero{",", ""}, "1234567,5000"},
        // Separators of several bytes, as some locales use (U+202F narrow no-break space).
        CasoNumero{"SeparadorDeVariosBytes", 1234.5, FormatoNumero{",", "\u202f"},
                   "1\u202f234,5000"},
        CasoNumero{"UmTerco", 1.0 / 3.0, kPtBr, "0,3333"},
        CasoNumero{"DoisTercosArredondaParaCima", 2.0 / 3.0, kPtBr, "0,6667"},
        // 2.00015 is stored a hair below …15; read to 15 digits it is a half and goes up.
        CasoNumero{"MeioNaQuintaCasaSobe", 2.00015, kPtBr, "2,0002"},
        // 1/32 = 0.03125 exactly: a half goes away from zero, not to the even digit.
        CasoNumero{"MeioExatoSobe", 0.03125, kPtBr, "0,0313"},
        CasoNumero{"AbaixoDoMeioDesce", 0.000049999, kPtBr, "0,0000"},
        CasoNumero{"MeioDoMenorPasso", 0.00005, kPtBr, "0,0001"},
        CasoNumero{"VaiUmAtravessaOsGrupos", 999999.99995, kPtBr, "1.000.000,0000"},
        CasoNumero{"Negativo", -1234.5, kPtBr, "-1.234,5000"},
        CasoNumero{"NegativoQueArredondaAZeroNaoTemSinal", -0.00001, kPtBr, "0,0000"},
        CasoNumero{"Grande", 1e20, kPtBr, "100.000.000.000.000.000.000,0000"},
        CasoNumero{"Infinito", 1.0 / 0.0, kPtBr, "INF"}),
    [](const auto& info) { return std::string(info.param.nome); });

// ---------------------------------------------------------------------------------------------
// Fixtures with figures worked out by hand: the leaves of folhas_teste.h and the rings below.

class ResumoTest : public testing::Test {
 protected:
  std::string Gravar(const std::string& nome, const Pixels& p, int32_t ppm) {
    const std::string caminho = (pasta_ / nome).string();
    teste::Gravar(caminho, teste::Bmp24(p, ppm));
    return caminho;
  }
  const TAreaFoliar* Folha(const std::string& nome, const Pixels& p, int32_t ppm) {
    folhas_.push_back(std::make_unique<TAreaFoliar>(Gravar(nome, p, ppm), nullptr));
    return folhas_.back().get();
  }
  const TProcessaOlhoDeLombro* Olho(const std::string& nome, const std::vector<std::string>& arte,
                                    int32_t ppm) {
    olhos_.push_back(
        std::make_unique<TProcessaOlhoDeLombro>(Gravar(nome, teste::DeArte(arte), ppm), nullptr));
    olhos_.back()->Processar();
    return olhos_.back().get();
  }

  teste::PastaTemporaria pasta_;
  std::vector<std::unique_ptr<TAreaFoliar>> folhas_;
  std::vector<std::unique_ptr<TProcessaOlhoDeLombro>> olhos_;
};

TEST_F(ResumoTest, AreaFoliarDuasImagensNaOrdem) {
  const auto* a = Folha("a.bmp", FolhaPequena(), teste::kPpmFolhaPequena);
  const auto* b = Folha("b.bmp", FolhaGrande(), teste::kPpmFolhaGrande);
  const std::string texto = MontarResumo(mtAreaFoliar, 0, {a, b}, {}, kPtBr);
  EXPECT_EQ(texto, BlocoFolhaPequena(a->GetArquivo()) + BlocoFolhaGrande(b->GetArquivo()) +
                       "# TOTALIZADORES:\n"
                       "  - Área foliar (cm²)...: 7.742,3212");
}

// The index divides the sum of the covered areas (7742.3212), never of the corrected ones.
TEST_F(ResumoTest, IndiceDeAreaFoliarComESemAreaAmostrada) {
  const auto* a = Folha("a.bmp", FolhaPequena(), teste::kPpmFolhaPequena);
  const auto* b = Folha("b.bmp", FolhaGrande(), teste::kPpmFolhaGrande);
  const std::string blocos = BlocoFolhaPequena(a->GetArquivo()) + BlocoFolhaGrande(b->GetArquivo());
  struct Caso {
    double area;
    const char* totais;
  } casos[] = {
      {3.0,
       "# TOTALIZADORES:\n"
       "  - Área foliar (cm²)...: 7.742,3212\n"
       "  - Área amostrada (cm²): 3,0000\n"
       "  - I.A.F...............: 2.580,7737"},
      {0.0,
       "# TOTALIZADORES:\n"
       "  - Área foliar (cm²)...: 7.742,3212\n"
       "  - Área amostrada (cm²): 0,0000\n"
       "  - I.A.F...............: ERRO!"},
      {-2.5,
       "# TOTALIZADORES:\n"
       "  - Área foliar (cm²)...: 7.742,3212\n"
       "  - Área amostrada (cm²): -2,5000\n"
       "  - I.A.F...............: ERRO!"},
  };
  for (const auto& c : casos) {
    SCOPED_TRACE(c.area);
    EXPECT_EQ(MontarResumo(mtIndiceAreaFoliar, c.area, {a, b}, {}, kPtBr), blocos + c.totais);
  }
}

const std::vector<std::string> kDoisAneis = {"......###", "###...#.#", "#.#...###", "###......"};
const std::vector<std::string> kUmAnel = {"###", "#.#", "###"};

// At 1 dpi each 3 × 3 ring is 9 × 6.4516 = 58.0644 cm² and counts; at 254 dpi it is 0.0009 cm²
// and does not.
TEST_F(ResumoTest, OlhoDeLomboComImagemSemRegiaoContada) {
  const auto* a = Olho("a.bmp", kDoisAneis, kPpm1);
  const auto* b = Olho("b.bmp", kUmAnel, kPpm254);
  const auto* c = Olho("c.bmp", kUmAnel, kPpm1);
  const std::string texto = MontarResumo(mtOlhoDeLombo, 0, {}, {a, b, c}, kPtBr);
  EXPECT_EQ(texto, "# Imagem: " + a->GetArquivo() +
                       "\n"
                       "  - Resolução...........: 1\n"
                       "  - Número de Imagens...: 2\n"
                       "  - Área total (cm²)....: 116,1288\n"
                       "\n"
                       "# Imagem: " +
                       b->GetArquivo() +
                       "\n"
                       "  - Resolução...........: 254\n"
                       "  - Número de Imagens...: 0\n"
                       "  - Área total (cm²)....: 0,0000\n"
                       "\n"
                       "# Imagem: " +
                       c->GetArquivo() +
                       "\n"
                       "  - Resolução...........: 1\n"
                       "  - Número de Imagens...: 1\n"
                       "  - Área total (cm²)....: 58,0644\n"
                       "\n"
                       "# TOTALIZADORES:\n"
                       "  - Número de animais...: 3,0000\n"
                       "  - A.O.L. total........: 174,1932\n"
                       "  - A.O.L. média........: 58,0644");
}

TEST_F(ResumoTest, OlhoDeLomboSemNenhumAnimalDaErroNaMedia) {
  const auto* b = Olho("b.bmp", kUmAnel, kPpm254);
  EXPECT_EQ(MontarResumo(mtOlhoDeLombo, 0, {}, {b}, kPtBr), "# Imagem: " + b->GetArquivo() +
                                                                "\n"
                                                                "  - Resolução...........: 254\n"
                                                                "  - Número de Imagens...: 0\n"
                                                                "  - Área total (cm²)....: 0,0000\n"
                                                                "\n"
                                                                "# TOTALIZADORES:\n"
                                                                "  - Número de animais...: 0,0000\n"
                                                                "  - A.O.L. total........: 0,0000\n"
                                                                "  - A.O.L. média........: ERRO!");
}

TEST(Resumo, NenhumaImagemMedidaDeixaSoOsTotais) {
  struct Caso {
    uint8_t metodo;
    double area;
    const char* texto;
  } casos[] = {
      {mtAreaFoliar, 0, "# TOTALIZADORES:\n  - Área foliar (cm²)...: 0,0000"},
      {mtIndiceAreaFoliar, 10,
       "# TOTALIZADORES:\n"
       "  - Área foliar (cm²)...: 0,0000\n"
       "  - Área amostrada (cm²): 10,0000\n"
       "  - I.A.F...............: 0,0000"},
      {mtOlhoDeLombo, 0,
       "# TOTALIZADORES:\n"
       "  - Número de animais...: 0,0000\n"
       "  - A.O.L. total........: 0,0000\n"
       "  - A.O.L. média........: ERRO!"},
  };
  for (const auto& c : casos) {
    SCOPED_TRACE(int(c.metodo));
    EXPECT_EQ(MontarResumo(c.metodo, c.area, {}, {}, kPtBr), c.texto);
  }
}

TEST_F(ResumoTest, SeparadoresDoLocaleEmTodosOsNumeros) {
  const auto* b = Folha("b.bmp", FolhaGrande(), teste::kPpmFolhaGrande);
  EXPECT_EQ(MontarResumo(mtIndiceAreaFoliar, 1234.5, {b}, {}, kEnUs),
            "# Imagem: " + b->GetArquivo() +
                "\n"
                "  - Resolução...........: 1\n"
                "  - Área total (cm²)....: 7,741.9200\n"
                "  - Área ignorada (cm²).: 0.0000\n"
                "  - Área corrigida (cm²): 0.0000\n"
                "  - Área coberta (cm²)..: 7,741.9200\n"
                "\n"
                "# TOTALIZADORES:\n"
                "  - Área foliar (cm²)...: 7,741.9200\n"
                "  - Área amostrada (cm²): 1,234.5000\n"
                "  - I.A.F...............: 6.2713");
}

// The window appends each block as it measures; its line list must match the final text.
TEST_F(ResumoTest, ConstrucaoIncrementalELinhasIguaisAoTexto) {
  TResumo resumo(mtAreaFoliar, 0, kPtBr);
  resumo.Adicionar(*Folha("a.bmp", FolhaPequena(), teste::kPpmFolhaPequena));
  ASSERT_EQ(resumo.Linhas().size(), 7u);
  EXPECT_EQ(resumo.Linhas()[5], "  - Área coberta (cm²)..: 0,4012");
  EXPECT_EQ(resumo.Linhas()[6], "");
  resumo.Adicionar(*Folha("b.bmp", FolhaGrande(), teste::kPpmFolhaGrande));
  const std::string texto = resumo.Concluir();
  EXPECT_EQ(resumo.Concluir(), texto);  // the totals are appended once
  std::string juntas;
  for (const auto& linha : resumo.Linhas()) {
    juntas += linha + "\n";
  }
  EXPECT_EQ(juntas, texto + "\n");
  EXPECT_NE(texto.back(), '\n');
  EXPECT_NE(texto.find("\n\n# TOTALIZADORES:\n"), std::string::npos);

  // Every item line has its value in column 27: 26 characters (not bytes) before it.
  for (const auto& linha : resumo.Linhas()) {
    if (linha.rfind("  - ", 0) != 0) {
      continue;
    }
    SCOPED_TRACE(linha);
    const size_t doisPontos = linha.find(": ");
    ASSERT_NE(doisPontos, std::string::npos);
    size_t caracteres = 0;
    for (size_t i = 0; i < doisPontos + 2; ++i) {
      caracteres += (static_cast<unsigned char>(linha[i]) & 0xC0) != 0x80;
    }
    EXPECT_EQ(caracteres, 26u);
  }
}

TEST_F(ResumoTest, MetodoInvalidoOuMedicaoTrocadaFalham) {
  for (uint8_t metodo : {mtNenhum, uint8_t{4}, uint8_t{255}}) {
    SCOPED_TRACE(int(metodo));
    EXPECT_THROW(TResumo(metodo, 0, kPtBr), std::invalid_argument);
  }
  const auto* folha = Folha("a.bmp", FolhaPequena(), teste::kPpmFolhaPequena);
  const auto* olho = Olho("b.bmp", kUmAnel, kPpm1);
  EXPECT_THROW(MontarResumo(mtOlhoDeLombo, 0, {folha}, {}, kPtBr), std::invalid_argument);
  EXPECT_THROW(MontarResumo(mtAreaFoliar, 0, {}, {olho}, kPtBr), std::invalid_argument);
  TResumo concluido(mtAreaFoliar, 0, kPtBr);
  concluido.Concluir();
  EXPECT_THROW(concluido.Adicionar(*folha), std::invalid_argument);
}

TEST(Aparar, TiraBrancosEControlesDasPontasSoDelas) {
  EXPECT_EQ(Aparar(" \t\r\n a\n\nb \n"), "a\n\nb");
  EXPECT_EQ(Aparar("Área²"), "Área²");
  EXPECT_EQ(Aparar("\n\n"), "");
}

}  // namespace
}  // namespace velmo

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "bmp_teste.h"
#include "erros.h"
#include "listaimagens.h"

namespace velmo {
namespace {

using Lista = std::vector<std::string>;

struct CasoAdicionar {
  const char* nome;
  Lista antes, novas, depois;
};

class AdicionarImagensTest : public testing::TestWithParam<CasoAdicionar> {};

TEST_P(AdicionarImagensTest, SoEntraOQueNaoEstaNaLista) {
  Lista lista = GetParam().antes;
  AdicionarImagens(lista, GetParam().novas);
  EXPECT_EQ(lista, GetParam().depois);
  for (const auto& caminho : GetParam().depois) {
    EXPECT_TRUE(ImagemNaLista(lista, caminho)) << caminho;
  }
}

INSTANTIATE_TEST_SUITE_P(
    Casos, AdicionarImagensTest,
    testing::Values(
        CasoAdicionar{"ListaVazia", {}, {"/a/x.bmp", "/a/y.bmp"}, {"/a/x.bmp", "/a/y.bmp"}},
        CasoAdicionar{"JaListadosNaoEntram",
                      {"/a/x.bmp", "/a/y.bmp"},
                      {"/a/y.bmp", "/a/x.bmp"},
                      {"/a/x.bmp", "/a/y.bmp"}},
        CasoAdicionar{"MisturaEntraDepoisDosAntigos",
                      {"/a/x.bmp"},
                      {"/a/z.bmp", "/a/x.bmp", "/a/w.bmp"},
                      {"/a/x.bmp", "/a/z.bmp", "/a/w.bmp"}},
        CasoAdicionar{
            "RepetidoNaPropriaListaEntraUmaVez", {}, {"/a/x.bmp", "/a/x.bmp"}, {"/a/x.bmp"}},
        // Only equal bytes are the same path: case, doubled separators and "./" all differ.
        CasoAdicionar{"CaixaESeparadoresContam",
                      {"/img/a.bmp"},
                      {"/IMG/A.BMP", "/img//a.bmp", "/img/./a.bmp", "/img/a.bmp"},
                      {"/img/a.bmp", "/IMG/A.BMP", "/img//a.bmp", "/img/./a.bmp"}},
        CasoAdicionar{"NadaANovo", {"/a/x.bmp"}, {}, {"/a/x.bmp"}}),
    [](const auto& info) { return std::string(info.param.nome); });

TEST(ImagemNaLista, ComparaBytesExatos) {
  const Lista lista = {"/a/Ação.bmp", "/a/b.bmp"};
  EXPECT_TRUE(ImagemNaLista(lista, "/a/Ação.bmp"));
  EXPECT_FALSE(ImagemNaLista(lista, "/a/AÇÃO.bmp"));
  EXPECT_FALSE(ImagemNaLista(lista, "/a/b.bmp "));
  EXPECT_FALSE(ImagemNaLista({}, ""));
}

class BuscarImagensTest : public testing::Test {
 protected:
  void Arquivo(const std::string& nome) { teste::Gravar(pasta_ / nome, {'B', 'M'}); }

  teste::PastaTemporaria pasta_;
};

TEST_F(BuscarImagensTest, NomesBmpEmQualquerCaixaOrdenadosPorByte) {
  for (const char* nome : {"b.bmp", "A.BMP", ".oculto.bmp", "c.Bmp", "Ção.bmp", "nota.txt", "bmp",
                           "x.bmpx", "a.bmp.txt", ".bmp"}) {
    Arquivo(nome);
  }
  // A folder named like a BMP file is an entry; what is inside it is not searched.
  std::filesystem::create_directory(pasta_ / "pasta.bmp");
  teste::Gravar(pasta_ / "pasta.bmp" / "dentro.bmp", {'B', 'M'});
  std::filesystem::create_directory(pasta_ / "sub");
  teste::Gravar(pasta_ / "sub" / "fundo.bmp", {'B', 'M'});

  const std::string d = pasta_.Caminho().string();
  EXPECT_EQ(BuscarImagensNaPasta(d),
            (Lista{d + "/.bmp", d + "/.oculto.bmp", d + "/A.BMP", d + "/b.bmp", d + "/c.Bmp",
                   d + "/pasta.bmp", d + "/Ção.bmp"}));
}

TEST_F(BuscarImagensTest, PastaSemBmpNadaEUniaoSemOlharOSeparador) {
  EXPECT_TRUE(BuscarImagensNaPasta(pasta_.Caminho().string()).empty());
  Arquivo("a.bmp");
  const std::string comBarra = pasta_.Caminho().string() + "/";
  EXPECT_EQ(BuscarImagensNaPasta(comBarra), Lista{comBarra + "/a.bmp"});
}

TEST_F(BuscarImagensTest, PastaQueNaoSeLeFalhaDizendoPorque) {
  Arquivo("a.bmp");
  struct Caso {
    std::string pasta, motivo;
  } casos[] = {
      {(pasta_ / "falta").string(), "a pasta não existe"},
      {(pasta_ / "a.bmp").string(), "não é uma pasta"},
  };
  for (const auto& c : casos) {
    SCOPED_TRACE(c.pasta);
    try {
      BuscarImagensNaPasta(c.pasta);
      ADD_FAILURE() << "sem erro";
    } catch (const ErroArquivo& e) {
      EXPECT_EQ(std::string(e.what()),
                "Não foi possível ler a pasta \"" + c.pasta + "\": " + c.motivo + ".");
    }
  }
}

}  // namespace
}  // namespace velmo

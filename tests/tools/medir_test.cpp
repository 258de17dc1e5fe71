#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "bmp_teste.h"
#include "folhas_teste.h"

namespace velmo {
namespace {

using teste::Pixels;
using Textos = std::vector<std::string>;

constexpr int32_t kPpm254 = 10000;  // one pixel is 0.0001 cm²
constexpr int32_t kPpm1 = 39;       // 1 dpi: one pixel is 6.4516 cm²

std::string Ler(const std::filesystem::path& caminho) {
  std::ifstream f(caminho, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(f), std::istreambuf_iterator<char>());
}

struct Execucao {
  int status = -1;
  std::string saida;
  std::string erros;
};

// Runs velmo-medir with exactly `ambiente` as its environment, no shell in between.
Execucao Rodar(const Textos& argumentos, const Textos& ambiente = {"LC_ALL=pt_BR.UTF-8"}) {
  static int contador = 0;
  const auto base = std::filesystem::temp_directory_path() /
                    ("velmo-medir-" + std::to_string(getpid()) + "-" + std::to_string(contador++));
  const std::string saida = base.string() + ".out";
  const std::string erros = base.string() + ".err";

  std::vector<std::string> args{VELMO_MEDIR};
  args.insert(args.end(), argumentos.begin(), argumentos.end());
  std::vector<char*> argv;
  for (auto& a : args) {
    argv.push_back(a.data());
  }
  argv.push_back(nullptr);
  Textos env = ambiente;
  std::vector<char*> envp;
  for (auto& e : env) {
    envp.push_back(e.data());
  }
  envp.push_back(nullptr);

  posix_spawn_file_actions_t acoes;
  posix_spawn_file_actions_init(&acoes);
  posix_spawn_file_actions_addopen(&acoes, 1, saida.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
  posix_spawn_file_actions_addopen(&acoes, 2, erros.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
  pid_t pid = 0;
  Execucao r;
  if (posix_spawn(&pid, VELMO_MEDIR, &acoes, nullptr, argv.data(), envp.data()) == 0) {
    int estado = 0;
    waitpid(pid, &estado, 0);
    r.status = WIFEXITED(estado) ? WEXITSTATUS(estado) : 128 + WTERMSIG(estado);
  }
  posix_spawn_file_actions_destroy(&acoes);
  r.saida = Ler(saida);
  r.erros = Ler(erros);
  std::filesystem::remove(saida);
  std::filesystem::remove(erros);
  return r;
}

std::vector<uint8_t> FolhaPequena() {
  return teste::Bmp24(teste::FolhaPequena(), teste::kPpmFolhaPequena);
}

std::vector<uint8_t> FolhaGrande() {
  return teste::Bmp24(teste::FolhaGrande(), teste::kPpmFolhaGrande);
}

std::string Aviso(const std::string& caminho) {
  return "O arquivo \"" + caminho + "\" não é um bitmap válido e será ignorado!\n";
}

class MedirTest : public testing::Test {
 protected:
  std::string Arquivo(const std::string& nome, const std::vector<uint8_t>& bytes) {
    const auto caminho = pasta_ / nome;
    std::filesystem::create_directories(caminho.parent_path());
    teste::Gravar(caminho, bytes);
    return caminho.string();
  }
  std::string D() const { return pasta_.Caminho().string(); }

  teste::PastaTemporaria pasta_;
};

// A folder gives its .bmp entries in byte order (not those of subfolders); "d/" lists "d/x";
// a path equal to one listed is not added again; bad files are skipped with the window's warning
// in list order, and the status says something was skipped.
TEST_F(MedirTest, PastaRepetidosEArquivosIgnorados) {
  const std::string b = Arquivo("imgs/b.bmp", FolhaPequena());
  const std::string a = Arquivo("imgs/A.BMP", FolhaGrande());
  const std::string ruim = Arquivo("imgs/c-ruim.bmp", {'B', 'M', 1, 2, 3});
  Arquivo("imgs/nota.txt", FolhaPequena());
  Arquivo("imgs/sub/d.bmp", FolhaPequena());
  const std::string falta = D() + "/falta.bmp";

  const auto r = Rodar({"--metodo", "1", D() + "/imgs/", b, falta, D() + "/imgs", a});
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.saida, teste::BlocoFolhaGrande(a) + teste::BlocoFolhaPequena(b) +
                         "# TOTALIZADORES:\n"
                         "  - Área foliar (cm²)...: 7.742,3212\n");
  EXPECT_EQ(r.erros, Aviso(ruim) + Aviso(falta));
}

TEST_F(MedirTest, StatusDaExecucao) {
  const std::string boa = Arquivo("boa.bmp", FolhaPequena());
  const std::string vazia = Arquivo("vazia.bmp", {});
  const std::string texto = Arquivo("texto.bmp", {'o', 'i'});
  const std::string vazio = (pasta_ / "vazio").string();
  std::filesystem::create_directory(vazio);
  struct Caso {
    const char* nome;
    Textos argumentos;
    int status;
    std::string erros;
  } casos[] = {
      {"TudoMedido", {"--metodo", "af", boa}, 0, ""},
      {"PastaSemBmpNaoEhErro", {"--metodo", "af", vazio}, 0, ""},
      {"NaoCarrega", {"--metodo", "af", boa, texto}, 1, Aviso(texto)},
      {"NaoCarregaNoOlhoDeLombo", {"--metodo", "aol", texto}, 1, Aviso(texto)},
      // Loads as a picture of 0 × 0 pixels; the measurement's own error says why.
      {"FalhaDepoisDeCarregar",
       {"--metodo", "af", vazia},
       1,
       "Não é possível medir a imagem \"" + vazia +
           "\": ela não tem pixels (largura 0 × altura 0).\n"},
  };
  for (const auto& c : casos) {
    SCOPED_TRACE(c.nome);
    const auto r = Rodar(c.argumentos);
    EXPECT_EQ(r.status, c.status);
    EXPECT_EQ(r.erros, c.erros);
    EXPECT_TRUE(r.saida.starts_with("# ")) << r.saida;
    EXPECT_TRUE(r.saida.ends_with("\n") && !r.saida.ends_with("\n\n")) << r.saida;
  }
}

TEST_F(MedirTest, NenhumaImagemMedidaDaSoOsTotais) {
  const std::string texto = Arquivo("texto.bmp", {'o', 'i'});
  const auto r = Rodar({"--metodo", "3", texto});
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.saida,
            "# TOTALIZADORES:\n"
            "  - Número de animais...: 0,0000\n"
            "  - A.O.L. total........: 0,0000\n"
            "  - A.O.L. média........: ERRO!\n");
}

TEST_F(MedirTest, ErrosDeUso) {
  const std::string boa = Arquivo("boa.bmp", FolhaPequena());
  const std::string aviso =
      "Para calcular o Índice de Área Folhada, deve-se informar um valor válido para a área "
      "amostrada em cm²!";
  struct Caso {
    const char* nome;
    Textos argumentos;
    std::string mensagem;
  } casos[] = {
      {"SemArgumentos", {}, "velmo-medir: falta a opção --metodo."},
      {"SemMetodo", {boa}, "velmo-medir: falta a opção --metodo."},
      {"MetodoInvalido",
       {"--metodo", "4", boa},
       "velmo-medir: método inválido: \"4\" (use 1, 2, 3, af, iaf ou aol)."},
      {"MetodoSemValor", {boa, "--metodo"}, "velmo-medir: falta o valor da opção --metodo."},
      {"SemCaminho", {"--metodo", "1"}, "velmo-medir: nenhum CAMINHO informado."},
      {"OpcaoDesconhecida",
       {"--metodo", "1", "-x", boa},
       "velmo-medir: opção desconhecida: \"-x\"."},
      {"TarefasZero",
       {"--metodo", "1", "--tarefas", "0", boa},
       "velmo-medir: número de tarefas inválido: \"0\" (use um inteiro de 1 a 1024)."},
      {"TarefasTexto",
       {"--metodo", "1", "--tarefas=2x", boa},
       "velmo-medir: número de tarefas inválido: \"2x\" (use um inteiro de 1 a 1024)."},
      {"IafSemArea", {"--metodo", "2", boa}, aviso},
      {"IafAreaZero", {"--metodo", "iaf", "--area-amostrada", "0,000", boa}, aviso},
      // The separator of pt_BR is the comma: "12.5" does not read as a number, so it is 0.
      {"IafPontoNoLocaleDaVirgula", {"--metodo", "2", "--area-amostrada", "12.5", boa}, aviso},
      {"IafDoisSeparadores", {"--metodo", "2", "--area-amostrada", "1,2,3", boa}, aviso},
      {"IafNegativa", {"--metodo", "2", "--area-amostrada=-5", boa}, aviso},
  };
  for (const auto& c : casos) {
    SCOPED_TRACE(c.nome);
    const auto r = Rodar(c.argumentos);
    EXPECT_EQ(r.status, 2);
    EXPECT_EQ(r.saida, "");
    EXPECT_TRUE(r.erros.starts_with(c.mensagem + "\n\nUso: velmo-medir --metodo N")) << r.erros;
  }

  const auto csv = Rodar({"--metodo", "1", "--csv", D() + "/nao/existe.csv", boa});
  EXPECT_EQ(csv.status, 2);
  EXPECT_EQ(csv.saida, "");
  EXPECT_EQ(csv.erros,
            "velmo-medir: não foi possível criar o arquivo CSV \"" + D() + "/nao/existe.csv\".\n");
}

TEST_F(MedirTest, AjudaVersaoEAreaComVirgula) {
  const auto ajuda = Rodar({"--ajuda"});
  EXPECT_EQ(ajuda.status, 0);
  EXPECT_TRUE(ajuda.saida.starts_with("Uso: velmo-medir --metodo N")) << ajuda.saida;
  EXPECT_EQ(ajuda.erros, "");
  const auto versao = Rodar({"--versao"});
  EXPECT_EQ(versao.status, 0);
  EXPECT_EQ(versao.saida, "velmo-medir 1.2.0\n");

  const std::string grande = Arquivo("grande.bmp", FolhaGrande());
  const auto r = Rodar({"--area-amostrada", "12,5", "--metodo", "IAF", "--", grande});
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.saida, teste::BlocoFolhaGrande(grande) +
                         "# TOTALIZADORES:\n"
                         "  - Área foliar (cm²)...: 7.741,9200\n"
                         "  - Área amostrada (cm²): 12,5000\n"
                         "  - I.A.F...............: 619,3536\n");
}

// The numeric category comes from LC_ALL, then LC_NUMERIC, then LANG.
TEST_F(MedirTest, LocaleDoAmbiente) {
  const std::string grande = Arquivo("grande.bmp", FolhaGrande());
  struct Caso {
    Textos ambiente;
    const char* total;
    const char* area;
  } casos[] = {
      {{"LC_ALL=pt_BR.UTF-8"}, "7.741,9200", "1,5"},
      {{"LC_ALL=en_US.UTF-8"}, "7,741.9200", "1.5"},
      {{"LANG=en_US.UTF-8", "LC_NUMERIC=pt_BR.UTF-8"}, "7.741,9200", "1,5"},
      {{"LANG=pt_BR.UTF-8", "LC_NUMERIC=en_US.UTF-8", "LC_ALL=pt_BR.UTF-8"}, "7.741,9200", "1,5"},
      {{"LANG=en_US.UTF-8"}, "7,741.9200", "1.5"},
      {{"LANG=xx_YY.UTF-8", "LC_NUMERIC=pt_BR.UTF-8"}, "7.741,9200", "1,5"},
      {{"LC_ALL=xx_YY.UTF-8"}, "7741.9200", "1.5"},
      {{}, "7741.9200", "1.5"},
  };
  for (const auto& c : casos) {
    SCOPED_TRACE(c.ambiente.empty() ? "sem locale" : c.ambiente.back());
    const auto r = Rodar({"--metodo", "2", "--area-amostrada", c.area, grande}, c.ambiente);
    EXPECT_EQ(r.status, 0) << r.erros;
    EXPECT_NE(r.saida.find("  - Área foliar (cm²)...: " + std::string(c.total) + "\n"),
              std::string::npos)
        << r.saida;
  }
}

// A path with a comma, a quote and an accent: quoted, its quote doubled, its bytes kept.
TEST_F(MedirTest, CsvDeAreaFoliarComAspasESeparadorDoLocale) {
  const std::string estranho = Arquivo("a,b\"ção.bmp", FolhaPequena());
  const std::string grande = Arquivo("grande.bmp", FolhaGrande());
  const std::string csv = D() + "/saida.csv";
  const std::string citado = "\"" + D() + "/a,b\"\"ção.bmp\"";

  const auto pt = Rodar({"--metodo", "1", "--csv", csv, estranho, grande});
  EXPECT_EQ(pt.status, 0);
  EXPECT_EQ(pt.saida, teste::BlocoFolhaPequena(estranho) + teste::BlocoFolhaGrande(grande) +
                          "# TOTALIZADORES:\n  - Área foliar (cm²)...: 7.742,3212\n");
  EXPECT_EQ(Ler(csv),
            "arquivo;resolucao_dpi;area_total_cm2;area_ignorada_cm2;area_corrigida_cm2;"
            "area_coberta_cm2\r\n" +
                citado + ";254;1,0000;0,5988;0,0010;0,4012\r\n" + grande +
                ";1;7741,9200;0,0000;0,0000;7741,9200\r\n");

  const auto en = Rodar({"--metodo", "1", "--csv", "-", estranho, grande}, {"LC_ALL=en_US.UTF-8"});
  EXPECT_EQ(en.status, 0);
  EXPECT_EQ(en.saida,
            "arquivo,resolucao_dpi,area_total_cm2,area_ignorada_cm2,area_corrigida_cm2,"
            "area_coberta_cm2\r\n" +
                citado + ",254,1.0000,0.5988,0.0010,0.4012\r\n" + grande +
                ",1,7741.9200,0.0000,0.0000,7741.9200\r\n");
}

// One row per counted region, numbered from 1 in the order found; an image without a counted
// region has no row. At 1 dpi each 3 × 3 ring is 9 × 6.4516 = 58.0644 cm².
TEST_F(MedirTest, CsvDeOlhoDeLomboUmaLinhaPorRegiaoContada) {
  const std::string dois = Arquivo(
      "dois.bmp",
      teste::Bmp24(teste::DeArte({"......###", "###...#.#", "#.#...###", "###......"}), kPpm1));
  const std::string nenhum =
      Arquivo("nenhum.bmp", teste::Bmp24(teste::DeArte({"###", "#.#", "###"}), kPpm254));
  const auto r = Rodar({"--metodo", "3", "--csv", "-", dois, nenhum}, {"LC_ALL=en_US.UTF-8"});
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.saida, "arquivo,resolucao_dpi,regiao,area_cm2\r\n" + dois + ",1,1,58.0644\r\n" +
                         dois + ",1,2,58.0644\r\n");
}

// Threads change nothing in what is printed: summary, warnings, CSV and status.
TEST_F(MedirTest, TarefasNaoMudamASaida) {
  Textos caminhos;
  for (int i = 0; i < 12; ++i) {
    const std::string nome = "img" + std::to_string(10 + i) + ".bmp";
    if (i % 5 == 3) {
      caminhos.push_back(Arquivo(nome, {'B', 'M'}));
      continue;
    }
    Pixels p(size_t(30 + i), std::vector<uint32_t>(size_t(40 + 3 * i), 0xFFFFFF));
    for (int y = 2; y < 12 + i; ++y) {
      for (int x = 3; x < 20 + i; ++x) {
        const bool borda = y == 2 || y == 11 + i || x == 3 || x == 19 + i;
        p[size_t(y)][size_t(x)] = borda || i % 2 ? 0 : 0xFFFFFF;
      }
    }
    caminhos.push_back(Arquivo(nome, teste::Bmp24(p, kPpm1)));
  }
  for (const char* metodo : {"1", "3"}) {
    SCOPED_TRACE(metodo);
    Textos comum = {"--metodo", metodo, "--csv"};
    auto argumentos = [&](const char* tarefas, const std::string& csv) {
      Textos a = comum;
      a.push_back(csv);
      a.insert(a.end(), {"--tarefas", tarefas, D()});
      return a;
    };
    const auto um = Rodar(argumentos("1", D() + "/um.csv"));
    const auto quatro = Rodar(argumentos("4", D() + "/quatro.csv"));
    EXPECT_EQ(um.status, 1);
    EXPECT_EQ(quatro.status, um.status);
    EXPECT_EQ(quatro.saida, um.saida);
    EXPECT_EQ(quatro.erros, um.erros);
    EXPECT_EQ(Ler(D() + "/quatro.csv"), Ler(D() + "/um.csv"));
    EXPECT_EQ(std::count(um.saida.begin(), um.saida.end(), '#'), 10 + 1);
  }
}

}  // namespace
}  // namespace velmo

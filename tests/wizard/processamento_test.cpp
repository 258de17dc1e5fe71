// The processing run on small real BMP files: what it stores for each method, the warning for a
// file that does not load, a measurement that fails after the preview loaded, method 0, the page
// during the run, and the preview's scaling.

#include <QFile>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QtTest>

#include "bmp_teste.h"
#include "erros.h"
#include "lote.h"
#include "paginas_teste.h"
#include "resumo.h"
#include "wizard/Processamento.h"
#include "wizard/Resultado.h"
#include "wizard/Selecao.h"
#include "wizard/dialogos.h"
#include "wizard/imagem.h"
#include "wizard/miniatura.h"

using namespace velmo;

namespace {

constexpr int32_t kPpm1 = 39;  // 1 dpi: every traced outline is a counted region

// The summary the batch core gives for the same files: the run must list the same images, in
// the same order, with the same figures and totals.
QStringList ResumoDoLoteEsperado(const QStringList& imagens, uint8_t metodo, double area) {
  std::vector<std::string> caminhos;
  for (const QString& caminho : imagens)
    caminhos.push_back(QFile::encodeName(caminho).toStdString());
  const auto itens = MedirLote(caminhos, metodo, 1);
  return QString::fromStdString(ResumoDoLote(itens, metodo, area, {",", "."})).split('\n');
}

QStringList LinhasDeImagem(const QStringList& resumo) {
  QStringList imagens;
  for (const QString& linha : resumo)
    if (linha.startsWith("# Imagem: "))
      imagens.append(linha.mid(10));
  return imagens;
}

}  // namespace

class ProcessamentoTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() {
    IniciarAplicacao();
    QLocale::setDefault(QLocale(QLocale::Portuguese, QLocale::Brazil));
    // Two leaves with gaps to fill and two loin-eye scans (two outlines, then one).
    Gravar("folha1.bmp", teste::Bmp24(teste::DeArte({"..xx..x...", ".xxxxxxx..", "..x.....x."})));
    Gravar("folha2.bmp", teste::Bmp24(teste::DeArte({"x.........", "xxxxx....x"}), 5906));
    Gravar("lombo1.bmp", teste::Bmp24(teste::DeArte({"..........", ".xxx..xxx.", ".x.x..x.x.",
                                                     ".xxx..xxx.", ".........."}),
                                      kPpm1));
    Gravar("lombo2.bmp", teste::Bmp24(teste::DeArte({".....", ".xxxx", ".x..x", ".xxxx"}), kPpm1));
    // A tiny outline at 300 dpi: a region far below 1 cm².
    Gravar("lombo_pequeno.bmp", teste::Bmp24(teste::DeArte({".....", ".xxx.", ".x.x.", ".xxx."})));
    Gravar("folha_alta.bmp", teste::Bmp24(teste::Pixels(40, std::vector<uint32_t>(8, 0x00FF00))));
    Gravar("invalido.bmp", {'B', 'M', 1, 2, 3});
    Gravar("vazio.bmp", {});
    std::filesystem::create_directory(pasta_ / "pasta.bmp");
  }

  void cleanup() {
    teste::FecharJanela();
    QVERIFY(!frmProcessamento && !frmResultado && !frmSelecao);
  }

  // The page opens idle: empty path box and preview, both bars at 0, every button enabled.
  void abertura() {
    TfrmProcessamento* pagina = teste::AbrirNaJanela(frmProcessamento);
    QVERIFY(pagina->memPath->toPlainText().isEmpty());
    QVERIFY(pagina->imgPro->Vazia());
    QCOMPARE(pagina->prbImg->value(), 0);
    QCOMPARE(pagina->prbGer->value(), 0);
    for (QPushButton* b :
         {pagina->btnAvancar, pagina->btnVoltar, pagina->btnCancelar, pagina->btnAjuda})
      QVERIFY(b->isEnabled());
    QVERIFY(pagina->Frame11);
  }

  // "< &Voltar" from the idle page: the selection page with the same list.
  void voltar() {
    teste::AbrirJanela();
    frmCentralizador->FImagens = {Caminho("folha2.bmp"), Caminho("folha1.bmp")};
    TfrmProcessamento* pagina = AbrirPagina(frmProcessamento);
    pagina->btnVoltar->click();
    QVERIFY(frmSelecao && !frmProcessamento);
    QCOMPARE(frmSelecao->Imagens(), frmCentralizador->FImagens);
  }

  // Method 0: the error, and nothing else changes.
  void semMetodo() {
    teste::AbrirJanela();
    frmCentralizador->FImagens = {Caminho("folha1.bmp")};
    frmCentralizador->FResultado = {"anterior"};
    frmCentralizador->FAreasFoliares.push_back(
        std::make_unique<TAreaFoliar>(Caminho("folha1.bmp").toStdString(), nullptr));
    TfrmProcessamento* pagina = AbrirPagina(frmProcessamento);
    DialogosDeTeste dialogos;
    pagina->btnAvancar->click();
    QCOMPARE(dialogos.Mensagens.size(), 1);
    QCOMPARE(dialogos.Mensagens[0].Icone, QMessageBox::Critical);
    QCOMPARE(dialogos.Mensagens[0].Texto,
             QStringLiteral("Nenhum método selecionado!\n\nO processamento das imagens não será "
                            "realizado."));
    QVERIFY(frmProcessamento && !frmResultado);
    QCOMPARE(frmCentralizador->FResultado, QStringList{"anterior"});
    QCOMPARE(frmCentralizador->FAreasFoliares.size(), size_t(1));
    for (QPushButton* b : {pagina->btnAvancar, pagina->btnVoltar, pagina->btnCancelar})
      QVERIFY(b->isEnabled());
    QCOMPARE(pagina->prbGer->value(), 0);
  }

  // A run per method: the skipped files warn once each and leave no block; every other file
  // gets its block in list order and its measurement object; the general bar ends at the number
  // of files; the stored summary is the batch core's for the same files.
  void execucao_data() {
    QTest::addColumn<int>("metodo");
    QTest::addColumn<double>("area");
    QTest::addColumn<QStringList>("arquivos");
    QTest::addColumn<QStringList>("avisos");  // file names, in order, of the expected warnings
    QTest::addColumn<QStringList>("medidos");
    QTest::newRow("1: inválido entre dois bons")
        << 1 << 0.0 << QStringList{"folha1.bmp", "invalido.bmp", "folha2.bmp"}
        << QStringList{"invalido.bmp"} << QStringList{"folha1.bmp", "folha2.bmp"};
    QTest::newRow("1: arquivo que não existe")
        << 1 << 0.0 << QStringList{"nao-existe.bmp", "folha2.bmp"} << QStringList{"nao-existe.bmp"}
        << QStringList{"folha2.bmp"};
    QTest::newRow("1: pasta com nome de bitmap")
        << 1 << 0.0 << QStringList{"pasta.bmp", "folha1.bmp"} << QStringList{"pasta.bmp"}
        << QStringList{"folha1.bmp"};
    QTest::newRow("1: arquivo vazio abre mas não se mede")
        << 1 << 0.0 << QStringList{"folha1.bmp", "vazio.bmp", "folha2.bmp"}
        << QStringList{"vazio.bmp"} << QStringList{"folha1.bmp", "folha2.bmp"};
    QTest::newRow("2: área amostrada") << 2 << 12.5 << QStringList{"folha1.bmp", "folha2.bmp"}
                                       << QStringList{} << QStringList{"folha1.bmp", "folha2.bmp"};
    QTest::newRow("2: área amostrada 0")
        << 2 << 0.0 << QStringList{"folha2.bmp"} << QStringList{} << QStringList{"folha2.bmp"};
    QTest::newRow("3: inválido entre dois bons")
        << 3 << 0.0 << QStringList{"lombo1.bmp", "invalido.bmp", "lombo2.bmp"}
        << QStringList{"invalido.bmp"} << QStringList{"lombo1.bmp", "lombo2.bmp"};
    QTest::newRow("3: arquivo vazio e região pequena")
        << 3 << 0.0 << QStringList{"vazio.bmp", "lombo_pequeno.bmp"} << QStringList{}
        << QStringList{"vazio.bmp", "lombo_pequeno.bmp"};
    QTest::newRow("1: nenhum arquivo abre")
        << 1 << 0.0 << QStringList{"invalido.bmp"} << QStringList{"invalido.bmp"} << QStringList{};
    QTest::newRow("3: nenhum arquivo abre")
        << 3 << 0.0 << QStringList{"invalido.bmp"} << QStringList{"invalido.bmp"} << QStringList{};
  }
  void execucao() {
    QFETCH(int, metodo);
    QFETCH(double, area);
    QFETCH(QStringList, arquivos);
    QFETCH(QStringList, avisos);
    QFETCH(QStringList, medidos);
    QStringList imagens;
    for (const QString& nome : arquivos)
      imagens.append(Caminho(nome));
    QStringList esperadas;
    for (const QString& nome : medidos)
      esperadas.append(Caminho(nome));

    teste::AbrirJanela();
    frmCentralizador->FMetodo = uint8_t(metodo);
    frmCentralizador->FAreaAmostrada = area;
    frmCentralizador->FImagens = imagens;
    // A previous run's objects are destroyed first.
    frmCentralizador->FOlhosDeLombo.push_back(
        std::make_unique<TProcessaOlhoDeLombro>(Caminho("lombo1.bmp").toStdString(), nullptr));
    frmCentralizador->FAreasFoliares.push_back(
        std::make_unique<TAreaFoliar>(Caminho("folha1.bmp").toStdString(), nullptr));
    QPointer<TfrmProcessamento> pagina = AbrirPagina(frmProcessamento);
    DialogosDeTeste dialogos;
    pagina->btnAvancar->click();

    QVERIFY(pagina);
    QCOMPARE(pagina->prbGer->maximum(), imagens.size());
    QCOMPARE(pagina->prbGer->value(), imagens.size());
    QVERIFY(frmResultado && !frmProcessamento);

    QCOMPARE(dialogos.Mensagens.size(), avisos.size());
    for (int i = 0; i < avisos.size(); ++i) {
      QCOMPARE(dialogos.Mensagens[i].Icone, QMessageBox::Warning);
      QVERIFY2(dialogos.Mensagens[i].Texto.contains('"' + Caminho(avisos[i]) + '"'),
               qPrintable(dialogos.Mensagens[i].Texto));
    }

    const size_t objetos = size_t(esperadas.size());
    QCOMPARE(frmCentralizador->FAreasFoliares.size(), metodo == 3 ? 0 : objetos);
    QCOMPARE(frmCentralizador->FOlhosDeLombo.size(), metodo == 3 ? objetos : 0);
    for (const auto& m : frmCentralizador->FAreasFoliares)
      QVERIFY(m);
    for (const auto& m : frmCentralizador->FOlhosDeLombo)
      QVERIFY(m);

    const QStringList resumo = frmCentralizador->FResultado;
    QCOMPARE(LinhasDeImagem(resumo), esperadas);
    QCOMPARE(resumo, ResumoDoLoteEsperado(esperadas, uint8_t(metodo), area));
    QVERIFY(!resumo.last().isEmpty());
    const int totais = int(resumo.indexOf("# TOTALIZADORES:"));
    QVERIFY(totais >= 0);
    if (totais > 0)
      QVERIFY(resumo[totais - 1].isEmpty());
  }

  // The totals of the cases where nothing is divided: their lines as the user reads them.
  void totaisSemDivisao_data() {
    QTest::addColumn<int>("metodo");
    QTest::addColumn<QStringList>("arquivos");
    QTest::addColumn<QStringList>("totais");
    QTest::newRow("método 1 sem imagens")
        << 1 << QStringList{"invalido.bmp"}
        << QStringList{"# TOTALIZADORES:", "  - Área foliar (cm²)...: 0,0000"};
    QTest::newRow("método 3 sem imagens")
        << 3 << QStringList{"invalido.bmp"}
        << QStringList{"# TOTALIZADORES:", "  - Número de animais...: 0,0000",
                       "  - A.O.L. total........: 0,0000", "  - A.O.L. média........: ERRO!"};
    QTest::newRow("método 2 com área 0")
        << 2 << QStringList{"invalido.bmp"}
        << QStringList{"# TOTALIZADORES:", "  - Área foliar (cm²)...: 0,0000",
                       "  - Área amostrada (cm²): 0,0000", "  - I.A.F...............: ERRO!"};
    QTest::newRow("método 3, região pequena")
        << 3 << QStringList{"lombo_pequeno.bmp"}
        << QStringList{"# Imagem: " + Caminho("lombo_pequeno.bmp"),
                       "  - Resolução...........: 300",
                       "  - Número de Imagens...: 0",
                       "  - Área total (cm²)....: 0,0000",
                       "",
                       "# TOTALIZADORES:",
                       "  - Número de animais...: 0,0000",
                       "  - A.O.L. total........: 0,0000",
                       "  - A.O.L. média........: ERRO!"};
  }
  void totaisSemDivisao() {
    QFETCH(int, metodo);
    QFETCH(QStringList, arquivos);
    QFETCH(QStringList, totais);
    teste::AbrirJanela();
    frmCentralizador->FMetodo = uint8_t(metodo);
    for (const QString& nome : arquivos)
      frmCentralizador->FImagens.append(Caminho(nome));
    TfrmProcessamento* pagina = AbrirPagina(frmProcessamento);
    DialogosDeTeste dialogos;
    pagina->btnAvancar->click();
    QCOMPARE(frmCentralizador->FResultado, totais);
  }

  // While the run works: the navigation buttons are disabled, "A&juda" is not, the path box
  // shows the file, the preview is cleared for a file that does not load, the image bar shows
  // where the previous measurement ended (not where the last message processing left it), and
  // the main window refuses to close. After the run the main window closes normally.
  void duranteAExecucao() {
    teste::AbrirJanela();
    frmCentralizador->FMetodo = mtAreaFoliar;
    frmCentralizador->FImagens = {Caminho("folha_alta.bmp"), Caminho("invalido.bmp"),
                                  Caminho("folha2.bmp")};
    QPointer<TfrmProcessamento> pagina = AbrirPagina(frmProcessamento);
    DialogosDeTeste dialogos;
    bool verificado = false;
    dialogos.AoMostrar = [&](const MensagemMostrada&) {
      QVERIFY(!pagina->btnAvancar->isEnabled());
      QVERIFY(!pagina->btnVoltar->isEnabled());
      QVERIFY(!pagina->btnCancelar->isEnabled());
      QVERIFY(pagina->btnAjuda->isEnabled());
      QCOMPARE(pagina->memPath->toPlainText(), Caminho("invalido.bmp"));
      QVERIFY(pagina->imgPro->Vazia());
      QCOMPARE(pagina->prbGer->value(), 1);
      QVERIFY(pagina->prbImg->value() > 0);
      QVERIFY(!frmCentralizador->close());
      QVERIFY(frmCentralizador);
      verificado = true;
    };
    pagina->btnAvancar->click();
    QVERIFY(verificado);
    QVERIFY(frmResultado);
    QVERIFY(!pagina->imgPro->Vazia());
    QPointer<TfrmCentralizador> janela = frmCentralizador;
    QVERIFY(janela->close());
    delete janela.data();
  }

  // The preview keeps the picture's proportions and fits it into the box, smaller or larger.
  void previa_data() {
    QTest::addColumn<int>("largura");
    QTest::addColumn<int>("altura");
    QTest::addColumn<QSize>("esperado");
    QTest::newRow("larga, ampliada") << 10 << 5 << QSize(105, 52);
    QTest::newRow("alta, ampliada") << 3 << 7 << QSize(45, 105);
    QTest::newRow("grande, reduzida") << 420 << 210 << QSize(105, 52);
    QTest::newRow("uma linha") << 300 << 1 << QSize(105, 1);
  }
  void previa() {
    QFETCH(int, largura);
    QFETCH(int, altura);
    QFETCH(QSize, esperado);
    // Left half black, right half red, as 0x00BBGGRR.
    teste::Pixels p(size_t(altura), std::vector<uint32_t>(size_t(largura), 0x0000FF));
    for (auto& linha : p)
      std::fill(linha.begin(), linha.begin() + largura / 2, 0);
    const QString caminho = Caminho("previa.bmp");
    Gravar("previa.bmp", teste::Bmp24(p));
    const QImage imagem = CarregarMiniatura(caminho, QSize(105, 105));
    QCOMPARE(imagem.size(), esperado);
    QCOMPARE(imagem.pixel(0, 0), qRgb(0, 0, 0));
    QCOMPARE(imagem.pixel(imagem.width() - 1, imagem.height() - 1), qRgb(255, 0, 0));
  }

  void previaDeArquivosRuins() {
    QVERIFY(CarregarMiniatura(Caminho("vazio.bmp"), QSize(105, 105)).isNull());
    QVERIFY_THROWS_EXCEPTION(ErroVelmo, CarregarMiniatura(Caminho("invalido.bmp"), {105, 105}));
    QVERIFY_THROWS_EXCEPTION(ErroVelmo, CarregarMiniatura(Caminho("nao-existe.bmp"), {105, 105}));
  }

 private:
  QString Caminho(const QString& nome) const {
    return QString::fromStdString((pasta_ / nome.toStdString()).string());
  }
  void Gravar(const QString& nome, const std::vector<uint8_t>& bytes) {
    teste::Gravar(pasta_ / nome.toStdString(), bytes);
  }

  teste::PastaTemporaria pasta_;
};

QTEST_MAIN(ProcessamentoTest)
#include "processamento_test.moc"

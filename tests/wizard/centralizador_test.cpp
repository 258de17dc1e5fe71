// The main window and the page frame: program start and end, the analysis state's clean-up, and
// the life of a page from its creation to its release.

#include <QFile>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

#include "bmp_teste.h"
#include "wizard/Centralizador.h"
#include "wizard/Geral.h"
#include "wizard/Metodo.h"
#include "wizard/dialogos.h"
#include "wizard/pagina.h"

using namespace velmo;

namespace {

// Runs the program's start and end, doing `acao` once the welcome page is up.
int ExecutarCom(std::function<void()> acao) {
  QTimer::singleShot(0, [acao] {
    QTRY_VERIFY_WITH_TIMEOUT(frmGeral, 5000);
    acao();
  });
  return ExecutarPrograma();
}

void CriarArquivo(const QString& caminho) {
  QFile arquivo(caminho);
  QVERIFY(arquivo.open(QIODevice::WriteOnly));
  arquivo.write("%PDF-1.4 copia antiga");
}

// A page whose "&Avançar >" opens the method page and then still uses its own members, as every
// navigation handler does after it asked for its page to close.
QPointer<class TPaginaTeste> frmTeste;
class TPaginaTeste : public TPagina {
 public:
  TPaginaTeste() : TPagina({.Titulo = QStringLiteral("Teste")}) {}
  bool vivaAposFechar = false;
  bool referenciaLimpa = false;

 protected:
  void btnAvancarClick() override {
    Navegar(frmMetodo);
    referenciaLimpa = frmTeste.isNull();
    vivaAposFechar = btnAvancar->text() == QStringLiteral("&Avançar >");
  }
};

}  // namespace

class CentralizadorTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() { IniciarAplicacao(); }

  void init() {
    QVERIFY(pasta_.isValid());
    qputenv("TEMP", pasta_.path().toLocal8Bit());
    copia_ = pasta_.filePath("Manual VELMO.pdf");
    QFile::remove(copia_);
  }

  void cleanup() {
    delete frmCentralizador.data();
    QVERIFY(!frmGeral && !frmMetodo);
  }

  // Every way out closes the main window, which removes the manual's temporary copy, and
  // destroys the window, which closes the page still open.
  void saida_data() {
    QTest::addColumn<QString>("como");
    QTest::addColumn<bool>("comCopia");
    QTest::newRow("Cancelar com cópia") << "Cancelar" << true;
    QTest::newRow("Cancelar sem cópia") << "Cancelar" << false;
    QTest::newRow("botão fechar com cópia") << "fechar" << true;
    QTest::newRow("botão fechar na página de método") << "fechar no método" << true;
    QTest::newRow("Cancelar na página de método") << "Cancelar no método" << true;
  }
  void saida() {
    QFETCH(QString, como);
    QFETCH(bool, comCopia);
    if (comCopia)
      CriarArquivo(copia_);
    DialogosDeTeste dialogos;
    const int codigo = ExecutarCom([como] {
      if (como.endsWith("no método")) {
        frmGeral->btnAvancar->click();
        QVERIFY(frmMetodo);
      }
      if (como.startsWith("Cancelar"))
        (frmMetodo ? frmMetodo->btnCancelar : frmGeral->btnCancelar)->click();
      else
        frmCentralizador->close();
    });
    QCOMPARE(codigo, 0);
    QVERIFY(!QFile::exists(copia_));
    QVERIFY(!frmCentralizador);
    QVERIFY(!frmGeral);
    QVERIFY(!frmMetodo);
    QVERIFY(dialogos.Mensagens.isEmpty());
  }

  void janelaPrincipal() {
    auto* janela = new TfrmCentralizador;
    frmCentralizador = janela;
    QCOMPARE(janela->windowTitle(), QStringLiteral("VELMO - Arvelim"));
    QVERIFY(!(janela->windowFlags() & Qt::WindowMaximizeButtonHint));
    QVERIFY(janela->windowFlags() & Qt::WindowMinimizeButtonHint);
    QCOMPARE(janela->FMetodo, mtNenhum);
    QCOMPARE(janela->FAreaAmostrada, 0.0);
    QVERIFY(janela->FImagens.isEmpty() && janela->FResultado.isEmpty());

    janela->show();
    QCOMPARE(janela->AreaPaginas()->size(), QSize(544, 365));
    QVERIFY(frmGeral);
    QCOMPARE(frmGeral->size(), QSize(544, 365));
    // Restoring from the task bar shows the window again, but opens no second welcome page.
    janela->showMinimized();
    janela->showNormal();
    QCoreApplication::processEvents();
    QCOMPARE(janela->AreaPaginas()->subWindowList().size(), 1);
  }

  // LimparAnalises destroys what is there, skips slots whose measurement failed, and can be
  // called any number of times.
  void limparAnalises() {
    teste::PastaTemporaria imagens;
    teste::Gravar(imagens / "a.bmp", teste::Bmp24(teste::DeArte({"..##..", ".####."})));
    const std::string caminho = (imagens / "a.bmp").string();
    TfrmCentralizador janela;
    janela.LimparAnalises();
    janela.LimparAnalises();
    janela.FAreasFoliares.push_back(std::make_unique<TAreaFoliar>(caminho, nullptr));
    janela.FAreasFoliares.push_back(nullptr);
    janela.FAreasFoliares.push_back(std::make_unique<TAreaFoliar>(caminho, nullptr));
    janela.FOlhosDeLombo.push_back(nullptr);
    janela.FOlhosDeLombo.push_back(std::make_unique<TProcessaOlhoDeLombro>(caminho, nullptr));
    janela.LimparAnalises();
    QVERIFY(janela.FAreasFoliares.empty());
    QVERIFY(janela.FOlhosDeLombo.empty());
    janela.LimparAnalises();
    QVERIFY(janela.FAreasFoliares.empty());
  }

  // The page that asked to close is released only after its handler returned; by then exactly
  // one page is left, the new one, in its reference.
  void paginaLiberadaAposOManipulador() {
    frmCentralizador = new TfrmCentralizador;
    AbrirPagina(frmTeste);
    QPointer<TPaginaTeste> antiga = frmTeste.data();
    antiga->btnAvancar->click();
    QVERIFY(antiga);
    QVERIFY(antiga->vivaAposFechar);
    QVERIFY(antiga->referenciaLimpa);
    QVERIFY(frmMetodo);
    QTRY_VERIFY(!antiga);
    QCOMPARE(frmCentralizador->AreaPaginas()->subWindowList().size(), 1);
    QCOMPARE(frmCentralizador->AreaPaginas()->activeSubWindow()->widget(), frmMetodo.data());
  }

  // A page has no title bar, system menu or close box, and fills the main window.
  void paginaSemBotaoFechar() {
    frmCentralizador = new TfrmCentralizador;
    frmCentralizador->show();
    QMdiSubWindow* janela = frmCentralizador->AreaPaginas()->subWindowList().value(0);
    QVERIFY(janela);
    QVERIFY(janela->windowFlags() & Qt::FramelessWindowHint);
    QVERIFY(!janela->systemMenu());
    QVERIFY(janela->isMaximized());
    QCOMPARE(janela->geometry(), frmCentralizador->AreaPaginas()->viewport()->rect());
  }

  // Closing the main window's pages on destruction clears their references.
  void destruicaoFechaAPagina() {
    frmCentralizador = new TfrmCentralizador;
    AbrirPagina(frmMetodo);
    QPointer<TfrmMetodo> pagina = frmMetodo.data();
    delete frmCentralizador.data();
    QVERIFY(!frmMetodo);
    QVERIFY(!pagina);
  }

 private:
  QTemporaryDir pasta_;
  QString copia_;
};

QTEST_MAIN(CentralizadorTest)
#include "centralizador_test.moc"

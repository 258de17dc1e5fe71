// Captures the manual's screenshots from the real pages, offscreen:
//   capturar-telas PASTA
// writes one PNG per entry of kTelas into PASTA (resources/manual/), at twice the pixel density
// so that they stay sharp in the PDF.

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QLocale>
#include <QMdiArea>

#include <cstdio>
#include <functional>

#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>

#include "report/Relatorio.h"
#include "wizard/Centralizador.h"
#include "wizard/Geral.h"
#include "wizard/Metodo.h"
#include "wizard/Processamento.h"
#include "wizard/Resultado.h"
#include "wizard/Selecao.h"
#include "wizard/imagem.h"
#include "wizard/miniatura.h"
#include "wizard/pagina.h"

namespace {

using namespace velmo;

struct Tela {
  const char* arquivo;
  // Opens the page (after it fills in whatever analysis state the page shows) on a fresh main
  // window whose welcome page is gone; null keeps the welcome page.
  std::function<void()> abrir;
};

// The sample leaf scans, copied to a folder with a short, stable name: the pages show the paths.
QStringList Exemplos() {
  return {QDir::tempPath() + "/exemplos/folha_01.bmp", QDir::tempPath() + "/exemplos/folha_02.bmp",
          QDir::tempPath() + "/exemplos/folha_03.bmp"};
}

// The processing page as a run shows it between two rows of the second image.
void ProcessamentoEmAndamento() {
  frmCentralizador->FMetodo = mtAreaFoliar;
  frmCentralizador->FImagens = Exemplos();
  TfrmProcessamento* p = AbrirPagina(frmProcessamento);
  for (QPushButton* b : {p->btnVoltar, p->btnAvancar, p->btnCancelar})
    b->setEnabled(false);
  p->memPath->setPlainText(Exemplos()[1]);
  p->imgPro->DefinirImagem(CarregarMiniatura(Exemplos()[1], p->imgPro->size() * 2));
  p->prbImg->setValue(60);
  p->prbGer->setRange(0, 3);
  p->prbGer->setValue(1);
}

// One line per page, e.g. {"metodo.png", [] { AbrirPagina(frmMetodo); }}.
const Tela kTelas[] = {
    {"geral.png", nullptr},
    {"metodo.png",
     [] {
       AbrirPagina(frmMetodo)->rdbIaf->click();
       frmMetodo->edtIaf->setText("12,5");
     }},
    {"selecao.png",
     [] {
       frmCentralizador->FImagens = Exemplos();
       AbrirPagina(frmSelecao);
     }},
    {"processamento.png", ProcessamentoEmAndamento},
    {"resultado.png",
     [] {
       frmCentralizador->FMetodo = mtAreaFoliar;
       frmCentralizador->FImagens = Exemplos();
       AbrirPagina(frmProcessamento)->btnAvancar->click();
     }},
    {"relatorio.png",
     [] {
       TfrmRelatorio* p = AbrirPagina(frmRelatorio);
       p->edtProjeto->setText("Avaliação de cultivares de soja");
       p->edtResponsavel->setText("Equipe de fitotecnia");
       p->memTratamento->setPlainText("T1 - adubação nitrogenada 120 kg/ha");
     }},
};

}  // namespace

int main(int argc, char* argv[]) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  qputenv("QT_SCALE_FACTOR", "2");
  QApplication aplicacao(argc, argv);
  if (argc != 2) {
    std::fprintf(stderr, "uso: capturar-telas PASTA\n");
    return 2;
  }
  IniciarAplicacao();
  // The manual is for Brazilian users: the summary shows their separators.
  QLocale::setDefault(QLocale(QLocale::Portuguese, QLocale::Brazil));
  const QDir pasta(QString::fromLocal8Bit(argv[1]));
  QDir(QDir::tempPath()).mkpath("exemplos");
  for (const QString& exemplo : Exemplos()) {
    QFile::remove(exemplo);
    QFile::copy(pasta.filePath("../exemplos/folhas/" + QFileInfo(exemplo).fileName()), exemplo);
  }
  int falhas = 0;
  for (const Tela& tela : kTelas) {
    auto* janela = new TfrmCentralizador;
    frmCentralizador = janela;
    janela->show();
    if (tela.abrir) {
      frmGeral->close();
      tela.abrir();
    }
    // Lets the closed page go and the new one lay itself out.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QApplication::processEvents();
    const QString caminho = pasta.filePath(QString::fromLatin1(tela.arquivo));
    if (!janela->grab().save(caminho)) {
      std::fprintf(stderr, "capturar-telas: não foi possível gravar %s\n", qPrintable(caminho));
      ++falhas;
    }
    delete janela;
  }
  return falhas ? 1 : 0;
}

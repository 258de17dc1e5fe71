// Captures the manual's screenshots from the real pages, offscreen:
//   capturar-telas PASTA
// writes one PNG per entry of kTelas into PASTA (resources/manual/), at twice the pixel density
// so that they stay sharp in the PDF.

#include <QApplication>
#include <QDir>
#include <QMdiArea>

#include <cstdio>
#include <functional>

#include "wizard/Centralizador.h"
#include "wizard/Geral.h"
#include "wizard/pagina.h"

namespace {

using namespace velmo;

struct Tela {
  const char* arquivo;
  // Opens the page (after it fills in whatever analysis state the page shows) on a fresh main
  // window whose welcome page is gone; null keeps the welcome page.
  std::function<void()> abrir;
};

// One line per page, e.g. {"metodo.png", [] { AbrirPagina(frmMetodo); }}.
const Tela kTelas[] = {
    {"geral.png", nullptr},
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
  const QDir pasta(QString::fromLocal8Bit(argv[1]));
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

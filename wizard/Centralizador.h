#pragma once
// TfrmCentralizador: the program's only top-level window. Its client area (544 × 365) shows the
// wizard's pages, one at a time, and it owns the analysis state that the pages read and write
// directly through frmCentralizador. Also the program start and end (ExecutarPrograma).

#include <QMainWindow>
#include <QPointer>
#include <QStringList>

#include <cstdint>
#include <memory>
#include <vector>

#include "AreaFoliar.h"
#include "OlhoDeLombo.h"
#include "metodo.h"

class QMdiArea;

namespace velmo {

class TfrmCentralizador;
class TfrmGeral;
class TfrmMetodo;
class TfrmSelecao;
class TfrmProcessamento;
class TfrmResultado;
class TfrmRelatorio;

// The live window of each class, or null. Whoever creates a window stores it here; a page's
// closing clears its own (AbrirPagina in pagina.h ties them), and each QPointer clears itself
// when its window is destroyed in any other way.
extern QPointer<TfrmCentralizador> frmCentralizador;
extern QPointer<TfrmGeral> frmGeral;
extern QPointer<TfrmMetodo> frmMetodo;
extern QPointer<TfrmSelecao> frmSelecao;
extern QPointer<TfrmProcessamento> frmProcessamento;
extern QPointer<TfrmResultado> frmResultado;
extern QPointer<TfrmRelatorio> frmRelatorio;

// Sets the application title "VELMO - Arvelim" (TituloAplicacao in dialogos.h) and the name
// "velmo" that names the user's configuration folder, and makes the Tahoma family available.
void IniciarAplicacao();

// Program start and end: creates the main window, runs the message loop until a page ends it or
// the main window closes, closes the main window if it is still open (which removes the manual's
// temporary copy) and destroys it. Returns the loop's exit code. Needs a QApplication.
int ExecutarPrograma();

class TfrmCentralizador : public QMainWindow {
  Q_OBJECT
 public:
  static constexpr int kLarguraCliente = 544;
  static constexpr int kAlturaCliente = 365;

  TfrmCentralizador();
  ~TfrmCentralizador() override;

  // The analysis state.
  uint8_t FMetodo = mtNenhum;
  QStringList FImagens;    // full paths of the images to process, in the user's order
  QStringList FResultado;  // the summary of the last run, one line per entry
  double FAreaAmostrada = 0;
  // The measurements of the last run, one per measured image; a slot may be null when a
  // measurement failed while it was built.
  std::vector<std::unique_ptr<TAreaFoliar>> FAreasFoliares;
  std::vector<std::unique_ptr<TProcessaOlhoDeLombro>> FOlhosDeLombo;

  // Destroys the measurement objects, first to last, leaf measurements first, and empties both
  // arrays. Null slots are skipped.
  void LimparAnalises();

  QMdiArea* AreaPaginas() const { return areaPaginas_; }

 protected:
  void showEvent(QShowEvent* evento) override;
  void closeEvent(QCloseEvent* evento) override;

 private:
  void FormCreate();
  void FormShow();
  void FormClose();
  void FormDestroy();

  QMdiArea* areaPaginas_;
};

}  // namespace velmo

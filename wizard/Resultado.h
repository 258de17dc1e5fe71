#pragma once
// TfrmResultado: the result page. Shows the summary of the last run (FResultado) in a read-only,
// selectable box and leads to the report, to a new analysis or out of the program.

#include "pagina.h"

class QPlainTextEdit;

namespace velmo {

class TfrmResultado : public TPagina {
  Q_OBJECT
 public:
  TfrmResultado();

  QPlainTextEdit* memResultado;
  QPushButton* btnRelatorio;
  QPushButton* btnNovaAnalise;
  QPushButton* btnConcluir;

 private:
  void CriarControles();
  void LigarEventos();
  void btnRelatorioClick();
  void btnNovaAnaliseClick();
  void btnConcluirClick();
};

}  // namespace velmo

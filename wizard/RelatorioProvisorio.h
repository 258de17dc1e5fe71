#pragma once
// A stand-in for the report header page until the report module joins this branch: it says the
// report is not available yet and "&Fechar" returns to the result page.

#include "pagina.h"

class QLabel;

namespace velmo {

class TfrmRelatorio : public TPagina {
  Q_OBJECT
 public:
  TfrmRelatorio();

  QLabel* lblAviso;

 protected:
  void btnFecharClick();
};

}  // namespace velmo

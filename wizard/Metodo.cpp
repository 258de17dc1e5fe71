#include "Metodo.h"

namespace velmo {

TfrmMetodo::TfrmMetodo() : TPagina({.Titulo = QStringLiteral("Análise a ser aplicada")}) {
  setObjectName("frmMetodo");
}

}  // namespace velmo

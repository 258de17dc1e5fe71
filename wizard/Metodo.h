#pragma once
// TfrmMetodo: the method page.

#include "pagina.h"

namespace velmo {

class TfrmMetodo : public TPagina {
  Q_OBJECT
 public:
  TfrmMetodo();
};

}  // namespace velmo

#include "ProgressoBarra.h"

#include <QCoreApplication>

namespace velmo {

void ProgressoBarra::ProcessarMensagens() {
  if (relogio_.elapsed() >= kIntervaloMs) {
    QCoreApplication::processEvents();
    relogio_.restart();
  }
}

}  // namespace velmo

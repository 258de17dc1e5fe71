#include "ProgressoBarra.h"

#include <QCoreApplication>

namespace velmo {

ProgressoBarra::ProgressoBarra(QProgressBar* barra) : barra_(barra) {
  if (barra_) {
    max_ = barra_->maximum();
    posicao_ = barra_->value();
  }
  relogio_.start();
}

void ProgressoBarra::SetMax(int max) {
  max_ = max;
  Mostrar();
}

void ProgressoBarra::Mostrar() {
  if (!barra_)
    return;
  if (barra_->maximum() != max_)
    barra_->setMaximum(max_);
  barra_->setValue(posicao_);
}

void ProgressoBarra::ProcessarMensagens() {
  if (relogio_.elapsed() >= kIntervaloMs) {
    Mostrar();
    QCoreApplication::processEvents();
    relogio_.restart();
  }
}

}  // namespace velmo

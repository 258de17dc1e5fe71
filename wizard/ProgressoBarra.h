#pragma once
// Adapts a QProgressBar to the engine's progress interface. Pending window messages are processed
// at most every few milliseconds: once per row would cost more than the measurement itself on big
// scans, and the user sees the same.

#include <QElapsedTimer>
#include <QPointer>
#include <QProgressBar>

#include "progresso.h"

namespace velmo {

class ProgressoBarra : public Progresso {
 public:
  explicit ProgressoBarra(QProgressBar* barra) : barra_(barra) { relogio_.start(); }

  int Min() const override { return barra_ ? barra_->minimum() : 0; }
  int Max() const override { return barra_ ? barra_->maximum() : 0; }
  void SetMax(int max) override {
    if (barra_)
      barra_->setMaximum(max);
  }
  int Position() const override { return barra_ ? barra_->value() : 0; }
  void SetPosition(int position) override {
    if (barra_)
      barra_->setValue(position);
  }
  void ProcessarMensagens() override;

 private:
  static constexpr qint64 kIntervaloMs = 15;
  QPointer<QProgressBar> barra_;  // the bar may go with its page while a run lets messages through
  QElapsedTimer relogio_;
};

}  // namespace velmo

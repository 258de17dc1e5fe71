#pragma once
// Adapts a QProgressBar to the engine's progress interface. The measurement moves the position
// once per row; the bar shows it, and pending window messages are processed, at most every few
// milliseconds: a QProgressBar repaints itself at once on every visible change, and once per row
// that would cost more than the measurement itself on big scans. The user sees the same.

#include <QElapsedTimer>
#include <QPointer>
#include <QProgressBar>

#include "progresso.h"

namespace velmo {

class ProgressoBarra : public Progresso {
 public:
  explicit ProgressoBarra(QProgressBar* barra);
  ~ProgressoBarra() override { Mostrar(); }

  int Min() const override { return barra_ ? barra_->minimum() : 0; }
  int Max() const override { return max_; }
  void SetMax(int max) override;
  int Position() const override { return posicao_; }
  void SetPosition(int position) override { posicao_ = position; }
  void ProcessarMensagens() override;

  // Puts the current range and position on the bar now.
  void Mostrar();

 private:
  static constexpr qint64 kIntervaloMs = 15;
  QPointer<QProgressBar> barra_;  // the bar may go with its page while a run lets messages through
  QElapsedTimer relogio_;
  int max_ = 0;
  int posicao_ = 0;
};

}  // namespace velmo

#pragma once
// TFrame1: the disabled side band with the 165 × 310 side picture stretched over all of it.

#include <QWidget>

namespace velmo {

class TImagem;

class TFrame1 : public QWidget {
  Q_OBJECT
 public:
  static constexpr int kLargura = 165;

  explicit TFrame1(QWidget* pai = nullptr);

  TImagem* Image1;

 protected:
  void resizeEvent(QResizeEvent*) override;
};

}  // namespace velmo

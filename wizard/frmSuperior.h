#pragma once
// TframeSuperior: the white header band at the top of every page but the welcome page, with the
// page's title on the left and the logo at the right edge. No behaviour of its own.

#include <QFrame>

class QLabel;

namespace velmo {

class TImagem;

class TframeSuperior : public QFrame {
  Q_OBJECT
 public:
  static constexpr int kAltura = 60;

  explicit TframeSuperior(QWidget* pai = nullptr);
  void DefinirTitulo(const QString& titulo);

  QLabel* Label1;   // the title: x 16, y 21, sized to its text, 16 px bold
  TImagem* Image1;  // the 50 × 50 logo, 4 px from the right edge

 protected:
  void resizeEvent(QResizeEvent*) override;
};

}  // namespace velmo

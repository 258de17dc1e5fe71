#include "frmSuperior.h"

#include <QLabel>

#include "imagem.h"

namespace velmo {

TframeSuperior::TframeSuperior(QWidget* pai)
    : QFrame(pai), Label1(new QLabel(this)), Image1(new TImagem(this)) {
  setObjectName("frameSuperior1");
  setFixedHeight(kAltura);
  setAutoFillBackground(true);
  QPalette cores = palette();
  cores.setColor(QPalette::Window, Qt::white);
  setPalette(cores);

  Label1->setObjectName("Label1");
  QFont fonte = font();
  fonte.setPixelSize(16);
  fonte.setBold(true);
  Label1->setFont(fonte);
  Label1->move(16, 21);

  Image1->setObjectName("Image1");
  Image1->Stretch = true;
  Image1->DefinirFigura(Figura::Logo);
  Image1->setGeometry(width() - 54, 5, 50, 50);
}

void TframeSuperior::DefinirTitulo(const QString& titulo) {
  Label1->setText(titulo);
  Label1->adjustSize();
}

void TframeSuperior::resizeEvent(QResizeEvent*) {
  Image1->move(width() - 54, 5);
}

}  // namespace velmo

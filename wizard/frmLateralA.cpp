#include "frmLateralA.h"

#include "imagem.h"

namespace velmo {

TFrame1::TFrame1(QWidget* pai) : QWidget(pai), Image1(new TImagem(this)) {
  setObjectName("Frame11");
  setFixedWidth(kLargura);
  setEnabled(false);
  Image1->setObjectName("Image1");
  Image1->Stretch = true;
  Image1->DefinirFigura(Figura::Lateral);
}

void TFrame1::resizeEvent(QResizeEvent*) {
  Image1->setGeometry(rect());
}

}  // namespace velmo

#pragma once
// TfrmGeral: the welcome page. Side picture, and a white panel with the welcome picture, the
// program's name on a teal band, its description, credits and year; the panel takes no input.

#include "pagina.h"

class QLabel;
class QTextEdit;

namespace velmo {

class TImagem;

class TfrmGeral : public TPagina {
  Q_OBJECT
 public:
  TfrmGeral();

  TImagem* Image2;
  QWidget* Shape1;
  QLabel* Label1;
  QTextEdit* Memo2;
  QTextEdit* Memo3;
  QTextEdit* Memo4;

 protected:
  void btnAvancarClick() override;

 private:
  QTextEdit* CriarMemo(const QString& nome, const QString& texto);
};

}  // namespace velmo

#pragma once
// TfrmMetodo: the method page. The user picks one of the three analyses and, for the leaf area
// index, types the sampled ground area in cm²; going forward stores both in the analysis state.

#include "pagina.h"

class QLabel;
class QLineEdit;
class QRadioButton;

namespace velmo {

class TfrmMetodo : public TPagina {
  Q_OBJECT
 public:
  TfrmMetodo();

  // True when the page may go forward; for the leaf area index the typed area must be above 0,
  // otherwise a warning is shown and the focus goes to the area box.
  bool ValidarAreaAmostrada();

  QRadioButton* rdbAf;
  QRadioButton* rdbIaf;
  QRadioButton* rdbAol;
  QLabel* lblIaf1;
  QLineEdit* edtIaf;
  QLabel* lblIaf2;

 protected:
  void btnAvancarClick() override;
  void btnVoltarClick() override;
  bool eventFilter(QObject* objeto, QEvent* evento) override;

 private:
  void CriarControles();
  void LigarEventos();
  void rdbIafClick();
  // Returns true when the key must not reach the area box.
  bool edtIafKeyPress(const QKeyEvent& tecla);
  // The area box's text read with the locale's decimal separator; 0 when it is not a number.
  double AreaDigitada() const;
};

}  // namespace velmo

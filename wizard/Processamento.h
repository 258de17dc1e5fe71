#pragma once
// TfrmProcessamento: the processing page. "&Avançar >" measures every image of FImagens with the
// class of the chosen method, keeps the measurements in the analysis state, writes the summary
// into FResultado and opens the result page. During the run the page lets pending messages
// through, so it repaints, both bars move and "A&juda" works; the navigation buttons are
// disabled and the main window refuses to close until the run is over.

#include "pagina.h"

class QLabel;
class QPlainTextEdit;
class QProgressBar;

namespace velmo {

class Progresso;
class TImagem;
class TResumo;

class TfrmProcessamento : public TPagina {
  Q_OBJECT
 public:
  TfrmProcessamento();
  ~TfrmProcessamento() override;

  bool EmExecucao() const { return FEmExecucao; }

  QPlainTextEdit* memPath;
  TImagem* imgPro;
  QLabel* Label1;
  QProgressBar* prbImg;
  QLabel* Label2;
  QProgressBar* prbGer;

 protected:
  void btnAvancarClick() override;
  void btnVoltarClick() override;
  bool eventFilter(QObject* objeto, QEvent* evento) override;

 private:
  void CriarControles();
  // Shows `caminho` in the preview; false (after the warning) when it is not a valid bitmap.
  bool CarregarPreview(const QString& caminho);
  // Measures one previewed image into the analysis state and the summary. A measurement that
  // fails is reported with a warning and leaves nothing behind.
  void Medir(const QString& caminho, TResumo& resumo, Progresso& progresso);

  bool FEmExecucao = false;
};

}  // namespace velmo

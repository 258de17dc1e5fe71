#pragma once
// TfrmRelatorio: the report header page after the result page. The user types the project, the
// responsible person and the treatment; the page loads them from the settings file when it opens,
// and "&Salvar" writes them back, builds the report document with them and shows its preview.
// "&Fechar" goes back to the result page.

#include <optional>

#include "report/ini.h"
#include "wizard/pagina.h"

class QLabel;
class QLineEdit;
class QPlainTextEdit;

namespace velmo {

class TfrmRelatorio : public TPagina {
  Q_OBJECT
 public:
  TfrmRelatorio();

  // Where the settings file is read and written; tests point it at their own folders.
  static std::optional<ConfiguracaoRelatorio> configuracao;

  QLabel* Label2;
  QLineEdit* edtProjeto;
  QLabel* Label1;
  QLineEdit* edtResponsavel;
  QLabel* Label3;
  QPlainTextEdit* memTratamento;
  QPushButton* btnImprimir;
  QPushButton* btnFechar;

 protected:
  bool eventFilter(QObject* objeto, QEvent* evento) override;

 private:
  void CriarControles();
  void LigarEventos();
  QLabel* CriarRotulo(const char* nome, const QString& texto, int x, int y, int largura);
  static ConfiguracaoRelatorio Configuracao();

  void FormCreate();
  void memTratamentoEnter();
  void btnImprimirClick();
  void btnFecharClick();
};

}  // namespace velmo

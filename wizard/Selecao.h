#pragma once
// TfrmSelecao: the image selection page. The user builds the list of BMP files to measure from
// single files and whole folders; no path is listed twice (paths equal byte for byte, letter case
// counts). "&Avançar >" copies the list into FImagens; "< &Voltar" drops the changes.

#include "pagina.h"

class QLabel;
class QListWidget;
class QToolButton;

namespace velmo {

class TfrmSelecao : public TPagina {
  Q_OBJECT
 public:
  TfrmSelecao();

  // True when some entry of lbxPath equals `Caminho` exactly.
  bool ImagemNaLista(const QString& Caminho) const;
  // Appends, in order, each entry of `Lista` not listed at the moment it is tested.
  void AdicionarImagens(const QStringList& Lista);
  // The entries of lbxPath, in order.
  QStringList Imagens() const;

  QLabel* Label1;
  QToolButton* btnAddDiretorio;
  QToolButton* btnAddImagens;
  QToolButton* btnRemover;
  QListWidget* lbxPath;

 protected:
  void btnAvancarClick() override;
  void btnVoltarClick() override;
  bool eventFilter(QObject* objeto, QEvent* evento) override;
  void showEvent(QShowEvent* evento) override;

 private:
  void CriarControles();
  void LigarEventos();
  QToolButton* CriarFerramenta(const char* nome, const char* figura, const QString& dica, int x);
  void btnAddImagensClick();
  void btnAddDiretorioClick();
  void btnRemoverClick();
  void FormKeyDown(const QKeyEvent& tecla);
  // Enables "&Avançar >" exactly while the list is not empty; returns whether it is enabled.
  bool AtualizarAvancar();

  bool FMolduraVigiada = false;
};

}  // namespace velmo

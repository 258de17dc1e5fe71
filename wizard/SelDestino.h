#pragma once
// The folder chooser of the selection page: a modal dialog, created for one folder search and
// destroyed right after. Its list shows the folders from the root down to the folder opened last,
// then that folder's subfolders; a double click or Enter opens an entry, a single click only
// highlights it. The folder opened last is remembered for the next dialog (not the process's
// working folder, which stays untouched).

#include <QDialog>
#include <QString>

class QLabel;
class QListWidget;
class QListWidgetItem;
class QPushButton;

namespace velmo {

class TfrmSelDestino : public QDialog {
  Q_OBJECT

 public:
  explicit TfrmSelDestino(QWidget* parent = nullptr);
  ~TfrmSelDestino() override;

  // The list's current folder: a full path without a trailing separator, except the root ("/").
  QString Pasta() const { return FPasta; }
  // Makes `pasta` the list's current folder, as a double click on it would.
  void AbrirPasta(const QString& pasta);

  QListWidget* dlbLista = nullptr;
  QPushButton* btnOK = nullptr;
  QPushButton* btnCancelar = nullptr;

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  bool eventFilter(QObject* objeto, QEvent* evento) override;

 private:
  void CriarControles();
  void LigarEventos();
  void FormKeyPress(QKeyEvent* event);
  void dlbListaAbrir(QListWidgetItem* item);
  void PreencherLista();

  QLabel* Label1 = nullptr;
  QString FPasta;
  static QString FUltimaPasta;  // the folder opened last by any chooser of this process
};

// The live folder chooser while a folder search shows it, otherwise null.
extern TfrmSelDestino* frmSelDestino;

}  // namespace velmo

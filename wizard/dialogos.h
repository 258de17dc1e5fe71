#pragma once
// The modal boxes and dialogs every page uses, behind thin wrappers. While a DialogosDeTeste
// object lives, nothing modal is shown: message boxes are recorded and answered with OK, file
// dialogs and other modal dialogs take the answers the test queued. A dialog without a queued
// answer aborts the test with a clear message instead of blocking it.

#include <QList>
#include <QMessageBox>
#include <QStringList>

#include <deque>
#include <functional>

class QDialog;

namespace velmo {

// "VELMO - Arvelim": the caption of the main window and of every message box.
QString TituloAplicacao();

// A modal box with the application title as caption, `icone` and one OK button. Critical for a
// refused action or a file that cannot be written, Warning for a wrong input or a skipped image.
// Line breaks are '\n'.
void MostrarMensagem(QMessageBox::Icon icone, const QString& texto, QWidget* pai = nullptr);
inline void MostrarErro(const QString& texto, QWidget* pai = nullptr) {
  MostrarMensagem(QMessageBox::Critical, texto, pai);
}
inline void MostrarAviso(const QString& texto, QWidget* pai = nullptr) {
  MostrarMensagem(QMessageBox::Warning, texto, pai);
}

// The file-open dialog: several existing files, `filtro` such as "Bitmaps (*.bmp)". Returns the
// chosen full paths in the dialog's order, or an empty list when the user cancels.
QStringList EscolherArquivos(QWidget* pai, const QString& titulo, const QString& filtro);

// Runs `dialogo` modally and returns its result (QDialog::Accepted or Rejected).
int ExecutarDialogo(QDialog& dialogo);

struct MensagemMostrada {
  QMessageBox::Icon Icone;
  QString Titulo;
  QString Texto;
};

class DialogosDeTeste {
 public:
  DialogosDeTeste();
  ~DialogosDeTeste();
  DialogosDeTeste(const DialogosDeTeste&) = delete;
  DialogosDeTeste& operator=(const DialogosDeTeste&) = delete;

  // Every box "shown" so far, oldest first.
  QList<MensagemMostrada> Mensagens;
  // Runs when a box would be shown, while it would be open (after it is recorded).
  std::function<void(const MensagemMostrada&)> AoMostrar;

  // The next file dialog returns `arquivos`; an empty list is a cancelled dialog.
  void ProximaEscolha(const QStringList& arquivos) { escolhas_.push_back(arquivos); }
  // The next modal dialog gets `resposta` instead of exec(): it may fill the dialog's controls
  // and returns the dialog's result.
  void ProximoDialogo(std::function<int(QDialog&)> resposta) {
    dialogos_.push_back(std::move(resposta));
  }

 private:
  friend QStringList EscolherArquivos(QWidget*, const QString&, const QString&);
  friend int ExecutarDialogo(QDialog&);
  friend void MostrarMensagem(QMessageBox::Icon, const QString&, QWidget*);
  std::deque<QStringList> escolhas_;
  std::deque<std::function<int(QDialog&)>> dialogos_;
};

}  // namespace velmo

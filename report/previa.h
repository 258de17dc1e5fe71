#pragma once
// The report's modal preview: the prepared pages with first/previous/next/last page, zoom, print
// (the system's print dialog) and save as PDF, written before the save returns. The preview only
// reads the report, which must outlive it.

#include <QDialog>
#include <QString>
#include <optional>

#include "bandas.h"

class QAction;
class QComboBox;
class QLabel;
class QPrintPreviewWidget;
class QPrinter;

namespace velmo {

// Settings of the PDF export.
struct FiltroPdf {
  QString nome = QStringLiteral("Documento PDF");  // the format the save dialog offers
  QString titulo;
  QString criador;
};

// Writes every prepared page of `relatorio` to `caminho` as an A4 PDF with embedded fonts.
// Throws std::runtime_error naming the file when it cannot be written.
void GravarPdf(const bandas::Relatorio& relatorio, const QString& caminho, const FiltroPdf& filtro);

// Draws every prepared page on `printer`, one sheet each, at full page.
void ImprimirPaginas(const bandas::Relatorio& relatorio, QPrinter& printer);

// The preview's save dialog. Tests give the next answer instead of the user: a path, or an
// empty text for a cancelled dialog.
struct DialogoSalvar {
  static std::optional<QString> proximaResposta;
  // The chosen path, with ".pdf" added when it has no suffix; empty when cancelled.
  static QString Escolher(QWidget* pai, const FiltroPdf& filtro);
};

class Previa : public QDialog {
  Q_OBJECT
 public:
  // `relatorio` must be prepared already.
  Previa(const bandas::Relatorio& relatorio, FiltroPdf filtro, QWidget* pai = nullptr);

  QPrintPreviewWidget* Visualizador() const { return FVisualizador; }

 public slots:
  void Salvar();
  void Imprimir();

 private:
  void CriarControles();
  void LigarEventos();
  void AtualizarPagina();

  const bandas::Relatorio& FRelatorio;
  FiltroPdf FFiltro;
  QPrintPreviewWidget* FVisualizador = nullptr;
  QLabel* FPagina = nullptr;
  QComboBox* FZoom = nullptr;
  QAction* FPrimeira = nullptr;
  QAction* FAnterior = nullptr;
  QAction* FProxima = nullptr;
  QAction* FUltima = nullptr;
  QAction* FImprimir = nullptr;
  QAction* FSalvar = nullptr;
  QAction* FFechar = nullptr;
};

}  // namespace velmo

#include "previa.h"

#include <QAction>
#include <QComboBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QLabel>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QPrintDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>
#include <stdexcept>

#include "wizard/dialogos.h"

namespace velmo {

std::optional<QString> DialogoSalvar::proximaResposta;

namespace {

// 300 dpi keeps lines and the logo sharp at a modest file size.
constexpr int kResolucaoPdf = 300;

void DesenharTodas(const bandas::Relatorio& relatorio, QPagedPaintDevice& dispositivo,
                   QPainter& painter) {
  for (int i = 0; i < relatorio.Paginas(); ++i) {
    if (i > 0)
      dispositivo.newPage();
    relatorio.Desenhar(painter, i);
  }
}

}  // namespace

void GravarPdf(const bandas::Relatorio& relatorio, const QString& caminho,
               const FiltroPdf& filtro) {
  QPdfWriter pdf(caminho);
  pdf.setPageLayout(
      QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(0, 0, 0, 0)));
  pdf.setResolution(kResolucaoPdf);
  pdf.setTitle(filtro.titulo);
  pdf.setCreator(filtro.criador);
  QPainter painter;
  if (!painter.begin(&pdf))
    throw std::runtime_error(
        QStringLiteral("Não foi possível gravar o arquivo \"%1\".").arg(caminho).toStdString());
  DesenharTodas(relatorio, pdf, painter);
  if (!painter.end())
    throw std::runtime_error(
        QStringLiteral("Não foi possível gravar o arquivo \"%1\".").arg(caminho).toStdString());
}

void ImprimirPaginas(const bandas::Relatorio& relatorio, QPrinter& printer) {
  printer.setFullPage(true);
  QPainter painter(&printer);
  DesenharTodas(relatorio, printer, painter);
}

QString DialogoSalvar::Escolher(QWidget* pai, const FiltroPdf& filtro) {
  QString caminho;
  if (proximaResposta) {
    caminho = *proximaResposta;
    proximaResposta.reset();
  } else {
    caminho = QFileDialog::getSaveFileName(pai, QStringLiteral("Salvar como"), QString(),
                                           filtro.nome + QStringLiteral(" (*.pdf)"));
  }
  if (!caminho.isEmpty() && QFileInfo(caminho).suffix().isEmpty())
    caminho += QStringLiteral(".pdf");
  return caminho;
}

Previa::Previa(const bandas::Relatorio& relatorio, FiltroPdf filtro, QWidget* pai)
    : QDialog(pai), FRelatorio(relatorio), FFiltro(std::move(filtro)) {
  setObjectName(QStringLiteral("Previa"));
  setWindowTitle(TituloAplicacao());
  setModal(true);
  resize(900, 700);
  CriarControles();
  LigarEventos();
  FVisualizador->updatePreview();
  AtualizarPagina();
}

void Previa::CriarControles() {
  auto* barra = new QToolBar(this);
  barra->setObjectName(QStringLiteral("barraPrevia"));
  auto acao = [&](const char* nome, const QString& texto, QStyle::StandardPixmap icone) {
    QAction* a = barra->addAction(style()->standardIcon(icone), texto);
    a->setObjectName(QLatin1String(nome));
    a->setToolTip(texto);
    return a;
  };
  FPrimeira = acao("acaoPrimeira", QStringLiteral("Primeira página"), QStyle::SP_MediaSkipBackward);
  FAnterior = acao("acaoAnterior", QStringLiteral("Página anterior"), QStyle::SP_MediaSeekBackward);
  FPagina = new QLabel(barra);
  FPagina->setObjectName(QStringLiteral("lblPagina"));
  FPagina->setMinimumWidth(110);
  FPagina->setAlignment(Qt::AlignCenter);
  barra->addWidget(FPagina);
  FProxima = acao("acaoProxima", QStringLiteral("Próxima página"), QStyle::SP_MediaSeekForward);
  FUltima = acao("acaoUltima", QStringLiteral("Última página"), QStyle::SP_MediaSkipForward);
  barra->addSeparator();
  FZoom = new QComboBox(barra);
  FZoom->setObjectName(QStringLiteral("cbxZoom"));
  FZoom->addItem(QStringLiteral("Página inteira"));
  FZoom->addItem(QStringLiteral("Largura da página"));
  for (int z : {50, 75, 100, 150, 200})
    FZoom->addItem(QStringLiteral("%1%").arg(z), z);
  FZoom->setToolTip(QStringLiteral("Zoom"));
  barra->addWidget(FZoom);
  barra->addSeparator();
  FImprimir = acao("acaoImprimir", QStringLiteral("Imprimir"), QStyle::SP_FileDialogDetailedView);
  FImprimir->setIcon(QIcon::fromTheme(QStringLiteral("document-print"), FImprimir->icon()));
  FSalvar = acao("acaoSalvar", QStringLiteral("Salvar"), QStyle::SP_DialogSaveButton);
  barra->addSeparator();
  FFechar = acao("acaoFechar", QStringLiteral("Fechar"), QStyle::SP_DialogCloseButton);
  // The three actions that leave the pages read better with their names beside the icons.
  for (QAction* a : {FImprimir, FSalvar, FFechar})
    if (auto* botao = qobject_cast<QToolButton*>(barra->widgetForAction(a)))
      botao->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);

  FVisualizador = new QPrintPreviewWidget(this);
  FVisualizador->setObjectName(QStringLiteral("Visualizador"));
  FVisualizador->fitInView();
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  layout->addWidget(barra);
  layout->addWidget(FVisualizador);
}

void Previa::LigarEventos() {
  connect(FVisualizador, &QPrintPreviewWidget::paintRequested, this,
          [this](QPrinter* printer) { ImprimirPaginas(FRelatorio, *printer); });
  connect(FVisualizador, &QPrintPreviewWidget::previewChanged, this, &Previa::AtualizarPagina);
  // Scrolling changes the page too; the buttons follow every change of the preview.
  auto irPara = [this](QAction* acao, auto pagina) {
    connect(acao, &QAction::triggered, this, [this, pagina] {
      FVisualizador->setCurrentPage(pagina());
      AtualizarPagina();
    });
  };
  irPara(FPrimeira, [] { return 1; });
  irPara(FAnterior, [this] { return FVisualizador->currentPage() - 1; });
  irPara(FProxima, [this] { return FVisualizador->currentPage() + 1; });
  irPara(FUltima, [this] { return FVisualizador->pageCount(); });
  connect(FZoom, &QComboBox::currentIndexChanged, this, [this](int i) {
    if (i == 0)
      FVisualizador->fitInView();
    else if (i == 1)
      FVisualizador->fitToWidth();
    else
      FVisualizador->setZoomFactor(FZoom->itemData(i).toInt() / 100.0);
  });
  connect(FImprimir, &QAction::triggered, this, &Previa::Imprimir);
  connect(FSalvar, &QAction::triggered, this, &Previa::Salvar);
  connect(FFechar, &QAction::triggered, this, &QDialog::accept);
}

void Previa::AtualizarPagina() {
  const int atual = FVisualizador->currentPage();
  const int total = FVisualizador->pageCount();
  FPagina->setText(QStringLiteral("Página %1 de %2").arg(atual).arg(total));
  FPrimeira->setEnabled(atual > 1);
  FAnterior->setEnabled(atual > 1);
  FProxima->setEnabled(atual < total);
  FUltima->setEnabled(atual < total);
}

void Previa::Salvar() {
  const QString caminho = DialogoSalvar::Escolher(this, FFiltro);
  if (caminho.isEmpty())
    return;
  try {
    GravarPdf(FRelatorio, caminho, FFiltro);
  } catch (const std::exception& e) {
    MostrarErro(QString::fromStdString(e.what()), this);
  }
}

void Previa::Imprimir() {
  QPrinter printer(QPrinter::HighResolution);
  printer.setPageLayout(
      QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(0, 0, 0, 0)));
  QPrintDialog dialogo(&printer, this);
  if (ExecutarDialogo(dialogo) != QDialog::Accepted)
    return;
  ImprimirPaginas(FRelatorio, printer);
}

}  // namespace velmo

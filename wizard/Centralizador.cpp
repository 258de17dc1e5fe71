#include "Centralizador.h"

#include <QApplication>
#include <QCloseEvent>
#include <QFile>
#include <QFileInfo>
#include <QFontDatabase>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QScreen>
#include <QShowEvent>

#include "Geral.h"
#include "dialogos.h"
#include "help/untArqEmbutidos.h"
#include "imagem.h"
#include "pagina.h"

namespace velmo {

QPointer<TfrmCentralizador> frmCentralizador;
QPointer<TfrmGeral> frmGeral;
QPointer<TfrmMetodo> frmMetodo;
QPointer<TfrmSelecao> frmSelecao;
QPointer<TfrmProcessamento> frmProcessamento;
QPointer<TfrmResultado> frmResultado;
QPointer<TfrmRelatorio> frmRelatorio;

void IniciarAplicacao() {
  QCoreApplication::setApplicationName(QStringLiteral("velmo"));
  QGuiApplication::setApplicationDisplayName(QStringLiteral("VELMO - Arvelim"));
  QGuiApplication::setDesktopFileName(QStringLiteral("velmo"));
  QGuiApplication::setWindowIcon(QIcon(QString::fromLatin1(Figura::Icone)));
  // Without Tahoma, fontconfig would pick a wider sans family and the pages' texts, laid out for
  // Tahoma's widths, would wrap or be clipped; the Debian package fonts-wine ships a Tahoma. Its
  // bold file draws almost like the regular one, so bold is left to Qt's emboldening.
  const QString tahoma = QStringLiteral("/usr/share/wine/fonts/tahoma.ttf");
  if (!QFontDatabase::families().contains(QStringLiteral("Tahoma")) && QFileInfo::exists(tahoma))
    QFontDatabase::addApplicationFont(tahoma);
}

int ExecutarPrograma() {
  IniciarAplicacao();
  auto janela = std::make_unique<TfrmCentralizador>();
  frmCentralizador = janela.get();
  janela->show();
  const int codigo = QApplication::exec();
  if (frmCentralizador)
    frmCentralizador->close();
  janela.reset();
  return codigo;
}

TfrmCentralizador::TfrmCentralizador()
    : QMainWindow(nullptr, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                               Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                               Qt::WindowCloseButtonHint),
      areaPaginas_(new QMdiArea(this)) {
  FormCreate();
}

TfrmCentralizador::~TfrmCentralizador() {
  FormDestroy();
}

void TfrmCentralizador::FormCreate() {
  setObjectName("frmCentralizador");
  setWindowTitle(TituloAplicacao());
  QFont fonte(QStringLiteral("Tahoma"));
  fonte.setPixelSize(11);
  setFont(fonte);
  areaPaginas_->setObjectName("AreaPaginas");
  areaPaginas_->setFrameShape(QFrame::NoFrame);
  areaPaginas_->setBackground(palette().button());
  setCentralWidget(areaPaginas_);
  setFixedSize(kLarguraCliente, kAlturaCliente);
  if (const QScreen* tela = QGuiApplication::primaryScreen())
    move(tela->availableGeometry().center() - rect().center());
}

void TfrmCentralizador::showEvent(QShowEvent* evento) {
  QMainWindow::showEvent(evento);
  // Restoring the window from the task bar is a spontaneous show: it opens no second page.
  if (!evento->spontaneous())
    FormShow();
}

void TfrmCentralizador::FormShow() {
  AbrirPagina(frmGeral);
}

void TfrmCentralizador::closeEvent(QCloseEvent* evento) {
  FormClose();
  evento->accept();
}

void TfrmCentralizador::FormClose() {
  const QString copia = CaminhoManualTemporario();
  if (QFileInfo::exists(copia))
    QFile::remove(copia);
  if (frmCentralizador == this)
    frmCentralizador = nullptr;
}

void TfrmCentralizador::FormDestroy() {
  FImagens.clear();
  FResultado.clear();
  LimparAnalises();
  // Every page still open is closed here, so its FormClose clears its reference; the pages
  // themselves go with this window.
  for (QMdiSubWindow* janela : areaPaginas_->subWindowList(QMdiArea::CreationOrder))
    if (QWidget* pagina = janela->widget())
      pagina->close();
}

void TfrmCentralizador::LimparAnalises() {
  for (auto& medicao : FAreasFoliares)
    medicao.reset();
  FAreasFoliares.clear();
  for (auto& medicao : FOlhosDeLombo)
    medicao.reset();
  FOlhosDeLombo.clear();
}

}  // namespace velmo

#include "Processamento.h"

#include <QCoreApplication>
#include <QFile>
#include <QLabel>
#include <QLocale>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QScopeGuard>

#include <memory>
#include <new>

#include "ProgressoBarra.h"
#include "Resultado.h"
#include "Selecao.h"
#include "dialogos.h"
#include "imagem.h"
#include "lote.h"
#include "miniatura.h"
#include "resumo.h"

namespace velmo {

namespace {

FormatoNumero FormatoDoUsuario() {
  const QLocale local;
  return {local.decimalPoint().toStdString(), local.groupSeparator().toStdString()};
}

}  // namespace

TfrmProcessamento::TfrmProcessamento()
    : TPagina(
          {.Titulo = QStringLiteral("Processamento das imagens selecionadas"), .Lateral = true}) {
  setObjectName("frmProcessamento");
  CriarControles();
}

TfrmProcessamento::~TfrmProcessamento() {
  if (frmCentralizador)
    frmCentralizador->removeEventFilter(this);
}

void TfrmProcessamento::CriarControles() {
  memPath = new QPlainTextEdit(Panel1);
  memPath->setObjectName("memPath");
  memPath->setReadOnly(true);
  memPath->setFocusPolicy(Qt::NoFocus);
  memPath->setFrameShape(QFrame::NoFrame);
  memPath->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  memPath->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  memPath->setWordWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
  memPath->document()->setDocumentMargin(0);
  QPalette cores = memPath->palette();
  cores.setColor(QPalette::Base, cores.color(QPalette::Button));
  memPath->setPalette(cores);
  Posicionar(memPath, 16, 32, 153, 81, akLeft | akTop | akRight);

  imgPro = new TImagem(Panel1);
  imgPro->setObjectName("imgPro");
  imgPro->Stretch = true;
  imgPro->Proportional = true;
  Posicionar(imgPro, 175, 8, 105, 105, akTop | akRight);

  auto barra = [this](const char* nome, int y) {
    auto* prb = new QProgressBar(Panel1);
    prb->setObjectName(nome);
    prb->setRange(0, 100);
    prb->setValue(0);
    prb->setTextVisible(false);
    Posicionar(prb, 16, y, 264, 16, akLeft | akTop | akRight);
    return prb;
  };
  Label1 = new QLabel(QStringLiteral("Progresso da imagem:"), Panel1);
  Label1->setObjectName("Label1");
  Posicionar(Label1, 16, 140, 264, 13);
  prbImg = barra("prbImg", 154);
  Label2 = new QLabel(QStringLiteral("Progresso geral:"), Panel1);
  Label2->setObjectName("Label2");
  Posicionar(Label2, 16, 188, 264, 13);
  prbGer = barra("prbGer", 202);
}

bool TfrmProcessamento::eventFilter(QObject* objeto, QEvent* evento) {
  // The run reads the analysis state until its last step: the main window stays until then.
  if (FEmExecucao && objeto == frmCentralizador.data() && evento->type() == QEvent::Close) {
    evento->ignore();
    return true;
  }
  return TPagina::eventFilter(objeto, evento);
}

bool TfrmProcessamento::CarregarPreview(const QString& caminho) {
  try {
    const QImage previa = CarregarMiniatura(caminho, imgPro->size() * imgPro->devicePixelRatioF());
    if (previa.isNull())
      imgPro->Limpar();
    else
      imgPro->DefinirImagem(previa);
    return true;
  } catch (const std::exception&) {
    imgPro->Limpar();
    MostrarAviso(
        QString::fromStdString(AvisoArquivoInvalido(QFile::encodeName(caminho).toStdString())),
        this);
    return false;
  }
}

void TfrmProcessamento::Medir(const QString& caminho, TResumo& resumo, Progresso& progresso) {
  const std::string arquivo = QFile::encodeName(caminho).toStdString();
  try {
    if (frmCentralizador->FMetodo == mtOlhoDeLombo) {
      auto olho = std::make_unique<TProcessaOlhoDeLombro>(arquivo, &progresso);
      olho->Processar();
      resumo.Adicionar(*olho);
      frmCentralizador->FOlhosDeLombo.push_back(std::move(olho));
    } else {
      auto area = std::make_unique<TAreaFoliar>(arquivo, &progresso);
      resumo.Adicionar(*area);
      frmCentralizador->FAreasFoliares.push_back(std::move(area));
    }
  } catch (const std::bad_alloc&) {
    MostrarAviso(QStringLiteral("Não há memória para medir a imagem \"%1\"; ela será ignorada.")
                     .arg(caminho),
                 this);
  } catch (const std::exception& erro) {
    MostrarAviso(QStringLiteral("Não foi possível medir a imagem \"%1\":\n%2\n\nEla será ignorada.")
                     .arg(caminho, QString::fromStdString(erro.what())),
                 this);
  }
}

void TfrmProcessamento::btnAvancarClick() {
  if (!frmCentralizador)
    return;
  if (frmCentralizador->FMetodo == mtNenhum) {
    MostrarErro(QStringLiteral("Nenhum método selecionado!\n\nO processamento das imagens não "
                               "será realizado."),
                this);
    return;
  }
  TResumo resumo(frmCentralizador->FMetodo, frmCentralizador->FAreaAmostrada, FormatoDoUsuario());
  frmCentralizador->LimparAnalises();

  FEmExecucao = true;
  frmCentralizador->installEventFilter(this);
  // However the run ends, the main window may close again afterwards.
  const auto fim = qScopeGuard([this] {
    FEmExecucao = false;
    if (frmCentralizador)
      frmCentralizador->removeEventFilter(this);
  });
  btnVoltar->setEnabled(false);
  btnAvancar->setEnabled(false);
  btnCancelar->setEnabled(false);

  ProgressoBarra progresso(prbImg);
  const int total = int(frmCentralizador->FImagens.size());
  prbGer->setValue(prbGer->minimum());
  prbGer->setMaximum(total);
  for (int i = 0; i < total; ++i) {
    const QString caminho = frmCentralizador->FImagens.at(i);
    memPath->setPlainText(caminho);
    const bool carregou = CarregarPreview(caminho);
    QCoreApplication::processEvents();
    if (carregou)
      Medir(caminho, resumo, progresso);
    progresso.Mostrar();
    prbGer->setValue(i + 1);
  }

  frmCentralizador->FResultado = QString::fromStdString(resumo.Concluir()).split(u'\n');
  Navegar(frmResultado);
}

void TfrmProcessamento::btnVoltarClick() {
  Navegar(frmSelecao);
}

}  // namespace velmo

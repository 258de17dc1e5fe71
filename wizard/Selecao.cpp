#include "Selecao.h"

#include <QFile>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QToolButton>

#include <memory>
#include <string>
#include <vector>

#include "Metodo.h"
#include "Processamento.h"
#include "SelDestino.h"
#include "dialogos.h"
#include "erros.h"
#include "imagem.h"
#include "listaimagens.h"

namespace velmo {

namespace {

std::vector<std::string> ParaEngine(const QStringList& lista) {
  std::vector<std::string> caminhos;
  caminhos.reserve(size_t(lista.size()));
  for (const QString& caminho : lista)
    caminhos.push_back(QFile::encodeName(caminho).toStdString());
  return caminhos;
}

}  // namespace

TfrmSelecao::TfrmSelecao() : TPagina({.Titulo = QStringLiteral("Seleção das imagens")}) {
  setObjectName("frmSelecao");
  CriarControles();
  LigarEventos();
  if (frmCentralizador)
    lbxPath->addItems(frmCentralizador->FImagens);
  AtualizarAvancar();
}

QToolButton* TfrmSelecao::CriarFerramenta(const char* nome, const char* figura, const QString& dica,
                                          int x) {
  auto* botao = new QToolButton(Panel1);
  botao->setObjectName(nome);
  botao->setAutoRaise(true);
  botao->setIcon(IconeFigura(figura));
  botao->setIconSize({16, 16});
  botao->setToolTip(dica);
  botao->setFocusPolicy(Qt::NoFocus);
  Posicionar(botao, x, 2, 23, 23, akTop | akRight);
  return botao;
}

void TfrmSelecao::CriarControles() {
  Label1 = new QLabel(QStringLiteral("Lista de imagens que serão processadas:"), Panel1);
  Label1->setObjectName("Label1");
  QFont negrito = Label1->font();
  negrito.setBold(true);
  Label1->setFont(negrito);
  Posicionar(Label1, 8, 12, 231, 13);

  btnAddDiretorio =
      CriarFerramenta("btnAddDiretorio", Figura::AddDiretorio,
                      QStringLiteral("Adicionar imagens de um diretório (Ctrl + D)"), 392);
  btnAddImagens = CriarFerramenta("btnAddImagens", Figura::AddImagens,
                                  QStringLiteral("Adicionar imagens (Ctrl + A)"), 417);
  btnRemover = CriarFerramenta("btnRemover", Figura::Remover,
                               QStringLiteral("Remover imagens selecionadas (Ctrl + Del)"), 442);

  lbxPath = new QListWidget(Panel1);
  lbxPath->setObjectName("lbxPath");
  lbxPath->setSelectionMode(QAbstractItemView::ExtendedSelection);
  lbxPath->setSortingEnabled(false);
  lbxPath->setUniformItemSizes(true);
  Posicionar(lbxPath, 8, 27, 457, 212, akLeft | akTop | akRight);

  // A click on a tool button, which takes no focus, would hand the focus to the first container
  // that takes it: through this proxy the list keeps it.
  Panel1->setFocusProxy(lbxPath);
  btnAvancar->setEnabled(false);
}

void TfrmSelecao::LigarEventos() {
  connect(btnAddImagens, &QToolButton::clicked, this, &TfrmSelecao::btnAddImagensClick);
  connect(btnAddDiretorio, &QToolButton::clicked, this, &TfrmSelecao::btnAddDiretorioClick);
  connect(btnRemover, &QToolButton::clicked, this, &TfrmSelecao::btnRemoverClick);
  // The page sees each key before the control that has the focus, as a form with key preview.
  // Only controls that take the focus receive keys; their containers take none, so a key a
  // control ignores and passes up to them is not seen twice.
  for (QWidget* filho : findChildren<QWidget*>())
    if (filho->focusPolicy() != Qt::NoFocus)
      filho->installEventFilter(this);
}

void TfrmSelecao::showEvent(QShowEvent* evento) {
  // The window frame around the page takes the focus when the user clicks where no control
  // takes it; the shortcuts work from there too.
  if (parentWidget() && !FMolduraVigiada) {
    parentWidget()->installEventFilter(this);
    FMolduraVigiada = true;
  }
  TPagina::showEvent(evento);
}

bool TfrmSelecao::eventFilter(QObject* objeto, QEvent* evento) {
  // Keys a control ignores travel on to its containers: the frame handles only its own.
  if (evento->type() == QEvent::KeyPress &&
      (objeto != parentWidget() || window()->focusWidget() == parentWidget()))
    FormKeyDown(*static_cast<QKeyEvent*>(evento));
  return TPagina::eventFilter(objeto, evento);
}

void TfrmSelecao::FormKeyDown(const QKeyEvent& tecla) {
  if (!(tecla.modifiers() & Qt::ControlModifier))
    return;
  switch (tecla.key()) {
    case Qt::Key_Delete:
      btnRemover->click();
      break;
    case Qt::Key_A:
      btnAddImagens->click();
      break;
    case Qt::Key_D:
      btnAddDiretorio->click();
      break;
    default:
      break;
  }
}

bool TfrmSelecao::ImagemNaLista(const QString& Caminho) const {
  return velmo::ImagemNaLista(ParaEngine(Imagens()), QFile::encodeName(Caminho).toStdString());
}

void TfrmSelecao::AdicionarImagens(const QStringList& Lista) {
  std::vector<std::string> lista = ParaEngine(Imagens());
  const size_t antes = lista.size();
  velmo::AdicionarImagens(lista, ParaEngine(Lista));
  for (size_t i = antes; i < lista.size(); ++i)
    lbxPath->addItem(QFile::decodeName(QByteArray::fromStdString(lista[i])));
}

QStringList TfrmSelecao::Imagens() const {
  QStringList caminhos;
  for (int i = 0; i < lbxPath->count(); ++i)
    caminhos.append(lbxPath->item(i)->text());
  return caminhos;
}

bool TfrmSelecao::AtualizarAvancar() {
  btnAvancar->setEnabled(lbxPath->count() > 0);
  return btnAvancar->isEnabled();
}

void TfrmSelecao::btnAddImagensClick() {
  const QStringList arquivos = EscolherArquivos(this, QString(), QStringLiteral("Bitmaps (*.bmp)"));
  if (arquivos.isEmpty())
    return;
  AdicionarImagens(arquivos);
  if (AtualizarAvancar())
    btnAvancar->setFocus(Qt::OtherFocusReason);
}

void TfrmSelecao::btnAddDiretorioClick() {
  QString falha;
  {
    // The chooser goes with this block, also when the search fails.
    auto dialogo = std::make_unique<TfrmSelDestino>(this);
    frmSelDestino = dialogo.get();
    if (ExecutarDialogo(*dialogo) == QDialog::Accepted) {
      try {
        const std::vector<std::string> achados =
            BuscarImagensNaPasta(QFile::encodeName(dialogo->Pasta()).toStdString());
        QStringList novas;
        for (const std::string& caminho : achados)
          novas.append(QFile::decodeName(QByteArray::fromStdString(caminho)));
        AdicionarImagens(novas);
      } catch (const ErroVelmo& erro) {
        falha = QString::fromStdString(erro.what());
      }
    }
  }
  if (!falha.isEmpty())
    MostrarErro(falha, this);
  if (AtualizarAvancar())
    btnAvancar->setFocus(Qt::OtherFocusReason);
}

void TfrmSelecao::btnRemoverClick() {
  qDeleteAll(lbxPath->selectedItems());
  AtualizarAvancar();
}

void TfrmSelecao::btnAvancarClick() {
  if (frmCentralizador)
    frmCentralizador->FImagens = Imagens();
  Navegar(frmProcessamento);
}

void TfrmSelecao::btnVoltarClick() {
  Navegar(frmMetodo);
}

}  // namespace velmo

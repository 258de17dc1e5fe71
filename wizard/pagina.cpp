#include "pagina.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QEvent>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QRadioButton>

#include <algorithm>
#include <vector>

#include "frmLateralA.h"
#include "frmSuperior.h"
#include "help/untArqEmbutidos.h"

namespace velmo {

// Keeps the children of one container where their anchors say, as the container's inside grows
// or shrinks from its design size.
class Ancoragem : public QObject {
 public:
  Ancoragem(QWidget* recipiente, QSize projeto) : QObject(recipiente), recipiente_(recipiente) {
    projeto_ = projeto;
    recipiente->installEventFilter(this);
  }

  void Adicionar(QWidget* controle, QRect projeto, Ancoras ancoras) {
    itens_.push_back({controle, projeto, ancoras});
    Aplicar(itens_.back());
  }

 protected:
  bool eventFilter(QObject*, QEvent* evento) override {
    if (evento->type() == QEvent::Resize)
      for (Item& item : itens_)
        Aplicar(item);
    return false;
  }

 private:
  struct Item {
    QPointer<QWidget> controle;
    QRect projeto;
    Ancoras ancoras;
  };

  // Both edges anchored: the control stretches; only the far edge: it moves; else it stays.
  static void Eixo(int& inicio, int& tamanho, int folga, bool perto, bool longe) {
    if (perto && longe)
      tamanho += folga;
    else if (longe)
      inicio += folga;
  }

  void Aplicar(Item& item) {
    if (!item.controle)
      return;
    const QRect dentro = recipiente_->contentsRect();
    int x = item.projeto.x(), largura = item.projeto.width();
    int y = item.projeto.y(), altura = item.projeto.height();
    Eixo(x, largura, dentro.width() - projeto_.width(), item.ancoras & akLeft,
         item.ancoras & akRight);
    Eixo(y, altura, dentro.height() - projeto_.height(), item.ancoras & akTop,
         item.ancoras & akBottom);
    item.controle->setGeometry(dentro.x() + x, dentro.y() + y, largura, altura);
  }

  QWidget* recipiente_;
  QSize projeto_;
  std::vector<Item> itens_;
};

TPagina::TPagina(const Modelo& modelo) {
  QFont fonte(QStringLiteral("Tahoma"));
  fonte.setPixelSize(11);
  setFont(fonte);
  resize(kLarguraProjeto, kAlturaProjeto);
  CriarMoldura(modelo);
  LigarBotoes();
}

TPagina::~TPagina() = default;

void TPagina::CriarMoldura(const Modelo& modelo) {
  if (!modelo.Titulo.isEmpty()) {
    frameSuperior1 = new TframeSuperior(this);
    frameSuperior1->DefinirTitulo(modelo.Titulo);
  }
  if (modelo.Lateral)
    Frame11 = new TFrame1(this);

  Panel1 = new QFrame(this);
  Panel1->setObjectName("Panel1");
  Panel1->setFrameStyle(QFrame::Panel | QFrame::Sunken);
  Panel1->setLineWidth(1);
  ancoragemPainel_ = new Ancoragem(Panel1, TamanhoProjetoPainel());

  Panel2 = new QWidget(this);
  Panel2->setObjectName("Panel2");
  Panel2->resize(kLarguraProjeto, kAlturaBarra);
  ancoragemBarra_ = new Ancoragem(Panel2, QSize(kLarguraProjeto, kAlturaBarra));

  btnAjuda = CriarBotao(QStringLiteral("A&juda"), "btnAjuda", 14, 75, false);
  if (modelo.Voltar)
    btnVoltar = CriarBotao(QStringLiteral("< &Voltar"), "btnVoltar", 252, 75, true);
  if (modelo.Avancar)
    btnAvancar = CriarBotao(QStringLiteral("&Avançar >"), "btnAvancar", 327, 75, true);
  if (modelo.Cancelar)
    btnCancelar = CriarBotao(QStringLiteral("&Cancelar"), "btnCancelar", 410, 75, true);
  for (QWidget* botao : {static_cast<QWidget*>(btnAvancar), static_cast<QWidget*>(btnVoltar),
                         static_cast<QWidget*>(btnCancelar), static_cast<QWidget*>(btnAjuda)})
    if (botao)
      ordemBarra_.append(botao);
}

void TPagina::LigarBotoes() {
  connect(btnAjuda, &QPushButton::clicked, this, &TPagina::btnAjudaClick);
  if (btnVoltar)
    connect(btnVoltar, &QPushButton::clicked, this, &TPagina::btnVoltarClick);
  if (btnAvancar)
    connect(btnAvancar, &QPushButton::clicked, this, &TPagina::btnAvancarClick);
  if (btnCancelar)
    connect(btnCancelar, &QPushButton::clicked, this, &TPagina::btnCancelarClick);
}

QSize TPagina::TamanhoProjetoPainel() const {
  const int largura = kLarguraProjeto - (Frame11 ? TFrame1::kLargura : 0);
  const int altura = kAlturaProjeto - (frameSuperior1 ? TframeSuperior::kAltura : 0) - kAlturaBarra;
  const int borda = 2 * Panel1->frameWidth();
  return QSize(largura - borda, altura - borda);
}

void TPagina::Posicionar(QWidget* controle, int x, int y, int largura, int altura,
                         Ancoras ancoras) {
  ancoragemPainel_->Adicionar(controle, QRect(x, y, largura, altura), ancoras);
}

QPushButton* TPagina::CriarBotao(const QString& texto, const QString& nome, int x, int largura,
                                 bool aDireita) {
  auto* botao = new QPushButton(texto, Panel2);
  botao->setObjectName(nome);
  // Enter presses the focused button, as Space does; a page is no dialog, so no button becomes
  // the default one.
  botao->setAutoDefault(true);
  ancoragemBarra_->Adicionar(botao, QRect(x, 12, largura, 25),
                             akBottom | (aDireita ? akRight : akLeft));
  return botao;
}

void TPagina::resizeEvent(QResizeEvent*) {
  int topo = 0;
  if (frameSuperior1) {
    frameSuperior1->setGeometry(0, 0, width(), TframeSuperior::kAltura);
    topo = TframeSuperior::kAltura;
  }
  const int base = height() - kAlturaBarra;
  Panel2->setGeometry(0, base, width(), kAlturaBarra);
  int esquerda = 0;
  if (Frame11) {
    Frame11->setGeometry(0, topo, TFrame1::kLargura, base - topo);
    esquerda = TFrame1::kLargura;
  }
  Panel1->setGeometry(esquerda, topo, width() - esquerda, base - topo);
}

void TPagina::DefinirOrdemTab() {
  // The page created its controls in their tab order, which is also Qt's initial focus chain.
  if (ordemPainel_.isEmpty())
    for (QWidget* w = Panel1->nextInFocusChain(); w != Panel1; w = w->nextInFocusChain()) {
      const bool dentroDeOutro = std::any_of(ordemPainel_.begin(), ordemPainel_.end(),
                                             [w](QWidget* c) { return c->isAncestorOf(w); });
      if (Panel1->isAncestorOf(w) && (w->focusPolicy() & Qt::TabFocus) && !dentroDeOutro)
        ordemPainel_.append(w);
    }
}

QList<QWidget*> TPagina::ParadasTab() const {
  QList<QWidget*> paradas;
  for (QWidget* w : ordemPainel_ + ordemBarra_) {
    if (!w || !w->isEnabled() || !w->isVisibleTo(this))
      continue;
    // Like a group of radio buttons on Windows: only the checked one is a stop.
    auto* radio = qobject_cast<QRadioButton*>(w);
    if (radio && radio->autoExclusive() && !radio->isChecked() &&
        std::any_of(ordemPainel_.begin(), ordemPainel_.end(), [radio](QWidget* c) {
          auto* outro = qobject_cast<QRadioButton*>(c);
          return outro && outro->isChecked() && outro->parentWidget() == radio->parentWidget();
        }))
      continue;
    paradas.append(w);
  }
  return paradas;
}

bool TPagina::focusNextPrevChild(bool proximo) {
  // Tab and Shift+Tab cycle through the page's own order and never leave the page.
  const QList<QWidget*> paradas = ParadasTab();
  if (paradas.isEmpty())
    return QWidget::focusNextPrevChild(proximo);
  QWidget* atual = focusWidget();
  qsizetype i = -1;
  for (qsizetype j = 0; j < paradas.size(); ++j)
    if (paradas[j] == atual || paradas[j]->isAncestorOf(atual))
      i = j;
  const qsizetype n = paradas.size();
  const qsizetype alvo = i < 0 ? (proximo ? 0 : n - 1) : (i + (proximo ? 1 : n - 1)) % n;
  paradas[alvo]->setFocus(proximo ? Qt::TabFocusReason : Qt::BacktabFocusReason);
  return true;
}

void TPagina::Exibir() {
  DefinirOrdemTab();
  const QList<QWidget*> paradas = ParadasTab();
  if (!paradas.isEmpty())
    paradas.front()->setFocus();
  if (frmCentralizador) {
    janela_ = frmCentralizador->AreaPaginas()->addSubWindow(this, Qt::FramelessWindowHint);
    janela_->setSystemMenu(nullptr);
    janela_->showMaximized();
    frmCentralizador->AreaPaginas()->setActiveSubWindow(janela_);
  } else {
    setAttribute(Qt::WA_DeleteOnClose);
    show();
  }
}

void TPagina::btnCancelarClick() {
  QCoreApplication::exit(0);
}

void TPagina::btnAjudaClick() {
  AbrirAjuda();
}

void TPagina::FormClose() {
  if (limparReferencia_)
    limparReferencia_();
  limparReferencia_ = nullptr;
  // The sub-window deletes itself, and the page with it, from the event loop: after the handler
  // that asked for the closing has returned.
  if (janela_)
    janela_->close();
}

void TPagina::closeEvent(QCloseEvent* evento) {
  FormClose();
  evento->accept();
}

}  // namespace velmo

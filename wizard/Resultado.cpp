#include "Resultado.h"

#include <QPlainTextEdit>

#include "Metodo.h"
#include "imagem.h"
#include "report/Relatorio.h"
#include "resumo.h"

namespace velmo {

TfrmResultado::TfrmResultado()
    : TPagina({.Titulo = QStringLiteral("Resultado"),
               .Voltar = false,
               .Avancar = false,
               .Cancelar = false}) {
  setObjectName("frmResultado");
  CriarControles();
  LigarEventos();
  if (frmCentralizador) {
    const QByteArray texto = frmCentralizador->FResultado.join(u'\n').toUtf8();
    memResultado->setPlainText(QString::fromStdString(Aparar(texto.toStdString())));
  }
}

void TfrmResultado::CriarControles() {
  memResultado = new QPlainTextEdit(Panel1);
  memResultado->setObjectName("memResultado");
  QFont courier(QStringLiteral("Courier New"));
  courier.setStyleHint(QFont::TypeWriter);
  courier.setPixelSize(11);
  memResultado->setFont(courier);
  memResultado->setReadOnly(true);
  memResultado->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
  memResultado->setTabChangesFocus(true);
  memResultado->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  memResultado->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  memResultado->setLineWrapMode(QPlainTextEdit::WidgetWidth);
  memResultado->setWordWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
  Posicionar(memResultado, 8, 8, 453, 231, akLeft | akTop | akRight);

  btnRelatorio = CriarBotao(QStringLiteral("&Gerar relatório"), "btnRelatorio", 97, 105, false);
  btnRelatorio->setIcon(IconeFigura(Figura::Relatorio));
  btnRelatorio->setIconSize({16, 16});
  btnNovaAnalise = CriarBotao(QStringLiteral("&Nova análise"), "btnNovaAnalise", 267, 105, true);
  btnConcluir = CriarBotao(QStringLiteral("&Concluir"), "btnConcluir", 380, 105, true);
  DefinirOrdemBarra({btnRelatorio, btnNovaAnalise, btnConcluir, btnAjuda});
}

void TfrmResultado::LigarEventos() {
  connect(btnRelatorio, &QPushButton::clicked, this, &TfrmResultado::btnRelatorioClick);
  connect(btnNovaAnalise, &QPushButton::clicked, this, &TfrmResultado::btnNovaAnaliseClick);
  connect(btnConcluir, &QPushButton::clicked, this, &TfrmResultado::btnConcluirClick);
}

void TfrmResultado::btnRelatorioClick() {
  Navegar(frmRelatorio);
}

void TfrmResultado::btnNovaAnaliseClick() {
  if (frmCentralizador) {
    frmCentralizador->FImagens.clear();
    frmCentralizador->FResultado.clear();
    frmCentralizador->LimparAnalises();
  }
  Navegar(frmMetodo);
}

// Ends the program as "&Cancelar" does on the other pages.
void TfrmResultado::btnConcluirClick() {
  btnCancelarClick();
}

}  // namespace velmo

#include "Metodo.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QRadioButton>

#include "Geral.h"
#include "Selecao.h"
#include "dialogos.h"

namespace velmo {

TfrmMetodo::TfrmMetodo() : TPagina({.Titulo = QStringLiteral("Análise a ser aplicada")}) {
  setObjectName("frmMetodo");
  CriarControles();
  LigarEventos();
  rdbIafClick();
}

void TfrmMetodo::CriarControles() {
  auto radio = [this](const QString& texto, const char* nome, int y) {
    auto* botao = new QRadioButton(texto, Panel1);
    botao->setObjectName(nome);
    QFont negrito = botao->font();
    negrito.setBold(true);
    botao->setFont(negrito);
    Posicionar(botao, 26, y, 301, 17);
    return botao;
  };
  // Created in their tab order: the three methods, then the area box.
  rdbAf = radio(QStringLiteral("Área Foliar"), "rdbAf", 36);
  rdbIaf = radio(QStringLiteral("Índice de Área Foliar"), "rdbIaf", 98);
  rdbAol = radio(QStringLiteral("Área de Olho de Lombo"), "rdbAol", 160);
  rdbAf->setChecked(true);

  lblIaf1 = new QLabel(QStringLiteral("Área amostrada:"), Panel1);
  lblIaf1->setObjectName("lblIaf1");
  Posicionar(lblIaf1, 386, 100, 81, 13);

  edtIaf = new QLineEdit(Panel1);
  edtIaf->setObjectName("edtIaf");
  edtIaf->setMaxLength(8);
  Posicionar(edtIaf, 386, 115, 57, 21);

  lblIaf2 = new QLabel(QStringLiteral("cm²"), Panel1);
  lblIaf2->setObjectName("lblIaf2");
  Posicionar(lblIaf2, 449, 119, 18, 13);
}

void TfrmMetodo::LigarEventos() {
  // toggled also follows the arrow keys, which move the selection inside the group.
  for (QRadioButton* botao : {rdbAf, rdbIaf, rdbAol})
    connect(botao, &QRadioButton::toggled, this, &TfrmMetodo::rdbIafClick);
  edtIaf->installEventFilter(this);
}

void TfrmMetodo::rdbIafClick() {
  edtIaf->setEnabled(rdbIaf->isChecked());
  lblIaf1->setEnabled(edtIaf->isEnabled());
  lblIaf2->setEnabled(edtIaf->isEnabled());
}

bool TfrmMetodo::eventFilter(QObject* objeto, QEvent* evento) {
  if (objeto == edtIaf && evento->type() == QEvent::KeyPress)
    return edtIafKeyPress(*static_cast<QKeyEvent*>(evento));
  return TPagina::eventFilter(objeto, evento);
}

bool TfrmMetodo::edtIafKeyPress(const QKeyEvent& tecla) {
  const int codigo = tecla.key();
  if (codigo == Qt::Key_Return || codigo == Qt::Key_Enter) {
    // The focus moves on to the next tab stop ("&Avançar >"), exactly as Tab would move it; the
    // button is not pressed.
    QKeyEvent tab(QEvent::KeyPress, Qt::Key_Tab, Qt::NoModifier);
    QCoreApplication::sendEvent(edtIaf, &tab);
    return false;
  }
  const Qt::KeyboardModifiers mods = tecla.modifiers();
  // Control with a letter or backspace types a control character (Ctrl+C, Ctrl+V, Ctrl+X…):
  // it is not in the accepted set, so the clipboard keys do nothing here.
  if ((mods & Qt::ControlModifier) && !(mods & Qt::AltModifier))
    return (codigo >= Qt::Key_A && codigo <= Qt::Key_Z) || codigo == Qt::Key_Backspace;
  // Keys that type no character (arrows, Home, End, Delete, Tab) edit or move as usual.
  const QString texto = tecla.text();
  if (texto.isEmpty() || codigo == Qt::Key_Delete || codigo == Qt::Key_Tab ||
      codigo == Qt::Key_Backtab)
    return false;
  // Accepted: backspace, the digits and the locale's decimal separator, read at every keystroke
  // so that a change of the locale applies at once. Everything else is dropped.
  if (codigo == Qt::Key_Backspace || (texto.size() == 1 && texto[0] >= u'0' && texto[0] <= u'9'))
    return false;
  return texto != QLocale().decimalPoint();
}

double TfrmMetodo::AreaDigitada() const {
  QLocale local;
  local.setNumberOptions(local.numberOptions() | QLocale::RejectGroupSeparator);
  bool ok = false;
  const double valor = local.toDouble(edtIaf->text(), &ok);
  return ok ? valor : 0;
}

bool TfrmMetodo::ValidarAreaAmostrada() {
  if (!rdbIaf->isChecked())
    return true;
  if (AreaDigitada() > 0)
    return true;
  MostrarAviso(QStringLiteral("Para calcular o Índice de Área Folhada, deve-se informar um valor "
                              "válido para a área amostrada em cm²!"),
               this);
  edtIaf->setFocus(Qt::OtherFocusReason);
  return false;
}

void TfrmMetodo::btnAvancarClick() {
  if (!ValidarAreaAmostrada())
    return;
  if (frmCentralizador) {
    frmCentralizador->FMetodo = rdbAf->isChecked()    ? mtAreaFoliar
                                : rdbIaf->isChecked() ? mtIndiceAreaFoliar
                                : rdbAol->isChecked() ? mtOlhoDeLombo
                                                      : mtNenhum;
    frmCentralizador->FAreaAmostrada = AreaDigitada();
  }
  Navegar(frmSelecao);
}

void TfrmMetodo::btnVoltarClick() {
  Navegar(frmGeral);
}

}  // namespace velmo

// The page frame at the main window's size (544 × 365 against the 497 × 360 design): the parts of
// a page, the bar's buttons and their anchors, Posicionar's anchors, and the tab order.

#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QtTest>

#include "wizard/Centralizador.h"
#include "wizard/Geral.h"
#include "wizard/frmLateralA.h"
#include "wizard/frmSuperior.h"
#include "wizard/imagem.h"
#include "wizard/pagina.h"

using namespace velmo;

namespace {

constexpr int kSobraX = 544 - 497;
constexpr int kSobraY = 365 - 360;

// A page like the selection page: header, a text box in the panel, the standard bar.
class TPaginaPadrao : public TPagina {
 public:
  TPaginaPadrao() : TPagina({.Titulo = QStringLiteral("Seleção das imagens")}) {
    edtTexto = new QLineEdit(Panel1);
    edtTexto->setObjectName("edtTexto");
    Posicionar(edtTexto, 8, 8, 200, 21, akLeft | akTop | akRight);
  }
  QLineEdit* edtTexto;
};

// A page like the processing page: header and side picture.
class TPaginaLateral : public TPagina {
 public:
  TPaginaLateral() : TPagina({.Titulo = QStringLiteral("Processamento"), .Lateral = true}) {}
};

// A page like the result page: its own buttons and their order on the bar.
class TPaginaBotoes : public TPagina {
 public:
  TPaginaBotoes()
      : TPagina({.Titulo = QStringLiteral("Resultado"),
                 .Voltar = false,
                 .Avancar = false,
                 .Cancelar = false}) {
    btnRelatorio = CriarBotao(QStringLiteral("&Gerar relatório"), "btnRelatorio", 97, 105, false);
    btnNovaAnalise = CriarBotao(QStringLiteral("&Nova análise"), "btnNovaAnalise", 267, 105, true);
    btnConcluir = CriarBotao(QStringLiteral("&Concluir"), "btnConcluir", 380, 105, true);
    DefinirOrdemBarra({btnRelatorio, btnNovaAnalise, btnConcluir, btnAjuda});
  }
  QPushButton* btnRelatorio;
  QPushButton* btnNovaAnalise;
  QPushButton* btnConcluir;
};

// A page with a group of radio buttons and a control placed with each kind of anchors.
class TPaginaAncoras : public TPagina {
 public:
  TPaginaAncoras() : TPagina({.Titulo = QStringLiteral("Âncoras")}) {
    for (const char* nome : {"rdbA", "rdbB", "rdbC"}) {
      auto* radio = new QRadioButton(QString::fromLatin1(nome), Panel1);
      radio->setObjectName(nome);
      radios.append(radio);
    }
    radios[0]->setChecked(true);
    edtFim = new QLineEdit(Panel1);
    edtFim->setObjectName("edtFim");
  }
  void Colocar(QWidget* w, QRect r, Ancoras a) {
    Posicionar(w, r.x(), r.y(), r.width(), r.height(), a);
  }
  QList<QRadioButton*> radios;
  QLineEdit* edtFim;
};

QPointer<TPaginaPadrao> frmPadrao;
QPointer<TPaginaLateral> frmLateral;
QPointer<TPaginaBotoes> frmBotoes;
QPointer<TPaginaAncoras> frmAncoras;

QStringList Tabular(int vezes, bool paraTras = false) {
  QStringList nomes;
  for (int i = 0; i < vezes; ++i) {
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab,
                    paraTras ? Qt::ShiftModifier : Qt::NoModifier);
    nomes << QApplication::focusWidget()->objectName();
  }
  return nomes;
}

}  // namespace

class PaginaTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() { IniciarAplicacao(); }

  void init() {
    frmCentralizador = new TfrmCentralizador;
    frmCentralizador->show();
    QVERIFY(QTest::qWaitForWindowActive(frmCentralizador));
    frmGeral->close();
  }

  void cleanup() { delete frmCentralizador.data(); }

  void cabecalhoEBarra() {
    TPaginaPadrao* p = AbrirPagina(frmPadrao);
    QCOMPARE(p->size(), QSize(544, 365));
    QCOMPARE(p->frameSuperior1->geometry(), QRect(0, 0, 544, 60));
    QCOMPARE(p->frameSuperior1->Label1->text(), QStringLiteral("Seleção das imagens"));
    QCOMPARE(p->frameSuperior1->Label1->pos(), QPoint(16, 21));
    QCOMPARE(p->frameSuperior1->Label1->font().pixelSize(), 16);
    QVERIFY(p->frameSuperior1->Label1->font().bold());
    QCOMPARE(p->frameSuperior1->Image1->geometry(), QRect(544 - 54, 5, 50, 50));
    QVERIFY(!p->Frame11);
    QCOMPARE(p->Panel1->geometry(), QRect(0, 60, 544, 365 - 60 - 48));
    QCOMPARE(p->Panel2->geometry(), QRect(0, 365 - 48, 544, 48));
    QCOMPARE(p->btnAjuda->geometry(), QRect(14, 12, 75, 25));
    QCOMPARE(p->btnVoltar->geometry(), QRect(252 + kSobraX, 12, 75, 25));
    QCOMPARE(p->btnAvancar->geometry(), QRect(327 + kSobraX, 12, 75, 25));
    QCOMPARE(p->btnCancelar->geometry(), QRect(410 + kSobraX, 12, 75, 25));
    QCOMPARE(p->edtTexto->geometry(), QRect(9, 9, 200 + kSobraX, 21));
    QCOMPARE(p->font().pixelSize(), 11);
  }

  void figuraLateral() {
    TPaginaLateral* p = AbrirPagina(frmLateral);
    QCOMPARE(p->Frame11->geometry(), QRect(0, 60, 165, 365 - 60 - 48));
    QVERIFY(!p->Frame11->isEnabled());
    QCOMPARE(p->Frame11->Image1->geometry(), p->Frame11->rect());
    QVERIFY(!p->Frame11->Image1->Vazia());
    QCOMPARE(p->Panel1->geometry(), QRect(165, 60, 544 - 165, 365 - 60 - 48));
  }

  void botoesProprios() {
    TPaginaBotoes* p = AbrirPagina(frmBotoes);
    QVERIFY(!p->btnVoltar && !p->btnAvancar && !p->btnCancelar);
    QCOMPARE(p->btnRelatorio->geometry(), QRect(97, 12, 105, 25));
    QCOMPARE(p->btnNovaAnalise->geometry(), QRect(267 + kSobraX, 12, 105, 25));
    QCOMPARE(p->btnConcluir->geometry(), QRect(380 + kSobraX, 12, 105, 25));
    QCOMPARE(QApplication::focusWidget(), p->btnRelatorio);
    QCOMPARE(Tabular(4),
             QStringList({"btnNovaAnalise", "btnConcluir", "btnAjuda", "btnRelatorio"}));
  }

  // The panel's controls come first, then the bar; Tab and Shift+Tab stay on the page, and a
  // disabled button is passed over.
  void ordemDeTabulacao() {
    TPaginaPadrao* p = AbrirPagina(frmPadrao);
    QCOMPARE(QApplication::focusWidget(), p->edtTexto);
    QCOMPARE(Tabular(5),
             QStringList({"btnAvancar", "btnVoltar", "btnCancelar", "btnAjuda", "edtTexto"}));
    QCOMPARE(Tabular(2, true), QStringList({"btnAjuda", "btnCancelar"}));
    p->btnAvancar->setEnabled(false);
    p->edtTexto->setFocus();
    QCOMPARE(Tabular(2), QStringList({"btnVoltar", "btnCancelar"}));
  }

  void grupoDeRadiosEhUmaParada() {
    TPaginaAncoras* p = AbrirPagina(frmAncoras);
    QCOMPARE(QApplication::focusWidget(), p->radios[0]);
    QCOMPARE(Tabular(2), QStringList({"edtFim", "btnAvancar"}));
    p->radios[2]->setChecked(true);
    p->edtFim->setFocus();
    QCOMPARE(Tabular(1, true), QStringList({"rdbC"}));
  }

  // Posicionar keeps a control's distance to its anchored edges as the panel grows.
  void ancoras_data() {
    QTest::addColumn<int>("ancoras");
    QTest::addColumn<QRect>("esperado");
    const QRect r(10, 20, 100, 30);
    QTest::newRow("esquerda e topo") << (akLeft | akTop) << r.translated(1, 1);
    QTest::newRow("esquerda, topo e direita")
        << (akLeft | akTop | akRight) << r.translated(1, 1).adjusted(0, 0, kSobraX, 0);
    QTest::newRow("topo e direita") << (akTop | akRight) << r.translated(1 + kSobraX, 1);
    QTest::newRow("os quatro lados") << (akLeft | akTop | akRight | akBottom)
                                     << r.translated(1, 1).adjusted(0, 0, kSobraX, kSobraY);
    QTest::newRow("base e esquerda") << (akBottom | akLeft) << r.translated(1, 1 + kSobraY);
  }
  void ancoras() {
    QFETCH(int, ancoras);
    QFETCH(QRect, esperado);
    TPaginaAncoras* p = AbrirPagina(frmAncoras);
    QCOMPARE(p->Panel1->size(), QSize(497 + kSobraX, 360 - 60 - 48 + kSobraY));
    p->Colocar(p->edtFim, QRect(10, 20, 100, 30), ancoras);
    QCOMPARE(p->edtFim->geometry(), esperado);
  }
};

QTEST_MAIN(PaginaTest)
#include "pagina_test.moc"

// The welcome page: its texts, the places of its parts at the main window's size, that nothing
// of it is clipped, its tab order and its way forward.

#include <QLabel>
#include <QMdiArea>
#include <QTextEdit>
#include <QtTest>

#include "wizard/Centralizador.h"
#include "wizard/Geral.h"
#include "wizard/Metodo.h"
#include "wizard/frmLateralA.h"
#include "wizard/imagem.h"

using namespace velmo;

class GeralTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() { IniciarAplicacao(); }

  void init() {
    frmCentralizador = new TfrmCentralizador;
    frmCentralizador->show();
    QVERIFY(QTest::qWaitForWindowActive(frmCentralizador));
    QVERIFY(frmGeral);
  }

  void cleanup() { delete frmCentralizador.data(); }

  void textos_data() {
    QTest::addColumn<QString>("nome");
    QTest::addColumn<QString>("texto");
    QTest::newRow("banner") << "Label1"
                            << "VELMO - Arvelim";
    QTest::newRow("descrição") << "Memo2"
                               << "Software para determinação de área foliar, índice de área "
                                  "foliar \ne área de olho de lombo - Versão 1.2.";
    QTest::newRow("ano") << "Memo4"
                         << "2008";
    QTest::newRow("Avançar") << "btnAvancar"
                             << "&Avançar >";
    QTest::newRow("Cancelar") << "btnCancelar"
                              << "&Cancelar";
    QTest::newRow("Ajuda") << "btnAjuda"
                           << "A&juda";
  }
  void textos() {
    QFETCH(QString, nome);
    QFETCH(QString, texto);
    QWidget* controle = frmGeral->findChild<QWidget*>(nome);
    QVERIFY(controle);
    if (auto* memo = qobject_cast<QTextEdit*>(controle))
      QCOMPARE(memo->toPlainText(), texto);
    else if (auto* rotulo = qobject_cast<QLabel*>(controle))
      QCOMPARE(rotulo->text(), texto);
    else
      QCOMPARE(qobject_cast<QAbstractButton*>(controle)->text(), texto);
  }

  void semVoltarNemCabecalho() {
    QVERIFY(!frmGeral->btnVoltar);
    QVERIFY(!frmGeral->frameSuperior1);
    QVERIFY(frmGeral->Frame11);
    QCOMPARE(frmGeral->Memo3->toPlainText().split('\n').size(), 3);
  }

  // Design places inside the panel (332 × 312, a 1-pixel edge): each part is anchored left, top
  // and right, so the page's extra width over the design (544 against 497) widens it.
  void posicoes_data() {
    QTest::addColumn<QString>("nome");
    QTest::addColumn<QRect>("projeto");
    QTest::newRow("Image2") << "Image2" << QRect(6, 5, 315, 135);
    QTest::newRow("Shape1") << "Shape1" << QRect(0, 144, 330, 37);
    QTest::newRow("Label1") << "Label1" << QRect(13, 153, 302, 19);
    QTest::newRow("Memo2") << "Memo2" << QRect(6, 190, 318, 30);
    QTest::newRow("Memo3") << "Memo3" << QRect(6, 232, 318, 40);
    QTest::newRow("Memo4") << "Memo4" << QRect(6, 287, 318, 14);
  }
  void posicoes() {
    QFETCH(QString, nome);
    QFETCH(QRect, projeto);
    const int sobra = frmGeral->width() - 497;
    QCOMPARE(sobra, 544 - 497);
    QWidget* controle = frmGeral->Panel1->findChild<QWidget*>(nome);
    QVERIFY(controle);
    QCOMPARE(controle->geometry(), projeto.translated(1, 1).adjusted(0, 0, sobra, 0));
  }

  void molduraDaPagina() {
    const int altura = frmGeral->height();
    QCOMPARE(frmGeral->Frame11->geometry(), QRect(0, 0, 165, altura - 48));
    QCOMPARE(frmGeral->Panel1->geometry(), QRect(165, 0, 544 - 165, altura - 48));
    QCOMPARE(frmGeral->btnAjuda->geometry(), QRect(14, 12, 75, 25));
    QCOMPARE(frmGeral->btnAvancar->geometry(), QRect(544 - 170, 12, 75, 25));
    QCOMPARE(frmGeral->btnCancelar->geometry(), QRect(544 - 87, 12, 75, 25));
    QVERIFY(!frmGeral->Panel1->isEnabled());
  }

  // The welcome picture is smaller than its box: shown at its own size, centred.
  void figuraCentralizada() {
    const QRectF area = frmGeral->Image2->AreaDesenho();
    QCOMPARE(area.size(), QSizeF(205, 82));
    QCOMPARE(area.center(), QRectF(frmGeral->Image2->rect()).center());
  }

  // With the page font, each line of the panel's texts fits its box's width and all lines its
  // height, and the buttons' texts fit the buttons.
  void nadaCortado() {
    QCOMPARE(QFontInfo(frmGeral->font()).family(), QStringLiteral("Tahoma"));
    QVERIFY(QFontInfo(frmGeral->Label1->font()).bold());
    for (QTextEdit* memo : {frmGeral->Memo2, frmGeral->Memo3, frmGeral->Memo4}) {
      const QFontMetrics medidas(memo->font());
      const QStringList linhas = memo->toPlainText().split('\n');
      for (const QString& linha : linhas)
        QVERIFY2(medidas.horizontalAdvance(linha.trimmed()) <= memo->width(), qPrintable(linha));
      QVERIFY2(memo->document()->size().height() <= memo->height(), qPrintable(memo->objectName()));
    }
    const QFontMetrics banner(frmGeral->Label1->font());
    QVERIFY(banner.horizontalAdvance(frmGeral->Label1->text()) <= frmGeral->Label1->width());
    QVERIFY(banner.height() <= frmGeral->Label1->height());
  }

  // The panel takes no focus; the bar goes "&Avançar >", "&Cancelar", "A&juda" and round.
  void ordemDeTabulacao() {
    QCOMPARE(QApplication::focusWidget(), frmGeral->btnAvancar);
    const QStringList esperada{"btnCancelar", "btnAjuda", "btnAvancar", "btnCancelar"};
    for (const QString& nome : esperada) {
      QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
      QCOMPARE(QApplication::focusWidget()->objectName(), nome);
    }
  }

  // Alt+A presses "&Avançar >": the method page opens and the welcome page goes.
  void avancarAbreMetodo() {
    QPointer<TfrmGeral> geral = frmGeral.data();
    QTest::keyClick(frmCentralizador, Qt::Key_A, Qt::AltModifier);
    QTRY_VERIFY(frmMetodo);
    QVERIFY(!frmGeral);
    QTRY_VERIFY(!geral);
    QCOMPARE(frmCentralizador->AreaPaginas()->subWindowList().size(), 1);
  }

  // Enter, like Space, presses the button that has the focus.
  void enterPressionaOBotaoComFoco() {
    QCOMPARE(QApplication::focusWidget(), frmGeral->btnAvancar);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    QTRY_VERIFY(frmMetodo);
  }
};

QTEST_MAIN(GeralTest)
#include "geral_test.moc"

// The result page: the summary box, the bar's four buttons, and where each of them leads.

#include <QApplication>
#include <QEventLoop>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QTimer>
#include <QtTest>

#include "bmp_teste.h"
#include "paginas_teste.h"
#include "report/Relatorio.h"
#include "wizard/Metodo.h"
#include "wizard/Resultado.h"

using namespace velmo;

class ResultadoTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() {
    IniciarAplicacao();
    teste::Gravar(pasta_ / "a.bmp", teste::Bmp24(teste::DeArte({"x.x"})));
  }

  void init() {
    teste::AbrirJanela();
    frmCentralizador->FMetodo = mtIndiceAreaFoliar;
    frmCentralizador->FAreaAmostrada = 12.5;
    frmCentralizador->FImagens = {"/a.bmp"};
    frmCentralizador->FResultado = {"# Imagem: /a.bmp", "  - Resolução...........: 300", "",
                                    "# TOTALIZADORES:", "  - Área foliar (cm²)...: 1,0000"};
    frmCentralizador->FAreasFoliares.push_back(
        std::make_unique<TAreaFoliar>((pasta_ / "a.bmp").string(), nullptr));
    pagina_ = AbrirPagina(frmResultado);
  }

  void cleanup() {
    teste::FecharJanela();
    QVERIFY(!frmResultado && !frmMetodo && !frmRelatorio);
  }

  // The summary, read-only but selectable, in Courier New 11 px, with a vertical scroll bar and
  // lines wrapped at the box's width.
  void caixaDoResumo() {
    QPlainTextEdit* memo = pagina_->memResultado;
    QCOMPARE(memo->toPlainText(), frmCentralizador->FResultado.join('\n'));
    QVERIFY(memo->isReadOnly());
    QVERIFY(memo->textInteractionFlags() & Qt::TextSelectableByMouse);
    QVERIFY(memo->textInteractionFlags() & Qt::TextSelectableByKeyboard);
    QCOMPARE(memo->font().family(), QStringLiteral("Courier New"));
    QCOMPARE(memo->font().pixelSize(), 11);
    QCOMPARE(memo->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
    QCOMPARE(memo->lineWrapMode(), QPlainTextEdit::WidgetWidth);

    memo->setFocus();
    QTest::keyClicks(memo, "texto");
    QTest::keyClick(memo, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(memo, Qt::Key_Delete);
    QCOMPARE(memo->toPlainText(), frmCentralizador->FResultado.join('\n'));
    QCOMPARE(memo->textCursor().selectedText().size(), memo->toPlainText().size());
  }

  // Leading and trailing blanks and line breaks of FResultado do not reach the box.
  void resumoAparado() {
    frmCentralizador->FResultado = {"", "  # linha  ", "", ""};
    pagina_->close();
    pagina_ = AbrirPagina(frmResultado);
    QCOMPARE(pagina_->memResultado->toPlainText(), QStringLiteral("# linha"));
  }

  // Positions in the bar of the 497-wide design and the tab order.
  void botoes() {
    const QList<std::tuple<QPushButton*, QString, int, int>> botoes = {
        {pagina_->btnAjuda, "A&juda", 14, 75},
        {pagina_->btnRelatorio, "&Gerar relatório", 97, 105},
        {pagina_->btnNovaAnalise, "&Nova análise", 267, 105},
        {pagina_->btnConcluir, "&Concluir", 380, 105}};
    const int folga = pagina_->width() - TPagina::kLarguraProjeto;
    for (const auto& [botao, texto, x, largura] : botoes) {
      QCOMPARE(botao->text(), texto);
      const int deslocamento = x > 200 ? folga : 0;
      QCOMPARE(botao->geometry(), QRect(x + deslocamento, 12, largura, 25));
    }
    QVERIFY(!pagina_->btnRelatorio->icon().isNull());
    QVERIFY(!pagina_->btnVoltar && !pagina_->btnAvancar && !pagina_->btnCancelar);

    pagina_->memResultado->setFocus();
    const QList<QWidget*> ordem = {pagina_->btnRelatorio, pagina_->btnNovaAnalise,
                                   pagina_->btnConcluir, pagina_->btnAjuda, pagina_->memResultado};
    for (QWidget* proximo : ordem) {
      QTest::keyClick(frmCentralizador->focusWidget(), Qt::Key_Tab);
      QCOMPARE(frmCentralizador->focusWidget(), proximo);
    }
  }

  // "&Nova análise" empties the list, the summary and the measurements, keeps the method and
  // the area, and opens the method page in its design state.
  void novaAnalise() {
    QTest::mouseClick(pagina_->btnNovaAnalise, Qt::LeftButton);
    QVERIFY(frmMetodo && !frmResultado);
    QVERIFY(frmCentralizador->FImagens.isEmpty());
    QVERIFY(frmCentralizador->FResultado.isEmpty());
    QVERIFY(frmCentralizador->FAreasFoliares.empty());
    QCOMPARE(frmCentralizador->FMetodo, mtIndiceAreaFoliar);
    QCOMPARE(frmCentralizador->FAreaAmostrada, 12.5);
    QVERIFY(frmMetodo->rdbAf->isChecked());
  }

  // "&Gerar relatório" leads to the report header page; coming back shows the same summary.
  void relatorioEVolta() {
    const QString texto = pagina_->memResultado->toPlainText();
    QTest::mouseClick(pagina_->btnRelatorio, Qt::LeftButton);
    QVERIFY(frmRelatorio && !frmResultado);
    auto* fechar = frmRelatorio->findChild<QPushButton*>("btnFechar");
    QVERIFY(fechar);
    fechar->click();
    QVERIFY(frmResultado && !frmRelatorio);
    QCOMPARE(frmResultado->memResultado->toPlainText(), texto);
    QCOMPARE(frmCentralizador->FAreasFoliares.size(), size_t(1));
  }

  // "&Concluir" ends the message loop, with the page still open.
  void concluir() {
    QEventLoop laco;
    QTimer::singleShot(0, pagina_, [this] { pagina_->btnConcluir->click(); });
    QTimer::singleShot(5000, &laco, [&laco] { laco.exit(1); });
    QCOMPARE(laco.exec(), 0);
    QVERIFY(frmResultado);
  }

 private:
  teste::PastaTemporaria pasta_;
  QPointer<TfrmResultado> pagina_;
};

QTEST_MAIN(ResultadoTest)
#include "resultado_test.moc"

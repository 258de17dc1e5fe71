// The method page: its design state, the area box's key filter under both decimal separators,
// the check of the sampled area and what each way off the page stores.

#include <QApplication>
#include <QClipboard>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QRadioButton>
#include <QtTest>

#include "paginas_teste.h"
#include "wizard/Metodo.h"
#include "wizard/Selecao.h"
#include "wizard/dialogos.h"

using namespace velmo;

namespace {

const QString kAviso = QStringLiteral(
    "Para calcular o Índice de Área Folhada, deve-se informar um valor válido para a área "
    "amostrada em cm²!");

// Clicks a radio button on its circle: a click on the empty part right of its text misses it.
void Marcar(QRadioButton* botao) {
  QTest::mouseClick(botao, Qt::LeftButton, {}, QPoint(6, botao->height() / 2));
}

}  // namespace

class MetodoTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() { IniciarAplicacao(); }

  void init() {
    QLocale::setDefault(QLocale(QLocale::Portuguese, QLocale::Brazil));
    pagina_ = teste::AbrirNaJanela(frmMetodo);
  }

  void cleanup() {
    teste::FecharJanela();
    QVERIFY(!frmMetodo && !frmSelecao && !frmGeral);
  }

  // Every opening is the design state: "Área Foliar", and the area box with its labels disabled.
  // Choosing the index enables all three; leaving it disables them and keeps the typed text.
  void estadoInicialEHabilitacao() {
    QVERIFY(pagina_->rdbAf->isChecked());
    QVERIFY(!pagina_->edtIaf->isEnabled());
    QVERIFY(!pagina_->lblIaf1->isEnabled() && !pagina_->lblIaf2->isEnabled());
    QVERIFY(pagina_->edtIaf->text().isEmpty());

    Marcar(pagina_->rdbIaf);
    QVERIFY(pagina_->edtIaf->isEnabled());
    QVERIFY(pagina_->lblIaf1->isEnabled() && pagina_->lblIaf2->isEnabled());
    QTest::keyClicks(pagina_->edtIaf, "25");

    for (QRadioButton* outro : {pagina_->rdbAol, pagina_->rdbAf}) {
      Marcar(outro);
      QVERIFY(!pagina_->edtIaf->isEnabled());
      QVERIFY(!pagina_->lblIaf1->isEnabled() && !pagina_->lblIaf2->isEnabled());
      QCOMPARE(pagina_->edtIaf->text(), QStringLiteral("25"));
      Marcar(pagina_->rdbIaf);
    }
  }

  // The separator is the locale's, read at each keystroke; everything else but digits and
  // backspace is dropped, and the box takes at most 8 characters.
  void filtroDeTeclas_data() {
    QTest::addColumn<QLocale>("local");
    QTest::addColumn<QString>("digitado");
    QTest::addColumn<QString>("esperado");
    const QLocale br(QLocale::Portuguese, QLocale::Brazil);
    const QLocale us(QLocale::English, QLocale::UnitedStates);
    QTest::newRow("vírgula em pt_BR") << br << "12,5"
                                      << "12,5";
    QTest::newRow("ponto descartado em pt_BR") << br << "12.5"
                                               << "125";
    QTest::newRow("ponto em en_US") << us << "12.5"
                                    << "12.5";
    QTest::newRow("vírgula descartada em en_US") << us << "12,5"
                                                 << "125";
    QTest::newRow("letras, sinais e espaços") << br << "a1-2+ 3e"
                                              << "123";
    QTest::newRow("vários separadores") << br << "1,2,3"
                                        << "1,2,3";
    QTest::newRow("separador sem dígitos") << br << ","
                                           << ",";
    QTest::newRow("nono caractere") << br << "123456789"
                                    << "12345678";
  }
  void filtroDeTeclas() {
    QFETCH(QLocale, local);
    QFETCH(QString, digitado);
    QFETCH(QString, esperado);
    QLocale::setDefault(local);
    Marcar(pagina_->rdbIaf);
    QTest::keyClicks(pagina_->edtIaf, digitado);
    QCOMPARE(pagina_->edtIaf->text(), esperado);
  }

  // The separator follows a change of the locale between two keystrokes of one text.
  void separadorLidoACadaTecla() {
    Marcar(pagina_->rdbIaf);
    QTest::keyClicks(pagina_->edtIaf, "1,");
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    QTest::keyClicks(pagina_->edtIaf, ",2.");
    QCOMPARE(pagina_->edtIaf->text(), QStringLiteral("1,2."));
  }

  // Backspace, Delete and the arrows still edit; the clipboard keys do nothing.
  void teclasDeEdicaoEAreaDeTransferencia() {
    Marcar(pagina_->rdbIaf);
    QTest::keyClicks(pagina_->edtIaf, "1234");
    QTest::keyClick(pagina_->edtIaf, Qt::Key_Backspace);
    QTest::keyClick(pagina_->edtIaf, Qt::Key_Home);
    QTest::keyClick(pagina_->edtIaf, Qt::Key_Delete);
    QCOMPARE(pagina_->edtIaf->text(), QStringLiteral("23"));

    QApplication::clipboard()->setText(QStringLiteral("99"));
    QTest::keyClick(pagina_->edtIaf, Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(pagina_->edtIaf->text(), QStringLiteral("23"));
    pagina_->edtIaf->selectAll();
    QTest::keyClick(pagina_->edtIaf, Qt::Key_X, Qt::ControlModifier);
    QCOMPARE(pagina_->edtIaf->text(), QStringLiteral("23"));
    QTest::keyClick(pagina_->edtIaf, Qt::Key_C, Qt::ControlModifier);
    QCOMPARE(QApplication::clipboard()->text(), QStringLiteral("99"));
  }

  // Enter moves the focus to "&Avançar >" without pressing it.
  void enterMoveFocoSemAvancar() {
    DialogosDeTeste dialogos;
    Marcar(pagina_->rdbIaf);
    pagina_->edtIaf->setFocus();
    QTest::keyClicks(pagina_->edtIaf, "3");
    QTest::keyClick(pagina_->edtIaf, Qt::Key_Return);
    QCOMPARE(frmCentralizador->focusWidget(), pagina_->btnAvancar);
    QCoreApplication::processEvents();
    QVERIFY(frmMetodo);
    QVERIFY(!frmSelecao);
    QVERIFY(dialogos.Mensagens.isEmpty());
  }

  // With the index chosen, an area that reads as 0 is refused: the warning, the focus in the
  // box, the page stays and nothing is stored. A positive area goes on.
  void validacao_data() {
    QTest::addColumn<QString>("texto");
    QTest::addColumn<bool>("aceito");
    QTest::addColumn<double>("area");
    QTest::newRow("vazio") << "" << false << 0.0;
    QTest::newRow("0") << "0" << false << 0.0;
    QTest::newRow("0,000") << "0,000" << false << 0.0;
    QTest::newRow("1,2,3") << "1,2,3" << false << 0.0;
    QTest::newRow("12,5") << "12,5" << true << 12.5;
    QTest::newRow(",5") << ",5" << true << 0.5;
  }
  void validacao() {
    QFETCH(QString, texto);
    QFETCH(bool, aceito);
    QFETCH(double, area);
    frmCentralizador->FMetodo = mtOlhoDeLombo;
    frmCentralizador->FAreaAmostrada = 7;
    DialogosDeTeste dialogos;
    Marcar(pagina_->rdbIaf);
    pagina_->edtIaf->setText(texto);
    pagina_->btnAvancar->setFocus();
    pagina_->btnAvancar->click();
    QCoreApplication::processEvents();
    if (aceito) {
      QVERIFY(dialogos.Mensagens.isEmpty());
      QCOMPARE(frmCentralizador->FMetodo, mtIndiceAreaFoliar);
      QCOMPARE(frmCentralizador->FAreaAmostrada, area);
      QVERIFY(frmSelecao);
      QVERIFY(!frmMetodo);
    } else {
      QCOMPARE(dialogos.Mensagens.size(), 1);
      QCOMPARE(dialogos.Mensagens[0].Icone, QMessageBox::Warning);
      QCOMPARE(dialogos.Mensagens[0].Texto, kAviso);
      QCOMPARE(dialogos.Mensagens[0].Titulo, QStringLiteral("VELMO - Arvelim"));
      QCOMPARE(frmCentralizador->focusWidget(), pagina_->edtIaf);
      QVERIFY(frmMetodo);
      QVERIFY(!frmSelecao);
      QCOMPARE(frmCentralizador->FMetodo, mtOlhoDeLombo);
      QCOMPARE(frmCentralizador->FAreaAmostrada, 7.0);
    }
  }

  // The other two methods go on without a check and store whatever the (disabled) box holds;
  // "< &Voltar" stores nothing.
  void caminhosDeSaida_data() {
    QTest::addColumn<QString>("botao");
    QTest::addColumn<QString>("texto");
    QTest::addColumn<int>("metodo");
    QTest::addColumn<double>("area");
    QTest::newRow("Área Foliar, caixa vazia") << "rdbAf"
                                              << "" << int(mtAreaFoliar) << 0.0;
    QTest::newRow("Área Foliar, área digitada antes") << "rdbAf"
                                                      << "3,25" << 1 << 3.25;
    QTest::newRow("Olho de Lombo, texto inválido") << "rdbAol"
                                                   << "1,2,3" << 3 << 0.0;
    QTest::newRow("Olho de Lombo, área digitada antes") << "rdbAol"
                                                        << "40" << 3 << 40.0;
  }
  void caminhosDeSaida() {
    QFETCH(QString, botao);
    QFETCH(QString, texto);
    QFETCH(int, metodo);
    QFETCH(double, area);
    DialogosDeTeste dialogos;
    Marcar(pagina_->rdbIaf);
    QTest::keyClicks(pagina_->edtIaf, texto);
    Marcar(pagina_->findChild<QRadioButton*>(botao));
    pagina_->btnAvancar->click();
    QVERIFY(dialogos.Mensagens.isEmpty());
    QCOMPARE(int(frmCentralizador->FMetodo), metodo);
    QCOMPARE(frmCentralizador->FAreaAmostrada, area);
    QVERIFY(frmSelecao && !frmMetodo);
  }

  void voltarNaoGuardaNada() {
    frmCentralizador->FMetodo = mtOlhoDeLombo;
    frmCentralizador->FAreaAmostrada = 9;
    Marcar(pagina_->rdbIaf);
    QTest::keyClicks(pagina_->edtIaf, "12,5");
    pagina_->btnVoltar->click();
    QVERIFY(frmGeral && !frmMetodo);
    QCOMPARE(frmCentralizador->FMetodo, mtOlhoDeLombo);
    QCOMPARE(frmCentralizador->FAreaAmostrada, 9.0);
  }

  // Tab goes through the panel, then the bar with "&Avançar >" first; the three radio buttons
  // are one stop, the chosen one.
  void ordemDeTabulacao() {
    Marcar(pagina_->rdbIaf);
    pagina_->rdbIaf->setFocus();
    const QList<QWidget*> esperado = {pagina_->edtIaf,      pagina_->btnAvancar, pagina_->btnVoltar,
                                      pagina_->btnCancelar, pagina_->btnAjuda,   pagina_->rdbIaf};
    for (QWidget* proximo : esperado) {
      QTest::keyClick(frmCentralizador->focusWidget(), Qt::Key_Tab);
      QCOMPARE(frmCentralizador->focusWidget(), proximo);
    }
  }

 private:
  QPointer<TfrmMetodo> pagina_;
};

QTEST_MAIN(MetodoTest)
#include "metodo_test.moc"

// The whole road as a user takes it: the real program from the welcome page to the result page,
// by keyboard and mouse, and a summary equal to velmo-medir's for the same files.

#include <QApplication>
#include <QFileInfo>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <QtTest>

#include "bmp_teste.h"
#include "wizard/Centralizador.h"
#include "wizard/Geral.h"
#include "wizard/Metodo.h"
#include "wizard/Processamento.h"
#include "wizard/Resultado.h"
#include "wizard/Selecao.h"
#include "wizard/dialogos.h"

using namespace velmo;

namespace {

const QString kMedir = QStringLiteral(VELMO_MEDIR);

// Presses the mnemonic Alt+`letra` in the main window, which must be active.
void Atalho(Qt::Key letra) {
  frmCentralizador->activateWindow();
  QVERIFY(QTest::qWaitForWindowActive(frmCentralizador));
  QTest::keyClick(frmCentralizador, letra, Qt::AltModifier);
}

// Clicks a radio button on its circle: a click on the empty part right of its text misses it.
void Marcar(QRadioButton* botao) {
  QTest::mouseClick(botao, Qt::LeftButton, {}, QPoint(6, botao->height() / 2));
}

}  // namespace

class AssistenteTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() {
    qputenv("LC_ALL", "pt_BR.UTF-8");
    QLocale::setDefault(QLocale(QLocale::Portuguese, QLocale::Brazil));
    teste::Gravar(pasta_ / "folha1.bmp",
                  teste::Bmp24(teste::DeArte({"..xx..x...", ".xxxxxxx..", "..x.....x."})));
    teste::Gravar(pasta_ / "folha2.bmp", teste::Bmp24(teste::DeArte({"x...x", "xx..x"}), 5906));
    teste::Gravar(pasta_ / "ruim.bmp", {'B', 'M'});
  }

  void daBoasVindasAoResultado() {
    const QStringList arquivos = {Caminho("folha1.bmp"), Caminho("ruim.bmp"),
                                  Caminho("folha2.bmp")};
    DialogosDeTeste dialogos;
    dialogos.ProximaEscolha(arquivos);
    QString resumo;
    bool chegou = false;

    QTimer::singleShot(0, [&] {
      QTRY_VERIFY(frmGeral);
      Atalho(Qt::Key_A);  // welcome: "&Avançar >"
      QTRY_VERIFY(frmMetodo);

      Marcar(frmMetodo->rdbIaf);
      frmMetodo->edtIaf->setFocus();
      QTest::keyClicks(frmMetodo->edtIaf, "12,5");
      QTest::keyClick(frmMetodo->edtIaf, Qt::Key_Return);
      QCOMPARE(QApplication::focusWidget(), frmMetodo->btnAvancar);
      QTest::keyClick(frmMetodo->btnAvancar, Qt::Key_Space);
      QTRY_VERIFY(frmSelecao);

      QTest::keyClick(frmSelecao->lbxPath, Qt::Key_A, Qt::ControlModifier);
      QCOMPARE(frmSelecao->lbxPath->count(), 3);
      QCOMPARE(QApplication::focusWidget(), frmSelecao->btnAvancar);
      QTest::keyClick(frmSelecao->btnAvancar, Qt::Key_Space);
      QTRY_VERIFY(frmProcessamento);

      Atalho(Qt::Key_A);  // the run
      QTRY_VERIFY(frmResultado);
      resumo = frmResultado->memResultado->toPlainText();
      chegou = true;
      QTest::mouseClick(frmResultado->btnConcluir, Qt::LeftButton);
    });
    QTimer::singleShot(30000, [] { QCoreApplication::exit(2); });
    IniciarAplicacao();
    QCOMPARE(ExecutarPrograma(), 0);
    QVERIFY(chegou);
    QVERIFY(!frmCentralizador);

    QCOMPARE(dialogos.Mensagens.size(), 1);
    QVERIFY(dialogos.Mensagens[0].Texto.contains(Caminho("ruim.bmp")));

    QVERIFY2(QFileInfo::exists(kMedir), qPrintable(kMedir));
    QProcess medir;
    medir.start(kMedir, QStringList{"--metodo", "2", "--area-amostrada", "12,5", "--tarefas", "1"} +
                            arquivos);
    QVERIFY(medir.waitForFinished(30000));
    QCOMPARE(medir.exitCode(), 1);  // one file skipped
    QCOMPARE(resumo + '\n', QString::fromUtf8(medir.readAllStandardOutput()));
    QVERIFY(resumo.contains("  - I.A.F...............: "));
  }

 private:
  QString Caminho(const QString& nome) const {
    return QString::fromStdString((pasta_ / nome.toStdString()).string());
  }

  teste::PastaTemporaria pasta_;
};

QTEST_MAIN(AssistenteTest)
#include "assistente_test.moc"

// AbrirAjuda and the manual's copies: the executable's folder first, the temporary folder second,
// the two messages, and the removal of the temporary copy when the main window closes. Folders
// that cannot be written are paths under a regular file, which even root cannot create.

#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include "help/untArqEmbutidos.h"
#include "wizard/Centralizador.h"
#include "wizard/Geral.h"
#include "wizard/dialogos.h"

using namespace velmo;

namespace {

const QString kExtracao = QStringLiteral(
    "Não foi possível extrair o arquivo de ajuda pois o local em que se encontra o programa VELMO "
    "não possui permissão para gravação!\n\nPara tentar resolver esse problema, copie o programa "
    "para uma unidade que permita gravação.");
const QString kAbertura = QStringLiteral(
    "Não foi possível abrir o arquivo de ajuda automaticamente!\n\nPara abrir o arquivo "
    "manualmente, vá em:\n");

QByteArray Ler(const QString& caminho) {
  QFile arquivo(caminho);
  return arquivo.open(QIODevice::ReadOnly) ? arquivo.readAll() : QByteArray();
}

void Escrever(const QString& caminho, const QByteArray& dados) {
  QFile arquivo(caminho);
  QVERIFY(arquivo.open(QIODevice::WriteOnly));
  arquivo.write(dados);
}

}  // namespace

class AjudaTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() {
    IniciarAplicacao();
    QVERIFY(pasta_.isValid());
    Escrever(pasta_.filePath("arquivo"), "não é uma pasta");
    semGravacao_ = pasta_.filePath("arquivo/pasta");
    QFile recurso(QStringLiteral(":/PDFFILE/MANUALVELMO"));
    QVERIFY(recurso.open(QIODevice::ReadOnly));
    manual_ = recurso.readAll();
  }

  void init() {
    executavel_ = pasta_.filePath("programa");
    temp_ = pasta_.filePath("temp");
    QVERIFY(QDir(executavel_).removeRecursively() && QDir(temp_).removeRecursively());
    QVERIFY(QDir().mkpath(executavel_) && QDir().mkpath(temp_));
    qputenv("TEMP", temp_.toLocal8Bit());
    AmbienteAjuda::PastaExecutavel = [this] { return executavel_; };
    abertos_.clear();
    visualizador_ = true;
    AmbienteAjuda::AbrirUrl = [this](const QUrl& url) {
      abertos_ << url.toLocalFile();
      return visualizador_;
    };
  }

  void manualEmbutidoEhUmPdf() {
    QVERIFY(manual_.startsWith("%PDF-"));
    QVERIFY(manual_.size() > 10000);
  }

  // Written once beside the executable, then reused as found.
  void pastaDoExecutavelGravavel() {
    DialogosDeTeste dialogos;
    const QString copia = executavel_ + "/Manual VELMO.pdf";
    AbrirAjuda();
    QCOMPARE(Ler(copia), manual_);
    QCOMPARE(abertos_, QStringList{copia});
    Escrever(copia, "%PDF-1.4 versão do usuário");
    AbrirAjuda();
    QCOMPARE(Ler(copia), QByteArray("%PDF-1.4 versão do usuário"));
    QCOMPARE(abertos_, QStringList({copia, copia}));
    QVERIFY(dialogos.Mensagens.isEmpty());
    QVERIFY(!QFile::exists(temp_ + "/Manual VELMO.pdf"));
  }

  // The executable's folder cannot be written: the copy goes to TEMP and is removed when the
  // main window closes.
  void copiaTemporariaApagadaAoFechar() {
    DialogosDeTeste dialogos;
    executavel_ = semGravacao_;
    const QString copia = temp_ + "/Manual VELMO.pdf";
    AbrirAjuda();
    QCOMPARE(Ler(copia), manual_);
    QCOMPARE(abertos_, QStringList{copia});
    QVERIFY(dialogos.Mensagens.isEmpty());
    {
      TfrmCentralizador janela;
      frmCentralizador = &janela;
      janela.close();
      QVERIFY(!frmCentralizador);
    }
    QVERIFY(!QFile::exists(copia));
  }

  // A file already in TEMP is trusted as the manual: opened as found, not rewritten.
  void copiaTemporariaExistenteEhUsada() {
    DialogosDeTeste dialogos;
    executavel_ = semGravacao_;
    const QString copia = temp_ + "/Manual VELMO.pdf";
    Escrever(copia, "cópia antiga");
    AbrirAjuda();
    QCOMPARE(Ler(copia), QByteArray("cópia antiga"));
    QCOMPARE(abertos_, QStringList{copia});
  }

  // Neither place can be written: the extraction message at every click, nothing opened.
  void nenhumLugarGravavel() {
    DialogosDeTeste dialogos;
    executavel_ = semGravacao_;
    qputenv("TEMP", semGravacao_.toLocal8Bit());
    AbrirAjuda();
    AbrirAjuda();
    QCOMPARE(dialogos.Mensagens.size(), 2);
    for (const MensagemMostrada& m : dialogos.Mensagens) {
      QCOMPARE(m.Icone, QMessageBox::Critical);
      QCOMPARE(m.Titulo, QStringLiteral("VELMO - Arvelim"));
      QCOMPARE(m.Texto, kExtracao);
    }
    QVERIFY(abertos_.isEmpty());
    QString caminho;
    QVERIFY(!ExtrairManual(caminho));
    QCOMPARE(caminho, semGravacao_ + "/Manual VELMO.pdf");
  }

  // No viewer: the opening message ends with the copy's full path.
  void semVisualizador() {
    DialogosDeTeste dialogos;
    visualizador_ = false;
    AbrirAjuda();
    QCOMPARE(dialogos.Mensagens.size(), 1);
    QCOMPARE(dialogos.Mensagens[0].Icone, QMessageBox::Critical);
    QCOMPARE(dialogos.Mensagens[0].Texto, kAbertura + executavel_ + "/Manual VELMO.pdf");
  }

  // "A&juda" on a page opens the manual, also through Alt+J.
  void botaoAjuda() {
    DialogosDeTeste dialogos;
    TfrmCentralizador janela;
    frmCentralizador = &janela;
    janela.show();
    QVERIFY(QTest::qWaitForWindowActive(&janela));
    QVERIFY(frmGeral);
    frmGeral->btnAjuda->click();
    QTest::keyClick(&janela, Qt::Key_J, Qt::AltModifier);
    const QString copia = executavel_ + "/Manual VELMO.pdf";
    QTRY_COMPARE(abertos_, QStringList({copia, copia}));
    QVERIFY(dialogos.Mensagens.isEmpty());
  }

  // TEMP when set and not empty, else the system's temporary folder.
  void pastaTemporaria_data() {
    QTest::addColumn<QByteArray>("temp");
    QTest::addColumn<QString>("esperado");
    QTest::newRow("TEMP definida") << QByteArray("/var/tmp/meu") << "/var/tmp/meu/Manual VELMO.pdf";
    QTest::newRow("TEMP vazia") << QByteArray("") << QDir::tempPath() + "/Manual VELMO.pdf";
  }
  void pastaTemporaria() {
    QFETCH(QByteArray, temp);
    QFETCH(QString, esperado);
    qputenv("TEMP", temp);
    QCOMPARE(CaminhoManualTemporario(), esperado);
    qunsetenv("TEMP");
    QCOMPARE(CaminhoManualTemporario(), QDir::tempPath() + "/Manual VELMO.pdf");
  }

 private:
  QTemporaryDir pasta_;
  QString semGravacao_;
  QString executavel_;
  QString temp_;
  QByteArray manual_;
  QStringList abertos_;
  bool visualizador_ = true;
};

QTEST_MAIN(AjudaTest)
#include "ajuda_test.moc"

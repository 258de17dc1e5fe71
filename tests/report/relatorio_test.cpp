// The report header page: its controls and tab order, loading and saving the settings file, the
// report it builds from the typed texts, and its failures. The preview is answered by the test.

#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QPlainTextEdit>
#include <QtTest>

#include "bmp_teste.h"
#include "report/Impressao.h"
#include "report/Relatorio.h"
#include "wizard/Centralizador.h"
#include "wizard/Geral.h"
#include "wizard/Resultado.h"
#include "wizard/dialogos.h"
#include "wizard/frmSuperior.h"

using namespace velmo;

namespace {

QByteArray Ler(const QString& caminho) {
  QFile f(caminho);
  return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<ausente>");
}

// What the preview showed: the header texts as the report document holds and prints them.
struct RelatorioVisto {
  bool aberto = false;
  QString projeto;
  QString responsavel;
  QStringList tratamento;
  QStringList impressos;  // "control=text" of the header band, as prepared
};

}  // namespace

class RelatorioTest : public QObject {
  Q_OBJECT

  std::unique_ptr<teste::PastaTemporaria> pasta_;
  std::unique_ptr<DialogosDeTeste> dialogos_;
  QString exe_;
  QString usuario_;
  QString Arquivo() const { return exe_ + "/velmo_relatorio.ini"; }

  TfrmRelatorio* Abrir() {
    AbrirPagina(frmRelatorio);
    return frmRelatorio.data();
  }

  // Answers the next preview: records what the report document holds, then closes the preview.
  void ResponderPrevia(RelatorioVisto& visto) {
    dialogos_->ProximoDialogo([&visto](QDialog&) -> int {
      visto.aberto = frmImpressao != nullptr;
      if (!frmImpressao)
        return QDialog::Rejected;
      visto.projeto = frmImpressao->lblPro->texto;
      visto.responsavel = frmImpressao->lblRes->texto;
      visto.tratamento = frmImpressao->memTra->linhas;
      const auto& r = *frmImpressao->RLReport1;
      for (const auto& item : r.Itens(0))
        if (QStringList{"lblPro", "lblRes", "memTra", "RLLabel1", "RLLabel2", "RLLabel3"}.contains(
                item.controle))
          visto.impressos << item.controle + "=" + item.texto;
      return QDialog::Accepted;
    });
  }

  RelatorioVisto Salvar(TfrmRelatorio* pagina) {
    RelatorioVisto visto;
    ResponderPrevia(visto);
    pagina->btnImprimir->click();
    return visto;
  }

 private slots:
  void initTestCase() { IniciarAplicacao(); }

  void init() {
    pasta_ = std::make_unique<teste::PastaTemporaria>();
    exe_ = QString::fromStdString((*pasta_ / "bin").string());
    usuario_ = QString::fromStdString((*pasta_ / "config").string());
    QDir().mkpath(exe_);
    TfrmRelatorio::configuracao = ConfiguracaoRelatorio(exe_, usuario_);
    dialogos_ = std::make_unique<DialogosDeTeste>();
    frmCentralizador = new TfrmCentralizador;
    frmCentralizador->FMetodo = mtAreaFoliar;
    frmCentralizador->show();
    QVERIFY(QTest::qWaitForWindowActive(frmCentralizador));
    frmGeral->close();
  }

  void cleanup() {
    delete frmCentralizador.data();
    dialogos_.reset();
    TfrmRelatorio::configuracao.reset();
    pasta_.reset();
  }

  // Design places inside Panel1 (1-pixel edge); the page is 47 wider and 5 higher than the
  // design, which the anchors add to the text boxes.
  void controlesEPosicoes_data() {
    QTest::addColumn<QString>("nome");
    QTest::addColumn<QString>("texto");
    QTest::addColumn<QRect>("geometria");
    const int x = 544 - 497, y = 365 - 360;
    QTest::newRow("Label2") << "Label2"
                            << "Projeto:" << QRect(25, 23, 39, 13);
    QTest::newRow("edtProjeto") << "edtProjeto"
                                << "" << QRect(25, 38, 421 + x, 21);
    QTest::newRow("Label1") << "Label1"
                            << "Responsável:" << QRect(25, 74, 65, 13);
    QTest::newRow("edtResponsavel") << "edtResponsavel"
                                    << "" << QRect(25, 89, 421 + x, 21);
    QTest::newRow("Label3") << "Label3"
                            << "Tratamento:" << QRect(25, 125, 60, 13);
    QTest::newRow("memTratamento") << "memTratamento"
                                   << "" << QRect(25, 140, 421 + x, 62 + y);
    QTest::newRow("btnAjuda") << "btnAjuda"
                              << "A&juda" << QRect(14, 12, 75, 25);
    QTest::newRow("btnImprimir") << "btnImprimir"
                                 << "&Salvar" << QRect(327 + x, 12, 75, 25);
    QTest::newRow("btnFechar") << "btnFechar"
                               << "&Fechar" << QRect(410 + x, 12, 75, 25);
  }
  void controlesEPosicoes() {
    QFETCH(QString, nome);
    QFETCH(QString, texto);
    QFETCH(QRect, geometria);
    TfrmRelatorio* p = Abrir();
    QWidget* c = p->Panel1->findChild<QWidget*>(nome);
    if (!c)
      c = p->Panel2->findChild<QWidget*>(nome);
    QVERIFY(c);
    if (auto* l = qobject_cast<QLabel*>(c)) {
      QCOMPARE(l->text(), texto);
      QCOMPARE(l->geometry().topLeft(), geometria.topLeft());
      QVERIFY(l->width() >= geometria.width());
      QVERIFY(QFontMetrics(l->font()).horizontalAdvance(texto) <= l->width());
    } else {
      if (auto* b = qobject_cast<QPushButton*>(c))
        QCOMPARE(b->text(), texto);
      QCOMPARE(c->geometry(), geometria);
    }
    QCOMPARE(p->frameSuperior1->Label1->text(), QStringLiteral("Relatório de análises"));
    QVERIFY(!p->btnVoltar && !p->btnAvancar && !p->btnCancelar);
  }

  void ordemDeTabulacaoSelecionaOTratamento() {
    QFile f(Arquivo());
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write("[VELMO - Arvelim]\r\nTRATAMENTO=Adubo\r\n");
    f.close();
    TfrmRelatorio* p = Abrir();
    QCOMPARE(QApplication::focusWidget(), p->edtProjeto);
    for (const char* nome : {"edtResponsavel", "memTratamento", "btnImprimir", "btnFechar",
                             "btnAjuda", "edtProjeto"}) {
      QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
      QCOMPARE(QApplication::focusWidget()->objectName(), QString(nome));
      if (QApplication::focusWidget() == p->memTratamento)
        QCOMPARE(p->memTratamento->textCursor().selectedText(), QStringLiteral("Adubo"));
    }
    // Enter in the treatment starts no new line.
    p->memTratamento->setFocus();
    QTest::keyClick(p->memTratamento, Qt::Key_End);
    QTest::keyClick(p->memTratamento, Qt::Key_Return);
    QTest::keyClick(p->memTratamento, Qt::Key_Enter);
    QCOMPARE(p->memTratamento->toPlainText(), QStringLiteral("Adubo"));
  }

  void primeiroUsoGravaEMostraORelatorio() {
    TfrmRelatorio* p = Abrir();
    QVERIFY(p->edtProjeto->text().isEmpty() && p->edtResponsavel->text().isEmpty() &&
            p->memTratamento->toPlainText().isEmpty());
    p->edtProjeto->setText(QStringLiteral("Soja"));
    p->edtResponsavel->setText(QStringLiteral("Ana Ávila"));
    p->memTratamento->setPlainText(QStringLiteral("T1"));
    const RelatorioVisto visto = Salvar(p);
    QCOMPARE(Ler(Arquivo()),
             QByteArray("[VELMO - Arvelim]\r\nRESP\xC1NSAVEL=Ana \xC1vila\r\nPROJETO=Soja\r\n"
                        "TRATAMENTO=T1\r\n"));
    QVERIFY(visto.aberto);
    QCOMPARE(visto.impressos,
             (QStringList{"RLLabel1=Projeto:", "RLLabel2=Responsável:", "RLLabel3=Tratamento:",
                          "lblPro=Soja", "lblRes=Ana Ávila", "memTra=T1"}));
    // The report document goes with its preview; the page stays, texts unchanged.
    QVERIFY(!frmImpressao);
    QCOMPARE(frmRelatorio.data(), p);
    QCOMPARE(p->edtProjeto->text(), QStringLiteral("Soja"));
    QVERIFY(dialogos_->Mensagens.isEmpty());
  }

  void textosAparadosNoArquivoComoDigitadosNoRelatorio() {
    TfrmRelatorio* p = Abrir();
    p->edtProjeto->setText(QStringLiteral("  Milho  "));
    p->edtResponsavel->setText(QString());
    p->memTratamento->setPlainText(QStringLiteral(" Linha um \nLinha dois"));
    const RelatorioVisto visto = Salvar(p);
    QCOMPARE(visto.projeto, QStringLiteral("  Milho  "));
    QCOMPARE(visto.responsavel, QString());
    QCOMPARE(visto.tratamento, (QStringList{" Linha um ", "Linha dois"}));
    QVERIFY(
        Ler(Arquivo()).contains("RESP\xC1NSAVEL=\r\nPROJETO=Milho\r\n"
                                "TRATAMENTO=Linha um \r\nLinha dois\r\n"));
    p->close();
    TfrmRelatorio* outra = Abrir();
    QCOMPARE(outra->edtProjeto->text(), QStringLiteral("Milho"));
    QCOMPARE(outra->edtResponsavel->text(), QString());
    QCOMPARE(outra->memTratamento->toPlainText(), QStringLiteral("Linha um"));
  }

  void pastaSemEscritaAvisaEMostraORelatorio() {
    QFile arquivo(exe_ + "/arquivo");
    QVERIFY(arquivo.open(QIODevice::WriteOnly));
    arquivo.close();
    const QString bloqueada = exe_ + "/arquivo/config";
    TfrmRelatorio::configuracao = ConfiguracaoRelatorio(exe_ + "/arquivo/bin", bloqueada);
    TfrmRelatorio* p = Abrir();
    p->edtProjeto->setText(QStringLiteral("P"));
    const RelatorioVisto visto = Salvar(p);
    QCOMPARE(dialogos_->Mensagens.size(), 1);
    QCOMPARE(dialogos_->Mensagens[0].Icone, QMessageBox::Critical);
    QCOMPARE(dialogos_->Mensagens[0].Titulo, QStringLiteral("VELMO - Arvelim"));
    QCOMPARE(dialogos_->Mensagens[0].Texto,
             "Não foi possível criar o arquivo de inicialização!\n\nVerifique as permissões de "
             "gravação para a pasta:\n\"" +
                 bloqueada + "\"");
    QVERIFY(visto.aberto);
    QCOMPARE(visto.projeto, QStringLiteral("P"));
  }

  void falhaNaPreviaDestroiODocumentoEMantemAPagina() {
    TfrmRelatorio* p = Abrir();
    dialogos_->ProximoDialogo([](QDialog&) -> int { throw std::runtime_error("falha simulada"); });
    p->btnImprimir->click();
    QVERIFY(!frmImpressao);
    QCOMPARE(frmRelatorio.data(), p);
    QCOMPARE(dialogos_->Mensagens.size(), 1);
    QCOMPARE(dialogos_->Mensagens[0].Texto, QStringLiteral("falha simulada"));
    // A second "&Salvar" builds a fresh report.
    const RelatorioVisto visto = Salvar(p);
    QVERIFY(visto.aberto);
  }

  void fecharSemSalvarNaoMudaOArquivo() {
    TfrmRelatorio* p = Abrir();
    p->edtProjeto->setText(QStringLiteral("Primeiro"));
    Salvar(p);
    const QByteArray antes = Ler(Arquivo());
    p->edtProjeto->setText(QStringLiteral("Não salvo"));
    QPointer<TfrmRelatorio> pagina = p;
    p->btnFechar->click();
    QVERIFY(!frmRelatorio);
    QVERIFY(frmResultado);
    QTRY_VERIFY(!pagina);
    QCOMPARE(Ler(Arquivo()), antes);
  }
};

QTEST_MAIN(RelatorioTest)
#include "relatorio_test.moc"

// The preview: paging, and saving a PDF through its save path, read back with pdftotext.

#include <QAction>
#include <QApplication>
#include <QFile>
#include <QLocale>
#include <QPrintDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>
#include <QtTest>

#include "bmp_teste.h"
#include "report/Impressao.h"
#include "report/previa.h"
#include "wizard/dialogos.h"

using namespace velmo;

namespace {

TLinhaImpressao Linha(const QString& nome, double cob) {
  TLinhaImpressao l;
  l.NOME = nome;
  l.AREA_COB = cob;
  return l;
}

QString Executar(const QString& programa, const QStringList& argumentos) {
  QProcess p;
  p.start(programa, argumentos);
  if (!p.waitForFinished(30000) || p.exitCode() != 0)
    return QStringLiteral("<falhou: %1>").arg(QString::fromUtf8(p.readAllStandardError()));
  return QString::fromUtf8(p.readAllStandardOutput());
}

void Acionar(QWidget* janela, const char* acao) {
  auto* a = janela->findChild<QAction*>(QLatin1String(acao));
  QVERIFY2(a, acao);
  a->trigger();
}

}  // namespace

class PreviaTest : public QObject {
  Q_OBJECT

  std::unique_ptr<teste::PastaTemporaria> pasta_;
  QString Caminho(const char* nome) const {
    return QString::fromStdString((*pasta_ / nome).string());
  }

 private slots:
  void initTestCase() {
    QLocale::setDefault(QLocale(QLocale::Portuguese, QLocale::Brazil));
    pasta_ = std::make_unique<teste::PastaTemporaria>();
  }
  void cleanupTestCase() { pasta_.reset(); }
  void cleanup() { DialogoSalvar::proximaResposta.reset(); }

  void pdfSalvoPelaPreviaTemTextosEFormatos() {
    TfrmImpressao f({2, 100, {}, {}});
    f.CDSImp.linhas = {Linha(QStringLiteral("/dados/folha ação A.bmp"), 30),
                       Linha(QStringLiteral("/dados/folha B.bmp"), 20)};
    f.lblPro->texto = QStringLiteral("Milho safrinha");
    f.lblRes->texto = QStringLiteral("João Conceição");
    f.memTra->linhas = QStringList{"Adubação nitrogenada", "Segunda linha"};
    f.Preparar();
    Previa previa(*f.RLReport1, f.fltPDF);
    DialogoSalvar::proximaResposta = Caminho("relatorio");  // ".pdf" is added
    Acionar(&previa, "acaoSalvar");
    const QString pdf = Caminho("relatorio.pdf");
    QVERIFY(QFile::exists(pdf));

    const QString texto = Executar("pdftotext", {"-layout", pdf, "-"});
    const QStringList ordem{"VELMO - ARVELIM",
                            "RELATÓRIO DE ANÁLISES",
                            "Índice de Área Foliar",
                            "Projeto:",
                            "Milho safrinha",
                            "Responsável:",
                            "João Conceição",
                            "Tratamento:",
                            "Adubação nitrogenada",
                            "Segunda linha",
                            "Imagem:",
                            "/dados/folha ação A.bmp",
                            "Área (cm²):",
                            "30,0000",
                            "/dados/folha B.bmp",
                            "20,0000",
                            "Área foliar total (cm²):",
                            "50,0000",
                            "Área amostrada (cm²):",
                            "100,0000",
                            "Índice de área foliar:",
                            "0,5000"};
    qsizetype de = 0;
    for (const QString& t : ordem) {
      const qsizetype em = texto.indexOf(t, de);
      QVERIFY2(em >= 0, qPrintable(t + " depois de " + texto.mid(0, de).right(40) + "\n" + texto));
      de = em + t.size();
    }
    QVERIFY(texto.contains("Página: 1"));

    const QString fontes = Executar("pdffonts", {pdf});
    QVERIFY2(fontes.contains("LiberationSans"), qPrintable(fontes));
    for (const QString& linha : fontes.split('\n').mid(2))
      if (!linha.isEmpty())
        QVERIFY2(linha.contains(" yes "), qPrintable(linha));  // embedded
  }

  void salvarNaPreviaModalGravaAntesDeVoltar() {
    DialogosDeTeste dialogos;
    TfrmImpressao f({1, 0, {}, {}});
    f.CDSImp.linhas = {Linha("/a.bmp", 1)};
    const QString pdf = Caminho("modal.pdf");
    bool gravadoAntesDeVoltar = false;
    QString janela;
    bool modal = false;
    dialogos.ProximoDialogo([&](QDialog& d) -> int {
      janela = d.objectName();
      modal = d.isModal();
      DialogoSalvar::proximaResposta = pdf;
      Acionar(&d, "acaoSalvar");
      gravadoAntesDeVoltar = QFile::exists(pdf);
      return int(QDialog::Accepted);
    });
    f.Visualizar(nullptr);
    QCOMPARE(janela, QStringLiteral("Previa"));
    QVERIFY(modal);
    QVERIFY(gravadoAntesDeVoltar);
    QVERIFY(dialogos.Mensagens.isEmpty());
  }

  void salvarCanceladoOuImpossivel() {
    DialogosDeTeste dialogos;
    TfrmImpressao f({1, 0, {}, {}});
    f.Preparar();
    Previa previa(*f.RLReport1, f.fltPDF);
    DialogoSalvar::proximaResposta = QString();
    previa.Salvar();
    QVERIFY(dialogos.Mensagens.isEmpty());

    // A regular file where a folder should be: nothing can be written below it.
    QFile arquivo(Caminho("arquivo"));
    QVERIFY(arquivo.open(QIODevice::WriteOnly));
    arquivo.close();
    const QString impossivel = Caminho("arquivo") + "/r.pdf";
    DialogoSalvar::proximaResposta = impossivel;
    previa.Salvar();
    QCOMPARE(dialogos.Mensagens.size(), 1);
    QCOMPARE(dialogos.Mensagens[0].Icone, QMessageBox::Critical);
    QVERIFY2(dialogos.Mensagens[0].Texto.contains(impossivel),
             qPrintable(dialogos.Mensagens[0].Texto));
  }

  // The print dialog's answer sends the printer to a PDF file: every page reaches the printer.
  void imprimirPeloDialogoDeImpressao() {
    DialogosDeTeste dialogos;
    TfrmImpressao f({1, 0, {}, {}});
    for (int i = 0; i < 80; ++i)
      f.CDSImp.linhas.push_back(Linha(QStringLiteral("/img/%1.bmp").arg(i), i));
    f.Preparar();
    Previa previa(*f.RLReport1, f.fltPDF);
    const QString saida = Caminho("impresso.pdf");
    dialogos.ProximoDialogo([&](QDialog& d) -> int {
      QPrinter* printer = static_cast<QPrintDialog&>(d).printer();
      printer->setOutputFormat(QPrinter::PdfFormat);
      printer->setOutputFileName(saida);
      return QDialog::Accepted;
    });
    Acionar(&previa, "acaoImprimir");
    const QString info = Executar("pdfinfo", {saida});
    QVERIFY2(info.contains(
                 QRegularExpression(QStringLiteral("Pages:\\s+%1\\n").arg(f.RLReport1->Paginas()))),
             qPrintable(info));
    const QString texto = Executar("pdftotext", {saida, "-"});
    QVERIFY(texto.contains("/img/79.bmp"));
    QVERIFY(texto.contains(QStringLiteral("Página: %1").arg(f.RLReport1->Paginas())));

    dialogos.ProximoDialogo([](QDialog&) { return int(QDialog::Rejected); });
    QFile::remove(saida);
    Acionar(&previa, "acaoImprimir");
    QVERIFY(!QFile::exists(saida));
  }

  void navegacaoDePaginas() {
    TfrmImpressao f({1, 0, {}, {}});
    for (int i = 0; i < 80; ++i)
      f.CDSImp.linhas.push_back(Linha(QStringLiteral("/img/%1.bmp").arg(i), i));
    f.Preparar();
    const int paginas = f.RLReport1->Paginas();
    QVERIFY(paginas >= 3);
    Previa previa(*f.RLReport1, f.fltPDF);
    QPrintPreviewWidget* v = previa.Visualizador();
    QCOMPARE(v->pageCount(), paginas);
    QCOMPARE(v->currentPage(), 1);
    Acionar(&previa, "acaoProxima");
    QCOMPARE(v->currentPage(), 2);
    Acionar(&previa, "acaoUltima");
    QCOMPARE(v->currentPage(), paginas);
    Acionar(&previa, "acaoAnterior");
    QCOMPARE(v->currentPage(), paginas - 1);
    Acionar(&previa, "acaoPrimeira");
    QCOMPARE(v->currentPage(), 1);
  }
};

QTEST_MAIN(PreviaTest)
#include "previa_test.moc"

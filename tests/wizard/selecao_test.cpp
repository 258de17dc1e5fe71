// The selection page and its folder chooser: the list rules (no path twice, letter case counts,
// folders with hidden files and BMP-named folders), the shortcuts, the state of "&Avançar >",
// and what "&Avançar >" and "< &Voltar" leave in the analysis state.

#include <QApplication>
#include <QDir>
#include <QListWidget>
#include <QPushButton>
#include <QToolButton>
#include <QtTest>

#include "bmp_teste.h"
#include "paginas_teste.h"
#include "wizard/Metodo.h"
#include "wizard/Processamento.h"
#include "wizard/SelDestino.h"
#include "wizard/Selecao.h"
#include "wizard/dialogos.h"

using namespace velmo;

namespace {

QStringList Lista(const TfrmSelecao& pagina) {
  return pagina.Imagens();
}

// The next folder chooser opens `pasta` and answers `resultado`.
void ResponderPasta(DialogosDeTeste& dialogos, const QString& pasta,
                    int resultado = QDialog::Accepted) {
  dialogos.ProximoDialogo([pasta, resultado](QDialog& dialogo) {
    auto* escolha = qobject_cast<TfrmSelDestino*>(&dialogo);
    if (!escolha)
      qFatal("o diálogo não é o seletor de pastas");
    if (frmSelDestino != escolha)
      qFatal("frmSelDestino não aponta o diálogo aberto");
    escolha->AbrirPasta(pasta);
    return resultado;
  });
}

}  // namespace

class SelecaoTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() {
    IniciarAplicacao();
    // a.bmp, B.BMP, .oculta.bmp, a subfolder named pasta.bmp, and files that are not BMPs.
    const auto bmp = teste::Bmp24(teste::DeArte({"x."}));
    teste::Gravar(pasta_ / "b.bmp", bmp);
    teste::Gravar(pasta_ / "A.BMP", bmp);
    teste::Gravar(pasta_ / ".oculta.bmp", bmp);
    teste::Gravar(pasta_ / "nota.txt", bmp);
    teste::Gravar(pasta_ / "b.bmp.txt", bmp);
    std::filesystem::create_directory(pasta_ / "pasta.bmp");
    teste::Gravar(pasta_ / "pasta.bmp" / "dentro.bmp", bmp);
    raiz_ = QString::fromStdString(pasta_.Caminho().string());
  }

  void cleanup() {
    teste::FecharJanela();
    QVERIFY(!frmSelecao && !frmSelDestino);
  }

  // The page shows FImagens as it is when it opens; "&Avançar >" is enabled exactly when the
  // list is not empty.
  void abertura_data() {
    QTest::addColumn<QStringList>("imagens");
    QTest::newRow("lista vazia") << QStringList{};
    QTest::newRow("de volta do processamento") << QStringList{"/z/c.bmp", "/a/b.bmp", "/m.bmp"};
  }
  void abertura() {
    QFETCH(QStringList, imagens);
    TfrmSelecao* pagina = AbrirCom(imagens);
    QCOMPARE(Lista(*pagina), imagens);
    QCOMPARE(pagina->btnAvancar->isEnabled(), !imagens.isEmpty());
    QCOMPARE(pagina->lbxPath->selectionMode(), QAbstractItemView::ExtendedSelection);
  }

  // Files picked in the dialog: only paths not listed yet are appended, in the dialog's order;
  // the comparison is byte for byte, so another letter case is another entry.
  void adicionarArquivos_data() {
    QTest::addColumn<QStringList>("inicial");
    QTest::addColumn<QStringList>("escolhidos");
    QTest::addColumn<QStringList>("esperado");
    QTest::newRow("já listados") << QStringList{"/img/a.bmp", "/img/b.bmp"}
                                 << QStringList{"/img/b.bmp", "/img/a.bmp"}
                                 << QStringList{"/img/a.bmp", "/img/b.bmp"};
    QTest::newRow("mistura: só os novos, depois dos antigos")
        << QStringList{"/img/b.bmp"} << QStringList{"/img/c.bmp", "/img/b.bmp", "/img/a.bmp"}
        << QStringList{"/img/b.bmp", "/img/c.bmp", "/img/a.bmp"};
    QTest::newRow("outra caixa de letras é outra entrada")
        << QStringList{"/img/a.bmp"} << QStringList{"/IMG/A.BMP"}
        << QStringList{"/img/a.bmp", "/IMG/A.BMP"};
    QTest::newRow("repetido na própria escolha")
        << QStringList{} << QStringList{"/x.bmp", "/x.bmp", "/y.bmp"}
        << QStringList{"/x.bmp", "/y.bmp"};
  }
  void adicionarArquivos() {
    QFETCH(QStringList, inicial);
    QFETCH(QStringList, escolhidos);
    QFETCH(QStringList, esperado);
    TfrmSelecao* pagina = AbrirCom(inicial);
    DialogosDeTeste dialogos;
    dialogos.ProximaEscolha(escolhidos);
    QTest::mouseClick(pagina->btnAddImagens, Qt::LeftButton);
    QCOMPARE(Lista(*pagina), esperado);
    QVERIFY(pagina->btnAvancar->isEnabled());
    QCOMPARE(frmCentralizador->focusWidget(), pagina->btnAvancar);
  }

  void cancelarArquivosNaoMudaNada() {
    TfrmSelecao* pagina = AbrirCom({});
    DialogosDeTeste dialogos;
    dialogos.ProximaEscolha({});
    QTest::mouseClick(pagina->btnAddImagens, Qt::LeftButton);
    QVERIFY(Lista(*pagina).isEmpty());
    QVERIFY(!pagina->btnAvancar->isEnabled());
  }

  // A folder adds its entries named *.bmp in any case, hidden ones and BMP-named folders
  // included, sorted by name, nothing from subfolders; a second time it adds nothing.
  void adicionarPasta() {
    TfrmSelecao* pagina = AbrirCom({});
    DialogosDeTeste dialogos;
    ResponderPasta(dialogos, raiz_);
    QTest::mouseClick(pagina->btnAddDiretorio, Qt::LeftButton);
    const QStringList esperado = {raiz_ + "/.oculta.bmp", raiz_ + "/A.BMP", raiz_ + "/b.bmp",
                                  raiz_ + "/pasta.bmp"};
    QCOMPARE(Lista(*pagina), esperado);
    QVERIFY(!frmSelDestino);
    QVERIFY(pagina->findChildren<TfrmSelDestino*>().isEmpty());
    QCOMPARE(frmCentralizador->focusWidget(), pagina->btnAvancar);

    ResponderPasta(dialogos, raiz_);
    QTest::mouseClick(pagina->btnAddDiretorio, Qt::LeftButton);
    QCOMPARE(Lista(*pagina), esperado);
    QVERIFY(dialogos.Mensagens.isEmpty());
  }

  // Cancelling adds nothing and still destroys the dialog; "&Avançar >" takes the focus when
  // the list is not empty.
  void cancelarPasta() {
    TfrmSelecao* pagina = AbrirCom({"/img/a.bmp"});
    pagina->lbxPath->setFocus();
    DialogosDeTeste dialogos;
    ResponderPasta(dialogos, raiz_, QDialog::Rejected);
    QTest::mouseClick(pagina->btnAddDiretorio, Qt::LeftButton);
    QCOMPARE(Lista(*pagina), QStringList{"/img/a.bmp"});
    QVERIFY(!frmSelDestino);
    QVERIFY(pagina->findChildren<TfrmSelDestino*>().isEmpty());
    QCOMPARE(frmCentralizador->focusWidget(), pagina->btnAvancar);
  }

  // A folder that cannot be read is reported; the dialog is gone all the same.
  void pastaIlegivel() {
    TfrmSelecao* pagina = AbrirCom({});
    DialogosDeTeste dialogos;
    ResponderPasta(dialogos, raiz_ + "/nao-existe");
    QTest::mouseClick(pagina->btnAddDiretorio, Qt::LeftButton);
    QVERIFY(Lista(*pagina).isEmpty());
    QCOMPARE(dialogos.Mensagens.size(), 1);
    QCOMPARE(dialogos.Mensagens[0].Icone, QMessageBox::Critical);
    QVERIFY(dialogos.Mensagens[0].Texto.contains("nao-existe"));
    QVERIFY(!frmSelDestino);
  }

  // Ctrl with A, D or Delete clicks the tool button, with or without other modifiers; the keys
  // alone do nothing special. The file dialog answers /n.bmp, the folder chooser a folder with
  // one BMP file.
  void atalhos_data() {
    QTest::addColumn<int>("tecla");
    QTest::addColumn<int>("modificadores");
    QTest::addColumn<QStringList>("esperado");
    const int ctrl = Qt::ControlModifier;
    const QStringList inicial = {"/img/a.bmp", "/img/b.bmp"};
    QTest::newRow("Ctrl+A") << int(Qt::Key_A) << ctrl << (inicial + QStringList{"/n.bmp"});
    QTest::newRow("Ctrl+Shift+A") << int(Qt::Key_A) << int(ctrl | Qt::ShiftModifier)
                                  << (inicial + QStringList{"/n.bmp"});
    QTest::newRow("Ctrl+D") << int(Qt::Key_D) << ctrl
                            << (inicial + QStringList{raiz_ + "/pasta.bmp/dentro.bmp"});
    QTest::newRow("Ctrl+Delete") << int(Qt::Key_Delete) << ctrl << QStringList{"/img/b.bmp"};
    QTest::newRow("A sozinho") << int(Qt::Key_A) << 0 << inicial;
    QTest::newRow("Delete sozinho") << int(Qt::Key_Delete) << 0 << inicial;
  }
  void atalhos() {
    QFETCH(int, tecla);
    QFETCH(int, modificadores);
    QFETCH(QStringList, esperado);
    TfrmSelecao* pagina = AbrirCom({"/img/a.bmp", "/img/b.bmp"});
    pagina->lbxPath->setFocus();
    pagina->lbxPath->item(0)->setSelected(true);
    DialogosDeTeste dialogos;
    dialogos.ProximaEscolha({"/n.bmp"});
    ResponderPasta(dialogos, raiz_ + "/pasta.bmp");
    QTest::keyClick(pagina->lbxPath, Qt::Key(tecla), Qt::KeyboardModifiers(modificadores));
    QCOMPARE(Lista(*pagina), esperado);
  }

  // Ctrl+Delete with nothing selected changes nothing; removing every entry disables
  // "&Avançar >" without moving the focus.
  void remover() {
    TfrmSelecao* pagina = AbrirCom({"/a.bmp", "/b.bmp", "/c.bmp"});
    frmCentralizador->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(frmCentralizador));
    pagina->lbxPath->setFocus();
    pagina->lbxPath->clearSelection();
    QTest::keyClick(pagina->lbxPath, Qt::Key_Delete, Qt::ControlModifier);
    QCOMPARE(Lista(*pagina).size(), 3);

    pagina->lbxPath->item(0)->setSelected(true);
    pagina->lbxPath->item(2)->setSelected(true);
    QTest::mouseClick(pagina->btnRemover, Qt::LeftButton);
    QCOMPARE(Lista(*pagina), QStringList{"/b.bmp"});
    QVERIFY(pagina->btnAvancar->isEnabled());

    pagina->lbxPath->selectAll();
    QTest::keyClick(pagina->lbxPath, Qt::Key_Delete, Qt::ControlModifier);
    QVERIFY(Lista(*pagina).isEmpty());
    QVERIFY(!pagina->btnAvancar->isEnabled());
    QCOMPARE(frmCentralizador->focusWidget(), pagina->lbxPath);
  }

  // "&Avançar >" leaves exactly the listed paths, in order, in FImagens; "< &Voltar" leaves
  // FImagens as it was, so coming back shows the old list.
  void avancarEVoltar() {
    TfrmSelecao* pagina = AbrirCom({"/a.bmp", "/b.bmp"});
    DialogosDeTeste dialogos;
    pagina->lbxPath->item(0)->setSelected(true);
    pagina->btnRemover->click();
    dialogos.ProximaEscolha({"/c.bmp"});
    pagina->btnAddImagens->click();
    pagina->btnVoltar->click();
    QVERIFY(frmMetodo && !frmSelecao);
    QCOMPARE(frmCentralizador->FImagens, (QStringList{"/a.bmp", "/b.bmp"}));

    frmMetodo->close();
    pagina = AbrirPagina(frmSelecao);
    QCOMPARE(Lista(*pagina), (QStringList{"/a.bmp", "/b.bmp"}));
    dialogos.ProximaEscolha({"/c.bmp"});
    pagina->btnAddImagens->click();
    pagina->btnAvancar->click();
    QVERIFY(frmProcessamento && !frmSelecao);
    QCOMPARE(frmCentralizador->FImagens, (QStringList{"/a.bmp", "/b.bmp", "/c.bmp"}));
  }

  // The tool buttons: flat, no focus, their hints.
  void botoesDeFerramenta() {
    TfrmSelecao* pagina = AbrirCom({});
    const QList<std::pair<QToolButton*, QString>> botoes = {
        {pagina->btnAddDiretorio, "Adicionar imagens de um diretório (Ctrl + D)"},
        {pagina->btnAddImagens, "Adicionar imagens (Ctrl + A)"},
        {pagina->btnRemover, "Remover imagens selecionadas (Ctrl + Del)"}};
    for (const auto& [botao, dica] : botoes) {
      QVERIFY(botao->autoRaise());
      QCOMPARE(botao->focusPolicy(), Qt::NoFocus);
      QCOMPARE(botao->toolTip(), dica);
      QVERIFY(!botao->icon().isNull());
    }
  }

  // The chooser: its caption, the chain from the root to the open folder followed by its
  // subfolders (hidden ones left out); a single click only highlights, a double click or Enter
  // opens; Escape and the close box cancel.
  void seletorDePastas() {
    QDir(raiz_).mkdir("sub");
    QDir(raiz_).mkdir(".escondida");
    TfrmSelDestino dialogo;
    QCOMPARE(dialogo.windowTitle(), QStringLiteral(" Selecione um destino"));
    dialogo.AbrirPasta(raiz_);
    QCOMPARE(dialogo.Pasta(), raiz_);

    QStringList textos;
    for (int i = 0; i < dialogo.dlbLista->count(); ++i)
      textos.append(dialogo.dlbLista->item(i)->text());
    const QStringList cadeia = raiz_.split('/', Qt::SkipEmptyParts);
    QCOMPARE(textos, (QStringList{"/"} + cadeia + QStringList{"pasta.bmp", "sub"}));
    QCOMPARE(dialogo.dlbLista->currentRow(), int(cadeia.size()));

    dialogo.show();
    QListWidget* lista = dialogo.dlbLista;
    QListWidgetItem* sub = lista->item(lista->count() - 1);
    const QPoint ponto = lista->visualItemRect(sub).center();
    QTest::mouseClick(lista->viewport(), Qt::LeftButton, {}, ponto);
    QCOMPARE(dialogo.Pasta(), raiz_);
    QTest::mouseDClick(lista->viewport(), Qt::LeftButton, {}, ponto);
    QCOMPARE(dialogo.Pasta(), raiz_ + "/sub");

    lista->setCurrentRow(cadeia.size() - 1);
    QTest::keyClick(lista, Qt::Key_Return);
    QCOMPARE(dialogo.Pasta(), QFileInfo(raiz_).absolutePath());
    QVERIFY(dialogo.isVisible());

    // A new chooser opens where the last one was left.
    TfrmSelDestino outro;
    QCOMPARE(outro.Pasta(), QFileInfo(raiz_).absolutePath());

    QTest::keyClick(lista, Qt::Key_Escape);
    QVERIFY(!dialogo.isVisible());
    QCOMPARE(dialogo.result(), int(QDialog::Rejected));

    outro.show();
    outro.close();
    QCOMPARE(outro.result(), int(QDialog::Rejected));
  }

 private:
  TfrmSelecao* AbrirCom(const QStringList& imagens) {
    teste::AbrirJanela();
    frmCentralizador->FImagens = imagens;
    return AbrirPagina(frmSelecao);
  }

  teste::PastaTemporaria pasta_;
  QString raiz_;
};

QTEST_MAIN(SelecaoTest)
#include "selecao_test.moc"

#include "Geral.h"

#include <QLabel>
#include <QTextEdit>

#include "Metodo.h"
#include "imagem.h"

namespace velmo {

TfrmGeral::TfrmGeral() : TPagina({.Titulo = {}, .Lateral = true, .Voltar = false}) {
  setObjectName("frmGeral");
  // The panel is disabled so that nothing in it takes the focus, but it keeps the colours of an
  // enabled one: its texts are not greyed out.
  QPalette cores = Panel1->palette();
  cores.setColor(QPalette::Window, Qt::white);
  cores.setColor(QPalette::Base, Qt::white);
  for (auto papel : {QPalette::WindowText, QPalette::Text})
    cores.setColor(QPalette::Disabled, papel, cores.color(QPalette::Active, papel));
  Panel1->setPalette(cores);
  Panel1->setAutoFillBackground(true);
  Panel1->setEnabled(false);

  const Ancoras topo = akLeft | akTop | akRight;
  Image2 = new TImagem(Panel1);
  Image2->setObjectName("Image2");
  Image2->Center = true;
  Image2->Proportional = true;
  Image2->DefinirFigura(Figura::BoasVindas);
  Posicionar(Image2, 6, 5, 315, 135, topo);

  Shape1 = new QWidget(Panel1);
  Shape1->setObjectName("Shape1");
  QPalette teal = Shape1->palette();
  teal.setColor(QPalette::Window, QColor(0, 128, 128));
  Shape1->setPalette(teal);
  Shape1->setAutoFillBackground(true);
  Posicionar(Shape1, 0, 144, 330, 37, topo);

  Label1 = new QLabel(QStringLiteral("VELMO - Arvelim"), Panel1);
  Label1->setObjectName("Label1");
  Label1->setAlignment(Qt::AlignCenter);
  QFont fonte = Label1->font();
  fonte.setPixelSize(16);
  fonte.setBold(true);
  Label1->setFont(fonte);
  QPalette branco = Label1->palette();
  branco.setColor(QPalette::WindowText, Qt::white);
  Label1->setPalette(branco);
  Posicionar(Label1, 13, 153, 302, 19, topo);

  Memo2 = CriarMemo("Memo2", QStringLiteral("Software para determinação de área foliar, índice de "
                                            "área foliar \ne área de olho de lombo - Versão 1.2."));
  Posicionar(Memo2, 6, 190, 318, 30, topo);
  Memo3 =
      CriarMemo("Memo3", QStringLiteral("Desenvolvido pela equipe do projeto VELMO - Arvelim\n"
                                        "para a pesquisa agropecuária.\n"
                                        "Software livre: distribuído sob a licença do projeto."));
  Posicionar(Memo3, 6, 232, 318, 40, topo);
  Memo4 = CriarMemo("Memo4", QStringLiteral("2008"));
  Posicionar(Memo4, 6, 287, 318, 14, topo);
}

QTextEdit* TfrmGeral::CriarMemo(const QString& nome, const QString& texto) {
  auto* memo = new QTextEdit(Panel1);
  memo->setObjectName(nome);
  memo->setFrameShape(QFrame::NoFrame);
  memo->setReadOnly(true);
  memo->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  memo->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  memo->document()->setDocumentMargin(0);
  QTextOption opcao = memo->document()->defaultTextOption();
  opcao.setAlignment(Qt::AlignHCenter);
  memo->document()->setDefaultTextOption(opcao);
  memo->setPlainText(texto);
  return memo;
}

void TfrmGeral::btnAvancarClick() {
  Navegar(frmMetodo);
}

}  // namespace velmo

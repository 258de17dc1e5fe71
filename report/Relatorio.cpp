#include "Relatorio.h"

#include <QEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <memory>

#include "Impressao.h"
#include "wizard/Resultado.h"
#include "wizard/dialogos.h"

namespace velmo {

std::optional<ConfiguracaoRelatorio> TfrmRelatorio::configuracao;

TfrmRelatorio::TfrmRelatorio()
    : TPagina({.Titulo = QStringLiteral("Relatório de análises"),
               .Voltar = false,
               .Avancar = false,
               .Cancelar = false}) {
  setObjectName("frmRelatorio");
  CriarControles();
  LigarEventos();
  FormCreate();
}

QLabel* TfrmRelatorio::CriarRotulo(const char* nome, const QString& texto, int x, int y,
                                   int largura) {
  auto* rotulo = new QLabel(texto, Panel1);
  rotulo->setObjectName(nome);
  // Sized to its text like the design's labels, so a wider substitute font never clips it.
  Posicionar(rotulo, x, y, std::max(largura, rotulo->sizeHint().width()), 13);
  return rotulo;
}

void TfrmRelatorio::CriarControles() {
  const Ancoras larga = akLeft | akTop | akRight;
  Label2 = CriarRotulo("Label2", QStringLiteral("Projeto:"), 24, 22, 39);
  edtProjeto = new QLineEdit(Panel1);
  edtProjeto->setObjectName("edtProjeto");
  Posicionar(edtProjeto, 24, 37, 421, 21, larga);
  Label1 = CriarRotulo("Label1", QStringLiteral("Responsável:"), 24, 73, 65);
  edtResponsavel = new QLineEdit(Panel1);
  edtResponsavel->setObjectName("edtResponsavel");
  Posicionar(edtResponsavel, 24, 88, 421, 21, larga);
  Label3 = CriarRotulo("Label3", QStringLiteral("Tratamento:"), 24, 124, 60);
  memTratamento = new QPlainTextEdit(Panel1);
  memTratamento->setObjectName("memTratamento");
  memTratamento->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  memTratamento->setLineWrapMode(QPlainTextEdit::WidgetWidth);
  memTratamento->setTabChangesFocus(true);
  Posicionar(memTratamento, 24, 139, 421, 62, akLeft | akTop | akRight | akBottom);
  DefinirOrdemPainel({edtProjeto, edtResponsavel, memTratamento});

  btnImprimir = CriarBotao(QStringLiteral("&Salvar"), "btnImprimir", 327, 75, true);
  btnFechar = CriarBotao(QStringLiteral("&Fechar"), "btnFechar", 410, 75, true);
  DefinirOrdemBarra({btnImprimir, btnFechar, btnAjuda});
}

void TfrmRelatorio::LigarEventos() {
  memTratamento->installEventFilter(this);
  connect(btnImprimir, &QPushButton::clicked, this, [this] { btnImprimirClick(); });
  connect(btnFechar, &QPushButton::clicked, this, [this] { btnFecharClick(); });
}

bool TfrmRelatorio::eventFilter(QObject* objeto, QEvent* evento) {
  if (objeto == memTratamento) {
    if (evento->type() == QEvent::FocusIn)
      memTratamentoEnter();
    // Enter does not start a new line; a treatment of several lines can still be pasted.
    if (evento->type() == QEvent::KeyPress) {
      const int tecla = static_cast<QKeyEvent*>(evento)->key();
      if (tecla == Qt::Key_Return || tecla == Qt::Key_Enter)
        return true;
    }
  }
  return TPagina::eventFilter(objeto, evento);
}

ConfiguracaoRelatorio TfrmRelatorio::Configuracao() {
  return configuracao ? *configuracao : ConfiguracaoRelatorio::Padrao();
}

void TfrmRelatorio::FormCreate() {
  const TTextosRelatorio textos = Configuracao().Ler();
  edtResponsavel->setText(textos.Responsavel);
  edtProjeto->setText(textos.Projeto);
  memTratamento->setPlainText(textos.Tratamento);
}

void TfrmRelatorio::memTratamentoEnter() {
  memTratamento->selectAll();
}

void TfrmRelatorio::btnImprimirClick() {
  try {
    Configuracao().Gravar(
        {edtResponsavel->text(), edtProjeto->text(), memTratamento->toPlainText()});
  } catch (const ErroGravacaoIni& erro) {
    MostrarErro(QStringLiteral("Não foi possível criar o arquivo de inicialização!\n\n"
                               "Verifique as permissões de gravação para a pasta:\n\"%1\"")
                    .arg(erro.Pasta),
                this);
  }
  // The report document lives only while its preview is shown, whatever fails on the way.
  std::unique_ptr<TfrmImpressao> impressao;
  try {
    impressao = std::make_unique<TfrmImpressao>(LerAnalise());
    frmImpressao = impressao.get();
    impressao->lblPro->texto = edtProjeto->text();
    impressao->lblRes->texto = edtResponsavel->text();
    impressao->memTra->linhas = memTratamento->toPlainText().split(QLatin1Char('\n'));
    impressao->Visualizar(this);
  } catch (const std::exception& erro) {
    MostrarErro(QString::fromStdString(erro.what()), this);
  }
  frmImpressao = nullptr;
}

void TfrmRelatorio::btnFecharClick() {
  Navegar(frmResultado);
}

}  // namespace velmo

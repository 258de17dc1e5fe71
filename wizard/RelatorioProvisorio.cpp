#include "RelatorioProvisorio.h"

#include <QLabel>

#include "Resultado.h"

namespace velmo {

TfrmRelatorio::TfrmRelatorio()
    : TPagina({.Titulo = QStringLiteral("Relatório de análises"),
               .Voltar = false,
               .Avancar = false,
               .Cancelar = false}) {
  setObjectName("frmRelatorio");
  lblAviso =
      new QLabel(QStringLiteral("O relatório ainda não está disponível nesta versão."), Panel1);
  lblAviso->setObjectName("lblAviso");
  lblAviso->setAlignment(Qt::AlignCenter);
  lblAviso->setWordWrap(true);
  const QSize painel = TamanhoProjetoPainel();
  Posicionar(lblAviso, 8, 8, painel.width() - 16, painel.height() - 16,
             akLeft | akTop | akRight | akBottom);
  QPushButton* btnFechar = CriarBotao(QStringLiteral("&Fechar"), "btnFechar", 410, 75, true);
  connect(btnFechar, &QPushButton::clicked, this, &TfrmRelatorio::btnFecharClick);
  DefinirOrdemBarra({btnFechar, btnAjuda});
}

void TfrmRelatorio::btnFecharClick() {
  Navegar(frmResultado);
}

}  // namespace velmo

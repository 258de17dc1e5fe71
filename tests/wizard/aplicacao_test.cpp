// A failure that no handler catches is reported in an error box with its text, and the program
// goes on handling events.

#include <QPushButton>
#include <QtTest>

#include <stdexcept>

#include "wizard/Centralizador.h"
#include "wizard/aplicacao.h"
#include "wizard/dialogos.h"

using namespace velmo;

class AplicacaoTest : public QObject {
  Q_OBJECT

 private slots:
  void falhaNaoTratadaViraMensagem() {
    DialogosDeTeste dialogos;
    QPushButton botao;
    int cliques = 0;
    connect(&botao, &QPushButton::clicked, [&cliques] {
      if (++cliques == 1)
        throw std::runtime_error("não foi possível abrir a página");
    });
    botao.show();
    QTest::mouseClick(&botao, Qt::LeftButton);
    QCOMPARE(dialogos.Mensagens.size(), 1);
    QCOMPARE(dialogos.Mensagens[0].Icone, QMessageBox::Critical);
    QCOMPARE(dialogos.Mensagens[0].Titulo, QStringLiteral("VELMO - Arvelim"));
    QCOMPARE(dialogos.Mensagens[0].Texto, QStringLiteral("não foi possível abrir a página"));
    QTest::mouseClick(&botao, Qt::LeftButton);
    QCOMPARE(cliques, 2);
    QCOMPARE(dialogos.Mensagens.size(), 1);
  }
};

int main(int argc, char* argv[]) {
  TAplicacao aplicacao(argc, argv);
  IniciarAplicacao();
  AplicacaoTest teste;
  return QTest::qExec(&teste, argc, argv);
}

#include "aplicacao_test.moc"

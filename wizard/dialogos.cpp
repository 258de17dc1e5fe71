#include "dialogos.h"

#include <QDialog>
#include <QFileDialog>
#include <QGuiApplication>

namespace velmo {

namespace {
DialogosDeTeste* teste = nullptr;
}

QString TituloAplicacao() {
  return QGuiApplication::applicationDisplayName();
}

DialogosDeTeste::DialogosDeTeste() {
  Q_ASSERT(!teste);
  teste = this;
}

DialogosDeTeste::~DialogosDeTeste() {
  teste = nullptr;
}

void MostrarMensagem(QMessageBox::Icon icone, const QString& texto, QWidget* pai) {
  if (teste) {
    teste->Mensagens.append({icone, TituloAplicacao(), texto});
    if (teste->AoMostrar)
      teste->AoMostrar(teste->Mensagens.back());
    return;
  }
  QMessageBox caixa(icone, TituloAplicacao(), texto, QMessageBox::Ok, pai);
  caixa.exec();
}

QStringList EscolherArquivos(QWidget* pai, const QString& titulo, const QString& filtro) {
  if (teste) {
    if (teste->escolhas_.empty())
      qFatal("Diálogo de arquivos aberto sem resposta preparada pelo teste");
    QStringList arquivos = teste->escolhas_.front();
    teste->escolhas_.pop_front();
    return arquivos;
  }
  return QFileDialog::getOpenFileNames(pai, titulo, QString(), filtro);
}

int ExecutarDialogo(QDialog& dialogo) {
  if (teste) {
    if (teste->dialogos_.empty())
      qFatal("Diálogo modal \"%s\" aberto sem resposta preparada pelo teste",
             qPrintable(dialogo.objectName()));
    auto resposta = std::move(teste->dialogos_.front());
    teste->dialogos_.pop_front();
    return resposta(dialogo);
  }
  return dialogo.exec();
}

}  // namespace velmo

#include "aplicacao.h"

#include <exception>

#include "dialogos.h"

namespace velmo {

bool TAplicacao::notify(QObject* destino, QEvent* evento) {
  try {
    return QApplication::notify(destino, evento);
  } catch (const std::exception& erro) {
    MostrarErro(QString::fromUtf8(erro.what()));
  } catch (...) {
    MostrarErro(QStringLiteral("Erro inesperado."));
  }
  return false;
}

}  // namespace velmo

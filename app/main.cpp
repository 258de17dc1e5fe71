// VELMO - Arvelim: the program takes no arguments.

#include <QApplication>

#include "wizard/Centralizador.h"

int main(int argc, char* argv[]) {
  QApplication aplicacao(argc, argv);
  return velmo::ExecutarPrograma();
}

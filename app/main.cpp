// VELMO - Arvelim: the program takes no arguments.

#include "wizard/Centralizador.h"
#include "wizard/aplicacao.h"

int main(int argc, char* argv[]) {
  velmo::TAplicacao aplicacao(argc, argv);
  return velmo::ExecutarPrograma();
}

#pragma once
// What the wizard page tests share: a main window with one chosen page open in it.

#include <QPointer>
#include <QtTest>

#include "wizard/Centralizador.h"
#include "wizard/Geral.h"
#include "wizard/pagina.h"

namespace velmo::teste {

// Creates and shows the main window, which opens the welcome page, and closes that page: the
// test then sets the analysis state a page reads when it is created.
inline void AbrirJanela() {
  frmCentralizador = new TfrmCentralizador();
  frmCentralizador->show();
  if (frmGeral)
    frmGeral->close();
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

// The main window with a new page of class T in it, stored in `referencia`.
template <class T>
T* AbrirNaJanela(QPointer<T>& referencia) {
  AbrirJanela();
  return AbrirPagina(referencia);
}

// Destroys the main window and with it the page still open.
inline void FecharJanela() {
  delete frmCentralizador.data();
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

}  // namespace velmo::teste

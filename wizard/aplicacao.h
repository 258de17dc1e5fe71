#pragma once
// TAplicacao: the program's QApplication. A failure that no handler catches (an exception leaving
// an event handler, for example while a page is created) is reported in an error box with its
// text, and the program goes on, instead of ending the process.

#include <QApplication>

namespace velmo {

class TAplicacao : public QApplication {
  Q_OBJECT
 public:
  TAplicacao(int& argc, char** argv) : QApplication(argc, argv) {}

  bool notify(QObject* destino, QEvent* evento) override;
};

}  // namespace velmo

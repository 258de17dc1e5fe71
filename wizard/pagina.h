#pragma once
// TPagina: the frame of every wizard page, built once.
//
// A page derives from TPagina and hands its Modelo to the constructor: header title (none on the
// welcome page), side picture yes/no, which standard buttons the bar has. The base builds, at
// the design size 497 × 360: the header frame frameSuperior1 (top, 60 high), the side frame
// Frame11 (left, 165 wide), the content panel Panel1 (the rest, soft sunken edge) and the button
// bar Panel2 (bottom, 48 high) with "A&juda" at x 14 and "< &Voltar", "&Avançar >", "&Cancelar"
// at x 252, 327, 410 anchored to the right. The page then creates its own controls with
// Panel1 as parent, in their tab order, and places them with Posicionar (design coordinates and
// anchors, as in Panel1's design size); own bar buttons come from CriarBotao, and their tab order
// from DefinirOrdemBarra. It overrides the handlers it has (btnAvancarClick, btnVoltarClick);
// btnCancelarClick ends the message loop and btnAjudaClick opens the manual.
//
// Pages are opened with AbrirPagina(frmX) or, from a page, Navegar(frmX): the page is created
// (its constructor is the creation handler), shown maximised in the main window, stored in its
// reference, and its closing clears that reference. A page leaves with close(): FormClose clears
// its reference and the page is freed once the running handler has returned.

#include <QFrame>
#include <QList>
#include <QPointer>
#include <QPushButton>
#include <QWidget>

#include <functional>

#include "Centralizador.h"

class QMdiSubWindow;

namespace velmo {

class TframeSuperior;
class TFrame1;
class Ancoragem;

// Edges a control keeps its distance to when its parent grows beyond the design size.
enum Ancora { akLeft = 1, akTop = 2, akRight = 4, akBottom = 8 };
using Ancoras = int;

class TPagina : public QWidget {
  Q_OBJECT
 public:
  static constexpr int kLarguraProjeto = 497;
  static constexpr int kAlturaProjeto = 360;
  static constexpr int kAlturaBarra = 48;

  struct Modelo {
    QString Titulo;  // title of the header frame; empty: no header frame
    bool Lateral = false;
    bool Voltar = true;
    bool Avancar = true;
    bool Cancelar = true;
  };

  ~TPagina() override;

  // Shows the page maximised and active in the main window (or as a window of its own when there
  // is none) and gives the focus to its first tab stop. AbrirPagina calls it.
  void Exibir();
  // Makes the page's closing clear its global reference.
  void VincularReferencia(std::function<void()> limpar) { limparReferencia_ = std::move(limpar); }

  TframeSuperior* frameSuperior1 = nullptr;  // null on a page without header
  TFrame1* Frame11 = nullptr;                // null on a page without side picture
  QFrame* Panel1;
  QWidget* Panel2;
  QPushButton* btnAjuda;
  QPushButton* btnVoltar = nullptr;  // each null when the page has no such button
  QPushButton* btnAvancar = nullptr;
  QPushButton* btnCancelar = nullptr;

 protected:
  explicit TPagina(const Modelo& modelo);

  // Design size of Panel1's inside: the coordinates Posicionar takes.
  QSize TamanhoProjetoPainel() const;
  // Places `controle` (a child of Panel1) at x, y, largura × altura of the design size; when the
  // page is larger, the control keeps its distance to the edges in `ancoras`.
  void Posicionar(QWidget* controle, int x, int y, int largura, int altura,
                  Ancoras ancoras = akLeft | akTop);
  // A button of the bar, 25 high and 12 below its top, at x of the 497-wide design, anchored to
  // the bottom right when `aDireita`, else to the bottom left.
  QPushButton* CriarBotao(const QString& texto, const QString& nome, int x, int largura,
                          bool aDireita);
  // The bar's tab order; by default "&Avançar >", "< &Voltar", "&Cancelar", "A&juda".
  void DefinirOrdemBarra(const QList<QWidget*>& ordem) { ordemBarra_ = ordem; }
  // The tab order inside Panel1, when it is not the order in which the controls were created.
  // Tab stops are the enabled, visible controls of Panel1's order and then of the bar's; among
  // auto-exclusive radio buttons only the checked one is a stop.
  void DefinirOrdemPainel(const QList<QWidget*>& ordem) { ordemPainel_ = ordem; }

  // Opens the page of class T (stored in `referencia`), then closes this page.
  template <class T>
  T* Navegar(QPointer<T>& referencia);

  virtual void btnAvancarClick() {}
  virtual void btnVoltarClick() {}
  virtual void btnCancelarClick();
  virtual void btnAjudaClick();
  // Clears the page's reference and frees the page after the running handler returned.
  virtual void FormClose();

  void closeEvent(QCloseEvent* evento) override;
  void resizeEvent(QResizeEvent*) override;
  bool focusNextPrevChild(bool proximo) override;

 private:
  void CriarMoldura(const Modelo& modelo);
  void LigarBotoes();
  void DefinirOrdemTab();
  QList<QWidget*> ParadasTab() const;

  std::function<void()> limparReferencia_;
  QPointer<QMdiSubWindow> janela_;
  Ancoragem* ancoragemPainel_;
  Ancoragem* ancoragemBarra_;
  QList<QWidget*> ordemBarra_;
  QList<QWidget*> ordemPainel_;
};

// Creates a page of class T, shows it, stores it in `referencia` and ties the reference to the
// page's closing. T's constructor takes no arguments.
template <class T>
T* AbrirPagina(QPointer<T>& referencia) {
  T* pagina = new T();
  pagina->Exibir();
  referencia = pagina;
  QPointer<T>* ref = &referencia;
  pagina->VincularReferencia([ref, pagina] {
    if (ref->data() == pagina)
      ref->clear();
  });
  return pagina;
}

template <class T>
T* TPagina::Navegar(QPointer<T>& referencia) {
  T* pagina = AbrirPagina(referencia);
  close();
  return pagina;
}

}  // namespace velmo

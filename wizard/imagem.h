#pragma once
// The program's pictures (SVG sources embedded under :/figuras/) and TImagem, the picture box of
// the pages. TImagem paints its picture itself, so a picture in a disabled frame or panel is not
// greyed out, and an SVG is drawn as vectors at whatever size the box has.

#include <QIcon>
#include <QImage>
#include <QPixmap>
#include <QWidget>

class QSvgRenderer;

namespace velmo {

namespace Figura {
inline constexpr char Logo[] = ":/figuras/logo.svg";                  // 50 × 50, header frame
inline constexpr char Lateral[] = ":/figuras/lateral.svg";            // 165 × 310, side frame
inline constexpr char BoasVindas[] = ":/figuras/boasvindas.svg";      // 205 × 82, welcome page
inline constexpr char AddImagens[] = ":/figuras/addimagens.svg";      // 16 × 16, add files
inline constexpr char AddDiretorio[] = ":/figuras/adddiretorio.svg";  // 16 × 16, add a folder
inline constexpr char Remover[] = ":/figuras/remover.svg";            // 16 × 16, remove
inline constexpr char Relatorio[] = ":/figuras/relatorio.svg";  // 16 × 16, "&Gerar relatório"
inline constexpr char LogoRelatorio[] = ":/figuras/logorelatorio.svg";  // 100 × 100, the report
inline constexpr char Icone[] = ":/figuras/icone.svg";                  // the program's icon
}  // namespace Figura

// Renders the SVG `caminho` at `tamanho` logical pixels and device pixel ratio `escala`; a null
// pixmap when the file is missing or not a valid SVG.
QPixmap RenderizarFigura(const QString& caminho, QSize tamanho, qreal escala = 1);
// An icon with the SVG rendered at 16, 24, 32 and 48 pixels, for buttons and tool buttons.
QIcon IconeFigura(const QString& caminho);

class TImagem : public QWidget {
  Q_OBJECT
 public:
  explicit TImagem(QWidget* pai = nullptr);
  ~TImagem() override;

  // How the picture fills the box: stretched to it; or at its own size, scaled down (keeping
  // its proportions) when Proportional and larger than the box, and scaled up too when Stretch
  // and Proportional are both set; centred or at the top left.
  bool Stretch = false;
  bool Proportional = false;
  bool Center = false;

  void DefinirFigura(const QString& caminhoSvg);
  void DefinirImagem(const QImage& imagem);
  void Limpar();
  bool Vazia() const;
  // The picture's own size (an SVG's width and height).
  QSize TamanhoNatural() const;
  // Where the picture is painted inside the box.
  QRectF AreaDesenho() const;

 protected:
  void paintEvent(QPaintEvent*) override;

 private:
  QSvgRenderer* svg_ = nullptr;
  QImage imagem_;
};

}  // namespace velmo

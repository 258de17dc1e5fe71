#include "imagem.h"

#include <QPainter>
#include <QSvgRenderer>

namespace velmo {

QPixmap RenderizarFigura(const QString& caminho, QSize tamanho, qreal escala) {
  QSvgRenderer svg(caminho);
  if (!svg.isValid())
    return {};
  QPixmap pixmap(tamanho * escala);
  pixmap.setDevicePixelRatio(escala);
  pixmap.fill(Qt::transparent);
  QPainter pintor(&pixmap);
  svg.render(&pintor, QRectF(QPointF(0, 0), QSizeF(tamanho)));
  return pixmap;
}

QIcon IconeFigura(const QString& caminho) {
  QIcon icone;
  for (int lado : {16, 24, 32, 48})
    icone.addPixmap(RenderizarFigura(caminho, QSize(lado, lado)));
  return icone;
}

TImagem::TImagem(QWidget* pai) : QWidget(pai) {}

TImagem::~TImagem() = default;

void TImagem::DefinirFigura(const QString& caminhoSvg) {
  Limpar();
  svg_ = new QSvgRenderer(caminhoSvg, this);
  if (!svg_->isValid()) {
    delete svg_;
    svg_ = nullptr;
  }
  update();
}

void TImagem::DefinirImagem(const QImage& imagem) {
  Limpar();
  imagem_ = imagem;
  update();
}

void TImagem::Limpar() {
  delete svg_;
  svg_ = nullptr;
  imagem_ = QImage();
  update();
}

bool TImagem::Vazia() const {
  return !svg_ && imagem_.isNull();
}

QSize TImagem::TamanhoNatural() const {
  if (svg_)
    return svg_->defaultSize();
  return imagem_.size();
}

QRectF TImagem::AreaDesenho() const {
  const QSizeF caixa = size();
  QSizeF tamanho = TamanhoNatural();
  if (tamanho.isEmpty())
    return {};
  if (Stretch && !Proportional)
    return QRectF(QPointF(0, 0), caixa);
  const bool maior = tamanho.width() > caixa.width() || tamanho.height() > caixa.height();
  if (Proportional && (maior || Stretch))
    tamanho.scale(caixa, Qt::KeepAspectRatio);
  QPointF origem(0, 0);
  if (Center)
    origem =
        QPointF((caixa.width() - tamanho.width()) / 2, (caixa.height() - tamanho.height()) / 2);
  return QRectF(origem, tamanho);
}

void TImagem::paintEvent(QPaintEvent*) {
  if (Vazia())
    return;
  QPainter pintor(this);
  pintor.setRenderHint(QPainter::SmoothPixmapTransform);
  const QRectF area = AreaDesenho();
  if (svg_)
    svg_->render(&pintor, area);
  else
    pintor.drawImage(area, imagem_);
}

}  // namespace velmo

#include "miniatura.h"

#include <QFile>
#include <vector>

#include "bmp.h"

namespace velmo {

QImage CarregarMiniatura(const QString& caminho, QSize caixa) {
  const ImagemBmp imagem = ImagemBmp::Carregar(QFile::encodeName(caminho).toStdString());
  const int largura = imagem.Largura();
  const int altura = imagem.Altura();
  if (largura <= 0 || altura <= 0 || caixa.isEmpty())
    return {};

  QSize alvo = QSize(largura, altura).scaled(caixa, Qt::KeepAspectRatio);
  alvo = alvo.expandedTo({1, 1});
  QImage previa(alvo, QImage::Format_RGB32);
  std::vector<uint32_t> linha(static_cast<size_t>(largura));
  for (int ty = 0; ty < alvo.height(); ++ty) {
    imagem.LerLinha(int32_t(int64_t(ty) * altura / alvo.height()), linha.data());
    auto* destino = reinterpret_cast<QRgb*>(previa.scanLine(ty));
    for (int tx = 0; tx < alvo.width(); ++tx) {
      const uint32_t cor = linha[size_t(int64_t(tx) * largura / alvo.width())];  // 0x00BBGGRR
      destino[tx] = qRgb(int(cor & 0xFF), int((cor >> 8) & 0xFF), int((cor >> 16) & 0xFF));
    }
  }
  return previa;
}

}  // namespace velmo

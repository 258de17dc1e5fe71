#include "miniatura.h"

#include <QFile>
#include <vector>

#include "bmp.h"

namespace velmo {

QImage CarregarMiniatura(const QString& caminho, QSize caixa) {
  QImage previa;
  int largura = 0;
  int ty = 0;
  ImagemBmp::LerLinhasEscolhidas(
      QFile::encodeName(caminho).toStdString(),
      [&](const ImagemBmp& imagem) {
        largura = imagem.Largura();
        const int altura = imagem.Altura();
        std::vector<int32_t> linhas;
        if (largura <= 0 || altura <= 0 || caixa.isEmpty())
          return linhas;
        const QSize alvo =
            QSize(largura, altura).scaled(caixa, Qt::KeepAspectRatio).expandedTo({1, 1});
        previa = QImage(alvo, QImage::Format_RGB32);
        for (int y = 0; y < alvo.height(); ++y)
          linhas.push_back(int32_t(int64_t(y) * altura / alvo.height()));
        return linhas;
      },
      [&](const LinhaBmp& linha) {
        auto* destino = reinterpret_cast<QRgb*>(previa.scanLine(ty++));
        for (int tx = 0; tx < previa.width(); ++tx) {
          const size_t x = size_t(int64_t(tx) * largura / previa.width());
          if (linha.bgr) {
            const uint8_t* p = linha.bgr + 3 * x;
            destino[tx] = qRgb(p[2], p[1], p[0]);
          } else {
            const uint32_t cor = linha.cores[x];  // 0x00BBGGRR
            destino[tx] = qRgb(int(cor & 0xFF), int((cor >> 8) & 0xFF), int((cor >> 16) & 0xFF));
          }
        }
      });
  return previa;
}

}  // namespace velmo

#pragma once
// The processing page's preview: a BMP file decoded by the engine's own decoder (so the preview
// and the measurement agree on what a valid bitmap is), reduced or enlarged to fit a box.

#include <QImage>
#include <QSize>
#include <QString>

namespace velmo {

// Reads `caminho` and returns the picture scaled to fit `caixa`, keeping its proportions, by
// nearest-neighbour sampling: only the rows the box shows are decoded into colours. A 0 × 0
// picture (a 0-byte file) gives a null QImage. Throws the decoder's errors (ErroVelmo).
QImage CarregarMiniatura(const QString& caminho, QSize caixa);

}  // namespace velmo

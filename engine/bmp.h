#pragma once
// BMP decoding: every variant scanners and image editors write (core, info, V4 and V5 headers;
// 1, 4, 8, 16, 24 and 32 bits; BI_RGB, BI_RLE4, BI_RLE8, BI_BITFIELDS; bottom-up and top-down).
// Colours come out as 0x00BBGGRR. Rows are addressed from the top of the picture as displayed.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace velmo {

class ImagemBmp {
 public:
  // Reads and checks the whole file. A 0-byte file is a 0 × 0 picture without resolution.
  // Throws ErroArquivo (cannot read), ErroBitmapInvalido (bad bytes) or ErroBitmapNaoSuportado.
  static ImagemBmp Carregar(const std::string& caminho);
  // The same checks on bytes already in memory; `nome` is the file name used in messages.
  static ImagemBmp Decodificar(std::vector<uint8_t> bytes, const std::string& nome);

  int32_t Largura() const { return largura_; }
  int32_t Altura() const { return altura_; }
  // biXPelsPerMeter as stored (signed); 0 for a core header or an empty file.
  int32_t PixelsPorMetroX() const { return pixelsPorMetroX_; }
  int BitsPorPixel() const { return bitsPorPixel_; }

  // Writes the Largura() colours of display row y (0 = top), as 0x00BBGGRR, into destino.
  void LerLinha(int32_t y, uint32_t* destino) const;
  // For an uncompressed 24-bit picture, the B, G, R bytes of display row y; otherwise nullptr.
  const uint8_t* LinhaBgr24(int32_t y) const;

 private:
  std::vector<uint8_t> bytes_;    // the whole file
  std::vector<uint8_t> indices_;  // RLE pictures, expanded to one palette index per pixel
  std::vector<uint32_t> paleta_;  // 0x00BBGGRR per entry
  int32_t largura_ = 0;
  int32_t altura_ = 0;
  int32_t pixelsPorMetroX_ = 0;
  int bitsPorPixel_ = 0;
  uint32_t compressao_ = 0;
  bool deCimaParaBaixo_ = false;
  size_t inicioPixels_ = 0;
  size_t bytesPorLinha_ = 0;
  uint32_t mascaras_[3] = {0, 0, 0};  // red, green, blue bit fields for 16 and 32 bits

  friend class DecodificadorBmp;
};

}  // namespace velmo

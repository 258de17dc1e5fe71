#include "bmp.h"

#include <cstring>
#include <fstream>
#include <iterator>

#include "erros.h"

namespace velmo {

namespace {

uint32_t Ler32(const std::vector<uint8_t>& b, size_t at) {
  return uint32_t(b[at]) | uint32_t(b[at + 1]) << 8 | uint32_t(b[at + 2]) << 16 |
         uint32_t(b[at + 3]) << 24;
}
uint16_t Ler16(const std::vector<uint8_t>& b, size_t at) {
  return uint16_t(b[at] | b[at + 1] << 8);
}

}  // namespace

// Minimal first cut: BITMAPINFOHEADER, uncompressed 8 and 24 bits.
ImagemBmp ImagemBmp::Decodificar(std::vector<uint8_t> bytes, const std::string& nome) {
  ImagemBmp img;
  if (bytes.empty()) {
    return img;
  }
  auto falha = [&](const std::string& motivo) {
    return ErroBitmapInvalido("O arquivo \"" + nome + "\" não é um bitmap válido: " + motivo + ".");
  };
  if (bytes.size() < 54 || bytes[0] != 'B' || bytes[1] != 'M') {
    throw falha("assinatura ou cabeçalho ausente");
  }
  const uint32_t offset = Ler32(bytes, 10);
  const int32_t w = int32_t(Ler32(bytes, 18));
  const int32_t h = int32_t(Ler32(bytes, 22));
  img.bitsPorPixel_ = Ler16(bytes, 28);
  img.compressao_ = Ler32(bytes, 30);
  img.pixelsPorMetroX_ = int32_t(Ler32(bytes, 38));
  if (w < 0 || h == INT32_MIN || (img.bitsPorPixel_ != 8 && img.bitsPorPixel_ != 24) ||
      img.compressao_ != 0) {
    throw falha("variante não suportada");
  }
  img.largura_ = w;
  img.altura_ = h < 0 ? -h : h;
  img.deCimaParaBaixo_ = h < 0;
  img.bytesPorLinha_ = (size_t(w) * img.bitsPorPixel_ + 31) / 32 * 4;
  img.inicioPixels_ = offset;
  if (offset > bytes.size() ||
      (bytes.size() - offset) / (img.bytesPorLinha_ ? img.bytesPorLinha_ : 1) <
          size_t(img.altura_)) {
    throw falha("dados de pixels truncados");
  }
  if (img.bitsPorPixel_ == 8) {
    const uint32_t tamanhoCabecalho = Ler32(bytes, 14);
    uint32_t cores = Ler32(bytes, 46);
    if (cores == 0 || cores > 256)
      cores = 256;
    const size_t inicio = 14 + size_t(tamanhoCabecalho);
    for (uint32_t i = 0; i < cores && inicio + 4 * i + 3 < offset; ++i) {
      const size_t p = inicio + 4 * i;
      img.paleta_.push_back(uint32_t(bytes[p + 2]) | uint32_t(bytes[p + 1]) << 8 |
                            uint32_t(bytes[p]) << 16);
    }
    img.paleta_.resize(256, 0);
  }
  img.bytes_ = std::move(bytes);
  return img;
}

ImagemBmp ImagemBmp::Carregar(const std::string& caminho) {
  std::ifstream arquivo(caminho, std::ios::binary);
  if (!arquivo) {
    throw ErroArquivo("Não foi possível abrir o arquivo \"" + caminho + "\".");
  }
  std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(arquivo)),
                             std::istreambuf_iterator<char>());
  return Decodificar(std::move(bytes), caminho);
}

const uint8_t* ImagemBmp::LinhaBgr24(int32_t y) const {
  if (bitsPorPixel_ != 24 || compressao_ != 0)
    return nullptr;
  const size_t linhaArquivo = deCimaParaBaixo_ ? size_t(y) : size_t(altura_ - 1 - y);
  return bytes_.data() + inicioPixels_ + linhaArquivo * bytesPorLinha_;
}

void ImagemBmp::LerLinha(int32_t y, uint32_t* destino) const {
  const size_t linhaArquivo = deCimaParaBaixo_ ? size_t(y) : size_t(altura_ - 1 - y);
  const uint8_t* p = bytes_.data() + inicioPixels_ + linhaArquivo * bytesPorLinha_;
  for (int32_t x = 0; x < largura_; ++x) {
    if (bitsPorPixel_ == 24) {
      destino[x] = uint32_t(p[3 * x + 2]) | uint32_t(p[3 * x + 1]) << 8 | uint32_t(p[3 * x]) << 16;
    } else {
      destino[x] = paleta_[p[x]];
    }
  }
}

}  // namespace velmo

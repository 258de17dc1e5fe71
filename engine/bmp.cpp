#include "bmp.h"

#include <algorithm>
#include <bit>
#include <cerrno>
#include <filesystem>
#include <fstream>
#include <functional>
#include <limits>
#include <numeric>
#include <span>
#include <stdexcept>

#include "erros.h"

namespace velmo {

namespace {

// biCompression values.
constexpr uint32_t kBiRgb = 0;
constexpr uint32_t kBiRle8 = 1;
constexpr uint32_t kBiRle4 = 2;
constexpr uint32_t kBiBitfields = 3;
constexpr uint32_t kBiJpeg = 4;
constexpr uint32_t kBiPng = 5;
constexpr uint32_t kBiAlphaBitfields = 6;
constexpr uint32_t kBiCmyk = 11;
constexpr uint32_t kBiCmykRle4 = 13;

constexpr size_t kCabecalhoArquivo = 14;

// The largest file read at all: the largest picture at 32 bits plus room for headers. Anything
// above it cannot be a picture we accept, so it is refused before its bytes are read.
constexpr uint64_t kMaiorArquivo = ImagemBmp::kMaiorNumeroDePixels * 4 + (uint64_t{1} << 20);

std::string Hex(uint32_t v) {
  static const char digitos[] = "0123456789ABCDEF";
  std::string s = "0x";
  for (int i = 28; i >= 0; i -= 4) {
    s += digitos[(v >> i) & 0xF];
  }
  return s;
}

template <class T>
std::string N(T v) {
  return std::to_string(v);
}

// `v`, `bits` wide, widened to 8 bits by repeating its bit pattern: all ones stay all ones.
uint8_t Alargar(uint32_t v, int bits) {
  uint32_t r = 0;
  int n = 0;
  while (n < 8) {
    r = (r << bits) | v;
    n += bits;
  }
  return uint8_t(r >> (n - 8));
}

}  // namespace

// Reads one file's headers, checks every field against the file's size and the variants we
// decode, then either points the picture at its rows in place or expands its RLE stream.
class DecodificadorBmp {
 public:
  // `bytes` is the whole file, or for Cabecalho() at least its headers; `tamanho` the file's size.
  DecodificadorBmp(std::span<const uint8_t> bytes, const std::string& nome, ImagemBmp& img,
                   size_t tamanho)
      : b_(bytes), tamanho_(tamanho), nome_(nome), img_(img) {}
  DecodificadorBmp(std::span<const uint8_t> bytes, const std::string& nome, ImagemBmp& img)
      : DecodificadorBmp(bytes, nome, img, bytes.size()) {}

  // Whether the bytes at hand hold the headers of an uncompressed 24-bit picture, whose rows can
  // then be read apart from its headers (Cabecalho).
  static bool Bgr24SemCompressao(std::span<const uint8_t> b) {
    if (b.size() < 34 || b[0] != 'B' || b[1] != 'M') {
      return false;
    }
    auto ler32 = [&](size_t at) {
      return uint32_t(b[at]) | uint32_t(b[at + 1]) << 8 | uint32_t(b[at + 2]) << 16 |
             uint32_t(b[at + 3]) << 24;
    };
    const uint32_t cabecalho = ler32(14);
    const bool info = cabecalho == 40 || cabecalho == 52 || cabecalho == 56 || cabecalho == 108 ||
                      cabecalho == 124;
    return info && b.size() >= kCabecalhoArquivo + cabecalho && (b[28] | b[29] << 8) == 24 &&
           ler32(30) == kBiRgb;
  }

  // The checks of Decodificar for a picture that Bgr24SemCompressao accepted, reading only the
  // headers: the rows are checked against the file's size, not read.
  void Cabecalho() {
    LerCabecalhoArquivo();
    LerCabecalhoImagem();
    ConferirVariante();
    ConferirInicioDosPixels();
    ConferirTamanhoDosPixels();
    ConferirNumeroDePixels();
  }

  // Returns whether the picture reads its rows from the file's bytes (which it must then keep).
  bool Decodificar() {
    LerCabecalhoArquivo();
    LerCabecalhoImagem();
    ConferirVariante();
    if (img_.bitsPorPixel_ == 16 || img_.bitsPorPixel_ == 32) {
      LerMascaras();
    }
    if (img_.bitsPorPixel_ <= 8) {
      LerPaleta();
    }
    ConferirInicioDosPixels();
    if (compressao_ == kBiRle8 || compressao_ == kBiRle4) {
      ConferirNumeroDePixels();
      ExpandirRle();
      return false;
    }
    ConferirTamanhoDosPixels();
    ConferirNumeroDePixels();
    ConferirIndices();
    return true;
  }

 private:
  [[noreturn]] void Invalido(const std::string& motivo) const {
    throw ErroBitmapInvalido("O arquivo \"" + nome_ + "\" não é um bitmap válido: " + motivo + ".");
  }
  [[noreturn]] void NaoSuportado(const std::string& motivo) const {
    throw ErroBitmapNaoSuportado("O arquivo \"" + nome_ +
                                 "\" é um bitmap de um tipo não suportado: " + motivo + ".");
  }

  // Callers check that the bytes lie inside the file.
  uint16_t Ler16(size_t at) const { return uint16_t(b_[at] | b_[at + 1] << 8); }
  uint32_t Ler32(size_t at) const {
    return uint32_t(b_[at]) | uint32_t(b_[at + 1]) << 8 | uint32_t(b_[at + 2]) << 16 |
           uint32_t(b_[at + 3]) << 24;
  }

  void LerCabecalhoArquivo() {
    if (tamanho_ < kCabecalhoArquivo + 4) {
      Invalido("o arquivo tem só " + N(tamanho_) + " bytes, menos que os cabeçalhos de um bitmap");
    }
    if (b_[0] != 'B' || b_[1] != 'M') {
      Invalido("o arquivo não começa com a assinatura \"BM\"");
    }
    inicioPixels_ = Ler32(10);
    tamanhoCabecalho_ = Ler32(14);
    switch (tamanhoCabecalho_) {
      case 12:   // BITMAPCOREHEADER
      case 16:   // OS/2 2.x, shortened to its first four fields
      case 40:   // BITMAPINFOHEADER
      case 52:   // with the red, green and blue masks
      case 56:   // with the alpha mask too
      case 64:   // OS/2 2.x
      case 108:  // BITMAPV4HEADER
      case 124:  // BITMAPV5HEADER
        break;
      default:
        if (tamanhoCabecalho_ < 12) {
          Invalido("o cabeçalho da imagem declara " + N(tamanhoCabecalho_) + " bytes");
        }
        NaoSuportado("cabeçalho de imagem de " + N(tamanhoCabecalho_) + " bytes");
    }
    fimCabecalhos_ = kCabecalhoArquivo + tamanhoCabecalho_;
    if (fimCabecalhos_ > tamanho_) {
      Invalido("o cabeçalho da imagem, de " + N(tamanhoCabecalho_) +
               " bytes, passa do fim do arquivo de " + N(tamanho_) + " bytes");
    }
  }

  void LerCabecalhoImagem() {
    int64_t largura;
    int64_t altura;
    if (tamanhoCabecalho_ == 12) {
      largura = Ler16(18);
      altura = Ler16(20);
      img_.bitsPorPixel_ = Ler16(24);
      bytesPorCor_ = 3;
    } else {
      largura = int32_t(Ler32(18));
      altura = int32_t(Ler32(22));
      img_.bitsPorPixel_ = Ler16(28);
      if (tamanhoCabecalho_ >= 40) {
        compressao_ = Ler32(30);
        img_.pixelsPorMetroX_ = int32_t(Ler32(38));
        coresUsadas_ = Ler32(46);
      }
    }
    if (largura < 0) {
      Invalido("a largura " + N(largura) + " é negativa");
    }
    if (altura == std::numeric_limits<int32_t>::min()) {
      Invalido("a altura " + N(altura) + " não tem valor positivo correspondente");
    }
    img_.deCimaParaBaixo_ = altura < 0;
    img_.largura_ = int32_t(largura);
    img_.altura_ = int32_t(altura < 0 ? -altura : altura);
  }

  void ConferirVariante() {
    const int bits = img_.bitsPorPixel_;
    const bool os2 = tamanhoCabecalho_ == 16 || tamanhoCabecalho_ == 64;
    if (os2 && compressao_ == 3) {
      NaoSuportado("compressão Huffman 1D do OS/2");
    }
    if (os2 && compressao_ == 4) {
      NaoSuportado("compressão RLE24 do OS/2");
    }
    if (compressao_ == kBiJpeg || compressao_ == kBiPng) {
      NaoSuportado(std::string("imagem ") + (compressao_ == kBiJpeg ? "JPEG" : "PNG") +
                   " dentro do bitmap");
    }
    if (compressao_ >= kBiCmyk && compressao_ <= kBiCmykRle4) {
      NaoSuportado("cores CMYK");
    }
    if (bits != 1 && bits != 4 && bits != 8 && bits != 16 && bits != 24 && bits != 32) {
      if (bits == 0 || bits == 2 || bits == 64) {
        NaoSuportado(N(bits) + " bits por pixel");
      }
      Invalido(N(bits) + " bits por pixel");
    }
    switch (compressao_) {
      case kBiRgb:
        return;
      case kBiRle8:
      case kBiRle4:
        if (bits != (compressao_ == kBiRle8 ? 8 : 4)) {
          Invalido(std::string("a compressão ") + (compressao_ == kBiRle8 ? "RLE8" : "RLE4") +
                   " não combina com " + N(bits) + " bits por pixel");
        }
        return;
      case kBiBitfields:
      case kBiAlphaBitfields:
        if (bits != 16 && bits != 32) {
          NaoSuportado("máscaras de cor com " + N(bits) + " bits por pixel");
        }
        return;
      default:
        Invalido("tipo de compressão desconhecido (" + N(compressao_) + ")");
    }
  }

  void LerMascaras() {
    uint32_t mascaras[3];
    if (compressao_ == kBiRgb) {
      if (img_.bitsPorPixel_ == 16) {
        mascaras[0] = 0x7C00;
        mascaras[1] = 0x03E0;
        mascaras[2] = 0x001F;
      } else {
        mascaras[0] = 0xFF0000;
        mascaras[1] = 0x00FF00;
        mascaras[2] = 0x0000FF;
      }
    } else {
      // The masks are part of the longer headers; after a 40-byte header they follow it.
      const size_t inicio = kCabecalhoArquivo + 40;
      if (tamanhoCabecalho_ == 40) {
        fimCabecalhos_ += compressao_ == kBiAlphaBitfields ? 16 : 12;
        if (fimCabecalhos_ > b_.size()) {
          Invalido("as máscaras de cor passam do fim do arquivo de " + N(b_.size()) + " bytes");
        }
      }
      for (int i = 0; i < 3; ++i) {
        mascaras[i] = Ler32(inicio + 4 * size_t(i));
      }
    }
    static const char* const nomes[3] = {"do vermelho", "do verde", "do azul"};
    for (int i = 0; i < 3; ++i) {
      const uint32_t m = mascaras[i];
      if (m == 0) {
        Invalido("a máscara " + std::string(nomes[i]) + " é vazia");
      }
      if (img_.bitsPorPixel_ == 16 && m > 0xFFFF) {
        Invalido("a máscara " + std::string(nomes[i]) + " " + Hex(m) +
                 " passa dos 16 bits do pixel");
      }
      const int deslocamento = std::countr_zero(m);
      const int bits = std::popcount(m);
      if ((m >> deslocamento) != (uint64_t{1} << bits) - 1) {
        Invalido("a máscara " + std::string(nomes[i]) + " " + Hex(m) + " não é contígua");
      }
      ImagemBmp::Canal& canal = img_.canais_[size_t(i)];
      const int largos = std::min(bits, 8);
      canal.deslocamento = uint32_t(deslocamento + bits - largos);
      canal.mascara = (uint32_t{1} << largos) - 1;
      for (uint32_t v = 0; v <= canal.mascara; ++v) {
        canal.largo[v] = Alargar(v, largos);
      }
    }
  }

  // A palette may hold fewer entries than the bit depth allows (biClrUsed), and ends where the
  // pixels begin at the latest. Pixels that use a missing entry are refused, not guessed.
  void LerPaleta() {
    const uint32_t possiveis = uint32_t{1} << img_.bitsPorPixel_;
    const uint32_t declaradas = coresUsadas_ == 0 ? possiveis : std::min(coresUsadas_, possiveis);
    const size_t fim = std::min<size_t>(inicioPixels_, b_.size());
    const size_t cabem = fim > fimCabecalhos_ ? (fim - fimCabecalhos_) / bytesPorCor_ : 0;
    coresNaPaleta_ = uint32_t(std::min<size_t>(declaradas, cabem));
    if (coresNaPaleta_ == 0) {
      Invalido("a imagem de " + N(img_.bitsPorPixel_) + " bits por pixel não tem paleta de cores");
    }
    img_.paleta_.assign(possiveis, 0);
    for (uint32_t i = 0; i < coresNaPaleta_; ++i) {
      const size_t p = fimCabecalhos_ + size_t(i) * bytesPorCor_;
      img_.paleta_[i] = uint32_t(b_[p + 2]) | uint32_t(b_[p + 1]) << 8 | uint32_t(b_[p]) << 16;
    }
    fimCabecalhos_ += size_t(coresNaPaleta_) * bytesPorCor_;
  }

  void ConferirInicioDosPixels() {
    if (inicioPixels_ < fimCabecalhos_) {
      Invalido("os pixels começam no byte " + N(inicioPixels_) +
               ", dentro dos cabeçalhos, que vão até o byte " + N(fimCabecalhos_));
    }
    if (inicioPixels_ > tamanho_) {
      Invalido("os pixels começam no byte " + N(inicioPixels_) + ", além do fim do arquivo de " +
               N(tamanho_) + " bytes");
    }
    img_.inicioPixels_ = inicioPixels_;
  }

  // The last row may lack its padding: some writers leave it out.
  void ConferirTamanhoDosPixels() {
    const uint64_t bitsPorLinha = uint64_t(img_.largura_) * uint64_t(img_.bitsPorPixel_);
    img_.bytesPorLinha_ = size_t((bitsPorLinha + 31) / 32 * 4);
    uint64_t precisa = 0;
    if (img_.altura_ > 0 && (__builtin_mul_overflow(uint64_t(img_.altura_ - 1),
                                                    uint64_t(img_.bytesPorLinha_), &precisa) ||
                             __builtin_add_overflow(precisa, (bitsPorLinha + 7) / 8, &precisa) ||
                             precisa > tamanho_ - inicioPixels_)) {
      Invalido("a largura " + N(img_.largura_) + " × altura " + N(img_.altura_) +
               " não cabe no arquivo de " + N(tamanho_) + " bytes (os pixels começam no byte " +
               N(inicioPixels_) + ")");
    }
  }

  // Both sides are capped too: a picture 0 pixels wide fits in any file, yet every pixel pass
  // would walk all of its rows.
  void ConferirNumeroDePixels() {
    const int32_t maior = std::max(img_.largura_, img_.altura_);
    if (maior > ImagemBmp::kMaiorLado) {
      NaoSuportado("a largura " + N(img_.largura_) + " × altura " + N(img_.altura_) +
                   " passa do limite de " + N(ImagemBmp::kMaiorLado) + " pixels por lado");
    }
    const uint64_t pixels = uint64_t(img_.largura_) * uint64_t(img_.altura_);
    if (pixels > ImagemBmp::kMaiorNumeroDePixels) {
      NaoSuportado("a largura " + N(img_.largura_) + " × altura " + N(img_.altura_) +
                   " passa do limite de " + N(ImagemBmp::kMaiorNumeroDePixels) + " pixels");
    }
  }

  [[noreturn]] void IndiceForaDaPaleta(int32_t x, int32_t y, uint32_t indice) const {
    Invalido("o pixel (" + N(x) + ", " + N(y) + ") usa a cor " + N(indice) +
             " da paleta, que só tem " + N(coresNaPaleta_) + " cores");
  }

  void ConferirIndices() const {
    if (img_.bitsPorPixel_ > 8 || coresNaPaleta_ == (uint32_t{1} << img_.bitsPorPixel_)) {
      return;
    }
    const int bits = img_.bitsPorPixel_;
    for (int32_t y = 0; y < img_.altura_; ++y) {
      const int64_t linhaArquivo = img_.deCimaParaBaixo_ ? y : img_.altura_ - 1 - y;
      const uint8_t* linha = b_.data() + inicioPixels_ + size_t(linhaArquivo) * img_.bytesPorLinha_;
      for (int32_t x = 0; x < img_.largura_; ++x) {
        const uint32_t bit = uint32_t(x) * uint32_t(bits);
        const uint32_t indice = (linha[bit / 8] >> (8 - bits - bit % 8)) & ((1u << bits) - 1);
        if (indice >= coresNaPaleta_) {
          IndiceForaDaPaleta(x, y, indice);
        }
      }
    }
  }

  // RLE8 and RLE4 into one palette index per pixel. Runs, deltas and absolute runs that leave
  // the picture are refused; pixels the stream skips take palette entry 0.
  void ExpandirRle() {
    const bool rle4 = compressao_ == kBiRle4;
    const int64_t largura = img_.largura_;
    const int64_t altura = img_.altura_;
    img_.indices_.assign(size_t(largura) * size_t(altura), 0);
    int64_t x = 0;
    int64_t linha = 0;  // in file order
    size_t p = inicioPixels_;
    const size_t fim = b_.size();
    auto pixel = [&](uint32_t indice) -> uint8_t& {
      if (indice >= coresNaPaleta_) {
        IndiceForaDaPaleta(int32_t(x), int32_t(LinhaExibida(linha)), indice);
      }
      return img_.indices_[size_t(LinhaExibida(linha)) * size_t(largura) + size_t(x)];
    };
    auto conferirSequencia = [&](uint32_t n) {
      if (linha >= altura) {
        Invalido("a sequência RLE no byte " + N(p) + " passa da última linha da imagem");
      }
      if (x + n > largura) {
        Invalido("a sequência RLE de " + N(n) + " pixels no byte " + N(p) +
                 " passa do fim da linha " + N(LinhaExibida(linha)) + ", de largura " + N(largura));
      }
    };
    while (true) {
      if (fim - p < 2) {
        if (linha >= altura) {
          break;  // every row is there; only the end-of-bitmap mark is missing
        }
        Invalido("os dados RLE terminam antes do fim da imagem");
      }
      const uint32_t n = b_[p];
      const uint32_t c = b_[p + 1];
      if (n > 0) {
        conferirSequencia(n);
        for (uint32_t i = 0; i < n; ++i, ++x) {
          const uint32_t indice = rle4 ? (i % 2 == 0 ? c >> 4 : c & 0xF) : c;
          pixel(indice) = uint8_t(indice);
        }
        p += 2;
      } else if (c == 0) {  // end of line
        x = 0;
        ++linha;
        p += 2;
      } else if (c == 1) {  // end of bitmap
        break;
      } else if (c == 2) {  // delta
        if (fim - p < 4) {
          Invalido("os dados RLE terminam no meio de um deslocamento");
        }
        x += b_[p + 2];
        linha += b_[p + 3];
        if (x > largura || linha > altura || (linha == altura && x > 0)) {
          Invalido("o deslocamento RLE no byte " + N(p) + " sai da imagem");
        }
        p += 4;
      } else {  // absolute run of c pixels, padded to a 16-bit boundary
        const size_t bytes = rle4 ? (c + 1) / 2 : c;
        p += 2;
        if (fim - p < bytes) {
          Invalido("os dados RLE terminam no meio de uma sequência de " + N(c) + " pixels");
        }
        conferirSequencia(c);
        for (uint32_t i = 0; i < c; ++i, ++x) {
          const uint32_t indice =
              rle4 ? (i % 2 == 0 ? b_[p + i / 2] >> 4 : b_[p + i / 2] & 0xF) : b_[p + i];
          pixel(indice) = uint8_t(indice);
        }
        p += std::min(fim - p, bytes + bytes % 2);
      }
    }
  }

  int64_t LinhaExibida(int64_t linhaArquivo) const {
    return img_.deCimaParaBaixo_ ? linhaArquivo : img_.altura_ - 1 - linhaArquivo;
  }

  std::span<const uint8_t> b_;
  size_t tamanho_;
  const std::string& nome_;
  ImagemBmp& img_;
  uint32_t tamanhoCabecalho_ = 0;
  uint32_t compressao_ = kBiRgb;
  uint32_t coresUsadas_ = 0;
  uint32_t coresNaPaleta_ = 0;
  size_t bytesPorCor_ = 4;
  size_t inicioPixels_ = 0;
  size_t fimCabecalhos_ = 0;
};

ImagemBmp ImagemBmp::Decodificar(std::vector<uint8_t> bytes, const std::string& nome) {
  return DecodificarArquivo(BytesArquivo(bytes.begin(), bytes.end()), nome);
}

ImagemBmp ImagemBmp::DecodificarArquivo(BytesArquivo bytes, const std::string& nome) {
  ImagemBmp img;
  if (bytes.empty()) {
    return img;
  }
  const bool noArquivo = DecodificadorBmp(bytes, nome, img).Decodificar();
  if (img.largura_ == 0 || img.altura_ == 0) {
    img.formato_ = Formato::Vazio;
  } else if (!noArquivo) {
    img.formato_ = Formato::IndicesExpandidos;
  } else {
    img.formato_ = img.bitsPorPixel_ <= 8    ? Formato::Indices
                   : img.bitsPorPixel_ == 16 ? Formato::Bits16
                   : img.bitsPorPixel_ == 24 ? Formato::Bgr24
                                             : Formato::Bits32;
    img.bytes_ = std::move(bytes);
  }
  return img;
}

namespace {

ErroArquivo FalhaDeLeitura(const std::string& caminho, const std::string& motivo) {
  return ErroArquivo("Não foi possível ler o arquivo \"" + caminho + "\": " + motivo + ".");
}

// Opens `caminho` for reading and returns its size, refusing what cannot be a picture we accept.
uintmax_t Abrir(const std::string& caminho, std::ifstream& arquivo) {
  namespace fs = std::filesystem;
  std::error_code erro;
  const fs::file_status estado = fs::status(caminho, erro);
  if (estado.type() == fs::file_type::not_found) {
    throw FalhaDeLeitura(caminho, "ele não existe");
  }
  if (erro) {
    throw FalhaDeLeitura(caminho, erro == std::errc::permission_denied
                                      ? "sem permissão de acesso"
                                      : "erro do sistema " + N(erro.value()));
  }
  if (fs::is_directory(estado)) {
    throw FalhaDeLeitura(caminho, "é uma pasta");
  }
  if (!fs::is_regular_file(estado)) {
    throw FalhaDeLeitura(caminho, "não é um arquivo comum");
  }
  arquivo.open(caminho, std::ios::binary);
  if (!arquivo) {
    throw FalhaDeLeitura(caminho,
                         errno == EACCES ? "sem permissão de leitura" : "ele não pôde ser aberto");
  }
  const uintmax_t tamanho = fs::file_size(caminho, erro);
  if (erro) {
    throw FalhaDeLeitura(caminho, "o tamanho do arquivo não pôde ser lido");
  }
  if (tamanho > kMaiorArquivo) {
    throw ErroBitmapNaoSuportado("O arquivo \"" + caminho + "\", de " + N(tamanho) +
                                 " bytes, passa do tamanho máximo de um bitmap (" +
                                 N(kMaiorArquivo) + " bytes).");
  }
  return tamanho;
}

// Reads exactly `n` bytes; `lidos` and `tamanho` only word the error.
void LerBytes(std::ifstream& arquivo, uint8_t* destino, size_t n, const std::string& caminho,
              uintmax_t lidos, uintmax_t tamanho) {
  arquivo.read(reinterpret_cast<char*>(destino), std::streamsize(n));
  if (size_t(arquivo.gcount()) != n) {
    throw FalhaDeLeitura(caminho, "erro de leitura depois de " +
                                      N(lidos + uintmax_t(arquivo.gcount())) + " de " + N(tamanho) +
                                      " bytes");
  }
}

// Rows of an uncompressed 24-bit file are read this many bytes at a time (at least one row):
// small enough to stay in the processor's cache until the caller has used them.
constexpr size_t kBlocoDeLinhas = size_t{256} << 10;

}  // namespace

ImagemBmp ImagemBmp::Carregar(const std::string& caminho) {
  std::ifstream arquivo;
  const uintmax_t tamanho = Abrir(caminho, arquivo);
  // Sized once and read in one call: the file's bytes are the picture's only large buffer.
  BytesArquivo bytes = std::move(Reserva());
  Reserva() = {};
  bytes.resize(static_cast<size_t>(tamanho));
  LerBytes(arquivo, bytes.data(), bytes.size(), caminho, 0, tamanho);
  return DecodificarArquivo(std::move(bytes), caminho);
}

bool ImagemBmp::AbrirPorLinhas(const std::string& caminho, std::ifstream& arquivo,
                               uintmax_t& tamanho, ImagemBmp& imagem) {
  tamanho = Abrir(caminho, arquivo);
  // The headers of every accepted 24-bit picture fit in the first page.
  std::array<uint8_t, 4096> cabecalhos;
  const size_t noInicio = size_t(std::min<uintmax_t>(tamanho, cabecalhos.size()));
  LerBytes(arquivo, cabecalhos.data(), noInicio, caminho, 0, tamanho);
  if (!DecodificadorBmp::Bgr24SemCompressao({cabecalhos.data(), noInicio})) {
    arquivo.close();
    imagem = Carregar(caminho);
    return false;
  }
  DecodificadorBmp({cabecalhos.data(), noInicio}, caminho, imagem, size_t(tamanho)).Cabecalho();
  return true;
}

void ImagemBmp::EntregarLinhas(const std::vector<int32_t>& ys,
                               const std::function<void(const LinhaBmp&)>& linha) const {
  std::vector<uint32_t> cores(static_cast<size_t>(largura_));
  for (const int32_t y : ys) {
    LinhaBmp l{y, LinhaBgr24(y), nullptr};
    if (!l.bgr) {
      LerLinha(y, cores.data());
      l.cores = cores.data();
    }
    linha(l);
  }
}

void ImagemBmp::PercorrerLinhas(const std::string& caminho,
                                const std::function<void(const ImagemBmp&)>& inicio,
                                const std::function<void(const LinhaBmp&)>& linha) {
  std::ifstream arquivo;
  uintmax_t tamanho = 0;
  ImagemBmp imagem;
  if (!AbrirPorLinhas(caminho, arquivo, tamanho, imagem)) {
    inicio(imagem);
    std::vector<int32_t> todas(static_cast<size_t>(imagem.altura_));
    std::iota(todas.begin(), todas.end(), 0);
    imagem.EntregarLinhas(todas, linha);
    return;
  }
  inicio(imagem);
  if (imagem.largura_ == 0 || imagem.altura_ == 0) {
    return;
  }
  const size_t porLinha = imagem.bytesPorLinha_;
  const int32_t porBloco = int32_t(std::max<size_t>(1, kBlocoDeLinhas / porLinha));
  thread_local BytesArquivo bloco;
  bloco.resize(size_t(porBloco) * porLinha);
  arquivo.seekg(std::streamoff(imagem.inicioPixels_));
  uintmax_t lidos = imagem.inicioPixels_;
  for (int32_t primeira = 0; primeira < imagem.altura_; primeira += porBloco) {
    const int32_t linhas = std::min(porBloco, imagem.altura_ - primeira);
    // The last row may lack its padding; the header checks made sure its pixels are there.
    const size_t n = size_t(std::min<uintmax_t>(size_t(linhas) * porLinha, tamanho - lidos));
    LerBytes(arquivo, bloco.data(), n, caminho, lidos, tamanho);
    lidos += n;
    for (int32_t i = 0; i < linhas; ++i) {
      const int32_t naArquivo = primeira + i;
      const int32_t y = imagem.deCimaParaBaixo_ ? naArquivo : imagem.altura_ - 1 - naArquivo;
      linha({y, bloco.data() + size_t(i) * porLinha, nullptr});
    }
  }
}

void ImagemBmp::LerLinhasEscolhidas(
    const std::string& caminho,
    const std::function<std::vector<int32_t>(const ImagemBmp&)>& escolher,
    const std::function<void(const LinhaBmp&)>& linha) {
  std::ifstream arquivo;
  uintmax_t tamanho = 0;
  ImagemBmp imagem;
  const bool porLinhas = AbrirPorLinhas(caminho, arquivo, tamanho, imagem);
  const std::vector<int32_t> escolhidas = escolher(imagem);
  for (const int32_t y : escolhidas) {
    if (y < 0 || y >= imagem.altura_) {
      throw std::out_of_range("linha " + N(y) + " fora da imagem de " + N(imagem.altura_) +
                              " linhas");
    }
  }
  if (!porLinhas) {
    imagem.EntregarLinhas(escolhidas, linha);
    return;
  }
  const size_t porLinha = imagem.bytesPorLinha_;
  BytesArquivo bytes(porLinha);
  for (const int32_t y : escolhidas) {
    const int32_t naArquivo = imagem.deCimaParaBaixo_ ? y : imagem.altura_ - 1 - y;
    const uintmax_t inicio = imagem.inicioPixels_ + uintmax_t(naArquivo) * porLinha;
    // The last row may lack its padding; the header checks made sure its pixels are there.
    const size_t n = size_t(std::min<uintmax_t>(porLinha, tamanho - inicio));
    arquivo.seekg(std::streamoff(inicio));
    LerBytes(arquivo, bytes.data(), n, caminho, inicio, tamanho);
    linha({y, bytes.data(), nullptr});
  }
}

BytesArquivo& ImagemBmp::Reserva() {
  thread_local BytesArquivo reserva;
  return reserva;
}

ImagemBmp::~ImagemBmp() {
  BytesArquivo& reserva = Reserva();
  if (bytes_.capacity() > reserva.capacity()) {
    reserva.swap(bytes_);
  }
}

const uint8_t* ImagemBmp::LinhaDoArquivo(int32_t y) const {
  const size_t linhaArquivo = deCimaParaBaixo_ ? size_t(y) : size_t(altura_ - 1 - y);
  return bytes_.data() + inicioPixels_ + linhaArquivo * bytesPorLinha_;
}

const uint8_t* ImagemBmp::LinhaBgr24(int32_t y) const {
  return formato_ == Formato::Bgr24 ? LinhaDoArquivo(y) : nullptr;
}

void ImagemBmp::LerLinha(int32_t y, uint32_t* destino) const {
  const int32_t w = largura_;
  switch (formato_) {
    case Formato::Vazio:
      return;
    case Formato::IndicesExpandidos: {
      const uint8_t* p = indices_.data() + size_t(y) * size_t(w);
      for (int32_t x = 0; x < w; ++x) {
        destino[x] = paleta_[p[x]];
      }
      return;
    }
    case Formato::Indices: {
      const uint8_t* p = LinhaDoArquivo(y);
      if (bitsPorPixel_ == 8) {
        for (int32_t x = 0; x < w; ++x) {
          destino[x] = paleta_[p[x]];
        }
      } else if (bitsPorPixel_ == 4) {
        for (int32_t x = 0; x < w; ++x) {
          destino[x] = paleta_[(p[x / 2] >> (x % 2 == 0 ? 4 : 0)) & 0xF];
        }
      } else {
        for (int32_t x = 0; x < w; ++x) {
          destino[x] = paleta_[(p[x / 8] >> (7 - x % 8)) & 1];
        }
      }
      return;
    }
    case Formato::Bits16: {
      const uint8_t* p = LinhaDoArquivo(y);
      for (int32_t x = 0; x < w; ++x) {
        destino[x] = CorDosCanais(uint32_t(p[2 * x]) | uint32_t(p[2 * x + 1]) << 8);
      }
      return;
    }
    case Formato::Bgr24: {
      const uint8_t* p = LinhaDoArquivo(y);
      for (int32_t x = 0; x < w; ++x) {
        destino[x] =
            uint32_t(p[3 * x + 2]) | uint32_t(p[3 * x + 1]) << 8 | uint32_t(p[3 * x]) << 16;
      }
      return;
    }
    case Formato::Bits32: {
      const uint8_t* p = LinhaDoArquivo(y);
      for (int32_t x = 0; x < w; ++x) {
        const uint8_t* q = p + 4 * size_t(x);
        destino[x] = CorDosCanais(uint32_t(q[0]) | uint32_t(q[1]) << 8 | uint32_t(q[2]) << 16 |
                                  uint32_t(q[3]) << 24);
      }
      return;
    }
  }
}

}  // namespace velmo

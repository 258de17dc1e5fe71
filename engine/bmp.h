#pragma once
// BMP decoding: every variant scanners and image editors write (core, OS/2 2.x, info, V2, V3, V4
// and V5 headers; 1, 4, 8, 16, 24 and 32 bits; BI_RGB, BI_RLE4, BI_RLE8, BI_BITFIELDS and
// BI_ALPHABITFIELDS; bottom-up and top-down). Colours come out as 0x00BBGGRR. Rows are addressed
// from the top of the picture as displayed.
//
// Every header field and size is checked before anything is allocated. Uncompressed pictures are
// read in place from the file's bytes; RLE pictures are expanded to one palette index per pixel
// and the file's bytes are dropped.

#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <iosfwd>
#include <new>
#include <string>
#include <utility>
#include <vector>

namespace velmo {

// Allocates page-aligned storage and leaves new elements uninitialised: the kernel copies a file
// into an aligned buffer about three times faster than into a malloc'ed one, and a buffer that is
// filled by read() right away need not be zeroed first.
template <class T>
struct AlocadorDePaginas {
  using value_type = T;
  static constexpr std::align_val_t kAlinhamento{4096};
  AlocadorDePaginas() = default;
  template <class U>
  AlocadorDePaginas(const AlocadorDePaginas<U>&) noexcept {}
  T* allocate(size_t n) { return static_cast<T*>(::operator new(n * sizeof(T), kAlinhamento)); }
  void deallocate(T* p, size_t) noexcept { ::operator delete(p, kAlinhamento); }
  template <class U, class... Args>
  void construct(U* p, Args&&... args) {
    if constexpr (sizeof...(Args) == 0) {
      ::new (static_cast<void*>(p)) U;
    } else {
      ::new (static_cast<void*>(p)) U(std::forward<Args>(args)...);
    }
  }
  template <class U>
  bool operator==(const AlocadorDePaginas<U>&) const noexcept {
    return true;
  }
};

using BytesArquivo = std::vector<uint8_t, AlocadorDePaginas<uint8_t>>;

class ImagemBmp;

// One display row (y = 0 at the top) handed out by ImagemBmp::PercorrerLinhas: the B, G, R bytes
// of an uncompressed 24-bit file in `bgr`, or else the colours 0x00BBGGRR in `cores`.
struct LinhaBmp {
  int32_t y;
  const uint8_t* bgr;
  const uint32_t* cores;
};

class ImagemBmp {
 public:
  // Reads and checks the whole file. A 0-byte file is a 0 × 0 picture without resolution.
  // Throws ErroArquivo (cannot read), ErroBitmapInvalido (bad bytes) or ErroBitmapNaoSuportado.
  static ImagemBmp Carregar(const std::string& caminho);
  // Reads `caminho` with the same checks as Carregar and hands each row to `linha` once, rows in
  // no fixed order. `inicio` gets the picture's size and resolution first (its rows are not read
  // through it). An uncompressed 24-bit file is read a few rows at a time and never held whole,
  // so each row is used while it is still in the processor's cache. Throws as Carregar, possibly
  // after some rows (a file that shrinks while it is read).
  static void PercorrerLinhas(const std::string& caminho,
                              const std::function<void(const ImagemBmp&)>& inicio,
                              const std::function<void(const LinhaBmp&)>& linha);
  // Like PercorrerLinhas, but hands out only the display rows that `escolher` asks for, once it
  // has the checked picture, in the order asked. An uncompressed 24-bit file is read at those rows
  // alone, so a preview of a large scan reads a fraction of it. Throws std::out_of_range for a
  // row outside the picture.
  static void LerLinhasEscolhidas(
      const std::string& caminho,
      const std::function<std::vector<int32_t>(const ImagemBmp&)>& escolher,
      const std::function<void(const LinhaBmp&)>& linha);
  // The same checks on bytes already in memory; `nome` is the file name used in messages.
  static ImagemBmp Decodificar(std::vector<uint8_t> bytes, const std::string& nome);

  // Largest picture accepted: a gigapixel (an A0 sheet at 600 dpi is a third of it), and no
  // side above 1,048,576 pixels (an A4 page at 2400 dpi is 28,063 pixels high).
  static constexpr uint64_t kMaiorNumeroDePixels = uint64_t{1} << 30;
  static constexpr int32_t kMaiorLado = int32_t{1} << 20;

  ImagemBmp() = default;
  ImagemBmp(ImagemBmp&&) = default;
  ImagemBmp& operator=(ImagemBmp&&) = default;
  ImagemBmp(const ImagemBmp&) = default;
  ImagemBmp& operator=(const ImagemBmp&) = default;
  ~ImagemBmp();

  int32_t Largura() const { return largura_; }
  int32_t Altura() const { return altura_; }
  // biXPelsPerMeter as stored (signed); 0 for headers without it (core, short OS/2) and for an
  // empty file.
  int32_t PixelsPorMetroX() const { return pixelsPorMetroX_; }
  int BitsPorPixel() const { return bitsPorPixel_; }

  // Writes the Largura() colours of display row y (0 = top), as 0x00BBGGRR, into destino.
  void LerLinha(int32_t y, uint32_t* destino) const;
  // For an uncompressed 24-bit picture, the B, G, R bytes of display row y; otherwise nullptr.
  const uint8_t* LinhaBgr24(int32_t y) const;

 private:
  enum class Formato : uint8_t { Vazio, Indices, IndicesExpandidos, Bits16, Bgr24, Bits32 };

  // One colour channel of a 16- or 32-bit pixel: its bits, shifted down, index a table that
  // widens them to 8 bits (bit replication below 8 bits, the top 8 bits above).
  struct Canal {
    uint32_t deslocamento = 0;
    uint32_t mascara = 0;  // after the shift
    std::array<uint8_t, 256> largo{};
  };

  static ImagemBmp DecodificarArquivo(BytesArquivo bytes, const std::string& nome);
  // Opens `caminho` and checks its headers. An uncompressed 24-bit file leaves `imagem` with its
  // headers only and `arquivo` open at its rows (true); any other is loaded whole (false).
  static bool AbrirPorLinhas(const std::string& caminho, std::ifstream& arquivo, uintmax_t& tamanho,
                             ImagemBmp& imagem);
  // Hands out the display rows `ys` of a picture held whole.
  void EntregarLinhas(const std::vector<int32_t>& ys,
                      const std::function<void(const LinhaBmp&)>& linha) const;
  // A thread's spare file buffer: a picture gives its buffer back when it goes, and the next load
  // on that thread reuses it instead of faulting in and zeroing fresh pages for every scan.
  static BytesArquivo& Reserva();
  const uint8_t* LinhaDoArquivo(int32_t y) const;
  uint32_t CorDosCanais(uint32_t pixel) const {
    const auto& c = canais_;
    return uint32_t(c[0].largo[(pixel >> c[0].deslocamento) & c[0].mascara]) |
           uint32_t(c[1].largo[(pixel >> c[1].deslocamento) & c[1].mascara]) << 8 |
           uint32_t(c[2].largo[(pixel >> c[2].deslocamento) & c[2].mascara]) << 16;
  }

  BytesArquivo bytes_;             // the whole file, for uncompressed pictures
  std::vector<uint8_t> indices_;   // RLE pictures, one palette index per pixel, display order
  std::vector<uint32_t> paleta_;   // 0x00BBGGRR per entry, 2^bits entries (missing ones black)
  std::array<Canal, 3> canais_{};  // red, green, blue of 16- and 32-bit pictures
  Formato formato_ = Formato::Vazio;
  int32_t largura_ = 0;
  int32_t altura_ = 0;
  int32_t pixelsPorMetroX_ = 0;
  int bitsPorPixel_ = 0;
  bool deCimaParaBaixo_ = false;
  size_t inicioPixels_ = 0;
  size_t bytesPorLinha_ = 0;

  friend class DecodificadorBmp;
};

}  // namespace velmo

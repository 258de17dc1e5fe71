#pragma once
// Loin-eye segmentation of one scan: one region per traced outline; regions of at least 1 cm²
// count as animals. The object owns its working picture and its regions; it cannot be copied.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "progresso.h"

namespace velmo {

// A pixel position: column X from 0 at the left, row Y from 0 at the top.
struct TPonto {
  int32_t X;
  int32_t Y;
};

// An inclusive bounding box in coordinates of the working picture.
struct TLimites {
  int32_t Esquerda;
  int32_t Topo;
  int32_t Direita;
  int32_t Base;
};

// The pictures of the segmentation only ever compare colours exactly against white and red (and,
// inside a region, paint green), so each pixel is kept as its class, one byte, rows from the top.
class QuadroClasses {
 public:
  enum Classe : uint8_t {
    Branco = 0,    // exactly clWhite
    Vermelho = 1,  // exactly clRed: a traced edge pixel, or a pixel of that colour in the file
    Verde = 2,     // clGreen: background a region's area scans reached
    Tinta = 3,     // any other colour
  };

  QuadroClasses() = default;
  // A picture of `largura` × `altura` pixels, all white.
  QuadroClasses(int32_t largura, int32_t altura);
  // The same size with its pixels left unset, for a caller that writes every one of them.
  static QuadroClasses NaoPreenchido(int32_t largura, int32_t altura);
  // A moved-from picture is 0 × 0.
  QuadroClasses(QuadroClasses&& outro) noexcept { *this = std::move(outro); }
  QuadroClasses& operator=(QuadroClasses&& outro) noexcept;

  int32_t Largura() const { return largura_; }
  int32_t Altura() const { return altura_; }
  bool Vazio() const { return largura_ == 0 || altura_ == 0; }
  uint8_t* Linha(int32_t y) { return pixels_.get() + size_t(y) * size_t(largura_); }
  const uint8_t* Linha(int32_t y) const { return pixels_.get() + size_t(y) * size_t(largura_); }
  uint8_t& operator()(int32_t x, int32_t y) { return Linha(y)[x]; }
  uint8_t operator()(int32_t x, int32_t y) const { return Linha(y)[x]; }
  // Gives the memory back; the picture becomes 0 × 0.
  void Liberar();

 private:
  std::unique_ptr<uint8_t[]> pixels_;
  int32_t largura_ = 0;
  int32_t altura_ = 0;
};

// One region: its crop (traced edge red on white) measured by straight scans from the four sides.
// The area is fixed when the constructor returns; the crop is released then.
class TOlhoDeLombo {
 public:
  // `Regiao` is the crop of the box `Limites`; the region takes it over.
  TOlhoDeLombo(QuadroClasses Regiao, int32_t Resolucao, const TLimites& Limites);
  TOlhoDeLombo(const TOlhoDeLombo&) = delete;
  TOlhoDeLombo& operator=(const TOlhoDeLombo&) = delete;

  double GetArea() const { return FArea; }                 // cm², cut to four decimals
  const TLimites& GetLimites() const { return FLimites; }  // the box in the working picture

 private:
  double CalcularArea();

  QuadroClasses FBitmap;
  double FArea;  // the box's area while it is measured, then the region's area
  TLimites FLimites;

  friend class TProcessaOlhoDeLombro;
};

class TProcessaOlhoDeLombro {
 public:
  // Loads `Arquivo` and reads its resolution; measures nothing yet. Throws the loader's errors
  // before touching `Progresso` (which may be null and belongs to the caller), then resets it:
  // position to its minimum, maximum to (height div 10) × 2.
  TProcessaOlhoDeLombro(const std::string& Arquivo, Progresso* Progresso);
  ~TProcessaOlhoDeLombro();
  TProcessaOlhoDeLombro(const TProcessaOlhoDeLombro&) = delete;
  TProcessaOlhoDeLombro& operator=(const TProcessaOlhoDeLombro&) = delete;

  // Splits the picture into regions, in the raster order of their first ink pixel, and releases
  // the working picture. A second call finds nothing more.
  void Processar();

  const std::string& GetArquivo() const;
  int32_t GetResolucao() const;
  int32_t GetNumeroRegioes() const;       // counted regions (area >= 1 cm²)
  double GetAreaTotal() const;            // sum of the counted regions' areas, cm²
  double GetAreaRegiao(int32_t N) const;  // area of the N-th counted region (from 1), or 0

  // Every region found, counted or not, in the order found.
  const std::vector<std::unique_ptr<TOlhoDeLombo>>& GetRegioes() const { return FRegioes; }

 private:
  bool LocalizarInicio(TPonto& P);
  bool TocaFundo(TPonto P) const;
  bool Elegivel(TPonto Q) const;
  void TracarContorno(TPonto P);
  static TLimites CalcularLimites(const std::vector<TPonto>& Pontos);
  // `Destino` becomes the box's crop (red stays red, the rest white); the box turns white in
  // the working picture.
  void RecortarEApagarRegiao(const TLimites& Limites, QuadroClasses& Destino);

  QuadroClasses FBitmap;  // the working picture; released once Processar has whitened it
  Progresso* FProgresso;
  int32_t FResolucao = 0;
  std::string FArquivo;
  std::vector<TPonto> FContorno;
  std::vector<int32_t> FTintaPorLinha;  // pixels of each row of FBitmap that are not white
  std::vector<std::unique_ptr<TOlhoDeLombo>> FRegioes;

  int32_t FAltura = 0;        // the picture's height, kept after the picture is released
  TPonto FInicioBusca{0, 0};  // where the next seed search starts: the previous seed
};

}  // namespace velmo

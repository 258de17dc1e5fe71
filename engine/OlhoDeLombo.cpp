#include "OlhoDeLombo.h"

#include <algorithm>
#include <bit>
#include <cstddef>
#include <cstring>
#include <utility>

#include "bmp.h"
#include "cmdContagem.h"

// Conventions of the segmentation:
// - pixel (x, y) is column x of row y, row 0 at the top of the picture as displayed;
// - ink is any colour other than exactly white; positions outside the picture are never
//   background;
// - seeds come in raster order: rows from the top, each row from the left;
// - neighbours are tested for background in the order N, NE, E, SE, S, SW, W, NW and are
//   examined by the trace in the order N, E, S, W, NW, NE, SE, SW (the set of traced pixels does
//   not depend on either order).

namespace velmo {

namespace {

using Classe = QuadroClasses::Classe;

// The eight neighbours, north up: N, NE, E, SE, S, SW, W, NW.
constexpr int32_t kDxFundo[8] = {0, 1, 1, 1, 0, -1, -1, -1};
constexpr int32_t kDyFundo[8] = {-1, -1, 0, 1, 1, 1, 0, -1};
// The trace's order: N, E, S, W, NW, NE, SE, SW.
constexpr int32_t kDxTraco[8] = {0, 1, 0, -1, -1, 1, 1, -1};
constexpr int32_t kDyTraco[8] = {-1, 0, 1, 0, -1, -1, 1, 1};

uint8_t ClasseDe(uint32_t cor) {
  return cor == clWhite ? Classe::Branco : cor == clRed ? Classe::Vermelho : Classe::Tinta;
}

bool OitoBrancosBgr24(const uint8_t* p) {
  uint64_t a, b, c;
  std::memcpy(&a, p, 8);
  std::memcpy(&b, p + 8, 8);
  std::memcpy(&c, p + 16, 8);
  return (a & b & c) == ~uint64_t{0};
}

// One row of the file reduced to its classes; every pixel of `destino` is written. Returns how
// many of them are not white.
int32_t ClassificarLinha(const LinhaBmp& linha, uint8_t* destino, int32_t largura) {
  int32_t tinta = 0;
  if (const uint8_t* bgr = linha.bgr) {
    for (int32_t x = 0; x < largura; ++x) {
      // Stretches of eight white pixels (24 bytes of 0xFF, most of a sheet) take three words.
      while (x + 8 <= largura && OitoBrancosBgr24(bgr + 3 * size_t(x))) {
        std::memset(destino + x, Classe::Branco, 8);
        x += 8;
      }
      if (x == largura) {
        break;
      }
      const uint8_t b = bgr[3 * x];
      const uint8_t g = bgr[3 * x + 1];
      const uint8_t r = bgr[3 * x + 2];
      const bool branco = (b & g & r) == 0xFF;
      const bool vermelho = (b | g) == 0 && r == 0xFF;
      destino[x] = branco ? Classe::Branco : vermelho ? Classe::Vermelho : Classe::Tinta;
      tinta += !branco;
    }
  } else {
    for (int32_t x = 0; x < largura; ++x) {
      destino[x] = ClasseDe(linha.cores[x]);
      tinta += destino[x] != Classe::Branco;
    }
  }
  return tinta;
}

// Index of the first non-white byte of p[0 .. n), or n. Eight pixels per step: most of a sheet
// is white.
int32_t PrimeiraTinta(const uint8_t* p, int32_t n) {
  int32_t i = 0;
  for (; i + 8 <= n; i += 8) {
    uint64_t oito;
    std::memcpy(&oito, p + i, 8);
    if (oito != 0) {
      if constexpr (std::endian::native == std::endian::little) {
        return i + std::countr_zero(oito) / 8;
      } else {
        return i + std::countl_zero(oito) / 8;
      }
    }
  }
  for (; i < n; ++i) {
    if (p[i] != Classe::Branco) {
      return i;
    }
  }
  return n;
}

// Word-at-a-time tests on eight classes at once. Classes are 0 to 3, so bit 0 and bit 1 of each
// byte tell them apart: white has neither, red only bit 0.
constexpr uint64_t kUns = 0x0101010101010101;

uint64_t Carregar8(const uint8_t* p) {
  uint64_t w;
  std::memcpy(&w, p, 8);
  return w;
}

void Gravar8(uint8_t* p, uint64_t w) {
  std::memcpy(p, &w, 8);
}

// 1 in each byte whose class is white, 0 elsewhere.
uint64_t Brancos8(uint64_t w) {
  return ~(w | w >> 1) & kUns;
}

// 1 in each byte whose class is red, 0 elsewhere.
uint64_t Vermelhos8(uint64_t w) {
  return w & ~(w >> 1) & kUns;
}

// The sum of the eight bytes of a word whose bytes are 0 or 1: one product gathers them in the
// top byte, without the library call a population count costs on a plain x86-64 build.
uint64_t Somar8(uint64_t uns) {
  return (uns * kUns) >> 56;
}

// Index of the last non-white byte of p[0 .. n), or -1.
int32_t UltimaTinta(const uint8_t* p, int32_t n) {
  int32_t i = n;
  for (; i >= 8; i -= 8) {
    const uint64_t oito = Carregar8(p + i - 8);
    if (oito != 0) {
      if constexpr (std::endian::native == std::endian::little) {
        return i - 1 - std::countl_zero(oito) / 8;
      } else {
        return i - 1 - std::countr_zero(oito) / 8;
      }
    }
  }
  for (--i; i >= 0; --i) {
    if (p[i] != Classe::Branco) {
      return i;
    }
  }
  return -1;
}

// The row scans of one crop row, from the left and then from the right; returns how many white
// pixels they painted green.
int64_t PintarLinhaPelosLados(uint8_t* linha, int32_t largura) {
  const int32_t esquerda = PrimeiraTinta(linha, largura);
  std::memset(linha, Classe::Verde, size_t(esquerda));
  if (esquerda == largura) {
    return largura;
  }
  const int32_t direita = UltimaTinta(linha, largura) + 1;
  std::memset(linha + direita, Classe::Verde, size_t(largura - direita));
  return esquerda + (largura - direita);
}

// One row of the column scans: every column whose scan is still going (`ativas`, 1 per column)
// goes on through a white pixel, painting it green, and stops at anything else. Returns how many
// columns went on.
int64_t AvancarColunas(uint8_t* linha, uint8_t* ativas, int32_t largura) {
  int64_t continuam = 0;
  int32_t x = 0;
  for (; x + 8 <= largura; x += 8) {
    const uint64_t ativas8 = Carregar8(ativas + x);
    if (ativas8 == 0) {
      continue;
    }
    const uint64_t pixels = Carregar8(linha + x);
    const uint64_t seguem = ativas8 & Brancos8(pixels);
    Gravar8(linha + x, pixels | seguem << 1);  // white (0) becomes green (2)
    Gravar8(ativas + x, seguem);
    continuam += std::popcount(seguem);
  }
  for (; x < largura; ++x) {
    const uint8_t segue = ativas[x] & uint8_t(linha[x] == Classe::Branco);
    linha[x] = segue ? uint8_t(Classe::Verde) : linha[x];
    ativas[x] = segue;
    continuam += segue;
  }
  return continuam;
}

}  // namespace

QuadroClasses::QuadroClasses(int32_t largura, int32_t altura)
    : QuadroClasses(NaoPreenchido(largura, altura)) {
  if (!Vazio()) {
    std::memset(pixels_.get(), Classe::Branco, size_t(largura_) * size_t(altura_));
  }
}

QuadroClasses QuadroClasses::NaoPreenchido(int32_t largura, int32_t altura) {
  QuadroClasses quadro;
  quadro.largura_ = largura;
  quadro.altura_ = altura;
  if (!quadro.Vazio()) {
    // `new uint8_t[n]` without `()`: the pixels are written by the caller, not zeroed twice.
    quadro.pixels_.reset(new uint8_t[size_t(largura) * size_t(altura)]);
  }
  return quadro;
}

QuadroClasses& QuadroClasses::operator=(QuadroClasses&& outro) noexcept {
  pixels_ = std::move(outro.pixels_);
  largura_ = std::exchange(outro.largura_, 0);
  altura_ = std::exchange(outro.altura_, 0);
  return *this;
}

void QuadroClasses::Liberar() {
  pixels_.reset();
  largura_ = 0;
  altura_ = 0;
}

TOlhoDeLombo::TOlhoDeLombo(QuadroClasses Regiao, int32_t Resolucao, const TLimites& Limites)
    : FBitmap(std::move(Regiao)), FLimites(Limites) {
  FArea = PixelsParaCm(FBitmap.Altura(), Resolucao) * PixelsParaCm(FBitmap.Largura(), Resolucao);
  FArea = CalcularArea();
  FBitmap.Liberar();  // nothing reads the crop once the area is known
}

// The four scans of the crop: rows from the left and from the right, then columns from the top
// and from the bottom. Each scan paints the white pixels it crosses green and stops at the first
// pixel that is not white (red edge, or green from an earlier scan).
double TOlhoDeLombo::CalcularArea() {
  const int32_t altura = FBitmap.Altura();
  const int32_t largura = FBitmap.Largura();
  int64_t alcancados = 0;
  for (int32_t y = 0; y < altura; ++y) {
    alcancados += PintarLinhaPelosLados(FBitmap.Linha(y), largura);
  }
  // A column's scan reads and paints only its own column, so all columns advance together one
  // row at a time, which walks memory in order.
  std::vector<uint8_t> ativas(size_t(largura), uint8_t(1));
  for (int32_t y = 0; y < altura; ++y) {
    const int64_t continuam = AvancarColunas(FBitmap.Linha(y), ativas.data(), largura);
    if (continuam == 0) {
      break;
    }
    alcancados += continuam;
  }
  std::fill(ativas.begin(), ativas.end(), uint8_t(1));
  for (int32_t y = altura - 1; y >= 0; --y) {
    const int64_t continuam = AvancarColunas(FBitmap.Linha(y), ativas.data(), largura);
    if (continuam == 0) {
      break;
    }
    alcancados += continuam;
  }

  const double parcela = double(alcancados) * 100.0 / (double(altura) * double(largura));
  return TruncarCasas(4, (100.0 - parcela) / 100.0 * FArea);
}

TProcessaOlhoDeLombro::TProcessaOlhoDeLombro(const std::string& Arquivo, Progresso* Progresso)
    : FProgresso(Progresso) {
  // The file's colours are reduced to their classes as its rows arrive; only the classes stay.
  ImagemBmp::PercorrerLinhas(
      Arquivo,
      [this](const ImagemBmp& imagem) {
        FResolucao = LerResolucao(imagem);
        FAltura = imagem.Altura();
        FBitmap = QuadroClasses::NaoPreenchido(imagem.Largura(), imagem.Altura());
        FTintaPorLinha.assign(size_t(imagem.Altura()), 0);
      },
      [this](const LinhaBmp& linha) {
        FTintaPorLinha[size_t(linha.y)] =
            ClassificarLinha(linha, FBitmap.Linha(linha.y), FBitmap.Largura());
      });
  FArquivo = Arquivo;
  if (FProgresso) {
    FProgresso->SetPosition(FProgresso->Min());
    FProgresso->SetMax((FAltura / 10) * 2);
  }
}

TProcessaOlhoDeLombro::~TProcessaOlhoDeLombro() = default;

void TProcessaOlhoDeLombro::Processar() {
  TPonto P{};
  while (LocalizarInicio(P)) {
    FContorno.clear();
    TracarContorno(P);
    if (!FContorno.empty()) {
      const TLimites L = CalcularLimites(FContorno);
      QuadroClasses recorte;
      RecortarEApagarRegiao(L, recorte);
      FRegioes.push_back(std::make_unique<TOlhoDeLombo>(std::move(recorte), FResolucao, L));
    }
    FContorno.clear();
  }
  // The picture is all white now and nothing reads it again.
  FBitmap.Liberar();
  std::vector<TPonto>().swap(FContorno);
  std::vector<int32_t>().swap(FTintaPorLinha);
}

// Everything before the previous seed is white by now (each turn erases a box holding its seed
// and no step turns white into ink), so the search resumes there: same seeds, and the same
// progress positions, since they never go back.
bool TProcessaOlhoDeLombro::LocalizarInicio(TPonto& P) {
  const int32_t altura = FAltura;
  const int32_t largura = FBitmap.Largura();
  for (int32_t y = FInicioBusca.Y; y < altura; ++y) {
    if (FProgresso) {
      FProgresso->ProcessarMensagens();
      const int32_t alvo = altura / 10 + y / 10;
      FProgresso->SetPosition(std::max(FProgresso->Position(), alvo));
    }
    if (FBitmap.Vazio() || FTintaPorLinha[size_t(y)] == 0) {
      continue;
    }
    const int32_t x0 = y == FInicioBusca.Y ? FInicioBusca.X : 0;
    const int32_t x = x0 + PrimeiraTinta(FBitmap.Linha(y) + x0, largura - x0);
    if (x < largura) {
      P = {x, y};
      FInicioBusca = P;
      return true;
    }
  }
  return false;
}

bool TProcessaOlhoDeLombro::TocaFundo(TPonto P) const {
  const int32_t largura = FBitmap.Largura();
  const int32_t altura = FBitmap.Altura();
  if (P.X > 0 && P.Y > 0 && P.X < largura - 1 && P.Y < altura - 1) {
    // Off the picture's outer frame all eight neighbours exist: no bounds tests. The trace asks
    // this of nearly every pixel it takes.
    const uint8_t* p = FBitmap.Linha(P.Y) + P.X;
    const ptrdiff_t w = largura;
    return p[-w] == Classe::Branco || p[1 - w] == Classe::Branco || p[1] == Classe::Branco ||
           p[w + 1] == Classe::Branco || p[w] == Classe::Branco || p[w - 1] == Classe::Branco ||
           p[-1] == Classe::Branco || p[-w - 1] == Classe::Branco;
  }
  for (int k = 0; k < 8; ++k) {
    const int32_t x = P.X + kDxFundo[k];
    const int32_t y = P.Y + kDyFundo[k];
    if (x >= 0 && y >= 0 && x < largura && y < altura && FBitmap(x, y) == Classe::Branco) {
      return true;
    }
  }
  return false;
}

bool TProcessaOlhoDeLombro::Elegivel(TPonto Q) const {
  return Q.X >= 0 && Q.Y >= 0 && Q.X < FBitmap.Largura() && Q.Y < FBitmap.Altura() &&
         FBitmap(Q.X, Q.Y) == Classe::Tinta && TocaFundo(Q);
}

// The pixels of FContorno past `servidos` are the work list: each taken pixel is appended once
// and served once, so the trace needs no call depth and no second list.
void TProcessaOlhoDeLombro::TracarContorno(TPonto P) {
  const int32_t largura = FBitmap.Largura();
  const int32_t altura = FBitmap.Altura();
  const ptrdiff_t w = largura;
  // The trace's order as offsets in memory, for pixels whose neighbours' neighbours all exist.
  const ptrdiff_t desvios[8] = {-w, 1, w, -1, -w - 1, -w + 1, w + 1, w - 1};
  auto Tomar = [this](TPonto Q) {
    FContorno.push_back(Q);
    FBitmap(Q.X, Q.Y) = Classe::Vermelho;
  };
  Tomar(P);
  for (size_t servidos = FContorno.size() - 1; servidos < FContorno.size(); ++servidos) {
    const TPonto C = FContorno[servidos];
    if (C.X > 1 && C.Y > 1 && C.X < largura - 2 && C.Y < altura - 2) {
      // Two pixels or more off the picture's frame: no bounds tests, for C's neighbours nor for
      // theirs. Nearly every pixel of an outline is served here.
      uint8_t* c = FBitmap.Linha(C.Y) + C.X;
      for (int k = 0; k < 8; ++k) {
        uint8_t* q = c + desvios[k];
        if (*q == Classe::Tinta &&
            (q[-w] == Classe::Branco || q[1 - w] == Classe::Branco || q[1] == Classe::Branco ||
             q[w + 1] == Classe::Branco || q[w] == Classe::Branco || q[w - 1] == Classe::Branco ||
             q[-1] == Classe::Branco || q[-w - 1] == Classe::Branco)) {
          FContorno.push_back({C.X + kDxTraco[k], C.Y + kDyTraco[k]});
          *q = Classe::Vermelho;
        }
      }
      continue;
    }
    for (int k = 0; k < 8; ++k) {
      const TPonto Q{C.X + kDxTraco[k], C.Y + kDyTraco[k]};
      if (Elegivel(Q)) {
        Tomar(Q);
      }
    }
  }
}

TLimites TProcessaOlhoDeLombro::CalcularLimites(const std::vector<TPonto>& Pontos) {
  TLimites L{Pontos[0].X, Pontos[0].Y, Pontos[0].X, Pontos[0].Y};
  for (const TPonto& p : Pontos) {
    L.Esquerda = std::min(L.Esquerda, p.X);
    L.Direita = std::max(L.Direita, p.X);
    L.Topo = std::min(L.Topo, p.Y);
    L.Base = std::max(L.Base, p.Y);
  }
  return L;
}

// The crop and the erasing of the box share one pass: the region reads only its crop, so the box
// may turn white before the region is made. Each row's count of ink loses the pixels erased from
// it, so the seed search skips the rows that are white by now.
void TProcessaOlhoDeLombro::RecortarEApagarRegiao(const TLimites& Limites, QuadroClasses& Destino) {
  const int32_t largura = Limites.Direita - Limites.Esquerda + 1;
  Destino = QuadroClasses::NaoPreenchido(largura, Limites.Base - Limites.Topo + 1);
  for (int32_t y = Limites.Topo; y <= Limites.Base; ++y) {
    uint8_t* origem = FBitmap.Linha(y) + Limites.Esquerda;
    uint8_t* destino = Destino.Linha(y - Limites.Topo);
    int32_t apagados = 0;
    // Red is 1 and white 0, so the red test is the class itself, eight pixels per step.
    int32_t x = 0;
    for (; x + 8 <= largura; x += 8) {
      const uint64_t oito = Carregar8(origem + x);
      Gravar8(destino + x, Vermelhos8(oito));
      apagados += int32_t(Somar8(~Brancos8(oito) & kUns));
      Gravar8(origem + x, 0);
    }
    for (; x < largura; ++x) {
      destino[x] = uint8_t(origem[x] == Classe::Vermelho);
      apagados += origem[x] != Classe::Branco;
      origem[x] = Classe::Branco;
    }
    FTintaPorLinha[size_t(y)] -= apagados;
  }
}

const std::string& TProcessaOlhoDeLombro::GetArquivo() const {
  return FArquivo;
}

int32_t TProcessaOlhoDeLombro::GetResolucao() const {
  return FResolucao;
}

int32_t TProcessaOlhoDeLombro::GetNumeroRegioes() const {
  int32_t contadas = 0;
  for (const auto& regiao : FRegioes) {
    contadas += regiao->FArea >= 1.0 ? 1 : 0;
  }
  return contadas;
}

double TProcessaOlhoDeLombro::GetAreaTotal() const {
  double total = 0.0;
  for (const auto& regiao : FRegioes) {
    if (regiao->FArea >= 1.0) {
      total += regiao->FArea;
    }
  }
  return total;
}

double TProcessaOlhoDeLombro::GetAreaRegiao(int32_t N) const {
  int32_t contadas = 0;
  for (const auto& regiao : FRegioes) {
    if (regiao->FArea >= 1.0 && ++contadas == N) {
      return regiao->FArea;
    }
  }
  return 0.0;
}

}  // namespace velmo

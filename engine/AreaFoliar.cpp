#include "AreaFoliar.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstring>
#include <vector>

#include "bmp.h"
#include "cmdContagem.h"
#include "erros.h"

namespace velmo {

namespace {

// The longest white run between two leaf pixels of a row that still counts as leaf.
constexpr int32_t kMaiorFalha = 20;

struct ContagemLinha {
  int64_t preenchidos = 0;
  int64_t brancos = 0;  // after filling
};

// One row of the gap filling, walked run by run. `proximoNaoBranco(x)` and `proximoBranco(x)` give
// the first non-white or white column at or after x, or `largura` when there is none. A white run
// with a non-white pixel on each side is filled when it is at most kMaiorFalha long; runs that
// touch an edge never are. Painted pixels are not white, so the whites left are the row's whites
// minus those filled.
template <class ProximoNaoBranco, class ProximoBranco>
ContagemLinha ContarLinha(int32_t largura, ProximoNaoBranco proximoNaoBranco,
                          ProximoBranco proximoBranco) {
  ContagemLinha c;
  int32_t x = proximoNaoBranco(0);
  c.brancos = x;  // the run before the first leaf pixel
  while (x < largura) {
    const int32_t inicio = proximoBranco(x + 1);
    if (inicio >= largura) {
      break;
    }
    x = proximoNaoBranco(inicio + 1);
    const int32_t falha = x - inicio;
    if (x < largura && falha <= kMaiorFalha) {
      c.preenchidos += falha;
    } else {
      c.brancos += falha;
    }
  }
  return c;
}

// Bit k of the result is set when byte k of the eight at p is 0xFF.
uint32_t Bytes0xFF(const uint8_t* p) {
  constexpr uint64_t kBaixos = 0x7F7F7F7F7F7F7F7F;
  constexpr uint64_t kUns = 0x0101010101010101;
  constexpr uint64_t kAltos = 0x8080808080808080;
  uint64_t w;
  std::memcpy(&w, p, 8);
  if constexpr (std::endian::native == std::endian::big) {
    w = __builtin_bswap64(w);  // byte k of memory is byte k from the low end
  }
  // A byte's low seven bits plus one carry into its top bit only when they are all ones, and
  // never into the next byte; with its own top bit that is 0xFF.
  const uint64_t altos = ((w & kBaixos) + kUns) & w & kAltos;
  // The eight flags, one per byte, gathered into the top byte by one multiplication.
  return uint32_t(((altos >> 7) * 0x0102040810204080) >> 56);
}

bool Tem0xFF(uint64_t v) {
  constexpr uint64_t kUns = 0x0101010101010101;
  constexpr uint64_t kAltos = 0x8080808080808080;
  return ((~v - kUns) & v & kAltos) != 0;
}

// Bits 0, 3, 6 and 9 of a 12-bit value, packed into bits 0 to 3: pixel k of four starts at
// byte 3k.
constexpr std::array<uint8_t, 4096> kCadaTerceiroBit = [] {
  std::array<uint8_t, 4096> t{};
  for (uint32_t v = 0; v < 4096; ++v) {
    for (uint32_t k = 0; k < 4; ++k) {
      t[v] |= uint8_t(((v >> (3 * k)) & 1) << k);
    }
  }
  return t;
}();

// Bit x % 64 of word x / 64 is set when pixel x of the B, G, R row is white (three 0xFF
// bytes). Eight pixels at a time without a branch: leaf stretches full of small holes cost no
// more than white paper.
void MascaraDeBrancos(const uint8_t* linha, int32_t largura, std::vector<uint64_t>& mascara) {
  mascara.assign(size_t(largura + 63) / 64, 0);
  int32_t x = 0;
  for (; x + 8 <= largura; x += 8) {
    const uint8_t* p = linha + 3 * size_t(x);
    uint64_t w[3];
    std::memcpy(w, p, 24);
    uint64_t oito;
    if ((w[0] & w[1] & w[2]) == ~uint64_t{0}) {
      oito = 0xFF;  // paper
    } else if (!Tem0xFF(w[0]) && !Tem0xFF(w[1]) && !Tem0xFF(w[2])) {
      oito = 0;  // leaf
    } else {
      const uint32_t bytes = Bytes0xFF(p) | Bytes0xFF(p + 8) << 8 | Bytes0xFF(p + 16) << 16;
      const uint32_t inicios = bytes & bytes >> 1 & bytes >> 2;  // bit 3k: pixel k is white
      oito = kCadaTerceiroBit[inicios & 0xFFF] | kCadaTerceiroBit[inicios >> 12] << 4;
    }
    mascara[size_t(x) / 64] |= oito << (x % 64);
  }
  for (; x < largura; ++x) {
    const uint8_t* p = linha + 3 * size_t(x);
    if ((p[0] & p[1] & p[2]) == 0xFF) {
      mascara[size_t(x) / 64] |= uint64_t{1} << (x % 64);
    }
  }
}

// Raw B, G, R bytes of a 24-bit row: white is three 0xFF bytes. The row becomes a bit mask
// first, then each run is found with one bit scan per word.
ContagemLinha ContarLinhaBgr24(const uint8_t* linha, int32_t largura) {
  thread_local std::vector<uint64_t> mascara;
  MascaraDeBrancos(linha, largura, mascara);
  // The first column at or after x whose bit is `branco`, or `largura`.
  auto proximo = [&](int32_t x, bool branco) {
    while (x < largura) {
      const size_t i = size_t(x) / 64;
      const uint64_t bits = (branco ? mascara[i] : ~mascara[i]) & (~uint64_t{0} << (x % 64));
      if (bits != 0) {
        return std::min(largura, int32_t(i * 64) + std::countr_zero(bits));
      }
      x = int32_t(i + 1) * 64;
    }
    return largura;
  };
  return ContarLinha(
      largura, [&](int32_t x) { return proximo(x, false); },
      [&](int32_t x) { return proximo(x, true); });
}

// A row of 0x00BBGGRR colours: four pixels (two words) at a time inside white stretches.
ContagemLinha ContarLinhaCores(const uint32_t* linha, int32_t largura) {
  auto quatroBrancos = [linha](int32_t x) {
    constexpr uint64_t kDoisBrancos = uint64_t{clWhite} << 32 | clWhite;
    uint64_t a, b;
    std::memcpy(&a, linha + x, 8);
    std::memcpy(&b, linha + x + 2, 8);
    return a == kDoisBrancos && b == kDoisBrancos;
  };
  return ContarLinha(
      largura,
      [&](int32_t x) {
        for (; x < largura; ++x) {
          if (linha[x] != clWhite) {
            return x;
          }
          while (x + 5 <= largura && quatroBrancos(x + 1)) {
            x += 4;
          }
        }
        return largura;
      },
      [&](int32_t x) {
        while (x < largura && linha[x] != clWhite) {
          ++x;
        }
        return x;
      });
}

}  // namespace

TAreaFoliar::TAreaFoliar(const std::string& Arquivo, Progresso* Progresso)
    : FProgresso(Progresso), FArquivo(Arquivo) {
  int32_t largura = 0;
  int32_t altura = 0;
  int32_t linhasFeitas = 0;
  int64_t preenchidos = 0;
  int64_t brancos = 0;
  // Each row is measured as it is read; the picture is never kept whole.
  ImagemBmp::PercorrerLinhas(
      Arquivo,
      [&](const ImagemBmp& imagem) {
        largura = imagem.Largura();
        altura = imagem.Altura();
        FResolucao = LerResolucao(imagem);
        if (FProgresso) {
          FProgresso->SetPosition(FProgresso->Min());
          FProgresso->SetMax(altura / 10 * 2);
        }
        FAreaTotal = PixelsParaCm(altura, FResolucao) * PixelsParaCm(largura, FResolucao);
      },
      [&](const LinhaBmp& linha) {
        // Rows may come bottom first; the bar counts rows done, so it climbs one step every
        // ten rows all the same.
        if (FProgresso) {
          FProgresso->ProcessarMensagens();
          FProgresso->SetPosition(linhasFeitas / 10);
        }
        ++linhasFeitas;
        preenchidos += PreencherFalhas(linha, largura, brancos);
      });
  CalcularPercentuais(largura, altura, preenchidos, brancos);
}

int64_t TAreaFoliar::PreencherFalhas(const LinhaBmp& linha, int32_t largura, int64_t& brancos) {
  const ContagemLinha c =
      linha.bgr ? ContarLinhaBgr24(linha.bgr, largura) : ContarLinhaCores(linha.cores, largura);
  brancos += c.brancos;
  return c.preenchidos;
}

void TAreaFoliar::CalcularPercentuais(int32_t largura, int32_t altura, int64_t preenchidos,
                                      int64_t brancos) {
  // The whites were counted in the first sweep; the second pass keeps its progress steps and
  // its message processing once per row.
  if (FProgresso) {
    for (int32_t y = 0; y < altura; ++y) {
      FProgresso->ProcessarMensagens();
      FProgresso->SetPosition(altura / 10 + y / 10);
    }
  }
  const double total = double(altura) * double(largura);
  if (total == 0) {
    throw ErroMedicao("Não é possível medir a imagem \"" + FArquivo +
                      "\": ela não tem pixels (largura " + std::to_string(largura) + " × altura " +
                      std::to_string(altura) + ").");
  }
  FPercIgnorada = double(brancos) * 100 / total;
  FPercCorrigida = double(preenchidos) * 100 / total;
  FPercCoberta = 100 - FPercIgnorada;
}

double TAreaFoliar::GetAreaTotal() const {
  return TruncarCasas(4, FAreaTotal);
}

double TAreaFoliar::GetAreaCoberta() const {
  return TruncarCasas(4, FPercCoberta / 100 * FAreaTotal);
}

double TAreaFoliar::GetAreaIgnorada() const {
  return TruncarCasas(4, FPercIgnorada / 100 * FAreaTotal);
}

double TAreaFoliar::GetAreaCorrigida() const {
  return TruncarCasas(4, FPercCorrigida / 100 * FAreaTotal);
}

}  // namespace velmo

#include "AreaFoliar.h"

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

// Raw B, G, R bytes of a 24-bit row: white is three 0xFF bytes. Eight pixels (24 bytes, three
// words) are checked at a time inside white stretches and inside leaf stretches alike.
ContagemLinha ContarLinhaBgr24(const uint8_t* linha, int32_t largura) {
  auto branco = [linha](int32_t x) {
    const uint8_t* p = linha + 3 * size_t(x);
    return (p[0] & p[1] & p[2]) == 0xFF;
  };
  auto palavras = [linha](int32_t x, uint64_t(&w)[3]) {
    std::memcpy(w, linha + 3 * size_t(x), 24);
  };
  auto oitoBrancos = [&](int32_t x) {
    uint64_t w[3];
    palavras(x, w);
    return (w[0] & w[1] & w[2]) == ~uint64_t{0};
  };
  // No byte is 0xFF, so none of the eight pixels can be white.
  auto nenhumBranco = [&](int32_t x) {
    constexpr uint64_t kUns = 0x0101010101010101;
    constexpr uint64_t kAltos = 0x8080808080808080;
    uint64_t w[3];
    palavras(x, w);
    auto tem0xFF = [](uint64_t v) { return ((~v - kUns) & v & kAltos) != 0; };
    return !tem0xFF(w[0]) && !tem0xFF(w[1]) && !tem0xFF(w[2]);
  };
  return ContarLinha(
      largura,
      [&](int32_t x) {
        for (; x < largura; ++x) {
          if (!branco(x)) {
            return x;
          }
          while (x + 9 <= largura && oitoBrancos(x + 1)) {
            x += 8;
          }
        }
        return largura;
      },
      [&](int32_t x) {
        for (; x < largura; ++x) {
          if (branco(x)) {
            return x;
          }
          while (x + 9 <= largura && nenhumBranco(x + 1)) {
            x += 8;
          }
        }
        return largura;
      });
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

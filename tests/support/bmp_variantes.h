#pragma once
// Writes one picture as any BMP variant: header kind, bit depth, compression, row order, palette
// and masks. The tests decode every variant back and compare with the picture it came from.

#include <algorithm>
#include <array>
#include <bit>
#include <cstdint>
#include <stdexcept>
#include <vector>

#include "bmp_teste.h"

namespace velmo::teste {

struct Variante {
  uint32_t cabecalho = 40;  // 12, 16, 40, 52, 56, 64, 108 or 124 bytes
  int bits = 24;            // 1, 4, 8, 16, 24 or 32
  uint32_t compressao = 0;  // 0 BI_RGB, 1 BI_RLE8, 2 BI_RLE4, 3 BI_BITFIELDS, 6 BI_ALPHABITFIELDS
  bool deCimaParaBaixo = false;
  std::vector<uint32_t> paleta;  // 0x00BBGGRR; every colour of the picture must be in it
  bool declararCores = true;     // write the palette's length to biClrUsed (else 0)
  std::array<uint32_t, 4> mascaras{0xFF0000, 0x00FF00, 0x0000FF, 0};  // red, green, blue, alpha
  uint8_t quartoByte = 0;           // the unused byte of 32-bit BI_RGB pixels
  bool semEnchimentoFinal = false;  // leave out the padding of the last row in the file
  int32_t pixelsPorMetro = 11811;
};

namespace detalhe {

inline void Poe16(std::vector<uint8_t>& b, size_t at, uint32_t v) {
  b[at] = uint8_t(v);
  b[at + 1] = uint8_t(v >> 8);
}

// The top bits of an 8-bit channel placed under a mask.
inline uint32_t SobMascara(uint32_t canal8, uint32_t mascara) {
  if (mascara == 0) {
    return 0;
  }
  const int bits = std::popcount(mascara);
  const uint32_t v = bits >= 8 ? canal8 << (bits - 8) | (canal8 & 1 ? (1u << (bits - 8)) - 1 : 0)
                               : canal8 >> (8 - bits);
  return v << std::countr_zero(mascara);
}

inline uint32_t Indice(const Variante& v, uint32_t cor) {
  const auto it = std::find(v.paleta.begin(), v.paleta.end(), cor);
  if (it == v.paleta.end()) {
    throw std::logic_error("cor fora da paleta do teste");
  }
  return uint32_t(it - v.paleta.begin());
}

// One row of palette indexes as RLE: runs of equal pixels as encoded runs, stretches of three or
// more differing pixels as absolute runs.
inline void LinhaRle(std::vector<uint8_t>& s, const std::vector<uint32_t>& ind, bool rle4) {
  size_t x = 0;
  while (x < ind.size()) {
    size_t fim = x + 1;
    while (fim < ind.size() && ind[fim] == ind[x] && fim - x < 255) {
      ++fim;
    }
    if (fim - x >= 2) {
      s.push_back(uint8_t(fim - x));
      s.push_back(uint8_t(rle4 ? ind[x] << 4 | ind[x] : ind[x]));
      x = fim;
      continue;
    }
    // Differing pixels up to the next pair of equal ones.
    fim = x + 1;
    while (fim < ind.size() && fim - x < 255 &&
           !(fim + 1 < ind.size() && ind[fim] == ind[fim + 1])) {
      ++fim;
    }
    const size_t n = fim - x;
    if (n < 3) {
      for (; x < fim; ++x) {
        s.push_back(1);
        s.push_back(uint8_t(rle4 ? ind[x] << 4 : ind[x]));
      }
      continue;
    }
    s.push_back(0);
    s.push_back(uint8_t(n));
    const size_t inicio = s.size();
    if (rle4) {
      for (size_t i = 0; i < n; i += 2) {
        s.push_back(uint8_t(ind[x + i] << 4 | (i + 1 < n ? ind[x + i + 1] : 0)));
      }
    } else {
      for (size_t i = 0; i < n; ++i) {
        s.push_back(uint8_t(ind[x + i]));
      }
    }
    if ((s.size() - inicio) % 2) {
      s.push_back(0);
    }
    x = fim;
  }
}

}  // namespace detalhe

inline std::vector<uint8_t> EscreverBmp(const Pixels& p, const Variante& v) {
  using detalhe::Poe16;
  const uint32_t h = uint32_t(p.size());
  const uint32_t w = h ? uint32_t(p[0].size()) : 0;
  const bool rle = v.compressao == 1 || v.compressao == 2;
  const bool mascarasDepois = v.cabecalho == 40 && (v.compressao == 3 || v.compressao == 6);
  const size_t bytesPorCor = v.cabecalho == 12 ? 3 : 4;
  const size_t inicioPaleta =
      14 + v.cabecalho + (mascarasDepois ? (v.compressao == 6 ? 16 : 12) : 0);
  const size_t inicio = inicioPaleta + bytesPorCor * v.paleta.size();

  // Pixel data in file order.
  std::vector<uint8_t> dados;
  const size_t passo = (size_t(w) * size_t(v.bits) + 31) / 32 * 4;
  for (uint32_t i = 0; i < h; ++i) {
    const auto& linha = p[v.deCimaParaBaixo ? i : h - 1 - i];
    if (rle) {
      std::vector<uint32_t> ind;
      for (uint32_t cor : linha) {
        ind.push_back(detalhe::Indice(v, cor));
      }
      detalhe::LinhaRle(dados, ind, v.compressao == 2);
      dados.push_back(0);
      dados.push_back(i + 1 == h ? 1 : 0);
      continue;
    }
    const size_t base = dados.size();
    dados.resize(base + passo, 0);
    for (uint32_t x = 0; x < w; ++x) {
      const uint32_t c = linha[x];
      const uint32_t r = c & 0xFF, g = c >> 8 & 0xFF, b = c >> 16 & 0xFF;
      if (v.bits <= 8) {
        const uint32_t ind = detalhe::Indice(v, c);
        const size_t bit = size_t(x) * size_t(v.bits);
        dados[base + bit / 8] |= uint8_t(ind << (8 - v.bits - bit % 8));
      } else if (v.bits == 24) {
        dados[base + 3 * x] = uint8_t(b);
        dados[base + 3 * x + 1] = uint8_t(g);
        dados[base + 3 * x + 2] = uint8_t(r);
      } else {
        const auto& m = v.mascaras;
        uint32_t px = detalhe::SobMascara(r, m[0]) | detalhe::SobMascara(g, m[1]) |
                      detalhe::SobMascara(b, m[2]) | m[3];
        if (v.bits == 32 && v.compressao == 0) {
          px = (b | g << 8 | r << 16) | uint32_t(v.quartoByte) << 24;
        }
        for (int k = 0; k < v.bits / 8; ++k) {
          dados[base + (v.bits / 8) * x + size_t(k)] = uint8_t(px >> (8 * k));
        }
      }
    }
  }
  if (v.semEnchimentoFinal && h > 0) {
    dados.resize(dados.size() - passo + (size_t(w) * size_t(v.bits) + 7) / 8);
  }

  std::vector<uint8_t> b(inicio + dados.size(), 0);
  b[0] = 'B';
  b[1] = 'M';
  Poe32(b, 2, uint32_t(b.size()));
  Poe32(b, 10, uint32_t(inicio));
  Poe32(b, 14, v.cabecalho);
  if (v.cabecalho == 12) {
    Poe16(b, 18, w);
    Poe16(b, 20, h);
    Poe16(b, 22, 1);
    Poe16(b, 24, uint32_t(v.bits));
  } else {
    Poe32(b, 18, w);
    Poe32(b, 22, v.deCimaParaBaixo ? uint32_t(-int32_t(h)) : h);
    Poe16(b, 26, 1);
    Poe16(b, 28, uint32_t(v.bits));
  }
  if (v.cabecalho >= 40) {
    Poe32(b, 30, v.compressao);
    Poe32(b, 34, uint32_t(dados.size()));
    Poe32(b, 38, uint32_t(v.pixelsPorMetro));
    Poe32(b, 42, uint32_t(v.pixelsPorMetro));
    Poe32(b, 46, v.declararCores ? uint32_t(v.paleta.size()) : 0);
  }
  if ((v.cabecalho >= 52 && v.cabecalho != 64) || mascarasDepois) {
    for (size_t k = 0; k < (v.cabecalho >= 56 || v.compressao == 6 ? 4u : 3u); ++k) {
      Poe32(b, 54 + 4 * k, v.mascaras[k]);
    }
  }
  for (size_t i = 0; i < v.paleta.size(); ++i) {
    const uint32_t c = v.paleta[i];
    b[inicioPaleta + bytesPorCor * i] = uint8_t(c >> 16);
    b[inicioPaleta + bytesPorCor * i + 1] = uint8_t(c >> 8);
    b[inicioPaleta + bytesPorCor * i + 2] = uint8_t(c);
  }
  std::copy(dados.begin(), dados.end(), b.begin() + std::ptrdiff_t(inicio));
  return b;
}

}  // namespace velmo::teste

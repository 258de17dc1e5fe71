#pragma once
// Synthetic scans for the benchmarks and the sample files: leaves on white paper, and sheets of
// loin-eye outlines traced with a pen, with handwritten-like marks inside. The same seed draws
// the same picture.

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <random>
#include <vector>

#include "bmp_teste.h"

namespace velmo::desenho {

using teste::Pixels;

constexpr uint32_t kBranco = 0xFFFFFF;
constexpr double kPi = 3.14159265358979323846;

// biXPelsPerMeter for a resolution in dpi (300 gives 11811).
inline int32_t PixelsPorMetro(int dpi) {
  return int32_t(std::lround(dpi * 39.370079));
}
inline double PixelsPorCm(int dpi) {
  return dpi / 2.54;
}

inline Pixels Papel(int largura, int altura) {
  return Pixels(size_t(altura), std::vector<uint32_t>(size_t(largura), kBranco));
}

inline void Ponto(Pixels& p, int x, int y, uint32_t cor) {
  if (y >= 0 && y < int(p.size()) && x >= 0 && x < int(p[0].size())) {
    p[size_t(y)][size_t(x)] = cor;
  }
}

// A round pen tip of the given diameter.
inline void Pincel(Pixels& p, double x, double y, double diametro, uint32_t cor) {
  const double r = diametro / 2;
  for (int yy = int(std::floor(y - r)); yy <= int(std::ceil(y + r)); ++yy) {
    for (int xx = int(std::floor(x - r)); xx <= int(std::ceil(x + r)); ++xx) {
      if ((xx - x) * (xx - x) + (yy - y) * (yy - y) <= r * r + 0.25) {
        Ponto(p, xx, yy, cor);
      }
    }
  }
}

inline void Traco(Pixels& p, double x0, double y0, double x1, double y1, double espessura,
                  uint32_t cor) {
  const int passos = std::max(1, int(std::hypot(x1 - x0, y1 - y0) * 2));
  for (int i = 0; i <= passos; ++i) {
    const double t = double(i) / passos;
    Pincel(p, x0 + t * (x1 - x0), y0 + t * (y1 - y0), espessura, cor);
  }
}

// One leaf: a blade `comprimento` long and `largura` wide (pixels) along `angulo`, with a midrib,
// side veins, a ragged margin and a few holes. `cores` are the blade's shades; with one shade
// the picture keeps few colours (small palette files).
inline void Folha(Pixels& p, std::mt19937& rng, double cx, double cy, double comprimento,
                  double largura, double angulo, const std::vector<uint32_t>& cores,
                  uint32_t corNervura) {
  std::uniform_real_distribution<double> u(0, 1);
  const double c = std::cos(angulo), s = std::sin(angulo);
  struct Furo {
    double u, v, r;
  };
  std::vector<Furo> furos;
  const int nFuros = 2 + int(u(rng) * 4);
  for (int i = 0; i < nFuros; ++i) {
    const double a = (u(rng) - 0.5) * 0.7 * comprimento;
    furos.push_back({a, (u(rng) - 0.5) * 0.5 * largura, 2 + u(rng) * largura * 0.06});
  }
  const double fases[3] = {u(rng) * 6, u(rng) * 6, u(rng) * 6};
  const double raio = comprimento / 2 + largura;
  const int altura = int(p.size()), larguraPapel = int(p[0].size());
  for (int y = std::max(0, int(cy - raio)); y < std::min(altura, int(cy + raio)); ++y) {
    for (int x = std::max(0, int(cx - raio)); x < std::min(larguraPapel, int(cx + raio)); ++x) {
      const double dx = x - cx, dy = y - cy;
      const double a = dx * c + dy * s;   // along the midrib
      const double b = -dx * s + dy * c;  // across it
      const double t = a / comprimento + 0.5;
      if (t <= 0 || t >= 1) {
        continue;
      }
      const double serra = 1 + 0.04 * std::sin(t * 90 + fases[0]) + 0.02 * std::sin(t * 37);
      const double meia = largura / 2 * std::pow(std::sin(kPi * t), 0.7) * serra;
      if (std::abs(b) > meia) {
        continue;
      }
      bool furo = false;
      for (const Furo& f : furos) {
        furo = furo || (a - f.u) * (a - f.u) + (b - f.v) * (b - f.v) < f.r * f.r;
      }
      uint32_t cor = cores[size_t(x * 7 + y * 13) % cores.size()];
      const double lateral = std::fmod(std::abs(b) * 0.8 + a + fases[1] * 40 + 1e5, 90);
      if (std::abs(b) < 1.5 || (lateral < 1.2 && std::abs(b) < meia * 0.85)) {
        cor = corNervura;
      }
      p[size_t(y)][size_t(x)] = furo ? kBranco : cor;
    }
  }
}

// A closed outline traced by hand around (cx, cy) with half-axes rx, ry (pixels): a wobbly
// ellipse drawn with a pen `espessura` wide.
inline void Contorno(Pixels& p, std::mt19937& rng, double cx, double cy, double rx, double ry,
                     double espessura, uint32_t cor) {
  std::uniform_real_distribution<double> u(0, 1);
  const double f1 = u(rng) * 6, f2 = u(rng) * 6, giro = (u(rng) - 0.5) * 0.6;
  const int segmentos = 720;
  double xa = 0, ya = 0;
  for (int i = 0; i <= segmentos; ++i) {
    const double t = 2 * kPi * i / segmentos;
    const double k = 1 + 0.07 * std::sin(3 * t + f1) + 0.04 * std::cos(5 * t + f2);
    const double ex = rx * k * std::cos(t), ey = ry * k * std::sin(t);
    const double x = cx + ex * std::cos(giro) - ey * std::sin(giro);
    const double y = cy + ex * std::sin(giro) + ey * std::cos(giro);
    if (i > 0) {
      Traco(p, xa, ya, x, y, espessura, cor);
    }
    xa = x;
    ya = y;
  }
}

// A handwritten-like mark about `tamanho` pixels across: a few joined pen strokes.
inline void Rabisco(Pixels& p, std::mt19937& rng, double cx, double cy, double tamanho,
                    uint32_t cor) {
  std::uniform_real_distribution<double> u(-0.5, 0.5);
  double x = cx + u(rng) * tamanho, y = cy + u(rng) * tamanho;
  for (int i = 0; i < 6; ++i) {
    const double nx = cx + u(rng) * tamanho, ny = cy + u(rng) * tamanho;
    Traco(p, x, y, nx, ny, 2, cor);
    x = nx;
    y = ny;
  }
}

// The outlines of a loin-eye sheet: `colunas` × `linhas` cells of `largura` × `altura` pixels,
// one outline per cell with its marks inside, none touching another's box.
inline void FolhaDeLombos(Pixels& p, std::mt19937& rng, int colunas, int linhas, double dpi) {
  std::uniform_real_distribution<double> u(0, 1);
  const double celulaX = double(p[0].size()) / colunas, celulaY = double(p.size()) / linhas;
  const double cm = dpi / 2.54;
  for (int l = 0; l < linhas; ++l) {
    for (int c = 0; c < colunas; ++c) {
      const double cx = (c + 0.5) * celulaX, cy = (l + 0.5) * celulaY;
      const double rx = std::min(celulaX * 0.42, (3.0 + u(rng) * 0.4) * cm);
      const double ry = std::min(celulaY * 0.42, (3.0 + u(rng) * 0.5) * cm);
      Contorno(p, rng, cx, cy, rx, ry, 2 + u(rng) * 1.5, u(rng) < 0.5 ? 0x000000 : 0x8B2000);
      const int marcas = 2 + int(u(rng) * 3);
      for (int m = 0; m < marcas; ++m) {
        Rabisco(p, rng, cx + (u(rng) - 0.5) * rx, cy + (u(rng) - 0.5) * ry, 0.6 * cm, 0x404040);
      }
    }
  }
}

}  // namespace velmo::desenho

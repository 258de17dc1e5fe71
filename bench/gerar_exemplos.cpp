// Writes the sample scans of resources/exemplos/: leaf scans at 300 dpi in folhas/ and one
// loin-eye sheet in lombo/. Usage: gerar_exemplos DESTINATION_FOLDER (e.g. resources/exemplos)
// The pictures keep few colours so that 8-bit and RLE8 files stay small.

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <random>
#include <string>

#include "bmp_variantes.h"
#include "desenho.h"

namespace {

using namespace velmo;
using desenho::Pixels;

// The picture's colours as its palette, white first.
std::vector<uint32_t> Paleta(const Pixels& p) {
  std::vector<uint32_t> cores = {desenho::kBranco};
  for (const auto& linha : p) {
    for (uint32_t c : linha) {
      if (std::find(cores.begin(), cores.end(), c) == cores.end()) {
        cores.push_back(c);
      }
    }
  }
  return cores;
}

void Gravar(const std::filesystem::path& caminho, const Pixels& p, teste::Variante v) {
  if (v.bits <= 8) {
    v.paleta = Paleta(p);
  }
  const auto bytes = teste::EscreverBmp(p, v);
  teste::Gravar(caminho, bytes);
  std::printf("%s: %zu × %zu, %d bits%s, %zu bytes\n", caminho.string().c_str(), p[0].size(),
              p.size(), v.bits, v.compressao ? " RLE" : "", bytes.size());
}

teste::Variante Formato(int bits, uint32_t compressao, int dpi) {
  teste::Variante v;
  v.bits = bits;
  v.compressao = compressao;
  v.pixelsPorMetro = desenho::PixelsPorMetro(dpi);
  return v;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "uso: %s PASTA\n", argv[0]);
    return 2;
  }
  const std::filesystem::path destino = argv[1];
  std::filesystem::create_directories(destino / "folhas");
  std::filesystem::create_directories(destino / "lombo");
  std::mt19937 rng(2026);

  // Two leaves on a strip, flat colours: RLE8.
  Pixels a = desenho::Papel(1000, 1300);
  desenho::Folha(a, rng, 330, 650, 1050, 380, 1.45, {0x1E6B2A}, 0x3C8F4E);
  desenho::Folha(a, rng, 720, 620, 900, 420, 1.75, {0x2A7A1E}, 0x4E9F3C);
  Gravar(destino / "folhas" / "folha_01.bmp", a, Formato(8, 1, 300));

  // A small leaf in two shades: 8 bits per pixel, uncompressed.
  Pixels b = desenho::Papel(520, 420);
  desenho::Folha(b, rng, 260, 210, 470, 260, 0.15, {0x236E2D, 0x287332}, 0x4A9A55);
  Gravar(destino / "folhas" / "folha_02.bmp", b, Formato(8, 0, 300));

  // A leaflet in many shades, as a colour scanner writes it: 24 bits.
  Pixels c = desenho::Papel(330, 280);
  std::vector<uint32_t> verdes;
  for (uint32_t i = 0; i < 24; ++i) {
    verdes.push_back(0x205A1E + (i << 9) + (i << 1));
  }
  desenho::Folha(c, rng, 165, 140, 300, 170, -0.3, verdes, 0x5AA064);
  Gravar(destino / "folhas" / "folha_03.bmp", c, Formato(24, 0, 300));

  // An A4 sheet at 150 dpi with twelve traced loin eyes and their marks, and a few specks of
  // dust that are too small to count: RLE8.
  Pixels d = desenho::Papel(1240, 1754);
  desenho::FolhaDeLombos(d, rng, 3, 4, 150);
  std::uniform_int_distribution<int> xs(0, 1239), ys(0, 1753);
  for (int i = 0; i < 6; ++i) {
    desenho::Ponto(d, xs(rng), ys(rng), 0x202020);
  }
  Gravar(destino / "lombo" / "lombo_01.bmp", d, Formato(8, 1, 150));
  return 0;
}

#pragma once
// Test fixtures: tiny 24-bit BMP files built from ASCII art or from colour rows.

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace velmo::teste {

// Colour rows, top row first, as 0x00BBGGRR.
using Pixels = std::vector<std::vector<uint32_t>>;

// '.' is white, 'R' exactly red, 'G' green 0x008000, 'f' 0xFEFFFF (one step short of white);
// any other character is black ink.
inline Pixels DeArte(const std::vector<std::string>& arte) {
  Pixels p;
  for (const auto& linha : arte) {
    std::vector<uint32_t> cores;
    for (char c : linha) {
      cores.push_back(c == '.'   ? 0xFFFFFFu
                      : c == 'R' ? 0x0000FFu
                      : c == 'G' ? 0x008000u
                      : c == 'f' ? 0xFEFFFFu
                                 : 0x000000u);
    }
    p.push_back(cores);
  }
  return p;
}

inline void Poe32(std::vector<uint8_t>& b, size_t at, uint32_t v) {
  for (int i = 0; i < 4; ++i)
    b[at + i] = uint8_t(v >> (8 * i));
}

// A bottom-up 24-bit BITMAPINFOHEADER file; `pixelsPorMetro` goes to biXPelsPerMeter and, unless
// given apart, to biYPelsPerMeter.
inline std::vector<uint8_t> Bmp24(const Pixels& p, int32_t pixelsPorMetro = 11811,
                                  int32_t pixelsPorMetroY = -1) {
  const uint32_t h = uint32_t(p.size());
  const uint32_t w = h ? uint32_t(p[0].size()) : 0;
  const uint32_t passo = (w * 3 + 3) / 4 * 4;
  std::vector<uint8_t> b(54 + size_t(passo) * h, 0);
  b[0] = 'B';
  b[1] = 'M';
  Poe32(b, 2, uint32_t(b.size()));
  Poe32(b, 10, 54);
  Poe32(b, 14, 40);
  Poe32(b, 18, w);
  Poe32(b, 22, h);
  b[26] = 1;
  b[28] = 24;
  Poe32(b, 34, passo * h);
  Poe32(b, 38, uint32_t(pixelsPorMetro));
  Poe32(b, 42, uint32_t(pixelsPorMetroY < 0 ? pixelsPorMetro : pixelsPorMetroY));
  for (uint32_t y = 0; y < h; ++y) {
    uint8_t* linha = b.data() + 54 + size_t(passo) * (h - 1 - y);
    for (uint32_t x = 0; x < w; ++x) {
      const uint32_t c = p[y][x];
      linha[3 * x] = uint8_t(c >> 16);
      linha[3 * x + 1] = uint8_t(c >> 8);
      linha[3 * x + 2] = uint8_t(c);
    }
  }
  return b;
}

inline void Gravar(const std::filesystem::path& caminho, const std::vector<uint8_t>& bytes) {
  std::ofstream f(caminho, std::ios::binary | std::ios::trunc);
  f.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
}

// A fresh folder under the system temp folder, removed with the object.
class PastaTemporaria {
 public:
  PastaTemporaria() {
    std::string modelo = (std::filesystem::temp_directory_path() / "velmo-teste-XXXXXX").string();
    caminho_ = mkdtemp(modelo.data());
  }
  ~PastaTemporaria() {
    std::error_code erro;
    std::filesystem::remove_all(caminho_, erro);
  }
  const std::filesystem::path& Caminho() const { return caminho_; }
  std::filesystem::path operator/(const std::string& nome) const { return caminho_ / nome; }

 private:
  std::filesystem::path caminho_;
};

}  // namespace velmo::teste

// One fuzz input goes through the BMP decoder, the leaf measurement and the loin-eye
// measurement. Files the engine refuses must fail with its own errors; anything else that
// escapes (another exception, a sanitizer report, a broken invariant) is a finding.

#include <unistd.h>

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "AreaFoliar.h"
#include "OlhoDeLombo.h"
#include "bmp.h"
#include "cmdContagem.h"
#include "erros.h"

namespace {

using namespace velmo;

void Exigir(bool condicao) {
  if (!condicao) {
    std::abort();
  }
}

// Checks the promises every measurement makes about its progress bar.
class ProgressoConferido : public Progresso {
 public:
  int Min() const override { return 0; }
  int Max() const override { return max_; }
  void SetMax(int max) override {
    Exigir(max >= 0);
    max_ = max;
  }
  int Position() const override { return posicao_; }
  void SetPosition(int posicao) override {
    Exigir(posicao >= 0 && posicao <= max_);
    posicao_ = posicao;
  }
  void ProcessarMensagens() override {}

 private:
  int max_ = 100;
  int posicao_ = 0;
};

// Pictures the fuzzer would only make slow: an RLE stream a few bytes long may claim a gigapixel,
// and a picture 0 pixels wide may claim a million rows; the decoder accepts both. The same code
// runs on small pictures.
bool MuitosPixels(const uint8_t* d, size_t n) {
  if (n < 26) {
    return false;
  }
  auto ler32 = [d](size_t at) {
    return uint32_t(d[at]) | uint32_t(d[at + 1]) << 8 | uint32_t(d[at + 2]) << 16 |
           uint32_t(d[at + 3]) << 24;
  };
  const bool core = ler32(14) == 12;
  const int64_t w = core ? (d[18] | d[19] << 8) : std::abs(int64_t(int32_t(ler32(18))));
  const int64_t h = core ? (d[20] | d[21] << 8) : std::abs(int64_t(int32_t(ler32(22))));
  return w * h > (int64_t{1} << 18) || w > (1 << 14) || h > (1 << 14);
}

const std::string& ArquivoTemporario() {
  static const std::string caminho = [] {
    std::string modelo = (std::filesystem::temp_directory_path() / "velmo-fuzz-XXXXXX").string();
    const int fd = mkstemp(modelo.data());
    Exigir(fd >= 0);
    close(fd);
    std::atexit([] { std::filesystem::remove(ArquivoTemporario()); });
    return modelo;
  }();
  return caminho;
}

void LerTudo(const uint8_t* dados, size_t tamanho) {
  try {
    const ImagemBmp img = ImagemBmp::Decodificar({dados, dados + tamanho}, "entrada.bmp");
    std::vector<uint32_t> linha(size_t(img.Largura()));
    for (int32_t y = 0; y < img.Altura(); ++y) {
      img.LerLinha(y, linha.data());
      if (const uint8_t* bgr = img.LinhaBgr24(y)) {
        for (int32_t x = 0; x < img.Largura(); ++x) {
          Exigir((uint32_t(bgr[3 * x + 2]) | uint32_t(bgr[3 * x + 1]) << 8 |
                  uint32_t(bgr[3 * x]) << 16) == linha[size_t(x)]);
        }
      }
      for (uint32_t cor : linha) {
        Exigir(cor <= 0xFFFFFF);
      }
    }
  } catch (const ErroVelmo&) {
  }
}

void MedirFolha(const std::string& caminho) {
  try {
    ProgressoConferido progresso;
    const TAreaFoliar folha(caminho, &progresso);
    const double total = folha.GetAreaTotal();
    Exigir(folha.GetAreaCorrigida() >= 0 && folha.GetAreaCoberta() >= 0);
    Exigir(folha.GetAreaCorrigida() <= folha.GetAreaCoberta() + 1e-3);
    Exigir(folha.GetAreaCoberta() + folha.GetAreaIgnorada() <= total + 1e-3 * (1 + total));
  } catch (const ErroVelmo&) {
  }
}

void MedirLombo(const std::string& caminho) {
  try {
    ProgressoConferido progresso;
    TProcessaOlhoDeLombro lombo(caminho, &progresso);
    lombo.Processar();
    double soma = 0;
    for (const auto& regiao : lombo.GetRegioes()) {
      const TLimites& l = regiao->GetLimites();
      const double caixa = PixelsParaCm(l.Base - l.Topo + 1, lombo.GetResolucao()) *
                           PixelsParaCm(l.Direita - l.Esquerda + 1, lombo.GetResolucao());
      Exigir(regiao->GetArea() >= 0 && regiao->GetArea() <= caixa + 1e-9);
      soma += regiao->GetArea() >= 1.0 ? regiao->GetArea() : 0.0;
    }
    Exigir(soma == lombo.GetAreaTotal());
    Exigir(lombo.GetAreaRegiao(lombo.GetNumeroRegioes() + 1) == 0);
  } catch (const ErroVelmo&) {
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* dados, size_t tamanho) {
  if (MuitosPixels(dados, tamanho)) {
    return 0;
  }
  LerTudo(dados, tamanho);
  const std::string& caminho = ArquivoTemporario();
  {
    std::ofstream arquivo(caminho, std::ios::binary | std::ios::trunc);
    arquivo.write(reinterpret_cast<const char*>(dados), std::streamsize(tamanho));
    Exigir(bool(arquivo.flush()));
  }
  MedirFolha(caminho);
  MedirLombo(caminho);
  return 0;
}

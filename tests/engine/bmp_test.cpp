#include "bmp.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "bmp_teste.h"
#include "bmp_variantes.h"
#include "erros.h"

namespace velmo {
namespace {

using teste::Pixels;
using teste::Variante;

constexpr uint32_t W = 0xFFFFFF, K = 0x000000, R = 0x0000FF, G = 0x00FF00, B = 0xFF0000,
                   Y = 0x00FFFF, C = 0xFFFF00, M = 0xFF00FF;

// Eight colours whose channels are 0 or 255, so that 16-bit and bit-field variants hold them
// exactly; runs and lone pixels for the RLE encoders, an odd width for the row padding.
const Pixels kFigura = {
    {W, W, W, W, K, K, R, G, B},
    {Y, C, M, W, W, W, W, W, R},
    {K, K, K, K, K, K, K, K, K},
    {B, G, R, M, C, Y, K, W, W},
};
const std::vector<uint32_t> kOitoCores = {W, K, R, G, B, Y, C, M};

// Two colours for 1-bit files; red and blue also show a swap of channels.
const Pixels kFiguraDuasCores = {
    {R, R, B, R, B, B, B, R, R, R, B},
    {B, R, R, R, R, R, R, R, R, R, R},
};

Pixels Decodificar(const std::vector<uint8_t>& bytes) {
  const ImagemBmp img = ImagemBmp::Decodificar(bytes, "teste.bmp");
  Pixels p(size_t(img.Altura()), std::vector<uint32_t>(size_t(img.Largura())));
  for (int32_t y = 0; y < img.Altura(); ++y) {
    img.LerLinha(y, p[size_t(y)].data());
    if (const uint8_t* bgr = img.LinhaBgr24(y)) {
      for (int32_t x = 0; x < img.Largura(); ++x) {
        const uint32_t cor =
            uint32_t(bgr[3 * x + 2]) | uint32_t(bgr[3 * x + 1]) << 8 | uint32_t(bgr[3 * x]) << 16;
        EXPECT_EQ(cor, p[size_t(y)][size_t(x)]) << "LinhaBgr24 difere de LerLinha";
      }
    }
  }
  return p;
}

struct CasoVariante {
  const char* nome;
  Variante variante;
  bool duasCores = false;
};

Variante Com(std::function<void(Variante&)> ajuste) {
  Variante v;
  ajuste(v);
  return v;
}

const CasoVariante kVariantes[] = {
    {"Info24", Com([](Variante&) {})},
    {"Info24DeCimaParaBaixo", Com([](Variante& v) { v.deCimaParaBaixo = true; })},
    {"Info24SemEnchimentoFinal", Com([](Variante& v) { v.semEnchimentoFinal = true; })},
    {"Core24", Com([](Variante& v) { v.cabecalho = 12; })},
    {"Os2Curto24", Com([](Variante& v) { v.cabecalho = 16; })},
    {"Os2Longo24", Com([](Variante& v) { v.cabecalho = 64; })},
    {"V4_24", Com([](Variante& v) { v.cabecalho = 108; })},
    {"V5_24DeCimaParaBaixo", Com([](Variante& v) {
       v.cabecalho = 124;
       v.deCimaParaBaixo = true;
     })},
    {"Rgb32QuartoByteIgnorado", Com([](Variante& v) {
       v.bits = 32;
       v.quartoByte = 0x5A;
     })},
    {"Bitfields32OrdemInvertida", Com([](Variante& v) {
       v.bits = 32;
       v.compressao = 3;
       v.mascaras = {0x000000FF, 0x0000FF00, 0x00FF0000, 0};
     })},
    {"AlphaBitfields32", Com([](Variante& v) {
       v.bits = 32;
       v.compressao = 6;
       v.mascaras = {0x0000FF00, 0x00FF0000, 0xFF000000, 0x000000FF};
     })},
    {"V3Bitfields32DezBits", Com([](Variante& v) {
       v.cabecalho = 56;
       v.bits = 32;
       v.compressao = 3;
       v.mascaras = {0x3FF00000, 0x000FFC00, 0x000003FF, 0xC0000000};
     })},
    {"V5Bitfields32", Com([](Variante& v) {
       v.cabecalho = 124;
       v.bits = 32;
       v.compressao = 3;
       v.mascaras = {0x00FF0000, 0x0000FF00, 0x000000FF, 0xFF000000};
     })},
    {"Rgb16_555", Com([](Variante& v) {
       v.bits = 16;
       v.mascaras = {0x7C00, 0x03E0, 0x001F, 0};
     })},
    {"Bitfields16_565", Com([](Variante& v) {
       v.bits = 16;
       v.compressao = 3;
       v.mascaras = {0xF800, 0x07E0, 0x001F, 0};
     })},
    {"V2Bitfields16_444DeCimaParaBaixo", Com([](Variante& v) {
       v.cabecalho = 52;
       v.bits = 16;
       v.compressao = 3;
       v.mascaras = {0x0F00, 0x00F0, 0x000F, 0};
       v.deCimaParaBaixo = true;
     })},
    {"V4Bitfields16_1bitPorCanal", Com([](Variante& v) {
       v.cabecalho = 108;
       v.bits = 16;
       v.compressao = 3;
       v.mascaras = {0x0004, 0x0002, 0x0001, 0};
     })},
    {"Paleta8Completa", Com([](Variante& v) {
       v.bits = 8;
       v.paleta = kOitoCores;
       v.paleta.resize(256, 0x123456);
     })},
    {"Paleta8Curta", Com([](Variante& v) {
       v.bits = 8;
       v.paleta = kOitoCores;
     })},
    {"Paleta8CurtaSemBiClrUsed", Com([](Variante& v) {
       v.bits = 8;
       v.paleta = kOitoCores;
       v.declararCores = false;  // the palette ends where the pixels begin
     })},
    {"Core8", Com([](Variante& v) {
       v.cabecalho = 12;
       v.bits = 8;
       v.paleta = kOitoCores;
       v.paleta.resize(256, 0);
     })},
    {"Paleta4Curta", Com([](Variante& v) {
       v.bits = 4;
       v.paleta = kOitoCores;
     })},
    {"Paleta4DeCimaParaBaixo", Com([](Variante& v) {
       v.bits = 4;
       v.paleta = kOitoCores;
       v.paleta.resize(16, 0);
       v.deCimaParaBaixo = true;
     })},
    {"Rle8", Com([](Variante& v) {
       v.bits = 8;
       v.compressao = 1;
       v.paleta = kOitoCores;
     })},
    {"Rle8DeCimaParaBaixo", Com([](Variante& v) {
       v.bits = 8;
       v.compressao = 1;
       v.paleta = kOitoCores;
       v.deCimaParaBaixo = true;
     })},
    {"Rle4", Com([](Variante& v) {
       v.bits = 4;
       v.compressao = 2;
       v.paleta = kOitoCores;
     })},
    {"V5Rle4", Com([](Variante& v) {
       v.cabecalho = 124;
       v.bits = 4;
       v.compressao = 2;
       v.paleta = kOitoCores;
     })},
    {"Paleta1", Com([](Variante& v) {
       v.bits = 1;
       v.paleta = {R, B};
     }),
     true},
    {"Core1", Com([](Variante& v) {
       v.cabecalho = 12;
       v.bits = 1;
       v.paleta = {B, R};
     }),
     true},
    {"Paleta1DeCimaParaBaixoCurta", Com([](Variante& v) {
       v.bits = 1;
       v.paleta = {R, B};
       v.deCimaParaBaixo = true;
       v.semEnchimentoFinal = true;
     }),
     true},
};

class VarianteBmp : public testing::TestWithParam<CasoVariante> {};

TEST_P(VarianteBmp, DecodificaAsMesmasCores) {
  const CasoVariante& caso = GetParam();
  const Pixels& figura = caso.duasCores ? kFiguraDuasCores : kFigura;
  EXPECT_EQ(Decodificar(teste::EscreverBmp(figura, caso.variante)), figura);
}

INSTANTIATE_TEST_SUITE_P(ImagemBmp, VarianteBmp, testing::ValuesIn(kVariantes),
                         [](const auto& info) { return std::string(info.param.nome); });

TEST(ImagemBmp, ResolucaoEhOCampoHorizontalComSinal) {
  struct Caso {
    uint32_t cabecalho;
    int32_t pixelsPorMetro;
    int32_t esperado;
  } casos[] = {
      {40, 11811, 11811}, {124, -3780, -3780}, {64, 2835, 2835}, {12, 11811, 0}, {16, 11811, 0}};
  for (const Caso& c : casos) {
    SCOPED_TRACE(testing::Message() << "cabeçalho de " << c.cabecalho << " bytes");
    Variante v;
    v.cabecalho = c.cabecalho;
    v.pixelsPorMetro = c.pixelsPorMetro;
    const auto img = ImagemBmp::Decodificar(teste::EscreverBmp(kFigura, v), "r.bmp");
    EXPECT_EQ(img.PixelsPorMetroX(), c.esperado);
  }
}

TEST(ImagemBmp, ArquivoVazioEhImagemZeroPorZero) {
  const ImagemBmp img = ImagemBmp::Decodificar({}, "vazio.bmp");
  EXPECT_EQ(img.Largura(), 0);
  EXPECT_EQ(img.Altura(), 0);
  EXPECT_EQ(img.PixelsPorMetroX(), 0);
}

// Channels narrower than 8 bits are widened by repeating their bits: full scale reads 255.
TEST(ImagemBmp, Canais16BitsAlargadosPorRepeticaoDeBits) {
  Variante v;
  v.bits = 16;
  v.compressao = 3;
  v.mascaras = {0xF800, 0x07E0, 0x001F, 0};
  auto bytes = teste::EscreverBmp({{K, K, K, K}}, v);
  const size_t inicio = bytes.size() - 8;
  const uint16_t valores[4] = {0xFFFF, 0x8410, 0x0821, 0x7BEF};  // white; R16 G32 B16; 1s; 15s
  for (size_t i = 0; i < 4; ++i) {
    bytes[inicio + 2 * i] = uint8_t(valores[i]);
    bytes[inicio + 2 * i + 1] = uint8_t(valores[i] >> 8);
  }
  EXPECT_EQ(Decodificar(bytes), (Pixels{{0xFFFFFF, 0x848284, 0x080408, 0x7B7D7B}}));
}

// A hand-written RLE8 stream: encoded and absolute runs (odd length, padded), a delta that
// moves up a row, an early end of line and an early end of bitmap. Skipped pixels take palette
// entry 0.
TEST(ImagemBmp, Rle8ComEscapes) {
  Variante v;
  v.bits = 8;
  v.compressao = 1;
  v.paleta = {W, R, G, B};
  auto bytes = teste::EscreverBmp({{W, W, W, W, W}, {W, W, W, W, W}, {W, W, W, W, W}}, v);
  bytes.resize(bytes.size() - 4 * 3);  // three rows of "5 0" and an end mark
  const std::vector<uint8_t> fluxo = {
      2, 1,              // bottom row: R R
      0, 2, 1, 1,        // delta: one right, one up, to column 3 of the middle row
      1, 3,              // B
      0, 0,              // end of line: the rest of the middle row is skipped
      0, 3, 2, 3, 1, 0,  // top row: absolute G B R, padded
      0, 1,              // end of bitmap: the last two pixels are skipped
  };
  bytes.insert(bytes.end(), fluxo.begin(), fluxo.end());
  EXPECT_EQ(Decodificar(bytes), (Pixels{{G, B, R, W, W}, {W, W, W, B, W}, {R, R, W, W, W}}));
}

TEST(ImagemBmp, Rle4ComSequenciasAlternadas) {
  Variante v;
  v.bits = 4;
  v.compressao = 2;
  v.paleta = {W, R, G, B};
  auto bytes = teste::EscreverBmp({{W, W, W, W, W, W, W}}, v);
  bytes.resize(bytes.size() - 4);
  const std::vector<uint8_t> fluxo = {5, 0x12, 2, 0x30, 0, 1};  // R G R G R, then B W
  bytes.insert(bytes.end(), fluxo.begin(), fluxo.end());
  EXPECT_EQ(Decodificar(bytes), (Pixels{{R, G, R, G, R, B, W}}));
}

// ---- Files that are not bitmaps, or not ones we decode ----

enum class Tipo { Invalido, NaoSuportado };

struct CasoQuebrado {
  const char* nome;
  std::function<std::vector<uint8_t>()> bytes;
  Tipo tipo;
  const char* trecho;
};

std::vector<uint8_t> Info24() {
  return teste::EscreverBmp(kFigura, Variante{});
}
std::vector<uint8_t> Alterado(std::vector<uint8_t> b, size_t at, uint32_t v, int largura = 4) {
  for (int i = 0; i < largura; ++i) {
    b[at + size_t(i)] = uint8_t(v >> (8 * i));
  }
  return b;
}
std::vector<uint8_t> Primeiros(const std::vector<uint8_t>& b, size_t n) {
  return {b.begin(), b.begin() + std::ptrdiff_t(n)};
}
std::vector<uint8_t> ComVariante(std::function<void(Variante&)> ajuste,
                                 const Pixels& figura = kFigura) {
  return teste::EscreverBmp(figura, Com(std::move(ajuste)));
}
std::vector<uint8_t> Rle8(std::vector<uint8_t> fluxo, int32_t largura = 4, int32_t altura = 2) {
  Variante v;
  v.bits = 8;
  v.compressao = 1;
  v.paleta = {W, K};
  auto b = teste::EscreverBmp(Pixels(size_t(altura), std::vector<uint32_t>(size_t(largura), W)), v);
  b.resize(54 + 8);
  b.insert(b.end(), fluxo.begin(), fluxo.end());
  return b;
}

const CasoQuebrado kQuebrados[] = {
    {"Curto",
     [] {
       return std::vector<uint8_t>{'B', 'M', 0, 0};
     },
     Tipo::Invalido, "o arquivo tem só 4 bytes"},
    {"SemAssinatura", [] { return Alterado(Info24(), 0, 'P' | 'K' << 8, 2); }, Tipo::Invalido,
     "assinatura \"BM\""},
    {"CabecalhoMinusculo", [] { return Alterado(Info24(), 14, 8); }, Tipo::Invalido,
     "o cabeçalho da imagem declara 8 bytes"},
    {"CabecalhoDesconhecido", [] { return Alterado(Info24(), 14, 200); }, Tipo::NaoSuportado,
     "cabeçalho de imagem de 200 bytes"},
    {"CabecalhoCortado", [] { return Primeiros(Info24(), 40); }, Tipo::Invalido,
     "passa do fim do arquivo de 40 bytes"},
    {"LarguraNegativa", [] { return Alterado(Info24(), 18, uint32_t(-5)); }, Tipo::Invalido,
     "a largura -5 é negativa"},
    {"AlturaMinima", [] { return Alterado(Info24(), 22, 0x80000000u); }, Tipo::Invalido,
     "a altura -2147483648"},
    {"SeteBits", [] { return Alterado(Info24(), 28, 7, 2); }, Tipo::Invalido, "7 bits por pixel"},
    {"SessentaEQuatroBits", [] { return Alterado(Info24(), 28, 64, 2); }, Tipo::NaoSuportado,
     "64 bits por pixel"},
    {"Jpeg", [] { return Alterado(Info24(), 30, 4); }, Tipo::NaoSuportado, "JPEG"},
    {"Png", [] { return Alterado(Info24(), 30, 5); }, Tipo::NaoSuportado, "PNG"},
    {"Cmyk", [] { return Alterado(Info24(), 30, 11); }, Tipo::NaoSuportado, "CMYK"},
    {"CompressaoDesconhecida", [] { return Alterado(Info24(), 30, 9); }, Tipo::Invalido,
     "compressão desconhecido (9)"},
    {"Rle8Com24Bits", [] { return Alterado(Info24(), 30, 1); }, Tipo::Invalido,
     "RLE8 não combina com 24 bits"},
    {"HuffmanDoOs2",
     [] { return Alterado(ComVariante([](Variante& v) { v.cabecalho = 64; }), 30, 3); },
     Tipo::NaoSuportado, "Huffman"},
    {"Bitfields24", [] { return Alterado(Info24(), 30, 3); }, Tipo::NaoSuportado,
     "máscaras de cor com 24 bits"},
    {"MascaraVazia",
     [] {
       return ComVariante([](Variante& v) {
         v.bits = 32;
         v.compressao = 3;
         v.mascaras = {0xFF0000, 0, 0xFF, 0};
       });
     },
     Tipo::Invalido, "a máscara do verde é vazia"},
    {"MascaraNaoContigua",
     [] {
       return ComVariante([](Variante& v) {
         v.bits = 32;
         v.compressao = 3;
         v.mascaras = {0xFF0000, 0xFF00, 0x0F0F, 0};
       });
     },
     Tipo::Invalido, "a máscara do azul 0x00000F0F não é contígua"},
    {"MascaraLargaDemais",
     [] {
       return ComVariante([](Variante& v) {
         v.bits = 16;
         v.compressao = 3;
         v.mascaras = {0x1F0000, 0x07E0, 0x1F, 0};
       });
     },
     Tipo::Invalido, "passa dos 16 bits do pixel"},
    {"MascarasAlemDoFim",
     [] {
       auto b = ComVariante([](Variante& v) {
         v.bits = 32;
         v.compressao = 3;
       });
       b.resize(60);
       return b;
     },
     Tipo::Invalido, "as máscaras de cor passam do fim do arquivo"},
    {"PaletaAusente",
     [] {
       return Alterado(ComVariante([](Variante& v) {
                         v.bits = 8;
                         v.paleta = kOitoCores;
                       }),
                       10, 54);
     },
     Tipo::Invalido, "não tem paleta"},
    {"PixelsDentroDoCabecalho", [] { return Alterado(Info24(), 10, 30); }, Tipo::Invalido,
     "os pixels começam no byte 30, dentro dos cabeçalhos"},
    {"PixelsAlemDoFim", [] { return Alterado(Info24(), 10, 100000); }, Tipo::Invalido,
     "os pixels começam no byte 100000, além do fim do arquivo"},
    {"PixelsTruncados",
     [] {
       auto b = Info24();
       b.resize(b.size() - 30);
       return b;
     },
     Tipo::Invalido, "a largura 9 × altura 4 não cabe no arquivo"},
    {"CemMilPorCemMilEm54Bytes",
     [] { return Alterado(Alterado(Primeiros(Info24(), 54), 18, 100000), 22, 100000); },
     Tipo::Invalido, "a largura 100000 × altura 100000 não cabe no arquivo de 54 bytes"},
    {"ProdutoQueTransborda",
     [] {
       return Alterado(Alterado(Alterado(Info24(), 18, 0x7FFFFFFF), 22, 0x7FFFFFFF), 28, 32, 2);
     },
     Tipo::Invalido, "a largura 2147483647 × altura 2147483647 não cabe"},
    {"IndiceForaDaPaleta",
     [] {
       auto b = ComVariante(
           [](Variante& v) {
             v.bits = 8;
             v.paleta = {W, K};
           },
           {{W, K, W}});
       b[b.size() - 4 + 1] = 5;
       return b;
     },
     Tipo::Invalido, "o pixel (1, 0) usa a cor 5 da paleta, que só tem 2 cores"},
    {"Indice1BitForaDaPaleta",
     [] {
       auto b = ComVariante(
           [](Variante& v) {
             v.bits = 1;
             v.paleta = {W};
           },
           {{W, W, W}});
       b[b.size() - 4] = 0x20;
       return b;
     },
     Tipo::Invalido, "o pixel (2, 0) usa a cor 1 da paleta, que só tem 1 cores"},
    {"Rle8PassaDaLinha",
     [] {
       return Rle8({5, 1, 0, 1});
     },
     Tipo::Invalido,
     "a sequência RLE de 5 pixels no byte 62 passa do fim da linha 1, de largura 4"},
    {"Rle8AbsolutaPassaDaLinha",
     [] {
       return Rle8({2, 1, 0, 3, 1, 1, 1, 0, 0, 1});
     },
     Tipo::Invalido, "a sequência RLE de 3 pixels"},
    {"Rle8PassaDaUltimaLinha",
     [] {
       return Rle8({0, 0, 0, 0, 1, 1, 0, 1});
     },
     Tipo::Invalido, "passa da última linha da imagem"},
    {"Rle8DeltaSaiDaImagem",
     [] {
       return Rle8({0, 2, 1, 2, 0, 1});
     },
     Tipo::Invalido, "o deslocamento RLE no byte 62 sai da imagem"},
    {"Rle8DeltaSaiPelaDireita",
     [] {
       return Rle8({0, 2, 5, 0, 0, 1});
     },
     Tipo::Invalido, "o deslocamento RLE"},
    {"Rle8Truncado",
     [] {
       return Rle8({4, 1, 0, 0});
     },
     Tipo::Invalido, "os dados RLE terminam antes do fim da imagem"},
    {"Rle8AbsolutaTruncada",
     [] {
       return Rle8({0, 4, 1, 1});
     },
     Tipo::Invalido, "terminam no meio de uma sequência de 4 pixels"},
    {"Rle8DeltaTruncado",
     [] {
       return Rle8({0, 2, 1});
     },
     Tipo::Invalido, "terminam no meio de um deslocamento"},
    {"Rle8IndiceForaDaPaleta",
     [] {
       return Rle8({2, 7, 0, 1});
     },
     Tipo::Invalido, "usa a cor 7 da paleta, que só tem 2 cores"},
    {"Rle8GrandeDemais",
     [] {
       return Alterado(Alterado(Rle8({0, 1}), 18, 40000), 22, 40000);
     },
     Tipo::NaoSuportado, "a largura 40000 × altura 40000 passa do limite de 1073741824 pixels"},
    {"LarguraZeroComMilhoesDeLinhas",
     [] { return Alterado(Alterado(Primeiros(Info24(), 54), 18, 0), 22, 2000000000); },
     Tipo::NaoSuportado,
     "a largura 0 × altura 2000000000 passa do limite de 1048576 pixels por lado"},
};

class BmpQuebrado : public testing::TestWithParam<CasoQuebrado> {};

TEST_P(BmpQuebrado, FalhaComMensagemClara) {
  const CasoQuebrado& caso = GetParam();
  try {
    ImagemBmp::Decodificar(caso.bytes(), "quebrado.bmp");
    FAIL() << "decodificou sem erro";
  } catch (const ErroBitmapInvalido& e) {
    EXPECT_EQ(caso.tipo, Tipo::Invalido) << e.what();
    EXPECT_NE(std::string(e.what()).find(caso.trecho), std::string::npos) << e.what();
    EXPECT_NE(std::string(e.what()).find("\"quebrado.bmp\""), std::string::npos) << e.what();
  } catch (const ErroBitmapNaoSuportado& e) {
    EXPECT_EQ(caso.tipo, Tipo::NaoSuportado) << e.what();
    EXPECT_NE(std::string(e.what()).find(caso.trecho), std::string::npos) << e.what();
    EXPECT_NE(std::string(e.what()).find("\"quebrado.bmp\""), std::string::npos) << e.what();
  }
}

INSTANTIATE_TEST_SUITE_P(ImagemBmp, BmpQuebrado, testing::ValuesIn(kQuebrados),
                         [](const auto& info) { return std::string(info.param.nome); });

TEST(ImagemBmp, ArquivoQueNaoSePodeLer) {
  teste::PastaTemporaria pasta;
  const struct {
    std::string caminho;
    const char* trecho;
  } casos[] = {{(pasta / "nao-existe.bmp").string(), "ele não existe"},
               {pasta.Caminho().string(), "é uma pasta"}};
  for (const auto& c : casos) {
    SCOPED_TRACE(c.caminho);
    try {
      ImagemBmp::Carregar(c.caminho);
      FAIL() << "carregou sem erro";
    } catch (const ErroArquivo& e) {
      EXPECT_NE(std::string(e.what()).find("\"" + c.caminho + "\""), std::string::npos);
      EXPECT_NE(std::string(e.what()).find(c.trecho), std::string::npos) << e.what();
    }
  }
}

// A file larger than any picture we accept is refused before a byte of it is read: no buffer of
// gigabytes for it. The file is sparse, so it costs no disk.
TEST(ImagemBmp, ArquivoMaiorQueQualquerBitmapNaoELido) {
  teste::PastaTemporaria pasta;
  const auto caminho = pasta / "enorme.bmp";
  teste::Gravar(caminho, Info24());
  std::filesystem::resize_file(caminho, uintmax_t{5} << 30);
  try {
    ImagemBmp::Carregar(caminho.string());
    FAIL() << "carregou sem erro";
  } catch (const ErroBitmapNaoSuportado& e) {
    EXPECT_NE(std::string(e.what()).find("de 5368709120 bytes, passa do tamanho máximo"),
              std::string::npos)
        << e.what();
  }
}

TEST(ImagemBmp, CarregarLeOArquivoInteiro) {
  teste::PastaTemporaria pasta;
  teste::Gravar(pasta / "vazio.bmp", {});
  EXPECT_EQ(ImagemBmp::Carregar((pasta / "vazio.bmp").string()).Largura(), 0);
  teste::Gravar(pasta / "figura.bmp", Info24());
  const ImagemBmp img = ImagemBmp::Carregar((pasta / "figura.bmp").string());
  std::vector<uint32_t> linha(9);
  img.LerLinha(3, linha.data());
  EXPECT_EQ(linha, kFigura[3]);
}

// Every row PercorrerLinhas hands out, as colours in display order; each row must come once.
Pixels Percorrer(const std::string& caminho) {
  Pixels p;
  std::vector<int> vezes;
  ImagemBmp::PercorrerLinhas(
      caminho,
      [&](const ImagemBmp& img) {
        p.assign(size_t(img.Altura()), std::vector<uint32_t>(size_t(img.Largura())));
        vezes.assign(size_t(img.Altura()), 0);
      },
      [&](const LinhaBmp& l) {
        ++vezes.at(size_t(l.y));
        std::vector<uint32_t>& linha = p[size_t(l.y)];
        for (size_t x = 0; x < linha.size(); ++x) {
          linha[x] = l.bgr ? uint32_t(l.bgr[3 * x + 2]) | uint32_t(l.bgr[3 * x + 1]) << 8 |
                                 uint32_t(l.bgr[3 * x]) << 16
                           : l.cores[x];
        }
      });
  EXPECT_EQ(std::count(vezes.begin(), vezes.end(), 1), std::ssize(vezes)) << "linhas repetidas";
  return p;
}

// The rows LerLinhasEscolhidas hands out for `ys`, as colours, in the order asked.
Pixels Escolhidas(const std::string& caminho, const std::vector<int32_t>& ys) {
  Pixels p;
  size_t largura = 0;
  ImagemBmp::LerLinhasEscolhidas(
      caminho,
      [&](const ImagemBmp& img) {
        largura = size_t(img.Largura());
        return ys;
      },
      [&](const LinhaBmp& l) {
        EXPECT_EQ(l.y, ys.at(p.size()));
        std::vector<uint32_t>& linha = p.emplace_back(largura);
        for (size_t x = 0; x < largura; ++x) {
          linha[x] = l.bgr ? uint32_t(l.bgr[3 * x + 2]) | uint32_t(l.bgr[3 * x + 1]) << 8 |
                                 uint32_t(l.bgr[3 * x]) << 16
                           : l.cores[x];
        }
      });
  return p;
}

// A preview reads only the rows it shows: last, first, middle and a repeat, for every variant.
TEST_P(VarianteBmp, LerLinhasEscolhidasDaAsLinhasPedidas) {
  const CasoVariante& caso = GetParam();
  const Pixels& figura = caso.duasCores ? kFiguraDuasCores : kFigura;
  teste::PastaTemporaria pasta;
  teste::Gravar(pasta / "figura.bmp", teste::EscreverBmp(figura, caso.variante));
  const int32_t ultima = int32_t(figura.size()) - 1;
  const std::vector<int32_t> ys{ultima, 0, ultima / 2, 0};
  Pixels esperado;
  for (int32_t y : ys) {
    esperado.push_back(figura[size_t(y)]);
  }
  EXPECT_EQ(Escolhidas((pasta / "figura.bmp").string(), ys), esperado);
  EXPECT_THROW(Escolhidas((pasta / "figura.bmp").string(), {ultima + 1}), std::out_of_range);
}

TEST_P(VarianteBmp, PercorrerLinhasDaAsMesmasCoresQueCarregar) {
  const CasoVariante& caso = GetParam();
  const Pixels& figura = caso.duasCores ? kFiguraDuasCores : kFigura;
  teste::PastaTemporaria pasta;
  teste::Gravar(pasta / "figura.bmp", teste::EscreverBmp(figura, caso.variante));
  EXPECT_EQ(Percorrer((pasta / "figura.bmp").string()), figura);
}

// Uncompressed 24-bit files are read a block of rows at a time: a picture of several blocks, each
// row different, with the last block short and the last row without its padding.
TEST(ImagemBmp, PercorrerLinhasEmVariosBlocos) {
  Pixels figura(2000, std::vector<uint32_t>(101));
  for (size_t y = 0; y < figura.size(); ++y) {
    for (size_t x = 0; x < figura[y].size(); ++x) {
      figura[y][x] = uint32_t(y * 7919 + x * 104729) & 0xFFFFFF;
    }
  }
  const struct {
    const char* nome;
    std::function<void(Variante&)> ajuste;
  } casos[] = {{"de baixo para cima", [](Variante&) {}},
               {"de cima para baixo", [](Variante& v) { v.deCimaParaBaixo = true; }},
               {"sem enchimento final", [](Variante& v) { v.semEnchimentoFinal = true; }},
               {"V5", [](Variante& v) { v.cabecalho = 124; }}};
  teste::PastaTemporaria pasta;
  for (const auto& c : casos) {
    SCOPED_TRACE(c.nome);
    teste::Gravar(pasta / "alta.bmp", teste::EscreverBmp(figura, Com(c.ajuste)));
    EXPECT_EQ(Percorrer((pasta / "alta.bmp").string()), figura);
    EXPECT_EQ(Escolhidas((pasta / "alta.bmp").string(), {1999, 0, 1000}),
              (Pixels{figura[1999], figura[0], figura[1000]}));
  }
}

// Reading only the headers of a 24-bit file must keep every check that the whole file gets.
TEST_P(BmpQuebrado, LeituraPorLinhasFalhaComoCarregar) {
  const CasoQuebrado& caso = GetParam();
  teste::PastaTemporaria pasta;
  const std::string caminho = (pasta / "quebrado.bmp").string();
  teste::Gravar(caminho, caso.bytes());
  const std::function<void()> leituras[] = {[&] { Percorrer(caminho); },
                                            [&] { Escolhidas(caminho, {0}); }};
  for (const auto& ler : leituras) {
    try {
      ler();
      FAIL() << "leu sem erro";
    } catch (const ErroBitmapInvalido& e) {
      EXPECT_EQ(caso.tipo, Tipo::Invalido) << e.what();
      EXPECT_NE(std::string(e.what()).find(caso.trecho), std::string::npos) << e.what();
    } catch (const ErroBitmapNaoSuportado& e) {
      EXPECT_EQ(caso.tipo, Tipo::NaoSuportado) << e.what();
      EXPECT_NE(std::string(e.what()).find(caso.trecho), std::string::npos) << e.what();
    }
  }
}

}  // namespace
}  // namespace velmo

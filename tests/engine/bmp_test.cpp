#include "bmp.h"

#include <gtest/gtest.h>

#include "bmp_teste.h"
#include "erros.h"

namespace velmo {
namespace {

TEST(ImagemBmp, Le24BitsDeBaixoParaCima) {
  const auto bytes = teste::Bmp24(teste::DeArte({"R.", ".x"}));
  const ImagemBmp img = ImagemBmp::Decodificar(bytes, "a.bmp");
  ASSERT_EQ(img.Largura(), 2);
  ASSERT_EQ(img.Altura(), 2);
  EXPECT_EQ(img.PixelsPorMetroX(), 11811);
  uint32_t linha[2];
  img.LerLinha(0, linha);
  EXPECT_EQ(linha[0], 0x0000FFu);
  EXPECT_EQ(linha[1], 0xFFFFFFu);
  img.LerLinha(1, linha);
  EXPECT_EQ(linha[1], 0x000000u);
}

TEST(ImagemBmp, ArquivoVazioEhImagemZeroPorZero) {
  const ImagemBmp img = ImagemBmp::Decodificar({}, "vazio.bmp");
  EXPECT_EQ(img.Largura(), 0);
  EXPECT_EQ(img.Altura(), 0);
  EXPECT_EQ(img.PixelsPorMetroX(), 0);
}

}  // namespace
}  // namespace velmo

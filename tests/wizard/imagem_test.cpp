// Where TImagem paints its picture for each combination of Stretch, Proportional and Center, and
// that the program's pictures are valid SVG files at their intended sizes.

#include <QtTest>

#include "wizard/imagem.h"

using namespace velmo;

class ImagemTest : public QObject {
  Q_OBJECT

 private slots:
  void areaDesenho_data() {
    QTest::addColumn<QSize>("caixa");
    QTest::addColumn<QSize>("figura");
    QTest::addColumn<bool>("stretch");
    QTest::addColumn<bool>("proportional");
    QTest::addColumn<bool>("center");
    QTest::addColumn<QRectF>("esperado");
    // The welcome picture: smaller than its box, kept at its size and centred.
    QTest::newRow("menor, centralizada")
        << QSize(315, 135) << QSize(205, 82) << false << true << true << QRectF(55, 26.5, 205, 82);
    QTest::newRow("maior, reduzida e centralizada")
        << QSize(100, 100) << QSize(400, 200) << false << true << true << QRectF(0, 25, 100, 50);
    QTest::newRow("esticada") << QSize(165, 317) << QSize(165, 310) << true << false << false
                              << QRectF(0, 0, 165, 317);
    // The processing preview: scaled up or down to fit, at the top left.
    QTest::newRow("ampliada no canto")
        << QSize(105, 105) << QSize(20, 10) << true << true << false << QRectF(0, 0, 105, 52.5);
    QTest::newRow("reduzida no canto")
        << QSize(105, 105) << QSize(100, 400) << true << true << false << QRectF(0, 0, 26.25, 105);
    QTest::newRow("tamanho próprio")
        << QSize(105, 105) << QSize(400, 10) << false << false << false << QRectF(0, 0, 400, 10);
  }
  void areaDesenho() {
    QFETCH(QSize, caixa);
    QFETCH(QSize, figura);
    QFETCH(bool, stretch);
    QFETCH(bool, proportional);
    QFETCH(bool, center);
    QFETCH(QRectF, esperado);
    TImagem imagem;
    imagem.resize(caixa);
    imagem.Stretch = stretch;
    imagem.Proportional = proportional;
    imagem.Center = center;
    QImage quadro(figura, QImage::Format_RGB32);
    quadro.fill(Qt::red);
    imagem.DefinirImagem(quadro);
    QCOMPARE(imagem.AreaDesenho(), esperado);
  }

  void figuras_data() {
    QTest::addColumn<QString>("caminho");
    QTest::addColumn<QSize>("tamanho");
    QTest::newRow("logo") << Figura::Logo << QSize(50, 50);
    QTest::newRow("lateral") << Figura::Lateral << QSize(165, 310);
    QTest::newRow("boas-vindas") << Figura::BoasVindas << QSize(205, 82);
    QTest::newRow("adicionar imagens") << Figura::AddImagens << QSize(16, 16);
    QTest::newRow("adicionar diretório") << Figura::AddDiretorio << QSize(16, 16);
    QTest::newRow("remover") << Figura::Remover << QSize(16, 16);
    QTest::newRow("relatório") << Figura::Relatorio << QSize(16, 16);
    QTest::newRow("logo do relatório") << Figura::LogoRelatorio << QSize(100, 100);
  }
  void figuras() {
    QFETCH(QString, caminho);
    QFETCH(QSize, tamanho);
    TImagem imagem;
    imagem.DefinirFigura(caminho);
    QVERIFY(!imagem.Vazia());
    QCOMPARE(imagem.TamanhoNatural(), tamanho);
    const QImage desenho = RenderizarFigura(caminho, tamanho, 2).toImage();
    QCOMPARE(desenho.size(), tamanho * 2);
    // Something is drawn: not every pixel is transparent.
    bool pintado = false;
    for (int y = 0; y < desenho.height() && !pintado; ++y)
      for (int x = 0; x < desenho.width() && !pintado; ++x)
        pintado = qAlpha(desenho.pixel(x, y)) > 0;
    QVERIFY(pintado);
  }

  void figuraInexistente() {
    QVERIFY(RenderizarFigura(":/figuras/nao-existe.svg", QSize(16, 16)).isNull());
    TImagem imagem;
    imagem.DefinirFigura(":/figuras/nao-existe.svg");
    QVERIFY(imagem.Vazia());
  }
};

QTEST_MAIN(ImagemTest)
#include "imagem_test.moc"

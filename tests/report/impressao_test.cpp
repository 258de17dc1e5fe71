// The report document: rows built from real measurement objects, the texts each method prints,
// the before-print handlers, pagination and drawing. Pages are checked through the items the band
// engine places, which are exactly what `Desenhar` draws.

#include <QImage>
#include <QLocale>
#include <QPainter>
#include <QtTest>
#include <memory>

#include "AreaFoliar.h"
#include "OlhoDeLombo.h"
#include "bmp_teste.h"
#include "report/Impressao.h"

using namespace velmo;

namespace {

constexpr int32_t kUmDpi = 39;  // one pixel is 6.4516 cm²: every loin-eye region counts

// Three outlines of 1, 9 and 12 pixels, found in this order.
const std::vector<std::string> kTresRegioes{"...............", ".#...###..####.", ".....#.#..#..#.",
                                            ".....###..####.", "..............."};

struct TextoImpresso {
  int pagina;
  QString controle;
  QString texto;
  QRectF caixa;
};

std::vector<TextoImpresso> Textos(const bandas::Relatorio& r) {
  std::vector<TextoImpresso> t;
  for (int p = 0; p < r.Paginas(); ++p)
    for (const auto& item : r.Itens(p))
      if (item.tipo == bandas::Item::Tipo::Texto)
        t.push_back({p, item.controle, item.texto, item.caixa});
  return t;
}

QStringList De(const bandas::Relatorio& r, const QString& controle) {
  QStringList l;
  for (const auto& t : Textos(r))
    if (t.controle == controle)
      l << t.texto;
  return l;
}

// The texts of the rows' controls in printed order, as "control=text".
QStringList Sequencia(const bandas::Relatorio& r, const QStringList& controles) {
  QStringList l;
  for (const auto& t : Textos(r))
    if (controles.contains(t.controle))
      l << t.controle + QLatin1Char('=') + t.texto;
  return l;
}

TLinhaImpressao Linha(const QString& nome, double cob) {
  TLinhaImpressao l;
  l.NOME = nome;
  l.AREA_COB = cob;
  return l;
}

}  // namespace

class ImpressaoTest : public QObject {
  Q_OBJECT

  std::unique_ptr<teste::PastaTemporaria> pasta_;
  int contador_ = 0;

  std::string Gravar(const std::vector<std::string>& arte, const std::string& nome = {}) {
    const std::string caminho =
        (*pasta_ / (nome.empty() ? "img" + std::to_string(contador_++) + ".bmp" : nome)).string();
    teste::Gravar(caminho, teste::Bmp24(teste::DeArte(arte), kUmDpi));
    return caminho;
  }
  std::unique_ptr<TAreaFoliar> Folha(const std::vector<std::string>& arte,
                                     const std::string& nome = {}) {
    return std::make_unique<TAreaFoliar>(Gravar(arte, nome), nullptr);
  }
  std::unique_ptr<TProcessaOlhoDeLombro> Olho(const std::vector<std::string>& arte,
                                              const std::string& nome = {}) {
    auto o = std::make_unique<TProcessaOlhoDeLombro>(Gravar(arte, nome), nullptr);
    o->Processar();
    return o;
  }

 private slots:
  void initTestCase() {
    QLocale::setDefault(QLocale(QLocale::Portuguese, QLocale::Brazil));
    pasta_ = std::make_unique<teste::PastaTemporaria>();
  }
  void cleanupTestCase() { pasta_.reset(); }

  void linhasDaAreaFoliarNaOrdemDasImagens_data() {
    QTest::addColumn<int>("metodo");
    QTest::newRow("area foliar") << 1;
    QTest::newRow("indice") << 2;
    QTest::newRow("nenhum") << 0;
  }
  void linhasDaAreaFoliarNaOrdemDasImagens() {
    QFETCH(int, metodo);
    auto a = Folha({"#........................"}, "A.bmp");
    auto b = Folha({"##.......................", "#........................"}, "B.bmp");
    auto c = Folha({"###......................"}, "C.bmp");
    TDadosAnalise dados{uint8_t(metodo), 100, {a.get(), nullptr, b.get(), c.get()}, {}};
    int32_t total = -1;
    const auto linhas = MontarLinhas(dados, total);
    QCOMPARE(total, 0);
    QCOMPARE(int(linhas.size()), 3);  // the empty slot gives no row
    const TAreaFoliar* esperado[] = {a.get(), b.get(), c.get()};
    for (size_t i = 0; i < 3; ++i) {
      QCOMPARE(linhas[i].NOME, QString::fromStdString(esperado[i]->GetArquivo()));
      QCOMPARE(*linhas[i].AREA_TOT, esperado[i]->GetAreaTotal());
      QCOMPARE(*linhas[i].AREA_COB, esperado[i]->GetAreaCoberta());
      QCOMPARE(*linhas[i].AREA_IGN, esperado[i]->GetAreaIgnorada());
      QCOMPARE(*linhas[i].AREA_COR, esperado[i]->GetAreaCorrigida());
    }
  }

  void linhasDoOlhoDeLomboDaUltimaRegiaoParaAPrimeira() {
    // A: three regions in raster order; an image without regions; an empty slot; B: one region.
    auto a = Olho(kTresRegioes, "A.bmp");
    auto vazio = Olho({"....", "...."}, "V.bmp");
    auto b = Olho({"...", ".#.", "..."}, "B.bmp");
    QCOMPARE(a->GetNumeroRegioes(), 3);
    TDadosAnalise dados{3, 0, {}, {a.get(), vazio.get(), nullptr, b.get()}};
    int32_t total = 0;
    const auto linhas = MontarLinhas(dados, total);
    QCOMPARE(total, 4);
    const std::pair<const TProcessaOlhoDeLombro*, int> esperado[] = {
        {a.get(), 3}, {a.get(), 2}, {a.get(), 1}, {b.get(), 1}};
    QCOMPARE(int(linhas.size()), 4);
    for (size_t i = 0; i < 4; ++i) {
      QCOMPARE(linhas[i].NOME, QString::fromStdString(esperado[i].first->GetArquivo()));
      QCOMPARE(*linhas[i].AREA_COB, esperado[i].first->GetAreaRegiao(esperado[i].second));
      QVERIFY(!linhas[i].AREA_TOT && !linhas[i].AREA_IGN && !linhas[i].AREA_COR);
    }
    QVERIFY(*linhas[0].AREA_COB > *linhas[1].AREA_COB);
  }

  void nomeCortadoEm255Caracteres() {
    const auto pastaLonga = pasta_->Caminho() / std::string(200, 'p');
    std::filesystem::create_directory(pastaLonga);
    const auto caminho = pastaLonga / (std::string(100, 'q') + ".bmp");
    teste::Gravar(caminho, teste::Bmp24(teste::DeArte({"#.."}), kUmDpi));
    auto longo = std::make_unique<TAreaFoliar>(caminho.string(), nullptr);
    auto curto = Folha({"#.."});
    int32_t total = 0;
    const auto linhas = MontarLinhas({1, 0, {longo.get(), curto.get()}, {}}, total);
    QVERIFY(longo->GetArquivo().size() > 255);
    QCOMPARE(linhas[0].NOME, QString::fromStdString(longo->GetArquivo()).left(255));
    QCOMPARE(linhas[0].NOME.size(), 255);
    QCOMPARE(linhas[1].NOME, QString::fromStdString(curto->GetArquivo()));
  }

  void partesVisiveisPorMetodo_data() {
    QTest::addColumn<int>("metodo");
    QTest::addColumn<QString>("titulo");
    QTest::addColumn<QStringList>("impressos");
    QTest::addColumn<QStringList>("ausentes");
    const QStringList folhas{"RLLabel11", "RLDBMemo2", "RLLabel12", "RLDBText3"};
    const QStringList grupo{"RLLabel8", "RLDBMemo1", "RLLabel4", "RLLabel9", "RLDBText1"};
    const QStringList aol{"RLLabel7",       "RLDBResult1", "RLLabel20",
                          "lblNum_Animais", "RLLabel21",   "lblAOL"};
    const QStringList iaf{"RLLabel15", "RLDBResult2"};
    const QStringList indice{"RLLabel18", "lblArea_Amostrada", "RLLabel19", "lblIAF"};
    QTest::newRow("1 area foliar")
        << 1 << QStringLiteral("Área Foliar") << folhas + iaf << grupo + aol + indice;
    QTest::newRow("2 indice") << 2 << QStringLiteral("Índice de Área Foliar")
                              << folhas + iaf + indice << grupo + aol;
    QTest::newRow("3 olho de lombo")
        << 3 << QStringLiteral("Área de Olho de Lombo") << grupo + aol
        << folhas + iaf + indice + QStringList{"RLLabel10", "RLDBText2"};
    QTest::newRow("0 nenhum") << 0 << QString() << folhas << grupo + aol + iaf + indice;
  }
  void partesVisiveisPorMetodo() {
    QFETCH(int, metodo);
    QFETCH(QString, titulo);
    QFETCH(QStringList, impressos);
    QFETCH(QStringList, ausentes);
    TfrmImpressao f({uint8_t(metodo), 10, {}, {}});
    f.CDSImp.linhas = {Linha("/a.bmp", 1)};
    f.Preparar();
    QCOMPARE(De(*f.RLReport1, "lblTitulo"), QStringList{titulo});
    const QStringList cabecalho{"RLLabel5", "RLLabel6", "RLSystemInfo1", "RLSystemInfo2",
                                "RLLabel1", "RLLabel2", "RLLabel3",      "lblPro",
                                "lblRes",   "memTra"};
    for (const QString& c : cabecalho + impressos)
      QVERIFY2(De(*f.RLReport1, c).size() == 1, qPrintable(c));
    for (const QString& c : ausentes)
      QVERIFY2(De(*f.RLReport1, c).isEmpty(), qPrintable(c));
    QCOMPARE(De(*f.RLReport1, "RLLabel5"), QStringList{"VELMO - ARVELIM"});
    QCOMPARE(De(*f.RLReport1, "RLLabel6"), QStringList{"RELATÓRIO DE ANÁLISES"});
  }

  void areaFoliarABCComTotal() {
    auto a = Folha({"#........................"}, "A.bmp");
    auto b = Folha({"##......................."}, "B.bmp");
    auto c = Folha({"###......................"}, "C.bmp");
    TfrmImpressao f({1, 0, {a.get(), b.get(), c.get()}, {}});
    f.Preparar();
    QStringList esperado;
    double soma = 0;
    for (const auto* m : {a.get(), b.get(), c.get()}) {
      esperado << "RLLabel11=Imagem:"
               << "RLDBMemo2=" + QString::fromStdString(m->GetArquivo()) << "RLLabel12=Área (cm²):"
               << "RLDBText3=" + FormatarArea(m->GetAreaCoberta());
      soma += m->GetAreaCoberta();
    }
    QCOMPARE(Sequencia(*f.RLReport1, {"RLLabel11", "RLDBMemo2", "RLLabel12", "RLDBText3"}),
             esperado);
    QCOMPARE(De(*f.RLReport1, "RLLabel15"), QStringList{"Área foliar total (cm²):"});
    QCOMPARE(De(*f.RLReport1, "RLDBResult2"), QStringList{FormatarArea(soma)});
    QCOMPARE(FormatarArea(6.4516 * 6), QStringLiteral("38,7096"));
  }

  void indiceEMediaComErro_data() {
    QTest::addColumn<int>("metodo");
    QTest::addColumn<double>("amostrada");
    QTest::addColumn<QList<double>>("areas");
    QTest::addColumn<QString>("controle");
    QTest::addColumn<QString>("esperado");
    QTest::addColumn<QString>("soma");
    QTest::newRow("indice 50 / 100") << 2 << 100.0 << QList<double>{30, 20} << "lblIAF"
                                     << "0,5000"
                                     << "50,0000";
    QTest::newRow("indice com milhar") << 2 << 0.5 << QList<double>{1000.25, 0.0} << "lblIAF"
                                       << "2.000,5000"
                                       << "1.000,2500";
    QTest::newRow("area amostrada 0") << 2 << 0.0 << QList<double>{30} << "lblIAF"
                                      << "ERRO!"
                                      << "30,0000";
    QTest::newRow("0 / 0") << 2 << 0.0 << QList<double>{} << "lblIAF"
                           << "ERRO!"
                           << "0,0000";
    QTest::newRow("media de 4") << 3 << 0.0 << QList<double>{1, 2, 3, 4.5} << "lblAOL"
                                << "2,6250"
                                << "10,5000";
    QTest::newRow("soma de milhoes numa linha")
        << 3 << 0.0 << QList<double>{999999.9999, 999999.9999} << "lblAOL"
        << "999.999,9999"
        << "1.999.999,9998";
    QTest::newRow("sem animais") << 3 << 0.0 << QList<double>{} << "lblAOL"
                                 << "ERRO!"
                                 << "0,0000";
  }
  void indiceEMediaComErro() {
    QFETCH(int, metodo);
    QFETCH(double, amostrada);
    QFETCH(QList<double>, areas);
    QFETCH(QString, controle);
    QFETCH(QString, esperado);
    QFETCH(QString, soma);
    // Loin-eye rows need their measurement objects for the animal count: one image per area.
    std::vector<std::unique_ptr<TProcessaOlhoDeLombro>> olhos;
    TDadosAnalise dados{uint8_t(metodo), amostrada, {}, {}};
    if (metodo == 3) {
      for (qsizetype i = 0; i < areas.size(); ++i) {
        olhos.push_back(Olho({"#"}));
        dados.OlhosDeLombo.push_back(olhos.back().get());
      }
    }
    TfrmImpressao f(dados);
    f.CDSImp.linhas.clear();
    for (double a : areas)
      f.CDSImp.linhas.push_back(Linha(QStringLiteral("/img%1.bmp").arg(a), a));
    f.Preparar();
    QCOMPARE(De(*f.RLReport1, controle), QStringList{esperado});
    const char* somaControle = metodo == 3 ? "RLDBResult1" : "RLDBResult2";
    QCOMPARE(De(*f.RLReport1, somaControle), QStringList{soma});
    for (const auto& t : Textos(*f.RLReport1))
      if (t.controle == somaControle)
        QCOMPARE(t.caixa.height(), 14.0);  // one line, even past the band's right edge
    if (metodo == 2)
      QCOMPARE(De(*f.RLReport1, "lblArea_Amostrada"), QStringList{FormatarArea(amostrada)});
    else
      QCOMPARE(De(*f.RLReport1, "lblNum_Animais"), QStringList{FormatarArea(areas.size())});
  }

  void olhoDeLomboGruposNumerados() {
    auto a = Olho(kTresRegioes, "A.bmp");
    auto b = Olho({"...", ".#.", "..."}, "B.bmp");
    TfrmImpressao f({3, 0, {}, {a.get(), b.get()}});
    f.Preparar();
    const QString na = QString::fromStdString(a->GetArquivo());
    const QString nb = QString::fromStdString(b->GetArquivo());
    auto area = [](const TProcessaOlhoDeLombro& o, int n) {
      return "RLDBText1=" + FormatarArea(o.GetAreaRegiao(n));
    };
    const QStringList esperado{"RLDBMemo1=" + na,
                               "RLLabel4=# Olho de Lombo 1",
                               area(*a, 3),
                               "RLLabel4=# Olho de Lombo 2",
                               area(*a, 2),
                               "RLLabel4=# Olho de Lombo 3",
                               area(*a, 1),
                               "RLDBMemo1=" + nb,
                               "RLLabel4=# Olho de Lombo 1",
                               area(*b, 1)};
    QCOMPARE(Sequencia(*f.RLReport1, {"RLDBMemo1", "RLLabel4", "RLDBText1"}), esperado);
    QCOMPARE(De(*f.RLReport1, "lblNum_Animais"), QStringList{"4,0000"});
    const double soma =
        a->GetAreaRegiao(1) + a->GetAreaRegiao(2) + a->GetAreaRegiao(3) + b->GetAreaRegiao(1);
    QCOMPARE(De(*f.RLReport1, "RLDBResult1"), QStringList{FormatarArea(soma)});
    QCOMPARE(De(*f.RLReport1, "lblAOL"), QStringList{FormatarArea(soma / 4)});
    // A second preparation numbers the lines from 1 again.
    f.Preparar();
    QCOMPARE(Sequencia(*f.RLReport1, {"RLDBMemo1", "RLLabel4", "RLDBText1"}), esperado);
  }

  void olhoDeLomboSemRegiaoContada() {
    auto vazio = Olho({"...", "..."});
    TfrmImpressao f({3, 0, {}, {vazio.get()}});
    QVERIFY(f.CDSImp.linhas.empty());
    f.Preparar();
    QCOMPARE(f.RLReport1->Paginas(), 1);
    QVERIFY(De(*f.RLReport1, "RLDBMemo1").isEmpty());
    QCOMPARE(De(*f.RLReport1, "lblNum_Animais"), QStringList{"0,0000"});
    QCOMPARE(De(*f.RLReport1, "lblAOL"), QStringList{"ERRO!"});
  }

  void tabelaVaziaAindaFazORelatorio() {
    TfrmImpressao f({1, 0, {}, {}});
    f.Preparar();
    QCOMPARE(f.RLReport1->Paginas(), 1);
    QCOMPARE(De(*f.RLReport1, "RLDBResult2"), QStringList{"0,0000"});
    QCOMPARE(De(*f.RLReport1, "RLSystemInfo1"), QStringList{"Página: 1"});
  }

  void textosDoCabecalho() {
    TfrmImpressao f({1, 0, {}, {}});
    f.lblPro->texto = QStringLiteral("  Projeto com espaços ");
    f.memTra->linhas = QStringList{"Linha 1", "Linha 2"};
    f.Preparar();
    QCOMPARE(De(*f.RLReport1, "lblPro"), QStringList{"  Projeto com espaços "});
    QCOMPARE(De(*f.RLReport1, "lblRes"), QStringList{QString()});
    QCOMPARE(De(*f.RLReport1, "RLLabel2"), QStringList{"Responsável:"});
    QCOMPARE(De(*f.RLReport1, "memTra"), QStringList{"Linha 1\nLinha 2"});
    // Two treatment lines grow the header band: the line under it moves down by one line.
    TfrmImpressao uma({1, 0, {}, {}});
    uma.Preparar();
    auto base = [](const bandas::Relatorio& r) {
      for (const auto& item : r.Itens(0))
        if (item.tipo == bandas::Item::Tipo::Linha && item.linha.dy() == 0 && item.linha.y1() < 300)
          return item.linha.y1();
      return -1.0;
    };
    QCOMPARE(base(*uma.RLReport1), 38.0 + 82 + 70);
    QVERIFY(base(*f.RLReport1) > base(*uma.RLReport1) + 10);
  }

  void caminhoLongoQuebraECresceABanda() {
    TfrmImpressao f({1, 0, {}, {}});
    const QString longo = "/" + QString(40, 'd') + "/" + QString(120, 'e') + ".bmp";
    f.CDSImp.linhas = {Linha(longo, 1), Linha("/b.bmp", 2)};
    f.Preparar();
    const auto t = Textos(*f.RLReport1);
    QRectF memo, seguinte;
    for (const auto& x : t) {
      if (x.controle == "RLDBMemo2" && x.texto == longo)
        memo = x.caixa;
      if (x.controle == "RLLabel11" && memo.isValid() && !seguinte.isValid() &&
          x.caixa.top() > memo.top())
        seguinte = x.caixa;
    }
    QVERIFY(memo.height() > 2 * 14);
    QCOMPARE(memo.width(), 435.0);
    QVERIFY2(seguinte.top() >= memo.bottom(), "the next row overlaps the wrapped path");
  }

  void paginacaoComCabecalhosEmTodasAsPaginas() {
    TfrmImpressao f({3, 0, {}, {}});
    f.lblPro->texto = QStringLiteral("Projeto longo");
    for (int img = 0; img < 40; ++img)
      for (int r = 0; r < 4; ++r)
        f.CDSImp.linhas.push_back(Linha(QStringLiteral("/imagens/%1.bmp").arg(img), r + 1));
    f.Preparar();
    const int paginas = f.RLReport1->Paginas();
    QVERIFY(paginas >= 3);
    QStringList numeros;
    for (int p = 0; p < paginas; ++p) {
      numeros << QStringLiteral("Página: %1").arg(p + 1);
      QStringList nomes;
      qreal fundo = 0;
      for (const auto& item : f.RLReport1->Itens(p)) {
        nomes << item.controle;
        fundo = std::max(fundo, item.caixa.bottom());
        QVERIFY(item.caixa.top() >= 38);
      }
      for (const char* c : {"imgImpressao", "RLLabel5", "lblTitulo", "lblPro", "memTra"})
        QVERIFY2(nomes.contains(QLatin1String(c)), c);
      QVERIFY2(fundo <= 1123 - 38, qPrintable(QString::number(fundo)));
    }
    QCOMPARE(De(*f.RLReport1, "RLSystemInfo1"), numeros);
    // Every row printed once, the summary once, on the last page.
    QCOMPARE(De(*f.RLReport1, "RLDBText1").size(), 160);
    QCOMPARE(De(*f.RLReport1, "lblNum_Animais").size(), 1);
    const auto t = Textos(*f.RLReport1);
    QCOMPARE(t.back().pagina, paginas - 1);
    // A group that goes on to a new page repeats its column header there; a page never starts
    // with a group's header alone at its bottom.
    for (int p = 1; p < paginas; ++p) {
      QString primeiro;
      for (const auto& x : t)
        if (x.pagina == p && (x.controle == "RLDBMemo1" || x.controle == "RLLabel4")) {
          primeiro = x.controle;
          break;
        }
      QCOMPARE(primeiro, QStringLiteral("RLDBMemo1"));
    }
    for (int p = 0; p < paginas; ++p) {
      QString ultimo;
      for (const auto& x : t)
        if (x.pagina == p && (x.controle == "RLDBMemo1" || x.controle == "RLLabel4"))
          ultimo = x.controle;
      QVERIFY(ultimo != "RLDBMemo1" || p == paginas - 1);
    }
  }

  void desenhaLinhasLogoETextos() {
    TfrmImpressao f({2, 100, {}, {}});
    f.CDSImp.linhas = {Linha("/a.bmp", 30), Linha("/b.bmp", 20)};
    f.Preparar();
    QImage pagina(bandas::kLarguraPagina, bandas::kAlturaPagina, QImage::Format_RGB32);
    pagina.fill(Qt::white);
    {
      QPainter p(&pagina);
      f.RLReport1->Desenhar(p, 0);
    }
    auto escuro = [&](int x, int y) { return qGray(pagina.pixel(x, y)) < 128; };
    // The header texts band ends at 38 + 82 + 70 with a line across the band's width.
    const int y = 38 + 82 + 70;
    int escuros = 0;
    for (int x = 38; x < 38 + 718; ++x)
      escuros += escuro(x, y) || escuro(x, y - 1);
    QVERIFY(escuros > 700);
    QVERIFY(!escuro(20, y) && !escuro(780, y));
    // The logo fills its 76 × 76 box; the title is drawn around its centre at x 359.
    int verdes = 0;
    for (int yy = 41; yy < 117; ++yy)
      for (int xx = 63; xx < 139; ++xx)
        verdes += qGreen(pagina.pixel(xx, yy)) > qRed(pagina.pixel(xx, yy)) + 40;
    QVERIFY(verdes > 500);
    int esquerda = 794, direita = 0;
    for (int yy = 41; yy < 41 + 22; ++yy)
      for (int xx = 150; xx < 600; ++xx)
        if (escuro(xx, yy)) {
          esquerda = std::min(esquerda, xx);
          direita = std::max(direita, xx);
        }
    QVERIFY(std::abs((esquerda + direita) / 2 - (38 + 359)) <= 3);
  }
};

QTEST_MAIN(ImpressaoTest)
#include "impressao_test.moc"

#include "Impressao.h"

#include <QLocale>
#include <cmath>

#include "AreaFoliar.h"
#include "OlhoDeLombo.h"
#include "wizard/Centralizador.h"
#include "wizard/dialogos.h"
#include "wizard/imagem.h"

namespace velmo {

TfrmImpressao* frmImpressao = nullptr;

namespace {

using bandas::Alinhamento;
using bandas::Banda;
using bandas::TipoBanda;

const QString kErro = QStringLiteral("ERRO!");

QString Nome(const std::string& arquivo) {
  return QString::fromStdString(arquivo).left(kTamanhoNome);
}

QVariant Opcional(const std::optional<double>& v) {
  return v ? QVariant(*v) : QVariant();
}

// A label: bold captions, regular values; `direita` puts its right edge at the box's right edge.
bandas::Rotulo* Rotulo(Banda* banda, const char* nome, QRectF caixa, const QString& texto,
                       bool negrito, Alinhamento alinhamento = Alinhamento::Esquerda) {
  auto* r = banda->Adicionar<bandas::Rotulo>(QLatin1String(nome), caixa);
  r->texto = texto;
  r->fonte = bandas::Fonte(QStringLiteral("Arial"), 11, negrito);
  r->alinhamento = alinhamento;
  return r;
}

bandas::Rotulo* Titulo(Banda* banda, const char* nome, QRectF caixa, const QString& texto,
                       int pixels) {
  auto* r = Rotulo(banda, nome, caixa, texto, true, Alinhamento::Centro);
  r->fonte = bandas::Fonte(QStringLiteral("Arial"), pixels, true);
  return r;
}

const QString kArea = QStringLiteral("Área (cm²):");
const QString kImagem = QStringLiteral("Imagem:");

}  // namespace

TDadosAnalise LerAnalise() {
  TDadosAnalise dados;
  if (!frmCentralizador)
    return dados;
  dados.Metodo = frmCentralizador->FMetodo;
  dados.AreaAmostrada = frmCentralizador->FAreaAmostrada;
  for (const auto& m : frmCentralizador->FAreasFoliares)
    dados.AreasFoliares.push_back(m.get());
  for (const auto& m : frmCentralizador->FOlhosDeLombo)
    dados.OlhosDeLombo.push_back(m.get());
  return dados;
}

QString FormatarArea(double Valor) {
  return QLocale().toString(Valor, 'f', 4);
}

std::vector<TLinhaImpressao> MontarLinhas(const TDadosAnalise& Dados, int32_t& Total) {
  std::vector<TLinhaImpressao> linhas;
  Total = 0;
  if (Dados.Metodo == 3) {
    for (const TProcessaOlhoDeLombro* olho : Dados.OlhosDeLombo) {
      if (!olho)
        continue;
      const int32_t n = olho->GetNumeroRegioes();
      Total += n;
      // Within an image the last counted region prints first.
      for (int32_t j = n; j >= 1; --j) {
        TLinhaImpressao linha;
        linha.NOME = Nome(olho->GetArquivo());
        linha.AREA_COB = olho->GetAreaRegiao(j);
        linhas.push_back(std::move(linha));
      }
    }
    return linhas;
  }
  for (const TAreaFoliar* folha : Dados.AreasFoliares) {
    if (!folha)
      continue;
    TLinhaImpressao linha;
    linha.NOME = Nome(folha->GetArquivo());
    linha.AREA_TOT = folha->GetAreaTotal();
    linha.AREA_COB = folha->GetAreaCoberta();
    linha.AREA_IGN = folha->GetAreaIgnorada();
    linha.AREA_COR = folha->GetAreaCorrigida();
    linhas.push_back(std::move(linha));
  }
  return linhas;
}

TfrmImpressao::TfrmImpressao(const TDadosAnalise& Dados) {
  FormCreate(Dados);
}

TfrmImpressao::~TfrmImpressao() {
  // FormDestroy: the table goes first, then the layout, as the layout's sums read the table.
  CDSImp.linhas.clear();
  RLReport1.reset();
}

void TfrmImpressao::FormCreate(const TDadosAnalise& Dados) {
  FMetodo = Dados.Metodo;
  FAreaAmostrada = Dados.AreaAmostrada;
  FTotal = 0;
  Caption = TituloAplicacao();
  fltPDF.titulo = QStringLiteral("Relatório de análises");
  fltPDF.criador = TituloAplicacao();
  RLReport1 = std::make_unique<bandas::Relatorio>();
  CriarCampos();
  CriarCabecalho();
  CriarTextos();
  CriarGrupo();
  CriarAreaFoliar();
  CriarTotais();
  LigarEventos();

  CDSImp.linhas = MontarLinhas(Dados, FTotal);
  if (FMetodo == 3) {
    bndAreaFoliar->visivel = false;
    RLLabel10->visivel = false;
    RLDBText2->visivel = false;
  } else {
    bndOlhoDeLombo->visivel = false;
  }
  bndIAF->visivel = FMetodo == 1 || FMetodo == 2;
  bndAOL->visivel = FMetodo == 3;
  switch (FMetodo) {
    case 1:
      lblTitulo->texto = QStringLiteral("Área Foliar");
      RLLabel18->visivel = false;
      RLLabel19->visivel = false;
      lblArea_Amostrada->visivel = false;
      lblIAF->visivel = false;
      break;
    case 2:
      lblTitulo->texto = QStringLiteral("Índice de Área Foliar");
      break;
    case 3:
      lblTitulo->texto = QStringLiteral("Área de Olho de Lombo");
      break;
    default:
      break;
  }
}

void TfrmImpressao::CriarCampos() {
  using Campo = bandas::Tabela<TLinhaImpressao>::Campo;
  auto area = [](const QVariant& v) { return FormatarArea(v.toDouble()); };
  CDSImp.campos = {
      Campo{QStringLiteral("NOME"), [](const TLinhaImpressao& l) { return QVariant(l.NOME); }, {}},
      Campo{QStringLiteral("AREA_TOT"),
            [](const TLinhaImpressao& l) { return Opcional(l.AREA_TOT); }, area},
      Campo{QStringLiteral("AREA_COB"),
            [](const TLinhaImpressao& l) { return Opcional(l.AREA_COB); }, area},
      Campo{QStringLiteral("AREA_IGN"),
            [](const TLinhaImpressao& l) { return Opcional(l.AREA_IGN); }, area},
      Campo{QStringLiteral("AREA_COR"),
            [](const TLinhaImpressao& l) { return Opcional(l.AREA_COR); }, area},
  };
}

void TfrmImpressao::CriarCabecalho() {
  RLBand2 = RLReport1->AdicionarBanda(QStringLiteral("RLBand2"), TipoBanda::Cabecalho, 82);
  imgImpressao =
      RLBand2->Adicionar<bandas::Imagem>(QStringLiteral("imgImpressao"), QRectF(25, 3, 76, 76));
  // Rasterised at three times its 100 × 100 size, so that paper and PDF show it sharp.
  imgImpressao->figura =
      RenderizarFigura(QLatin1String(Figura::LogoRelatorio), QSize(100, 100), 3).toImage();
  RLLabel5 =
      Titulo(RLBand2, "RLLabel5", QRectF(158, 3, 402, 22), QStringLiteral("VELMO - ARVELIM"), 19);
  RLLabel6 = Titulo(RLBand2, "RLLabel6", QRectF(254, 33, 210, 19),
                    QStringLiteral("RELATÓRIO DE ANÁLISES"), 16);
  lblTitulo = Titulo(RLBand2, "lblTitulo", QRectF(326, 60, 66, 19), QString(), 16);
  RLSystemInfo1 = RLBand2->Adicionar<bandas::InfoSistema>(QStringLiteral("RLSystemInfo1"),
                                                          QRectF(605, 38, 110, 14),
                                                          bandas::InfoSistema::Tipo::NumeroPagina);
  RLSystemInfo1->alinhamento = Alinhamento::Direita;
  RLSystemInfo2 = RLBand2->Adicionar<bandas::InfoSistema>(QStringLiteral("RLSystemInfo2"),
                                                          QRectF(681, 65, 34, 14),
                                                          bandas::InfoSistema::Tipo::DataHora);
  RLSystemInfo2->alinhamento = Alinhamento::Direita;
}

void TfrmImpressao::CriarTextos() {
  RLBand1 = RLReport1->AdicionarBanda(QStringLiteral("RLBand1"), TipoBanda::Cabecalho, 70);
  RLBand1->bordas.base = true;
  RLLabel1 = Rotulo(RLBand1, "RLLabel1", QRectF(50, 8, 46, 14), QStringLiteral("Projeto:"), true,
                    Alinhamento::Direita);
  RLLabel2 = Rotulo(RLBand1, "RLLabel2", QRectF(19, 28, 77, 14), QStringLiteral("Responsável:"),
                    true, Alinhamento::Direita);
  RLLabel3 = Rotulo(RLBand1, "RLLabel3", QRectF(26, 48, 70, 14), QStringLiteral("Tratamento:"),
                    true, Alinhamento::Direita);
  lblPro = Rotulo(RLBand1, "lblPro", QRectF(107, 8, 570, 14), QString(), false);
  lblPro->autoTamanho = false;
  lblRes = Rotulo(RLBand1, "lblRes", QRectF(107, 28, 570, 14), QString(), false);
  lblRes->autoTamanho = false;
  memTra = RLBand1->Adicionar<bandas::Memo>(QStringLiteral("memTra"), QRectF(107, 48, 570, 14));
}

void TfrmImpressao::CriarGrupo() {
  bndOlhoDeLombo =
      RLReport1->AdicionarGrupo(QStringLiteral("bndOlhoDeLombo"), QStringLiteral("NOME"));
  RLBand3 = bndOlhoDeLombo->Adicionar(QStringLiteral("RLBand3"), TipoBanda::CabecalhoColuna, 30);
  RLLabel8 =
      Rotulo(RLBand3, "RLLabel8", QRectF(45, 8, 51, 14), kImagem, true, Alinhamento::Direita);
  RLDBMemo1 = RLBand3->Adicionar<bandas::MemoDados>(
      QStringLiteral("RLDBMemo1"), QRectF(107, 8, 435, 14), QStringLiteral("NOME"));
  RLLabel10 =
      Rotulo(RLBand3, "RLLabel10", QRectF(575, 8, 64, 14), kArea, true, Alinhamento::Direita);
  RLDBText2 = RLBand3->Adicionar<bandas::TextoDados>(
      QStringLiteral("RLDBText2"), QRectF(655, 8, 60, 14), QStringLiteral("AREA_COB"));

  RLBand4 = bndOlhoDeLombo->Adicionar(QStringLiteral("RLBand4"), TipoBanda::Detalhe, 16);
  RLLabel4 =
      Rotulo(RLBand4, "RLLabel4", QRectF(107, 1, 51, 14), QStringLiteral("# Figura 1"), false);
  RLLabel9 = Rotulo(RLBand4, "RLLabel9", QRectF(575, 1, 64, 14), kArea, true, Alinhamento::Direita);
  RLDBText1 = RLBand4->Adicionar<bandas::TextoDados>(
      QStringLiteral("RLDBText1"), QRectF(655, 1, 60, 14), QStringLiteral("AREA_COB"));
}

void TfrmImpressao::CriarAreaFoliar() {
  bndAreaFoliar =
      RLReport1->AdicionarBanda(QStringLiteral("bndAreaFoliar"), TipoBanda::Detalhe, 30);
  RLLabel11 = Rotulo(bndAreaFoliar, "RLLabel11", QRectF(45, 8, 51, 14), kImagem, true,
                     Alinhamento::Direita);
  RLDBMemo2 = bndAreaFoliar->Adicionar<bandas::MemoDados>(
      QStringLiteral("RLDBMemo2"), QRectF(107, 8, 435, 14), QStringLiteral("NOME"));
  RLLabel12 =
      Rotulo(bndAreaFoliar, "RLLabel12", QRectF(575, 8, 64, 14), kArea, true, Alinhamento::Direita);
  RLDBText3 = bndAreaFoliar->Adicionar<bandas::TextoDados>(
      QStringLiteral("RLDBText3"), QRectF(655, 8, 60, 14), QStringLiteral("AREA_COB"));
}

void TfrmImpressao::CriarTotais() {
  bndAOL = RLReport1->AdicionarBanda(QStringLiteral("bndAOL"), TipoBanda::Sumario, 63);
  bndAOL->bordas.topo = true;
  RLLabel7 =
      Rotulo(bndAOL, "RLLabel7", QRectF(449, 8, 190, 14),
             QStringLiteral("Área de olho de lombo total (cm²):"), true, Alinhamento::Direita);
  RLDBResult1 = bndAOL->Adicionar<bandas::SomaDados>(
      QStringLiteral("RLDBResult1"), QRectF(655, 8, 92, 14), QStringLiteral("AREA_COB"));
  RLLabel20 = Rotulo(bndAOL, "RLLabel20", QRectF(526, 28, 113, 14),
                     QStringLiteral("Número de animais:"), true, Alinhamento::Direita);
  lblNum_Animais = Rotulo(bndAOL, "lblNum_Animais", QRectF(655, 28, 78, 14), QString(), false);
  RLLabel21 = Rotulo(bndAOL, "RLLabel21", QRectF(471, 48, 168, 14),
                     QStringLiteral("Área de olho de lombo média:"), true, Alinhamento::Direita);
  lblAOL = Rotulo(bndAOL, "lblAOL", QRectF(655, 48, 35, 14), QString(), false);

  bndIAF = RLReport1->AdicionarBanda(QStringLiteral("bndIAF"), TipoBanda::Sumario, 63);
  bndIAF->bordas.topo = true;
  RLLabel15 = Rotulo(bndIAF, "RLLabel15", QRectF(517, 8, 122, 14),
                     QStringLiteral("Área foliar total (cm²):"), true, Alinhamento::Direita);
  RLDBResult2 = bndIAF->Adicionar<bandas::SomaDados>(
      QStringLiteral("RLDBResult2"), QRectF(655, 8, 92, 14), QStringLiteral("AREA_COB"));
  RLLabel18 = Rotulo(bndIAF, "RLLabel18", QRectF(513, 28, 126, 14),
                     QStringLiteral("Área amostrada (cm²):"), true, Alinhamento::Direita);
  lblArea_Amostrada =
      Rotulo(bndIAF, "lblArea_Amostrada", QRectF(655, 28, 96, 14), QString(), false);
  RLLabel19 = Rotulo(bndIAF, "RLLabel19", QRectF(525, 48, 114, 14),
                     QStringLiteral("Índice de área foliar:"), true, Alinhamento::Direita);
  lblIAF = Rotulo(bndIAF, "lblIAF", QRectF(655, 48, 29, 14), QString(), false);
}

void TfrmImpressao::LigarEventos() {
  bndOlhoDeLombo->antesImprimir = [this](bool& p) { bndOlhoDeLomboBeforePrint(p); };
  RLBand4->antesImprimir = [this](bool& p) { RLBand4BeforePrint(p); };
  RLLabel4->antesImprimir = [this](QString& t, bool& p) { RLLabel4BeforePrint(t, p); };
  lblArea_Amostrada->antesImprimir = [this](QString& t, bool& p) {
    lblArea_AmostradaBeforePrint(t, p);
  };
  lblIAF->antesImprimir = [this](QString& t, bool& p) { lblIAFBeforePrint(t, p); };
  lblNum_Animais->antesImprimir = [this](QString& t, bool& p) { lblNum_AnimaisBeforePrint(t, p); };
  lblAOL->antesImprimir = [this](QString& t, bool& p) { lblAOLBeforePrint(t, p); };
}

void TfrmImpressao::Preparar() {
  FContador = 0;
  RLReport1->Preparar(CDSImp);
}

void TfrmImpressao::Visualizar(QWidget* Pai) {
  Preparar();
  Previa previa(*RLReport1, fltPDF, Pai);
  ExecutarDialogo(previa);
}

void TfrmImpressao::bndOlhoDeLomboBeforePrint(bool&) {
  FContador = 0;
}

void TfrmImpressao::RLBand4BeforePrint(bool&) {
  ++FContador;
}

void TfrmImpressao::RLLabel4BeforePrint(QString& Text, bool&) {
  Text = QStringLiteral("# Olho de Lombo %1").arg(FContador);
}

void TfrmImpressao::lblArea_AmostradaBeforePrint(QString& Text, bool&) {
  Text = FormatarArea(FAreaAmostrada);
}

void TfrmImpressao::lblIAFBeforePrint(QString& Text, bool&) {
  // A sampled area of 0 (also under a total of 0) and any quotient that is not a finite number
  // print as an error, never as an infinity or a not-a-number.
  const double total = RLDBResult2->Valor();
  const double indice = FAreaAmostrada != 0 ? total / FAreaAmostrada : NAN;
  Text = std::isfinite(indice) ? FormatarArea(indice) : kErro;
}

void TfrmImpressao::lblNum_AnimaisBeforePrint(QString& Text, bool&) {
  Text = FormatarArea(FTotal);
}

void TfrmImpressao::lblAOLBeforePrint(QString& Text, bool&) {
  const double total = RLDBResult1->Valor();
  const double media = FTotal != 0 ? total / double(FTotal) : NAN;
  Text = std::isfinite(media) ? FormatarArea(media) : kErro;
}

}  // namespace velmo

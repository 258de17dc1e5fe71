#pragma once
// The analysis report document: the rows of the last run's measurements and the A4 layout that
// prints them (title block, header texts, one line per image or one group per loin-eye image, the
// totals of the method). It is never shown; the report header page creates it, fills `lblPro`,
// `lblRes` and `memTra`, calls `Visualizar` and destroys it. It reads the measurement objects
// only while it is created; they stay with their owner.

#include <QString>
#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

#include "bandas.h"
#include "previa.h"

class QWidget;

namespace velmo {

class TAreaFoliar;
class TProcessaOlhoDeLombro;

// What the report reads of the analysis state. A null slot stands for a measurement that failed
// and gives no row.
struct TDadosAnalise {
  uint8_t Metodo = 0;
  double AreaAmostrada = 0;
  std::vector<const TAreaFoliar*> AreasFoliares;
  std::vector<const TProcessaOlhoDeLombro*> OlhosDeLombo;
};

// One report row; an empty optional is an empty field.
struct TLinhaImpressao {
  QString NOME;
  std::optional<double> AREA_TOT;
  std::optional<double> AREA_COB;
  std::optional<double> AREA_IGN;
  std::optional<double> AREA_COR;
};

// The main window's analysis state now; empty data (method 0) without a main window.
TDadosAnalise LerAnalise();

constexpr int kTamanhoNome = 255;

// The rows in printed order: methods 0, 1 and 2 one row per leaf measurement in image order;
// method 3, per image in order, its counted regions from the last to the first. `Total` gets the
// number of counted regions (0 for the leaf methods).
std::vector<TLinhaImpressao> MontarLinhas(const TDadosAnalise& Dados, int32_t& Total);

// "#,###,##0.0000" with the locale's separators: 1.000,2500 in Brazilian Portuguese.
QString FormatarArea(double Valor);

class TfrmImpressao {
 public:
  // Builds the rows and the layout for the method (FormCreate).
  explicit TfrmImpressao(const TDadosAnalise& Dados);
  ~TfrmImpressao();  // FormDestroy
  TfrmImpressao(const TfrmImpressao&) = delete;
  TfrmImpressao& operator=(const TfrmImpressao&) = delete;

  // Prepares the pages and shows them in the modal preview; returns when it is closed.
  void Visualizar(QWidget* Pai);
  // Prepares the pages without showing them.
  void Preparar();

  QString Caption;
  std::unique_ptr<bandas::Relatorio> RLReport1;
  bandas::Tabela<TLinhaImpressao> CDSImp;
  FiltroPdf fltPDF;

  bandas::Banda* RLBand2 = nullptr;
  bandas::Banda* RLBand1 = nullptr;
  bandas::Grupo* bndOlhoDeLombo = nullptr;
  bandas::Banda* RLBand3 = nullptr;
  bandas::Banda* RLBand4 = nullptr;
  bandas::Banda* bndAreaFoliar = nullptr;
  bandas::Banda* bndAOL = nullptr;
  bandas::Banda* bndIAF = nullptr;

  bandas::Imagem* imgImpressao = nullptr;
  bandas::Rotulo* RLLabel5 = nullptr;
  bandas::Rotulo* RLLabel6 = nullptr;
  bandas::Rotulo* lblTitulo = nullptr;
  bandas::InfoSistema* RLSystemInfo1 = nullptr;
  bandas::InfoSistema* RLSystemInfo2 = nullptr;
  bandas::Rotulo* RLLabel1 = nullptr;
  bandas::Rotulo* RLLabel2 = nullptr;
  bandas::Rotulo* RLLabel3 = nullptr;
  bandas::Rotulo* lblPro = nullptr;
  bandas::Rotulo* lblRes = nullptr;
  bandas::Memo* memTra = nullptr;
  bandas::Rotulo* RLLabel8 = nullptr;
  bandas::MemoDados* RLDBMemo1 = nullptr;
  bandas::Rotulo* RLLabel10 = nullptr;
  bandas::TextoDados* RLDBText2 = nullptr;
  bandas::Rotulo* RLLabel4 = nullptr;
  bandas::Rotulo* RLLabel9 = nullptr;
  bandas::TextoDados* RLDBText1 = nullptr;
  bandas::Rotulo* RLLabel11 = nullptr;
  bandas::MemoDados* RLDBMemo2 = nullptr;
  bandas::Rotulo* RLLabel12 = nullptr;
  bandas::TextoDados* RLDBText3 = nullptr;
  bandas::Rotulo* RLLabel7 = nullptr;
  bandas::SomaDados* RLDBResult1 = nullptr;
  bandas::Rotulo* RLLabel20 = nullptr;
  bandas::Rotulo* lblNum_Animais = nullptr;
  bandas::Rotulo* RLLabel21 = nullptr;
  bandas::Rotulo* lblAOL = nullptr;
  bandas::Rotulo* RLLabel15 = nullptr;
  bandas::SomaDados* RLDBResult2 = nullptr;
  bandas::Rotulo* RLLabel18 = nullptr;
  bandas::Rotulo* lblArea_Amostrada = nullptr;
  bandas::Rotulo* RLLabel19 = nullptr;
  bandas::Rotulo* lblIAF = nullptr;

 private:
  void FormCreate(const TDadosAnalise& Dados);
  void CriarCampos();
  void CriarCabecalho();
  void CriarTextos();
  void CriarGrupo();
  void CriarAreaFoliar();
  void CriarTotais();
  void LigarEventos();

  void bndOlhoDeLomboBeforePrint(bool& PrintIt);
  void RLBand4BeforePrint(bool& PrintIt);
  void RLLabel4BeforePrint(QString& Text, bool& PrintIt);
  void lblArea_AmostradaBeforePrint(QString& Text, bool& PrintIt);
  void lblIAFBeforePrint(QString& Text, bool& PrintIt);
  void lblNum_AnimaisBeforePrint(QString& Text, bool& PrintIt);
  void lblAOLBeforePrint(QString& Text, bool& PrintIt);

  uint8_t FMetodo = 0;
  double FAreaAmostrada = 0;
  int32_t FTotal = 0;     // counted loin-eye regions over all images: the number of animals
  int32_t FContador = 0;  // line number within the current loin-eye group
};

// The live report document, or null.
extern TfrmImpressao* frmImpressao;

}  // namespace velmo

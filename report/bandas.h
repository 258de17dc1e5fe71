#pragma once
// A small band report engine on QPainter. A report is a list of bands and groups laid out on A4
// portrait pages of 794 × 1123 layout units (96 per inch): page-header bands on every page, a group
// that starts whenever a field's value changes (its column-header bands, then its detail bands per
// row), detail bands per row, and summary bands after the last row. `Preparar` walks the rows,
// runs the before-print hooks (a band's before its controls') and fixes every page; `Desenhar`
// then draws one page on any painter, so the preview, the PDF writer, the printer and a QImage
// all show the same pages. The report owns its bands and controls; the dataset belongs to the
// caller and must outlive `Preparar`.

#include <QDateTime>
#include <QFont>
#include <QImage>
#include <QLineF>
#include <QRectF>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <functional>
#include <memory>
#include <stdexcept>
#include <vector>

class QPainter;

namespace velmo::bandas {

constexpr int kLarguraPagina = 794;
constexpr int kAlturaPagina = 1123;

enum class Alinhamento { Esquerda, Direita, Centro };

// A control's hook sees the text about to be printed and may replace it, or clear `Imprimir`.
using AntesImprimirControle = std::function<void(QString& Texto, bool& Imprimir)>;
using AntesImprimirBanda = std::function<void(bool& Imprimir)>;

// The rows a report walks, from the first to the last.
class ConjuntoDados {
 public:
  virtual ~ConjuntoDados() = default;
  virtual int Linhas() const = 0;
  // The field's value on `linha`; an invalid QVariant when the field is empty.
  virtual QVariant Valor(int linha, const QString& campo) const = 0;
  // `valor` in the field's display format.
  virtual QString Formatar(const QString& campo, const QVariant& valor) const = 0;
};

// A dataset over a vector of row structs: each field reads its value from a row and formats it.
// An unknown field name is a programming error and throws std::invalid_argument.
template <class Linha>
class Tabela : public ConjuntoDados {
 public:
  struct Campo {
    QString nome;
    std::function<QVariant(const Linha&)> ler;
    std::function<QString(const QVariant&)> formatar;  // empty: the value's plain text
  };

  std::vector<Campo> campos;
  std::vector<Linha> linhas;

  int Linhas() const override { return int(linhas.size()); }
  QVariant Valor(int linha, const QString& campo) const override {
    return Buscar(campo).ler(linhas.at(size_t(linha)));
  }
  QString Formatar(const QString& campo, const QVariant& valor) const override {
    const Campo& c = Buscar(campo);
    return c.formatar ? c.formatar(valor) : valor.toString();
  }

 private:
  const Campo& Buscar(const QString& nome) const {
    for (const Campo& c : campos)
      if (c.nome == nome)
        return c;
    throw std::invalid_argument("campo desconhecido na tabela do relatório: " + nome.toStdString());
  }
};

// A font given in layout units (pixels at 96 per inch), drawn without hinting so that its
// metrics are the same on screen, on paper and in a PDF.
QFont Fonte(const QString& familia, int pixels, bool negrito);

// What a control prints with: the current row, the page being laid out, the preparation time.
struct Contexto {
  const ConjuntoDados* dados = nullptr;
  int linha = -1;
  int pagina = 0;
  QDateTime agora;
};

class Controle {
 public:
  Controle(QString nome, QRectF caixa) : nome(std::move(nome)), caixa(caixa) {}
  virtual ~Controle() = default;

  QString nome;
  QRectF caixa;  // design position and size inside the band
  QFont fonte = Fonte(QStringLiteral("Arial"), 11, false);
  Alinhamento alinhamento = Alinhamento::Esquerda;
  // An auto-sized control fits its width to a one-line text, keeping the edge (or the centre) of
  // its alignment; a text that would run past the page's edge wraps and grows downwards.
  bool autoTamanho = true;
  bool visivel = true;
  AntesImprimirControle antesImprimir;

  // The text before the hook.
  virtual QString Conteudo(const Contexto& contexto) const = 0;
  // Multi-line controls keep their width, wrap their text and grow downwards.
  virtual bool MultiLinha() const { return false; }
  virtual const QImage* Figura() const { return nullptr; }
};

// A fixed text.
class Rotulo : public Controle {
 public:
  using Controle::Controle;
  QString texto;
  QString Conteudo(const Contexto&) const override { return texto; }
};

// Fixed lines of text.
class Memo : public Controle {
 public:
  using Controle::Controle;
  QStringList linhas;
  QString Conteudo(const Contexto&) const override { return linhas.join(QLatin1Char('\n')); }
  bool MultiLinha() const override { return true; }
};

// A field of the current row in its display format.
class TextoDados : public Controle {
 public:
  TextoDados(QString nome, QRectF caixa, QString campo)
      : Controle(std::move(nome), caixa), campo(std::move(campo)) {}
  QString campo;
  QString Conteudo(const Contexto& contexto) const override;
};

class MemoDados : public TextoDados {
 public:
  using TextoDados::TextoDados;
  bool MultiLinha() const override { return true; }
};

// The sum of a field over the rows walked so far, in the field's display format.
class SomaDados : public Controle {
 public:
  SomaDados(QString nome, QRectF caixa, QString campo)
      : Controle(std::move(nome), caixa), campo(std::move(campo)) {}
  QString campo;
  double Valor() const { return FValor; }
  void Zerar() { FValor = 0; }
  void Somar(const ConjuntoDados& dados, int linha);
  QString Conteudo(const Contexto& contexto) const override;

 private:
  double FValor = 0;
};

// "Página: " and the page number, or the date and time at which the report was prepared.
class InfoSistema : public Controle {
 public:
  enum class Tipo { NumeroPagina, DataHora };
  InfoSistema(QString nome, QRectF caixa, Tipo tipo)
      : Controle(std::move(nome), caixa), info(tipo) {}
  Tipo info;
  QString Conteudo(const Contexto& contexto) const override;
};

// A picture stretched into its box.
class Imagem : public Controle {
 public:
  using Controle::Controle;
  QImage figura;
  QString Conteudo(const Contexto&) const override { return {}; }
  const QImage* Figura() const override { return &figura; }
};

enum class TipoBanda { Cabecalho, CabecalhoColuna, Detalhe, Sumario };

// Lines drawn along the band's edges.
struct Bordas {
  bool topo = false;
  bool base = false;
  bool esquerda = false;
  bool direita = false;
};

class Banda {
 public:
  Banda(QString nome, TipoBanda tipo, int altura)
      : nome(std::move(nome)), tipo(tipo), altura(altura) {}

  QString nome;
  TipoBanda tipo;
  int altura;  // design height; the band grows with its texts
  bool visivel = true;
  Bordas bordas;
  AntesImprimirBanda antesImprimir;

  template <class C, class... Args>
  C* Adicionar(Args&&... args) {
    auto controle = std::make_unique<C>(std::forward<Args>(args)...);
    C* c = controle.get();
    FControles.push_back(std::move(controle));
    return c;
  }
  const std::vector<std::unique_ptr<Controle>>& Controles() const { return FControles; }

 private:
  std::vector<std::unique_ptr<Controle>> FControles;
};

// Consecutive rows with the same value of `campo` form one group: its hook and column-header
// bands run at the group's start, its detail bands once per row.
class Grupo {
 public:
  Grupo(QString nome, QString campo) : nome(std::move(nome)), campo(std::move(campo)) {}

  QString nome;
  QString campo;
  bool visivel = true;
  AntesImprimirBanda antesImprimir;

  Banda* Adicionar(QString nome, TipoBanda tipo, int altura);
  const std::vector<std::unique_ptr<Banda>>& Bandas() const { return FBandas; }

 private:
  std::vector<std::unique_ptr<Banda>> FBandas;
};

// One thing placed on a prepared page, in page layout units.
struct Item {
  enum class Tipo { Texto, Figura, Linha };
  Tipo tipo = Tipo::Texto;
  QString controle;  // the control's name; empty for a band's edge line
  QRectF caixa;
  QString texto;
  QFont fonte;
  Alinhamento alinhamento = Alinhamento::Esquerda;
  bool quebrar = false;   // wrap at the box's width
  bool recortar = false;  // a fixed one-line box cuts what does not fit
  QImage figura;
  QLineF linha;
};

class Relatorio {
 public:
  // Every band starts at `esquerda` and is `largura` wide; pages run from `topo` to the page
  // height less `base`.
  int esquerda = 38;
  int topo = 38;
  int largura = 718;
  int base = 38;

  Banda* AdicionarBanda(QString nome, TipoBanda tipo, int altura);
  Grupo* AdicionarGrupo(QString nome, QString campo);

  // The control of that name in any band, or null.
  Controle* BuscarControle(const QString& nome) const;

  // Walks every row of `dados` and lays out all pages. Hooks run here, once per printed band.
  void Preparar(const ConjuntoDados& dados);
  int Paginas() const { return int(FPaginas.size()); }
  const std::vector<Item>& Itens(int pagina) const { return FPaginas.at(size_t(pagina)); }
  // Draws page `pagina` (from 0) scaled to fit the painter's device.
  void Desenhar(QPainter& painter, int pagina) const;

 private:
  struct Elemento {
    std::unique_ptr<Banda> banda;
    std::unique_ptr<Grupo> grupo;
  };
  std::vector<const Banda*> TodasAsBandas() const;

  std::vector<Elemento> FElementos;
  std::vector<std::vector<Item>> FPaginas;
};

}  // namespace velmo::bandas

#include "bandas.h"

#include <QLocale>
#include <QPaintDevice>
#include <QPainter>
#include <QTextLayout>
#include <algorithm>
#include <optional>

namespace velmo::bandas {

namespace {

// Wider than any page: the width a text is laid out in when it must not wrap.
constexpr qreal kSemLimite = 100000;

Qt::Alignment Alinhar(Alinhamento a) {
  switch (a) {
    case Alinhamento::Direita:
      return Qt::AlignRight;
    case Alinhamento::Centro:
      return Qt::AlignHCenter;
    case Alinhamento::Esquerda:
      break;
  }
  return Qt::AlignLeft;
}

// A text laid out in lines from y 0, one layout per paragraph. Measuring and drawing both go
// through here, so a box is exactly as high as what is drawn in it.
struct Disposicao {
  std::vector<std::unique_ptr<QTextLayout>> paragrafos;
  qreal altura = 0;
  qreal largura = 0;  // the widest line's natural width
};

Disposicao Dispor(const QString& texto, const QFont& fonte, qreal largura, bool quebrar,
                  Alinhamento alinhamento) {
  Disposicao d;
  QTextOption opcao(Alinhar(alinhamento));
  // A path has no spaces: it breaks between words where it can, anywhere where it must.
  opcao.setWrapMode(quebrar ? QTextOption::WrapAtWordBoundaryOrAnywhere : QTextOption::NoWrap);
  for (const QString& paragrafo : texto.split(QLatin1Char('\n'))) {
    auto layout = std::make_unique<QTextLayout>(paragrafo, fonte);
    layout->setTextOption(opcao);
    layout->beginLayout();
    for (QTextLine linha = layout->createLine(); linha.isValid(); linha = layout->createLine()) {
      linha.setLineWidth(largura);
      linha.setPosition(QPointF(0, d.altura));
      d.altura += linha.height();
      d.largura = std::max(d.largura, linha.naturalTextWidth());
    }
    layout->endLayout();
    d.paragrafos.push_back(std::move(layout));
  }
  return d;
}

// A band laid out at the origin, its hooks already run.
struct BandaPreparada {
  qreal altura = 0;
  std::vector<Item> itens;
};

// The text item of a control: auto-sized labels take the width of their text up to `direita`,
// multi-line controls keep their width, and both grow downwards when their text needs more lines.
Item ItemDeTexto(const Controle& c, const QString& texto, qreal direita) {
  Item item;
  item.controle = c.nome;
  item.caixa = c.caixa;
  item.texto = texto;
  item.fonte = c.fonte;
  item.alinhamento = c.alinhamento;
  item.quebrar = c.MultiLinha();
  if (!c.MultiLinha() && c.autoTamanho) {
    const qreal centro = c.caixa.center().x();
    const qreal maximo = c.alinhamento == Alinhamento::Esquerda ? direita - c.caixa.left()
                         : c.alinhamento == Alinhamento::Direita
                             ? c.caixa.right()
                             : 2 * std::min(centro, direita - centro);
    qreal largura = Dispor(texto, c.fonte, kSemLimite, false, c.alinhamento).largura;
    if (largura > maximo) {
      largura = std::max<qreal>(maximo, 1);
      item.quebrar = true;
    }
    switch (c.alinhamento) {
      case Alinhamento::Esquerda:
        item.caixa.setWidth(largura);
        break;
      case Alinhamento::Direita:
        item.caixa.setLeft(c.caixa.right() - largura);
        break;
      case Alinhamento::Centro:
        item.caixa.setLeft(centro - largura / 2);
        item.caixa.setWidth(largura);
        break;
    }
  }
  if (item.quebrar) {
    const qreal altura = Dispor(texto, c.fonte, item.caixa.width(), true, c.alinhamento).altura;
    item.caixa.setHeight(std::max(item.caixa.height(), altura));
  }
  item.recortar = !item.quebrar && !c.autoTamanho;
  return item;
}

// `direita` is how far right of the band's left edge a text may run: the page's edge.
std::optional<BandaPreparada> PrepararBanda(const Banda& banda, const Contexto& contexto,
                                            qreal largura, qreal direita) {
  bool imprimir = true;
  if (banda.antesImprimir)
    banda.antesImprimir(imprimir);
  if (!imprimir)
    return std::nullopt;
  BandaPreparada p;
  p.altura = banda.altura;
  for (const auto& c : banda.Controles()) {
    if (!c->visivel)
      continue;
    QString texto = c->Conteudo(contexto);
    bool imprimirControle = true;
    if (c->antesImprimir)
      c->antesImprimir(texto, imprimirControle);
    if (!imprimirControle)
      continue;
    Item item;
    if (const QImage* figura = c->Figura()) {
      item.tipo = Item::Tipo::Figura;
      item.controle = c->nome;
      item.caixa = c->caixa;
      item.figura = *figura;
    } else {
      item = ItemDeTexto(*c, texto, direita);
    }
    // The band keeps the space its design leaves under each control.
    const qreal folga = std::max<qreal>(0, banda.altura - c->caixa.bottom());
    p.altura = std::max(p.altura, item.caixa.bottom() + folga);
    p.itens.push_back(std::move(item));
  }
  auto linha = [&](QLineF l) {
    Item item;
    item.tipo = Item::Tipo::Linha;
    item.linha = l;
    p.itens.push_back(std::move(item));
  };
  if (banda.bordas.topo)
    linha(QLineF(0, 0, largura, 0));
  if (banda.bordas.base)
    linha(QLineF(0, p.altura, largura, p.altura));
  if (banda.bordas.esquerda)
    linha(QLineF(0, 0, 0, p.altura));
  if (banda.bordas.direita)
    linha(QLineF(largura, 0, largura, p.altura));
  return p;
}

}  // namespace

QFont Fonte(const QString& familia, int pixels, bool negrito) {
  QFont f(familia);
  f.setPixelSize(pixels);
  f.setBold(negrito);
  f.setHintingPreference(QFont::PreferNoHinting);
  return f;
}

QString TextoDados::Conteudo(const Contexto& contexto) const {
  if (!contexto.dados || contexto.linha < 0)
    return {};
  const QVariant valor = contexto.dados->Valor(contexto.linha, campo);
  return valor.isValid() ? contexto.dados->Formatar(campo, valor) : QString();
}

void SomaDados::Somar(const ConjuntoDados& dados, int linha) {
  const QVariant valor = dados.Valor(linha, campo);
  if (valor.isValid())
    FValor += valor.toDouble();
}

QString SomaDados::Conteudo(const Contexto& contexto) const {
  return contexto.dados ? contexto.dados->Formatar(campo, FValor) : QString();
}

QString InfoSistema::Conteudo(const Contexto& contexto) const {
  if (info == Tipo::NumeroPagina)
    return QStringLiteral("Página: ") + QString::number(contexto.pagina);
  return QLocale().toString(contexto.agora, QLocale::ShortFormat);
}

Banda* Grupo::Adicionar(QString nome, TipoBanda tipo, int altura) {
  FBandas.push_back(std::make_unique<Banda>(std::move(nome), tipo, altura));
  return FBandas.back().get();
}

Banda* Relatorio::AdicionarBanda(QString nome, TipoBanda tipo, int altura) {
  Elemento e;
  e.banda = std::make_unique<Banda>(std::move(nome), tipo, altura);
  FElementos.push_back(std::move(e));
  return FElementos.back().banda.get();
}

Grupo* Relatorio::AdicionarGrupo(QString nome, QString campo) {
  Elemento e;
  e.grupo = std::make_unique<Grupo>(std::move(nome), std::move(campo));
  FElementos.push_back(std::move(e));
  return FElementos.back().grupo.get();
}

std::vector<const Banda*> Relatorio::TodasAsBandas() const {
  std::vector<const Banda*> bandas;
  for (const auto& e : FElementos) {
    if (e.banda)
      bandas.push_back(e.banda.get());
    else
      for (const auto& b : e.grupo->Bandas())
        bandas.push_back(b.get());
  }
  return bandas;
}

Controle* Relatorio::BuscarControle(const QString& nome) const {
  for (const Banda* b : TodasAsBandas())
    for (const auto& c : b->Controles())
      if (c->nome == nome)
        return c.get();
  return nullptr;
}

void Relatorio::Preparar(const ConjuntoDados& dados) {
  FPaginas.clear();
  Contexto contexto;
  contexto.dados = &dados;
  contexto.agora = QDateTime::currentDateTime();
  std::vector<SomaDados*> somas;
  for (const Banda* b : TodasAsBandas())
    for (const auto& c : b->Controles())
      if (auto* s = dynamic_cast<SomaDados*>(c.get()))
        somas.push_back(s);
  for (SomaDados* s : somas)
    s->Zerar();

  const qreal limite = kAlturaPagina - base;
  const qreal direita = kLarguraPagina - esquerda;
  qreal y = 0;
  qreal inicioCorpo = 0;                        // where this page's bands start, under its headers
  std::vector<BandaPreparada> cabecalhosGrupo;  // repeated when a group goes on to a new page

  auto colocar = [&](const BandaPreparada& p) {
    for (Item item : p.itens) {
      item.caixa.translate(esquerda, y);
      item.linha.translate(esquerda, y);
      FPaginas.back().push_back(std::move(item));
    }
    y += p.altura;
  };
  auto novaPagina = [&] {
    FPaginas.emplace_back();
    contexto.pagina = int(FPaginas.size());
    y = topo;
    for (const auto& e : FElementos)
      if (e.banda && e.banda->visivel && e.banda->tipo == TipoBanda::Cabecalho)
        if (auto p = PrepararBanda(*e.banda, contexto, largura, direita))
          colocar(*p);
    inicioCorpo = y;
  };
  // Bands placed together go to a new page when they do not fit the rest of this one; a page that
  // holds only its headers takes them whatever their height.
  auto colocarJuntas = [&](const std::vector<const BandaPreparada*>& juntas, bool continuaGrupo) {
    qreal altura = 0;
    for (const auto* p : juntas)
      altura += p->altura;
    if (y + altura > limite && y > inicioCorpo) {
      novaPagina();
      if (continuaGrupo)
        for (const auto& c : cabecalhosGrupo)
          colocar(c);
    }
    for (const auto* p : juntas)
      colocar(*p);
  };

  novaPagina();
  std::vector<bool> grupoImprime(FElementos.size(), false);
  for (int linha = 0; linha < dados.Linhas(); ++linha) {
    contexto.linha = linha;
    for (SomaDados* s : somas)
      s->Somar(dados, linha);
    for (size_t i = 0; i < FElementos.size(); ++i) {
      const Elemento& e = FElementos[i];
      if (e.banda) {
        if (e.banda->visivel && e.banda->tipo == TipoBanda::Detalhe)
          if (auto p = PrepararBanda(*e.banda, contexto, largura, direita))
            colocarJuntas({&*p}, false);
        continue;
      }
      const Grupo& g = *e.grupo;
      if (!g.visivel)
        continue;
      std::vector<const BandaPreparada*> pendentes;
      if (linha == 0 || dados.Valor(linha, g.campo) != dados.Valor(linha - 1, g.campo)) {
        bool imprimir = true;
        if (g.antesImprimir)
          g.antesImprimir(imprimir);
        grupoImprime[i] = imprimir;
        cabecalhosGrupo.clear();
        if (imprimir)
          for (const auto& b : g.Bandas())
            if (b->visivel && b->tipo == TipoBanda::CabecalhoColuna)
              if (auto p = PrepararBanda(*b, contexto, largura, direita))
                cabecalhosGrupo.push_back(std::move(*p));
        for (const auto& c : cabecalhosGrupo)
          pendentes.push_back(&c);
      }
      if (!grupoImprime[i])
        continue;
      // A column header stays on the page of the group's first line.
      for (const auto& b : g.Bandas()) {
        if (!b->visivel || b->tipo != TipoBanda::Detalhe)
          continue;
        if (auto p = PrepararBanda(*b, contexto, largura, direita)) {
          pendentes.push_back(&*p);
          colocarJuntas(pendentes, pendentes.size() == 1);
          pendentes.clear();
        }
      }
      if (!pendentes.empty())
        colocarJuntas(pendentes, false);
    }
  }
  contexto.linha = dados.Linhas() - 1;
  for (const auto& e : FElementos)
    if (e.banda && e.banda->visivel && e.banda->tipo == TipoBanda::Sumario)
      if (auto p = PrepararBanda(*e.banda, contexto, largura, direita))
        colocarJuntas({&*p}, false);
}

void Relatorio::Desenhar(QPainter& painter, int pagina) const {
  const QPaintDevice* dispositivo = painter.device();
  const qreal escala = std::min(dispositivo->width() / qreal(kLarguraPagina),
                                dispositivo->height() / qreal(kAlturaPagina));
  painter.save();
  painter.scale(escala, escala);
  painter.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing |
                         QPainter::SmoothPixmapTransform);
  painter.setPen(QPen(Qt::black, 1));
  for (const Item& item : Itens(pagina)) {
    switch (item.tipo) {
      case Item::Tipo::Texto: {
        painter.save();
        if (item.recortar)
          painter.setClipRect(item.caixa);
        const auto d =
            Dispor(item.texto, item.fonte, item.caixa.width(), item.quebrar, item.alinhamento);
        for (const auto& p : d.paragrafos)
          p->draw(&painter, item.caixa.topLeft());
        painter.restore();
        break;
      }
      case Item::Tipo::Figura:
        painter.drawImage(item.caixa, item.figura);
        break;
      case Item::Tipo::Linha:
        painter.drawLine(item.linha);
        break;
    }
  }
  painter.restore();
}

}  // namespace velmo::bandas

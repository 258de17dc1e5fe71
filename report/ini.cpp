#include "ini.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStandardPaths>
#include <array>

namespace velmo {

namespace {

// Bytes 0x80 to 0x9F of Windows-1252; 0 marks the five bytes the code page leaves undefined,
// which read as the C1 control of the same number. Every other byte is its Latin-1 character.
constexpr std::array<char16_t, 32> kFaixa80 = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

const QByteArray kChaveResponsavel = QByteArray("RESP") + char(0xC1) + QByteArray("NSAVEL");

QString CaminhoArquivo(const QString& pasta) {
  return QDir(pasta).filePath(kArquivoConfiguracao);
}

bool GravarEm(const QString& pasta, const QByteArray& conteudo) {
  if (pasta.isEmpty() || !QDir().mkpath(pasta))
    return false;
  QSaveFile arquivo(CaminhoArquivo(pasta));
  if (!arquivo.open(QIODevice::WriteOnly))
    return false;
  if (arquivo.write(conteudo) != conteudo.size()) {
    arquivo.cancelWriting();
    return false;
  }
  return arquivo.commit();
}

}  // namespace

QByteArray ParaWindows1252(const QString& texto) {
  QByteArray bytes;
  bytes.reserve(texto.size());
  for (QChar c : texto) {
    const char16_t u = c.unicode();
    if (u < 0x80 || (u >= 0xA0 && u <= 0xFF)) {
      bytes.append(char(u));
      continue;
    }
    char b = '?';
    for (size_t i = 0; i < kFaixa80.size(); ++i) {
      if (kFaixa80[i] == u || (kFaixa80[i] == 0 && u == 0x80 + i)) {
        b = char(0x80 + i);
        break;
      }
    }
    bytes.append(b);
  }
  return bytes;
}

QString DeWindows1252(const QByteArray& bytes) {
  QString texto;
  texto.reserve(bytes.size());
  for (char c : bytes) {
    const auto b = uint8_t(c);
    const char16_t u = b >= 0x80 && b < 0xA0 && kFaixa80[b - 0x80] ? kFaixa80[b - 0x80] : b;
    texto.append(QChar(u));
  }
  return texto;
}

QString Aparar(const QString& texto) {
  qsizetype inicio = 0;
  qsizetype fim = texto.size();
  while (inicio < fim && texto[inicio].unicode() <= 0x20)
    ++inicio;
  while (fim > inicio && texto[fim - 1].unicode() <= 0x20)
    --fim;
  return texto.mid(inicio, fim - inicio);
}

QString LerValorIni(const QByteArray& conteudo, const QString& secao, const QString& chave) {
  const QString texto = DeWindows1252(conteudo);
  bool naSecao = false;
  qsizetype inicio = 0;
  while (inicio <= texto.size()) {
    qsizetype fim = inicio;
    while (fim < texto.size() && texto[fim] != QLatin1Char('\r') && texto[fim] != QLatin1Char('\n'))
      ++fim;
    const QString linha = Aparar(texto.mid(inicio, fim - inicio));
    if (linha.startsWith(QLatin1Char('['))) {
      const qsizetype fecha = linha.indexOf(QLatin1Char(']'));
      const QString nome = Aparar(linha.mid(1, fecha < 0 ? -1 : fecha - 1));
      naSecao = nome.compare(secao, Qt::CaseInsensitive) == 0;
    } else if (naSecao) {
      const qsizetype igual = linha.indexOf(QLatin1Char('='));
      if (igual > 0 && Aparar(linha.left(igual)).compare(chave, Qt::CaseInsensitive) == 0)
        return Aparar(linha.mid(igual + 1)).left(kTamanhoValorIni);
    }
    // A CR LF pair ends one line, not two.
    if (fim + 1 < texto.size() && texto[fim] == QLatin1Char('\r') &&
        texto[fim + 1] == QLatin1Char('\n'))
      ++fim;
    inicio = fim + 1;
  }
  return {};
}

QByteArray MontarIni(const TTextosRelatorio& textos) {
  // A value keeps its inner line breaks, as CR LF; only its first line reads back.
  auto valor = [](const QString& v) {
    QString s = Aparar(v);
    s.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    s.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    s.replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
    return ParaWindows1252(s);
  };
  QByteArray b;
  b += '[' + ParaWindows1252(kTituloAplicacao) + "]\r\n";
  b += kChaveResponsavel + '=' + valor(textos.Responsavel) + "\r\n";
  b += "PROJETO=" + valor(textos.Projeto) + "\r\n";
  b += "TRATAMENTO=" + valor(textos.Tratamento) + "\r\n";
  return b;
}

ConfiguracaoRelatorio ConfiguracaoRelatorio::Padrao() {
  return ConfiguracaoRelatorio(QCoreApplication::applicationDirPath(),
                               QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation));
}

TTextosRelatorio ConfiguracaoRelatorio::Ler() const {
  // When the executable's folder holds a file but cannot be written, saves land in the user's
  // folder: the newer of the two files is the one the user saved last. On a tie the executable's
  // folder wins.
  QString caminho;
  QDateTime maisNovo;
  for (const QString& pasta : {FPastaExecutavel, FPastaUsuario}) {
    const QFileInfo info(CaminhoArquivo(pasta));
    if (!pasta.isEmpty() && info.isFile() &&
        (caminho.isEmpty() || info.lastModified() > maisNovo)) {
      caminho = info.filePath();
      maisNovo = info.lastModified();
    }
  }
  QFile arquivo(caminho);
  if (caminho.isEmpty() || !arquivo.open(QIODevice::ReadOnly))
    return {};
  const QByteArray conteudo = arquivo.readAll();
  const QString responsavel = DeWindows1252(kChaveResponsavel);
  return {LerValorIni(conteudo, kTituloAplicacao, responsavel),
          LerValorIni(conteudo, kTituloAplicacao, QStringLiteral("PROJETO")),
          LerValorIni(conteudo, kTituloAplicacao, QStringLiteral("TRATAMENTO"))};
}

void ConfiguracaoRelatorio::Gravar(const TTextosRelatorio& textos) const {
  const QByteArray conteudo = MontarIni(textos);
  if (GravarEm(FPastaExecutavel, conteudo))
    return;
  if (GravarEm(FPastaUsuario, conteudo))
    return;
  throw ErroGravacaoIni(
      QDir::toNativeSeparators(FPastaUsuario.isEmpty() ? FPastaExecutavel : FPastaUsuario));
}

}  // namespace velmo

#pragma once
// The report header settings file "velmo_relatorio.ini": one section named after the application
// title with the keys RESPONSÁVEL, PROJETO and TRATAMENTO, in Windows-1252 with CR LF line ends.
// It is read from whichever of the executable's folder and the user's configuration folder holds
// the newer file; it is written to the executable's folder when that works, else to the
// user's configuration folder, always as a new file that then replaces the old one.

#include <QByteArray>
#include <QString>
#include <stdexcept>

namespace velmo {

inline const QString kTituloAplicacao = QStringLiteral("VELMO - Arvelim");
inline const QString kArquivoConfiguracao = QStringLiteral("velmo_relatorio.ini");

// The longest value read back, as a 2,048-byte buffer with its terminator would hold.
constexpr int kTamanhoValorIni = 2047;

struct TTextosRelatorio {
  QString Responsavel;
  QString Projeto;
  QString Tratamento;
};

// Text to Windows-1252 and back; characters that code page lacks become '?'.
QByteArray ParaWindows1252(const QString& texto);
QString DeWindows1252(const QByteArray& bytes);

// Removes leading and trailing blanks and control characters (everything up to U+0020).
QString Aparar(const QString& texto);

// The value of `chave` in `secao` of an INI text (names compared without regard to case; the
// first occurrence wins), up to the end of its line, trimmed, at most 2,047 characters; empty
// when the section or the key is missing.
QString LerValorIni(const QByteArray& conteudo, const QString& secao, const QString& chave);

// The whole file for `textos`: the section line and the three keys, values trimmed.
QByteArray MontarIni(const TTextosRelatorio& textos);

// Raised when neither folder can be written; `Pasta` is the folder of the last attempt.
class ErroGravacaoIni : public std::runtime_error {
 public:
  explicit ErroGravacaoIni(QString pasta)
      : std::runtime_error("não foi possível gravar em " + pasta.toStdString()),
        Pasta(std::move(pasta)) {}
  QString Pasta;
};

class ConfiguracaoRelatorio {
 public:
  // The executable's folder and the user's configuration folder.
  static ConfiguracaoRelatorio Padrao();
  ConfiguracaoRelatorio(QString pastaExecutavel, QString pastaUsuario)
      : FPastaExecutavel(std::move(pastaExecutavel)), FPastaUsuario(std::move(pastaUsuario)) {}

  // Empty texts when no file can be read.
  TTextosRelatorio Ler() const;
  // Throws ErroGravacaoIni when no folder takes the file.
  void Gravar(const TTextosRelatorio& textos) const;

  const QString& PastaExecutavel() const { return FPastaExecutavel; }
  const QString& PastaUsuario() const { return FPastaUsuario; }

 private:
  QString FPastaExecutavel;
  QString FPastaUsuario;
};

}  // namespace velmo

// Builds the user manual's PDF from its HTML source, at build time:
//   gerar-manual ENTRADA.html SAIDA.pdf
// Pictures named in the HTML are read from the HTML file's folder. A screenshot that has not been
// captured yet becomes a short note in its place (and a warning here), so that the manual always
// builds.

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QPageLayout>
#include <QPdfWriter>
#include <QRegularExpression>
#include <QTextDocument>
#include <QUrl>

#include <cstdio>

int main(int argc, char* argv[]) {
  QGuiApplication aplicacao(argc, argv);
  const QStringList argumentos = QCoreApplication::arguments();
  if (argumentos.size() != 3) {
    std::fprintf(stderr, "uso: gerar-manual ENTRADA.html SAIDA.pdf\n");
    return 2;
  }
  QFile entrada(argumentos[1]);
  if (!entrada.open(QIODevice::ReadOnly)) {
    std::fprintf(stderr, "gerar-manual: não foi possível ler %s: %s\n", qPrintable(argumentos[1]),
                 qPrintable(entrada.errorString()));
    return 1;
  }
  QTextDocument documento;
  // Relative picture names resolve against the document's own address.
  documento.setMetaInformation(
      QTextDocument::DocumentUrl,
      QUrl::fromLocalFile(QFileInfo(argumentos[1]).absoluteFilePath()).toString());
  QFont fonte(QStringLiteral("Arial"));
  fonte.setPointSizeF(10);
  documento.setDefaultFont(fonte);
  QString html = QString::fromUtf8(entrada.readAll());
  const QDir pasta = QFileInfo(argumentos[1]).absoluteDir();
  static const QRegularExpression figura(QStringLiteral("<img src=\"([^\"]+)\"[^>]*>"));
  for (const auto& achado : figura.globalMatch(html)) {
    if (QFileInfo::exists(pasta.filePath(achado.captured(1))))
      continue;
    std::fprintf(stderr, "gerar-manual: aviso: figura %s ainda não capturada\n",
                 qPrintable(achado.captured(1)));
    html.replace(achado.captured(0),
                 QStringLiteral("<i>(A imagem desta página ainda não está disponível.)</i>"));
  }
  documento.setHtml(html);

  QPdfWriter pdf(argumentos[2]);
  pdf.setTitle(QStringLiteral("Manual VELMO - Arvelim"));
  pdf.setCreator(QStringLiteral("VELMO - Arvelim"));
  pdf.setResolution(300);
  pdf.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                QMarginsF(18, 16, 18, 16), QPageLayout::Millimeter));
  documento.print(&pdf);
  if (!QFileInfo(argumentos[2]).size()) {
    std::fprintf(stderr, "gerar-manual: nada foi escrito em %s\n", qPrintable(argumentos[2]));
    return 1;
  }
  return 0;
}

#include "untArqEmbutidos.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include "wizard/dialogos.h"

namespace velmo {

namespace {

const QString kRecurso = QStringLiteral(":/PDFFILE/MANUALVELMO");
const QString kNomeManual = QStringLiteral("/Manual VELMO.pdf");

// Writes the embedded manual to `caminho`. QSaveFile renames a complete file into place, so a
// failed write never leaves a truncated manual that a later request would trust.
bool GravarManual(const QString& caminho) {
  QFile recurso(kRecurso);
  if (!recurso.open(QIODevice::ReadOnly))
    return false;
  const QByteArray dados = recurso.readAll();
  QSaveFile arquivo(caminho);
  if (!arquivo.open(QIODevice::WriteOnly))
    return false;
  if (arquivo.write(dados) != dados.size()) {
    arquivo.cancelWriting();
    return false;
  }
  return arquivo.commit();
}

}  // namespace

std::function<QString()> AmbienteAjuda::PastaExecutavel = [] {
  return QCoreApplication::applicationDirPath();
};
std::function<bool(const QUrl&)> AmbienteAjuda::AbrirUrl = [](const QUrl& url) {
  return QDesktopServices::openUrl(url);
};

QString CaminhoManualTemporario() {
  QString pasta = qEnvironmentVariable("TEMP");
  if (pasta.isEmpty())
    pasta = QDir::tempPath();
  return pasta + kNomeManual;
}

bool ExtrairManual(QString& Caminho) {
  Caminho = AmbienteAjuda::PastaExecutavel() + kNomeManual;
  if (QFileInfo::exists(Caminho))
    return true;
  if (GravarManual(Caminho))
    return true;
  Caminho = CaminhoManualTemporario();
  if (QFileInfo::exists(Caminho))
    return true;
  return GravarManual(Caminho);
}

bool ExecutarArquivo(const QString& Arquivo) {
  return AmbienteAjuda::AbrirUrl(QUrl::fromLocalFile(Arquivo));
}

void AbrirAjuda() {
  QString caminho;
  if (!ExtrairManual(caminho)) {
    MostrarErro(QStringLiteral(
        "Não foi possível extrair o arquivo de ajuda pois o local em que se encontra o programa "
        "VELMO não possui permissão para gravação!\n\nPara tentar resolver esse problema, copie o "
        "programa para uma unidade que permita gravação."));
    return;
  }
  if (!ExecutarArquivo(caminho))
    MostrarErro(QStringLiteral("Não foi possível abrir o arquivo de ajuda automaticamente!\n\nPara "
                               "abrir o arquivo manualmente, vá em:\n") +
                QDir::toNativeSeparators(caminho));
}

}  // namespace velmo

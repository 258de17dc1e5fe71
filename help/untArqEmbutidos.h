#pragma once
// The user manual carried inside the program (resource :/PDFFILE/MANUALVELMO): written to disk
// on demand as "Manual VELMO.pdf", beside the executable when that folder can be written, else in
// the temporary folder, and opened with the desktop's PDF viewer. The temporary copy is removed by
// the main window when it closes. None of these routines throws.

#include <QString>
#include <QUrl>

#include <functional>

namespace velmo {

// Makes sure a copy of the manual exists and puts its full path in `Caminho`. Returns false when
// it can be written nowhere; `Caminho` then holds the temporary folder's attempt.
bool ExtrairManual(QString& Caminho);
// Asks the desktop to open `Arquivo` with its viewer; true when a viewer was started.
bool ExecutarArquivo(const QString& Arquivo);
// The "A&juda" button of every page: extracts and opens the manual, or says why it could not.
void AbrirAjuda();

// The temporary folder (TEMP when set and not empty, else the system's) + "/Manual VELMO.pdf".
QString CaminhoManualTemporario();

// What the routines ask of the system, replaceable by tests.
struct AmbienteAjuda {
  static std::function<QString()> PastaExecutavel;   // default: the executable's folder
  static std::function<bool(const QUrl&)> AbrirUrl;  // default: QDesktopServices::openUrl
};

}  // namespace velmo

// The report header settings file: exact bytes, trimming, reading rules, the two folders and the
// replacement of the old file by a new one.

#include <QDir>
#include <QFile>
#include <QtTest>
#include <filesystem>

#include "bmp_teste.h"
#include "report/ini.h"

using namespace velmo;

namespace {

QByteArray Ler(const QString& caminho) {
  QFile f(caminho);
  return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<ausente>");
}

void Escrever(const QString& caminho, const QByteArray& bytes) {
  QFile f(caminho);
  QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
  f.write(bytes);
}

}  // namespace

class IniTest : public QObject {
  Q_OBJECT

  std::unique_ptr<teste::PastaTemporaria> pasta_;
  QString exe_;
  QString usuario_;
  QString ArquivoExe() const { return exe_ + "/velmo_relatorio.ini"; }

 private slots:
  void init() {
    pasta_ = std::make_unique<teste::PastaTemporaria>();
    exe_ = QString::fromStdString((*pasta_ / "bin").string());
    usuario_ = QString::fromStdString((*pasta_ / "config/velmo").string());
    QDir().mkpath(exe_);
  }
  void cleanup() { pasta_.reset(); }

  void primeiraGravacaoByteABByte() {
    ConfiguracaoRelatorio c(exe_, usuario_);
    QCOMPARE(c.Ler().Projeto, QString());
    c.Gravar({QStringLiteral("Ana Ávila"), QStringLiteral("Soja 2026"), QStringLiteral("T1")});
    const QByteArray esperado =
        "[VELMO - Arvelim]\r\n"
        "RESP\xC1NSAVEL=Ana \xC1vila\r\n"
        "PROJETO=Soja 2026\r\n"
        "TRATAMENTO=T1\r\n";
    QCOMPARE(Ler(ArquivoExe()), esperado);
    QVERIFY(!QFile::exists(usuario_ + "/velmo_relatorio.ini"));
    const TTextosRelatorio lido = c.Ler();
    QCOMPARE(lido.Responsavel, QStringLiteral("Ana Ávila"));
    QCOMPARE(lido.Projeto, QStringLiteral("Soja 2026"));
    QCOMPARE(lido.Tratamento, QStringLiteral("T1"));
  }

  void valoresAparadosVaziosEDuasLinhas_data() {
    QTest::addColumn<QString>("digitado");
    QTest::addColumn<QByteArray>("gravado");
    QTest::addColumn<QString>("relido");
    QTest::newRow("espacos") << "  Milho  " << QByteArray("Milho") << "Milho";
    QTest::newRow("tab e controles") << "\t\x01Milho \x1f" << QByteArray("Milho") << "Milho";
    QTest::newRow("espaco interno") << " a  b " << QByteArray("a  b") << "a  b";
    QTest::newRow("vazio") << "" << QByteArray() << "";
    QTest::newRow("so espacos") << "   " << QByteArray() << "";
    QTest::newRow("duas linhas") << "Linha um\nLinha dois\n"
                                 << QByteArray("Linha um\r\nLinha dois") << "Linha um";
    QTest::newRow("acentos 1252") << "ção € “x”" << QByteArray("\xE7\xE3o \x80 \x93x\x94")
                                  << "ção € “x”";
    QTest::newRow("fora do 1252") << "Ωk" << QByteArray("?k") << "?k";
  }
  void valoresAparadosVaziosEDuasLinhas() {
    QFETCH(QString, digitado);
    QFETCH(QByteArray, gravado);
    QFETCH(QString, relido);
    ConfiguracaoRelatorio c(exe_, usuario_);
    c.Gravar({QString(), QString(), digitado});
    QVERIFY(Ler(ArquivoExe()).endsWith("TRATAMENTO=" + gravado + "\r\n"));
    QCOMPARE(c.Ler().Tratamento, relido);
  }

  void leituraDeArquivoEscritoAMao() {
    Escrever(ArquivoExe(),
             "; comentario\r\n"
             "PROJETO=fora de secao\r\n"
             "[Outra]\r\n"
             "PROJETO=de outra secao\r\n"
             "[ velmo - arvelim ]\n"
             "Extra=1\n"
             "  projeto =  Com espa\xE7os  \n"
             "PROJETO=segunda ocorrencia\n"
             "TRATAMENTO=a=b\r"
             "[Depois]\r\n"
             "RESP\xC1NSAVEL=de outra secao\r\n");
    ConfiguracaoRelatorio c(exe_, usuario_);
    const TTextosRelatorio t = c.Ler();
    QCOMPARE(t.Projeto, QStringLiteral("Com espaços"));
    QCOMPARE(t.Tratamento, QStringLiteral("a=b"));
    QCOMPARE(t.Responsavel, QString());
    // The next save leaves only the three keys of the application's section.
    c.Gravar(t);
    QCOMPARE(Ler(ArquivoExe()),
             QByteArray("[VELMO - Arvelim]\r\nRESP\xC1NSAVEL=\r\nPROJETO=Com espa\xE7os\r\n"
                        "TRATAMENTO=a=b\r\n"));
  }

  void valorLidoAte2047Caracteres() {
    Escrever(ArquivoExe(), "[VELMO - Arvelim]\r\nPROJETO=" + QByteArray(3000, 'x') + "\r\n");
    QCOMPARE(ConfiguracaoRelatorio(exe_, usuario_).Ler().Projeto, QString(2047, 'x'));
  }

  void semArquivoOuSemSecao() {
    ConfiguracaoRelatorio c(exe_, usuario_);
    QCOMPARE(c.Ler().Responsavel, QString());
    Escrever(ArquivoExe(), "[Outra]\r\nPROJETO=x\r\n");
    QCOMPARE(c.Ler().Projeto, QString());
  }

  void pastaDoExecutavelSemEscritaUsaAPastaDoUsuario() {
    // A path below a regular file is a folder that cannot be made or written, also for root.
    Escrever(exe_ + "/arquivo", "x");
    const QString bloqueada = exe_ + "/arquivo/bin";
    ConfiguracaoRelatorio c(bloqueada, usuario_);
    c.Gravar({QString(), QStringLiteral("P"), QString()});
    QVERIFY(Ler(usuario_ + "/velmo_relatorio.ini").contains("PROJETO=P\r\n"));
    QCOMPARE(c.Ler().Projeto, QStringLiteral("P"));
  }

  // A file left in an executable's folder that later became read-only must not hide every save
  // made since in the user's folder.
  void arquivoAntigoNaPastaDoExecutavelNaoEscondeOsNovos() {
    Escrever(ArquivoExe(), "[VELMO - Arvelim]\r\nPROJETO=antigo\r\n");
    QFile antigo(ArquivoExe());
    QVERIFY(antigo.open(QIODevice::ReadWrite));
    QVERIFY(antigo.setFileTime(QDateTime::currentDateTime().addDays(-1),
                               QFileDevice::FileModificationTime));
    antigo.close();
    ConfiguracaoRelatorio(exe_ + "/velmo_relatorio.ini/bin", usuario_)
        .Gravar({QString(), QStringLiteral("novo"), QString()});
    QCOMPARE(ConfiguracaoRelatorio(exe_, usuario_).Ler().Projeto, QStringLiteral("novo"));
  }

  void nenhumaPastaGravavelNomeiaAUltimaTentativa() {
    Escrever(exe_ + "/arquivo", "x");
    const QString bloqueada = exe_ + "/arquivo/bin";
    const QString usuarioBloqueado = exe_ + "/arquivo/config";
    try {
      ConfiguracaoRelatorio(bloqueada, usuarioBloqueado).Gravar({});
      QFAIL("gravou numa pasta impossível");
    } catch (const ErroGravacaoIni& e) {
      QCOMPARE(e.Pasta, usuarioBloqueado);
    }
  }

  void arquivoNovoSubstituiOAntigo() {
    ConfiguracaoRelatorio c(exe_, usuario_);
    c.Gravar({QString(), QStringLiteral("antigo"), QString()});
    // A second name for the old file: writing in place would change what it shows.
    const QString vinculo = exe_ + "/antigo.ini";
    std::filesystem::create_hard_link(ArquivoExe().toStdString(), vinculo.toStdString());
    const QByteArray antigo = Ler(vinculo);
    c.Gravar({QString(), QStringLiteral("novo"), QString()});
    QCOMPARE(Ler(vinculo), antigo);
    QCOMPARE(c.Ler().Projeto, QStringLiteral("novo"));
    QCOMPARE(QDir(exe_).entryList(QDir::Files).size(), 2);  // no temporary file left behind
  }
};

QTEST_MAIN(IniTest)
#include "ini_test.moc"

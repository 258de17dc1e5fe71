#include "SelDestino.h"

#include <QApplication>
#include <QDir>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QPainter>
#include <QPushButton>
#include <QStyle>
#include <QStyledItemDelegate>

namespace velmo {

TfrmSelDestino* frmSelDestino = nullptr;
QString TfrmSelDestino::FUltimaPasta;

namespace {

constexpr int kProfundidade = Qt::UserRole + 1;  // indentation level of an entry
constexpr int kCaminho = Qt::UserRole;           // full path the entry opens
constexpr int kRecuo = 10;                       // pixels per level

// Draws each entry indented by its depth, so the chain from the root reads as a tree.
class RecuoDelegate : public QStyledItemDelegate {
 public:
  using QStyledItemDelegate::QStyledItemDelegate;
  void paint(QPainter* painter, const QStyleOptionViewItem& option,
             const QModelIndex& index) const override {
    QStyleOptionViewItem recuado(option);
    recuado.rect.setLeft(option.rect.left() + kRecuo * index.data(kProfundidade).toInt());
    QStyledItemDelegate::paint(painter, recuado, index);
  }
  QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override {
    QSize tamanho = QStyledItemDelegate::sizeHint(option, index);
    return {tamanho.width() + kRecuo * index.data(kProfundidade).toInt(), 16};
  }
};

}  // namespace

TfrmSelDestino::TfrmSelDestino(QWidget* parent) : QDialog(parent) {
  CriarControles();
  LigarEventos();
  if (FUltimaPasta.isEmpty())
    FUltimaPasta = QDir::currentPath();
  AbrirPasta(FUltimaPasta);
}

TfrmSelDestino::~TfrmSelDestino() {
  if (frmSelDestino == this)
    frmSelDestino = nullptr;
}

void TfrmSelDestino::CriarControles() {
  setObjectName("frmSelDestino");
  setWindowTitle(" Selecione um destino");
  setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                 Qt::WindowCloseButtonHint);
  QFont fonte("Tahoma");
  fonte.setPixelSize(11);
  setFont(fonte);
  setFixedSize(320, 268);

  Label1 = new QLabel("Clique na pasta em que estão armazenadas as imagens..", this);
  Label1->setObjectName("Label1");
  Label1->setGeometry(18, 16, 273, 13);

  dlbLista = new QListWidget(this);
  dlbLista->setObjectName("dlbLista");
  dlbLista->setGeometry(18, 46, 283, 163);
  dlbLista->setItemDelegate(new RecuoDelegate(dlbLista));
  dlbLista->setIconSize({16, 16});

  btnOK = new QPushButton("&OK", this);
  btnOK->setObjectName("btnOK");
  btnOK->setGeometry(144, 227, 75, 25);

  btnCancelar = new QPushButton("&Cancelar", this);
  btnCancelar->setObjectName("btnCancelar");
  btnCancelar->setGeometry(226, 227, 75, 25);

  setTabOrder(dlbLista, btnOK);
  setTabOrder(btnOK, btnCancelar);
  dlbLista->setFocus();
}

void TfrmSelDestino::LigarEventos() {
  connect(btnOK, &QPushButton::clicked, this, &QDialog::accept);
  connect(btnCancelar, &QPushButton::clicked, this, &QDialog::reject);
  connect(dlbLista, &QListWidget::itemDoubleClicked, this, &TfrmSelDestino::dlbListaAbrir);
  // The dialog sees every key before its controls, as a form with key preview does.
  for (QWidget* controle : {static_cast<QWidget*>(dlbLista), static_cast<QWidget*>(btnOK),
                            static_cast<QWidget*>(btnCancelar)})
    controle->installEventFilter(this);
}

bool TfrmSelDestino::eventFilter(QObject* objeto, QEvent* evento) {
  if (evento->type() == QEvent::KeyPress) {
    auto* tecla = static_cast<QKeyEvent*>(evento);
    FormKeyPress(tecla);
    if (tecla->isAccepted())
      return true;
    if (objeto == dlbLista && (tecla->key() == Qt::Key_Return || tecla->key() == Qt::Key_Enter)) {
      dlbListaAbrir(dlbLista->currentItem());
      tecla->accept();  // a key left unaccepted would go on to the dialog and press "&OK"
      return true;
    }
  }
  return QDialog::eventFilter(objeto, evento);
}

void TfrmSelDestino::keyPressEvent(QKeyEvent* event) {
  FormKeyPress(event);
  if (!event->isAccepted())
    QDialog::keyPressEvent(event);
}

// Escape presses "&Cancelar"; every other key goes on to the focused control (accepted = used).
void TfrmSelDestino::FormKeyPress(QKeyEvent* event) {
  if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
    btnCancelar->click();
    event->accept();
    return;
  }
  event->ignore();
}

void TfrmSelDestino::dlbListaAbrir(QListWidgetItem* item) {
  if (item)
    AbrirPasta(item->data(kCaminho).toString());
}

void TfrmSelDestino::AbrirPasta(const QString& pasta) {
  FPasta = QDir::cleanPath(QDir(pasta).absolutePath());
  FUltimaPasta = FPasta;
  PreencherLista();
}

void TfrmSelDestino::PreencherLista() {
  dlbLista->clear();
  const QIcon aberta = style()->standardIcon(QStyle::SP_DirOpenIcon);
  const QIcon fechada = style()->standardIcon(QStyle::SP_DirClosedIcon);

  // The chain from the root to the current folder, each marked as open.
  QStringList partes = FPasta.split('/', Qt::SkipEmptyParts);
  QString caminho = "/";
  auto adicionar = [this](const QIcon& icone, const QString& texto, const QString& destino,
                          int profundidade) {
    auto* item = new QListWidgetItem(icone, texto, dlbLista);
    item->setData(kCaminho, destino);
    item->setData(kProfundidade, profundidade);
    return item;
  };
  QListWidgetItem* atual = adicionar(aberta, "/", caminho, 0);
  for (int i = 0; i < partes.size(); ++i) {
    caminho = (i == 0 ? "/" : caminho + "/") + partes[i];
    atual = adicionar(aberta, partes[i], caminho, i + 1);
  }

  // Its subfolders, by name in byte order; hidden ones are left out, as a file manager does.
  QStringList subpastas = QDir(FPasta).entryList(QDir::Dirs | QDir::NoDotAndDotDot);
  std::sort(subpastas.begin(), subpastas.end(),
            [](const QString& a, const QString& b) { return a.toUtf8() < b.toUtf8(); });
  const QString base = FPasta == "/" ? QString() : FPasta;
  for (const QString& nome : subpastas)
    adicionar(fechada, nome, base + "/" + nome, int(partes.size()) + 1);

  dlbLista->setCurrentItem(atual);
}

}  // namespace velmo

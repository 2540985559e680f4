#include "form2_widget.h"

#include <QClipboard>
#include <QCoreApplication>
#include <QFont>
#include <QGroupBox>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <algorithm>
#include <limits>

#include "key_map.h"
#include "orindel_version.h"

namespace orindel {

namespace {

// Positions and sizes are designed in twips; Qt lays out in device-independent pixels.
QRect twips(int left, int top, int width, int height) {
  return QRect(left / 15, top / 15, width / 15, height / 15);
}

Text toText(const QString& string) { return string.toStdU16String(); }
QString toQString(const Text& text) { return QString::fromStdU16String(text); }

}  // namespace

Form2Widget::Form2Widget(QWidget* parent) : QWidget(parent) {
  setObjectName(QStringLiteral("Form2"));
  setWindowTitle(
      QStringLiteral("Orindel Ver,%1.%2").arg(ORINDEL_VERSION_MAJOR).arg(ORINDEL_VERSION_MINOR));
  setWindowFlags(Qt::Window | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                 Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                 Qt::WindowCloseButtonHint);
  // A Japanese UI font for the whole window, so that Japanese and Latin text come from one face;
  // the IPA gothic font stands in on systems without the Windows ones.
  QFont windowFont = font();
  windowFont.setFamilies({QStringLiteral("Yu Gothic UI"), QStringLiteral("Meiryo UI"),
                          QStringLiteral("MS UI Gothic"), QStringLiteral("IPAPGothic"),
                          windowFont.family()});
  setFont(windowFont);
  message_ = [this](const QString& text) { showMessageBox(this, text); };
  end_ = [] { QCoreApplication::exit(0); };
  buildControls();
  form_.load();
}

void Form2Widget::buildControls() {
  auto makeEntry = [this](QLineEdit*& box, const char* name, QRect geometry) {
    box = new QLineEdit(this);
    box->setObjectName(QString::fromLatin1(name));
    box->setGeometry(geometry);
    // The boxes take any length of text; the O key's handling keeps long texts cheap.
    box->setMaxLength(std::numeric_limits<int>::max());
    // Only half-width digits and signs count as an entry: keep an active input method from
    // turning them into full-width ones.
    box->setAttribute(Qt::WA_InputMethodEnabled, false);
    box->installEventFilter(this);
  };
  auto makeButton = [this](QPushButton*& button, const char* name, const QString& caption,
                           QRect geometry) {
    button = new QPushButton(caption, this);
    button->setObjectName(QString::fromLatin1(name));
    button->setGeometry(geometry);
    button->setAutoDefault(false);
  };
  auto makeLabel = [this](QLabel*& label, const char* name, const QString& caption,
                          QRect geometry) {
    label = new QLabel(caption, this);
    label->setObjectName(QString::fromLatin1(name));
    label->setGeometry(geometry);
  };

  makeEntry(Text1, "Text1", twips(120, 240, 615, 270));
  makeEntry(Text2, "Text2", twips(1080, 240, 615, 270));
  makeEntry(Text3, "Text3", twips(2040, 240, 615, 270));
  makeButton(Command1, "Command1", QStringLiteral("＋"), twips(120, 720, 495, 375));
  makeButton(Command2, "Command2", QStringLiteral("－"), twips(720, 720, 495, 375));
  makeLabel(Label1, "Label1", QStringLiteral("ｈ"), twips(840, 360, 105, 180));
  makeLabel(Label2, "Label2", QStringLiteral("ｍ"), twips(1800, 360, 165, 180));
  makeLabel(Label3, "Label3", QStringLiteral("ｓ"), twips(2760, 360, 105, 180));
  // A full-width unit letter is wider than its designed box in most fonts: let it show whole.
  for (QLabel* unit : {Label1, Label2, Label3}) {
    unit->resize(std::max(unit->width(), unit->sizeHint().width()), unit->height());
  }
  makeLabel(Label4, "Label4", QString(), twips(1800, 840, 1020, 240));
  makeButton(Command3, "Command3", QStringLiteral("Op"), twips(1320, 720, 375, 375));

  Frame1 = new QGroupBox(QStringLiteral("拡張メニュー"), this);
  Frame1->setObjectName(QStringLiteral("Frame1"));
  Frame1->setGeometry(twips(3000, 120, 2295, 975));
  Option1 = new QRadioButton(QStringLiteral("74分を超えたら警告"), Frame1);
  Option1->setObjectName(QStringLiteral("Option1"));
  Option1->setGeometry(twips(240, 240, 1935, 255));
  Option1->setChecked(true);
  Option2 = new QRadioButton(QStringLiteral("80分を超えたら警告"), Frame1);
  Option2->setObjectName(QStringLiteral("Option2"));
  Option2->setGeometry(twips(240, 600, 1935, 255));

  makeLabel(Label5, "Label5", QString(), twips(2400, 600, 375, 240));
  Label5->setVisible(false);
  makeLabel(Label6, "Label6", QStringLiteral("回数"), twips(2040, 600, 330, 165));
  Label6->setVisible(false);
  QFont gothic = Label6->font();
  // The Windows gothic font first, then the IPA gothic fonts that stand in for it elsewhere.
  gothic.setFamilies({QStringLiteral("ＭＳ Ｐゴシック"), QStringLiteral("MS PGothic"),
                      QStringLiteral("IPAPGothic"), QStringLiteral("IPAGothic")});
  gothic.setPointSizeF(8.25);
  gothic.setWeight(QFont::Normal);
  gothic.setItalic(false);
  gothic.setUnderline(false);
  gothic.setStrikeOut(false);
  Label6->setFont(gothic);

  for (QLabel* label : {Label1, Label2, Label3, Label4, Label5, Label6}) {
    label->setFocusPolicy(Qt::NoFocus);
  }
  // A screen reader names each entry box by its unit caption. The total and count labels keep
  // their own text as their name, so that each change of it is announced.
  Label1->setBuddy(Text1);
  Label2->setBuddy(Text2);
  Label3->setBuddy(Text3);
  Command1->setAccessibleName(QStringLiteral("加算"));
  Command2->setAccessibleName(QStringLiteral("減算"));
  Command3->setAccessibleName(QStringLiteral("拡張メニューの表示切替"));

  Label4->setContextMenuPolicy(Qt::CustomContextMenu);
  connect(Label4, &QLabel::customContextMenuRequested, this,
          [this](const QPoint& position) { totalMenu()->popup(Label4->mapToGlobal(position)); });
  setTabOrder(Text1, Text2);
  setTabOrder(Text2, Text3);
  setTabOrder(Text3, Command1);
  setTabOrder(Command1, Command2);
  setTabOrder(Command2, Command3);
  setTabOrder(Command3, Option1);
  setTabOrder(Option1, Option2);

  connect(Command1, &QPushButton::clicked, this, [this] { form_.click(1); });
  connect(Command2, &QPushButton::clicked, this, [this] { form_.click(2); });
  connect(Command3, &QPushButton::clicked, this, [this] { form_.click(3); });
  connect(Text1, &QLineEdit::textChanged, this, [this] { form_.change(1); });
  connect(Text2, &QLineEdit::textChanged, this, [this] { form_.change(2); });
  connect(Text3, &QLineEdit::textChanged, this, [this] { form_.change(3); });

  setFixedSize(kWideWidth, kHeight);
  Text1->setFocus();
}

void Form2Widget::showMessageBox(QWidget* parent, const QString& text) {
  QMessageBox box(QMessageBox::NoIcon, QStringLiteral("Orindel"), text, QMessageBox::Ok, parent);
  box.exec();
}

bool Form2Widget::eventFilter(QObject* watched, QEvent* event) {
  const int n = entryNumber(watched);
  if (n == 0 || event->type() != QEvent::KeyPress) return QWidget::eventFilter(watched, event);

  // One keystroke in an entry box: key-down, then key-press if it types a character, then the
  // box types it and its change handler runs from textChanged.
  const auto* key = static_cast<const QKeyEvent*>(event);
  // Tab moves the focus between the controls and is no keystroke of the box: it leaves the
  // pending key as it was.
  if (key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab) return false;
  const KeyDown down = keyDownOf(*key);
  if (!form_.keyDown(n, down.code, down.shift)) return true;

  const int character = characterCodeOf(*key);
  if (character < 0) return false;
  return form_.keyPress(n, character) == 0;
}

QLineEdit* Form2Widget::entryBox(int n) const {
  switch (n) {
    case 1: return Text1;
    case 2: return Text2;
    case 3: return Text3;
    default: return nullptr;
  }
}

int Form2Widget::entryNumber(const QObject* object) const {
  for (int n = 1; n <= 3; ++n) {
    if (object == entryBox(n)) return n;
  }
  return 0;
}

Text Form2Widget::boxText(int n) const {
  const QLineEdit* edit = entryBox(n);
  return edit ? toText(edit->text()) : Text();
}

void Form2Widget::setBoxText(int n, const Text& text) {
  if (QLineEdit* edit = entryBox(n)) edit->setText(toQString(text));
}

void Form2Widget::setOuterWidth(int twips) {
  setFixedWidth((twips - 90) / 15);  // less the fixed border, 45 twips each side
}

void Form2Widget::setLabelVisible(int n, bool visible) {
  if (n == 5) Label5->setVisible(visible);
  if (n == 6) Label6->setVisible(visible);
}

void Form2Widget::setCaption(int n, const Text& caption) {
  if (n == 4) Label4->setText(toQString(caption));
  if (n == 5) Label5->setText(toQString(caption));
}

void Form2Widget::focusText1() { Text1->setFocus(); }

bool Form2Widget::option1Selected() const { return Option1->isChecked(); }

void Form2Widget::message(const Text& text) { message_(toQString(text)); }

void Form2Widget::end() { end_(); }

QMenu* Form2Widget::totalMenu() {
  auto* menu = new QMenu(this);
  menu->setAttribute(Qt::WA_DeleteOnClose);
  QAction* copy = menu->addAction(QStringLiteral("コピー"));
  copy->setObjectName(QStringLiteral("copyTotal"));
  connect(copy, &QAction::triggered, this, &Form2Widget::copyTotal);
  return menu;
}

void Form2Widget::copyTotal() {
  QString total = Label4->text();
  total.remove(QLatin1Char(' '));
  QGuiApplication::clipboard()->setText(total);
}

}  // namespace orindel

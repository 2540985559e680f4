#include "form2_widget.h"

#include <QClipboard>
#include <QCoreApplication>
#include <QFocusEvent>
#include <QFont>
#include <QGroupBox>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <algorithm>
#include <limits>
#include <type_traits>
#include <utility>

#include "fitting_label.h"
#include "key_map.h"
#include "layout.h"
#include "message_box.h"
#include "orindel_version.h"

namespace orindel {

namespace {

// Positions and sizes are designed in twips; Qt lays out in device-independent pixels.
QRect geometryOf(Control control) {
  const ControlDesign& design = kControls[control];
  return QRect(design.left / 15, design.top / 15, design.width / 15, design.height / 15);
}

QString captionOf(Control control) { return QString::fromUtf16(kControls[control].caption); }

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
  auto makeEntry = [this](QLineEdit*& box, Control control) {
    box = new QLineEdit(this);
    box->setObjectName(QString::fromLatin1(kControls[control].name));
    box->setGeometry(geometryOf(control));
    // The boxes take any length of text; the O key's handling keeps long texts cheap.
    box->setMaxLength(std::numeric_limits<int>::max());
    // Only half-width digits and signs count as an entry: keep an active input method from
    // turning them into full-width ones.
    box->setAttribute(Qt::WA_InputMethodEnabled, false);
    box->installEventFilter(this);
  };
  auto makeButton = [this](QPushButton*& button, Control control) {
    button = new QPushButton(captionOf(control), this);
    button->setObjectName(QString::fromLatin1(kControls[control].name));
    button->setGeometry(geometryOf(control));
    button->setAutoDefault(false);
    button->installEventFilter(this);
  };
  auto makeLabel = [this](auto*& label, Control control) {
    label = new std::remove_reference_t<decltype(*label)>(captionOf(control), this);
    label->setObjectName(QString::fromLatin1(kControls[control].name));
    label->setGeometry(geometryOf(control));
  };

  makeEntry(Text1, Control::Text1);
  makeEntry(Text2, Control::Text2);
  makeEntry(Text3, Control::Text3);
  makeButton(Command1, Control::Command1);
  makeButton(Command2, Control::Command2);
  makeLabel(Label1, Control::Label1);
  makeLabel(Label2, Control::Label2);
  makeLabel(Label3, Control::Label3);
  // A full-width unit letter is wider than its designed box in most fonts: let it show whole.
  for (QLabel* unit : {Label1, Label2, Label3}) {
    unit->resize(std::max(unit->width(), unit->sizeHint().width()), unit->height());
  }
  makeLabel(Label4, Control::Label4);
  makeButton(Command3, Control::Command3);

  Frame1 = new QGroupBox(captionOf(Control::Frame1), this);
  Frame1->setObjectName(QStringLiteral("Frame1"));
  Frame1->setGeometry(geometryOf(Control::Frame1));
  Option1 = new QRadioButton(captionOf(Control::Option1), Frame1);
  Option1->setObjectName(QStringLiteral("Option1"));
  Option1->setGeometry(geometryOf(Control::Option1));
  Option1->setChecked(true);
  Option2 = new QRadioButton(captionOf(Control::Option2), Frame1);
  Option2->setObjectName(QStringLiteral("Option2"));
  Option2->setGeometry(geometryOf(Control::Option2));

  makeLabel(Label5, Control::Label5);
  Label5->setVisible(false);
  makeLabel(Label6, Control::Label6);
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

  for (QLabel* label :
       std::initializer_list<QLabel*>{Label1, Label2, Label3, Label4, Label5, Label6}) {
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

bool Form2Widget::eventFilter(QObject* watched, QEvent* event) {
  if (auto* button = qobject_cast<QPushButton*>(watched)) {
    // A focused button takes Enter as it takes Space, though none is the window's default.
    if (event->type() == QEvent::KeyPress) {
      const int key = static_cast<const QKeyEvent*>(event)->key();
      if (key == Qt::Key_Return || key == Qt::Key_Enter) {
        button->click();
        return true;
      }
    }
    return QWidget::eventFilter(watched, event);
  }
  const int n = entryNumber(watched);
  if (n != 0 && event->type() == QEvent::FocusOut) {
    // Leaving a box shows the start of its text, so that no digit is left half cut off. A context
    // menu or another window taking the focus leaves the caret where the user put it.
    const auto reason = static_cast<const QFocusEvent*>(event)->reason();
    if (reason != Qt::PopupFocusReason && reason != Qt::ActiveWindowFocusReason) {
      entryBox(n)->setCursorPosition(0);
    }
  }
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
  const bool wide = twips > Form2::kNarrowOuterWidth;
  setFixedWidth((twips - kBorderTwips) / 15);
  fitLabels(wide);
  // The options take the focus only while they can be seen: in the narrow window Tab goes from Op
  // back to Text1.
  for (QRadioButton* option : {Option1, Option2}) {
    option->setFocusPolicy(wide ? Qt::StrongFocus : Qt::NoFocus);
  }
}

void Form2Widget::fitLabels(bool wide) {
  for (auto [label, control] : {std::pair{Label4, Control::Label4}, {Label5, Control::Label5}}) {
    label->setLineHeight(kControls[control].height / 15);
    label->resize(fittedLabelWidthTwips(control, wide) / 15, fittedLabelHeightTwips(control) / 15);
  }
}

void Form2Widget::setLabelVisible(int n, bool visible) {
  if (n == 5) Label5->setVisible(visible);
  if (n == 6) Label6->setVisible(visible);
}

void Form2Widget::setCaption(int n, const Text& caption) {
  if (n == 4) Label4->setCaption(toQString(caption));
  if (n == 5) Label5->setCaption(toQString(caption));
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

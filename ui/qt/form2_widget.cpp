#include "form2_widget.h"

#include <QAbstractButton>
#include <QApplication>
#include <QClipboard>
#include <QCoreApplication>
#include <QFocusEvent>
#include <QFont>
#include <QGroupBox>
#include <QGuiApplication>
#include <QInputMethodQueryEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QStringList>
#include <QTimer>
#include <algorithm>
#include <limits>

#include "fitting_label.h"
#include "key_map.h"
#include "message_box.h"

namespace orindel {

namespace {

// Qt lays out in device-independent pixels, the layout's own at 96 DPI, and scales by itself.
QRect toQRect(const PixelRect& rect) { return {rect.left, rect.top, rect.width, rect.height}; }

QString toQString(const Text& text) { return QString::fromStdU16String(text); }
Text toText(const QString& string) { return string.toStdU16String(); }

template <std::size_t N>
QStringList families(const char16_t* const (&faces)[N]) {
  QStringList list;
  for (const char16_t* face : faces) list << QString::fromUtf16(face);
  return list;
}

}  // namespace

Form2Widget::Form2Widget(QWidget* parent) : QWidget(parent) {
  setObjectName(QStringLiteral("Form2"));
  setWindowTitle(toQString(Form2::caption()));
  setWindowFlags(Qt::Window | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                 Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                 Qt::WindowCloseButtonHint);
  QFont windowFont = font();
  windowFont.setFamilies(families(kWindowFaces) << windowFont.family());
  setFont(windowFont);
  message_ = [this](const QString& text) {
    showMessageBox(this, text);
    takeBackTheKeyboard();
  };
  end_ = [] { QCoreApplication::exit(0); };
  buildControls();
  form_.load();
}

QWidget* Form2Widget::makeControl(Control c) {
  const ControlLayout& row = kControls[c];
  const QString caption = QString::fromUtf16(row.caption);
  QWidget* parent = row.kind == ControlKind::Option ? controls_[Frame1] : this;
  QWidget* widget = nullptr;
  switch (row.kind) {
    case ControlKind::EntryBox: {
      auto* box = new QLineEdit(parent);
      // The boxes take any length of text; the O key's handling keeps long texts cheap.
      box->setMaxLength(std::numeric_limits<int>::max());
      box->installEventFilter(this);
      connect(box, &QLineEdit::textChanged, this, [this, c] { form_.change(c); });
      widget = box;
      break;
    }
    case ControlKind::Button: {
      auto* button = new QPushButton(caption, parent);
      button->setAutoDefault(false);
      button->installEventFilter(this);
      connect(button, &QPushButton::clicked, this, [this, c] { form_.click(c); });
      widget = button;
      break;
    }
    case ControlKind::Label:
      widget = row.sizing == Sizing::Fitted ? new FittingLabel(caption, parent)
                                            : new QLabel(caption, parent);
      break;
    case ControlKind::Frame: widget = new QGroupBox(caption, parent); break;
    case ControlKind::Option: widget = new QRadioButton(caption, parent); break;
  }
  widget->setObjectName(QString::fromLatin1(row.name));
  widget->setGeometry(toQRect(rectInParent(c, false)));
  if (c == Label6) {
    QFont gothic = widget->font();
    gothic.setFamilies(families(kCountCaptionFont.faces));
    gothic.setPointSizeF(kCountCaptionFont.points);
    gothic.setWeight(static_cast<QFont::Weight>(kCountCaptionFont.weight));
    gothic.setItalic(false);
    gothic.setUnderline(false);
    gothic.setStrikeOut(false);
    widget->setFont(gothic);
  }
  if (row.sizing == Sizing::Caption) {
    widget->resize(std::max(widget->width(), widget->sizeHint().width()), widget->height());
  }
  if (!takesFocus(c, false)) widget->setFocusPolicy(Qt::NoFocus);
  if (row.atStart == AtStart::Hidden) widget->setVisible(false);
  if (row.atStart == AtStart::Selected) static_cast<QAbstractButton*>(widget)->setChecked(true);
  return widget;
}

void Form2Widget::buildControls() {
  // The frame first, as the options' parent; the tab order is the layout's.
  controls_[Frame1] = makeControl(Frame1);
  for (int i = 0; i < kControlCount; ++i) {
    const auto c = static_cast<Control>(i);
    if (c != Frame1) controls_[c] = makeControl(c);
  }
  QWidget* previous = nullptr;
  for (QWidget* control : controls_) {
    if (control->focusPolicy() == Qt::NoFocus && !qobject_cast<QRadioButton*>(control)) continue;
    if (previous) setTabOrder(previous, control);
    previous = control;
  }

  // A screen reader names each entry box by its unit caption. The total and count labels keep
  // their own text as their name, so that each change of it is announced.
  static_cast<QLabel*>(controls_[Label1])->setBuddy(controls_[Text1]);
  static_cast<QLabel*>(controls_[Label2])->setBuddy(controls_[Text2]);
  static_cast<QLabel*>(controls_[Label3])->setBuddy(controls_[Text3]);
  controls_[Command1]->setAccessibleName(QStringLiteral("加算"));
  controls_[Command2]->setAccessibleName(QStringLiteral("減算"));
  controls_[Command3]->setAccessibleName(QStringLiteral("拡張メニューの表示切替"));

  QWidget* total = controls_[Label4];
  total->setContextMenuPolicy(Qt::CustomContextMenu);
  connect(total, &QWidget::customContextMenuRequested, this, [this, total](const QPoint& position) {
    totalMenu()->popup(total->mapToGlobal(position));
  });

  const PixelSize wide = clientSize(true);
  setFixedSize(wide.width, wide.height);
  controls_[Text1]->setFocus();
}

bool Form2Widget::event(QEvent* event) {
  // The window's size is fixed, yet a Wayland compositor may size it: GNOME's (mutter 48)
  // suggests again, whenever the focus moves, the size it last suggested, from before the panel
  // opened, and Qt 6.8 takes it; and the title bar Qt draws there offers maximising to every
  // window, whatever its flags say. The window keeps its own size and stays unmaximised.
  const bool fixed = minimumSize() == maximumSize();
  if (event->type() == QEvent::Resize && fixed && size() != minimumSize()) {
    resize(minimumSize());
  } else if (event->type() == QEvent::WindowStateChange && isMaximized()) {
    setWindowState(windowState() & ~Qt::WindowMaximized);
  }
  return QWidget::event(event);
}

bool Form2Widget::eventFilter(QObject* watched, QEvent* event) {
  bool handled = false;
  form_.guard([&] {
    if (const Control box = entryOf(watched); box != kControlCount) {
      handled = filterEntryKey(box, event);
    } else if (event->type() == QEvent::KeyPress) {
      // A focused button takes Enter as it takes Space, though none is the window's default.
      const int key = static_cast<const QKeyEvent*>(event)->key();
      if (key == Qt::Key_Return || key == Qt::Key_Enter) {
        static_cast<QPushButton*>(watched)->click();
        handled = true;
      }
    }
  });
  return handled || QWidget::eventFilter(watched, event);
}

bool Form2Widget::filterEntryKey(Control box, QEvent* event) {
  if (event->type() == QEvent::InputMethodQuery) {
    // Only half-width digits and signs count as an entry. The program loads no input method
    // (app/start_up.h), but the toolkit's own context still composes dead keys and compose
    // sequences, "^" then "1" into "¹", wherever the focus takes composed text: the box answers
    // that it takes none, so its keys reach it as they are. (Turning WA_InputMethodEnabled off
    // does not keep a line edit from taking composed text.)
    static_cast<QObject*>(entryBox(box))->event(event);
    auto* query = static_cast<QInputMethodQueryEvent*>(event);
    if (query->queries() & Qt::ImEnabled) query->setValue(Qt::ImEnabled, false);
    return true;
  }
  if (event->type() == QEvent::FocusOut) {
    // A context menu or another window taking the focus moves it to no control of this window.
    const auto reason = static_cast<const QFocusEvent*>(event)->reason();
    form_.focusLeaves(box, reason != Qt::PopupFocusReason && reason != Qt::ActiveWindowFocusReason);
    return false;
  }
  if (event->type() != QEvent::KeyPress) return false;

  // One keystroke in an entry box: key-down, then key-press if it types a character, then the
  // box types it and its change handler runs from textChanged.
  const auto* key = static_cast<const QKeyEvent*>(event);
  // Tab moves the focus between the controls and is no keystroke of the box: it leaves the
  // pending key as it was.
  if (key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab) return false;
  const KeyDown down = keyDownOf(*key);
  if (!form_.keyDown(box, down.code, down.shift)) return true;

  const int character = characterCodeOf(*key);
  if (character < 0) return false;
  return form_.keyPress(box, character) == 0;
}

QLineEdit* Form2Widget::entryBox(Control box) const {
  return kControls[box].kind == ControlKind::EntryBox ? static_cast<QLineEdit*>(controls_[box])
                                                      : nullptr;
}

Control Form2Widget::entryOf(const QObject* object) const {
  for (Control box : {Text1, Text2, Text3}) {
    if (object == controls_[box]) return box;
  }
  return kControlCount;
}

Text Form2Widget::boxText(Control box) const {
  const QLineEdit* edit = entryBox(box);
  return edit ? toText(edit->text()) : Text();
}

void Form2Widget::setBoxText(Control box, const Text& text) {
  if (QLineEdit* edit = entryBox(box)) edit->setText(toQString(text));
}

void Form2Widget::showTextStart(Control box) {
  if (QLineEdit* edit = entryBox(box)) edit->setCursorPosition(0);
}

void Form2Widget::setOuterWidth(int twips) {
  const bool wide = isWide(twips);
  setFixedWidth(clientSize(wide).width);
  fitLabels(wide);
  for (Control option : {Option1, Option2}) {
    controls_[option]->setFocusPolicy(takesFocus(option, wide) ? Qt::StrongFocus : Qt::NoFocus);
  }
}

void Form2Widget::fitLabels(bool wide) {
  for (Control label : {Label4, Label5}) {
    auto* fitting = static_cast<FittingLabel*>(controls_[label]);
    fitting->setPlaces(toQRect(rectInParent(label, wide)),
                       toQRect(rectInParent(label, wide, kLayoutDpi, true)));
  }
}

void Form2Widget::setLabelVisible(Control label, bool visible) {
  controls_[label]->setVisible(visible);
}

void Form2Widget::setCaption(Control label, const Text& caption) {
  if (auto* fitting = qobject_cast<FittingLabel*>(controls_[label])) {
    fitting->setCaption(toQString(caption));
  }
}

void Form2Widget::focus(Control control) { controls_[control]->setFocus(); }

bool Form2Widget::isSelected(Control option) const {
  return static_cast<const QAbstractButton*>(controls_[option])->isChecked();
}

void Form2Widget::message(const Text& text) { message_(toQString(text)); }

void Form2Widget::takeBackTheKeyboard() {
  // A click on this window while a message box is up gives it the keyboard under KWin, while Qt
  // keeps the box as its active window; once the box is gone Qt counts no window active: no caret,
  // no focus for a screen reader, though typed keys still reach the focused box. Activating at once
  // does not hold: Qt's X11 plugin deactivates the window when its wait for a focus-in (100 ms)
  // runs out, and none comes, the window having had the keyboard all along. So ask once that wait
  // is over; where the window manager handed the keyboard back itself, the window is active by
  // then and this does nothing. (A timer of its own: clang's analyser takes the functor form of
  // QTimer::singleShot for a leak.)
  constexpr int kAfterFocusWaitMs = 250;
  auto* timer = new QTimer(this);
  timer->setSingleShot(true);
  connect(timer, &QTimer::timeout, this, [this, timer] {
    // Not while the next message box is up: that box keeps the keyboard.
    if (!isActiveWindow() && !QApplication::activeModalWidget()) activateWindow();
    timer->deleteLater();
  });
  timer->start(kAfterFocusWaitMs);
}

void Form2Widget::end() { end_(); }

QMenu* Form2Widget::totalMenu() {
  auto* menu = new QMenu(this);
  menu->setAttribute(Qt::WA_DeleteOnClose);
  QAction* copy = menu->addAction(QString::fromUtf16(Form2::kCopyItem));
  copy->setObjectName(QStringLiteral("copyTotal"));
  connect(copy, &QAction::triggered, this, [this] {
    form_.guard([this] { QGuiApplication::clipboard()->setText(toQString(form_.copiedTotal())); });
  });
  return menu;
}

}  // namespace orindel

#include "message_box.h"

#include <QApplication>
#include <QDialog>
#include <QDialogButtonBox>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "form2.h"

namespace orindel {

namespace {

// Wide enough that a title bar shows "Orindel" whole beside the window icon and a close button,
// however short the message.
constexpr int kMinimumWidth = 220;

}  // namespace

void showMessageBox(QWidget* parent, const QString& text) {
  // A dialog of its own rather than a QMessageBox, whose layout keeps a column for an icon it does
  // not show: here the text runs across the whole width, centred, with even margins.
  QDialog box(parent);
  box.setObjectName(QStringLiteral("messageBox"));
  box.setWindowTitle(QString::fromUtf16(Form2::kMessageTitle));
  // A message needs neither minimising nor maximising.
  box.setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                     Qt::WindowCloseButtonHint);
  box.setFont(parent ? parent->font() : QApplication::font());
  box.setAccessibleName(box.windowTitle());
  box.setAccessibleDescription(text);

  auto* label = new QLabel(text, &box);
  label->setObjectName(QStringLiteral("messageText"));
  label->setTextFormat(Qt::PlainText);
  label->setAlignment(Qt::AlignCenter);
  label->setTextInteractionFlags(Qt::TextSelectableByMouse);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, &box);
  QPushButton* ok = buttons->button(QDialogButtonBox::Ok);
  ok->setIcon(QIcon());
  ok->setDefault(true);
  QObject::connect(buttons, &QDialogButtonBox::accepted, &box, &QDialog::accept);

  auto* layout = new QVBoxLayout(&box);
  layout->addWidget(label);
  layout->addWidget(buttons);
  layout->setSizeConstraint(QLayout::SetFixedSize);
  const QMargins margins = layout->contentsMargins();
  label->setMinimumWidth(kMinimumWidth - margins.left() - margins.right());
  ok->setFocus();
  box.exec();
}

}  // namespace orindel

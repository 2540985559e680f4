#include "message_box.h"

#include <QApplication>
#include <QGridLayout>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QSpacerItem>

namespace orindel {

namespace {

// Wide enough that a title bar shows "Orindel" whole beside the window icon and a close button,
// however short the message.
constexpr int kMinimumWidth = 220;

}  // namespace

void showMessageBox(QWidget* parent, const QString& text) {
  QMessageBox box(QMessageBox::NoIcon, QStringLiteral("Orindel"), text, QMessageBox::Ok, parent);
  // A message needs neither minimising nor maximising.
  box.setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                     Qt::WindowCloseButtonHint);
  box.setFont(parent ? parent->font() : QApplication::font());
  box.button(QMessageBox::Ok)->setIcon(QIcon());

  // The box keeps a column for an icon it does not show: without it, across the whole width and
  // centred, the text has the same margin on either side.
  auto* grid = qobject_cast<QGridLayout*>(box.layout());
  auto* label = box.findChild<QLabel*>(QStringLiteral("qt_msgbox_label"));
  if (grid != nullptr && label != nullptr) {
    for (int i = grid->count() - 1; i >= 0; --i) {
      if (grid->itemAt(i)->spacerItem() != nullptr) delete grid->takeAt(i);
    }
    const int columns = grid->columnCount();
    grid->removeWidget(label);
    grid->addWidget(label, 0, 0, 1, columns);
    label->setAlignment(Qt::AlignCenter);
    grid->addItem(new QSpacerItem(kMinimumWidth, 0, QSizePolicy::Fixed, QSizePolicy::Minimum),
                  grid->rowCount(), 0, 1, columns);
  }
  box.exec();
}

}  // namespace orindel

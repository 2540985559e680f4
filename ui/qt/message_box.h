// The modal box every message of the window uses: its text, one OK button, no icon, the title
// "Orindel".
#pragma once

class QString;
class QWidget;

namespace orindel {

// Shows the box over `parent` (or alone) and returns once it is closed by Enter, Space, Esc or its
// close button.
void showMessageBox(QWidget* parent, const QString& text);

}  // namespace orindel

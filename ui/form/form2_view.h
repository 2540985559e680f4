// What Form2's procedures need of a window: a toolkit adapter implements this and nothing more.
#pragma once

#include "text.h"

namespace orindel {

class Form2View {
 public:
  virtual ~Form2View() = default;

  // The text of entry box n (1 Text1, 2 Text2, 3 Text3).
  virtual Text boxText(int n) const = 0;

  // Sets the text of entry box n. When the text changes, the box's change event runs at once,
  // nested, before this returns (the adapter calls Form2::change(n) from inside the toolkit's
  // own notification).
  virtual void setBoxText(int n, const Text& text) = 0;

  // The window's outer width in twips: 3030 with the panel hidden, 5490 with it shown.
  virtual void setOuterWidth(int twips) = 0;

  // Shows or hides label n (5 the count, 6 its caption).
  virtual void setLabelVisible(int n, bool visible) = 0;

  // The caption of label n (4 the total, 5 the count).
  virtual void setCaption(int n, const Text& caption) = 0;

  // Puts the focus in Text1.
  virtual void focusText1() = 0;

  // Whether Option1, the 74-minute limit, is selected.
  virtual bool option1Selected() const = 0;

  // A modal message box with one OK button under the title "Orindel"; returns once it is closed.
  virtual void message(const Text& text) = 0;

  // Ends the program at once: no further window event reaches Form2.
  virtual void end() = 0;
};

}  // namespace orindel

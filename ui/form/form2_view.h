// What Form2's procedures need of a window: a toolkit adapter implements this and nothing more.
#pragma once

#include "layout.h"
#include "text.h"

namespace orindel {

class Form2View {
 public:
  virtual ~Form2View() = default;

  // The text of an entry box (Text1, Text2 or Text3).
  virtual Text boxText(Control box) const = 0;

  // Sets the text of an entry box. When the text changes, the box's change event runs at once,
  // nested, before this returns (the adapter calls Form2::change from inside the toolkit's own
  // notification).
  virtual void setBoxText(Control box, const Text& text) = 0;

  // Scrolls an entry box back to the start of its text, the caret with it.
  virtual void showTextStart(Control box) = 0;

  // The window's outer width in twips: kNarrowOuterTwips with the panel hidden, kWideOuterTwips
  // with it shown.
  virtual void setOuterWidth(int twips) = 0;

  // Shows or hides a label (Label5, the count, and Label6, its caption).
  virtual void setLabelVisible(Control label, bool visible) = 0;

  // The caption of a label (Label4, the total, and Label5, the count).
  virtual void setCaption(Control label, const Text& caption) = 0;

  // Puts the focus in a control (Text1).
  virtual void focus(Control control) = 0;

  // Whether an option button (Option1, the 74-minute limit) is selected.
  virtual bool isSelected(Control option) const = 0;

  // A modal message box with one OK button under Form2::kMessageTitle; returns once it is closed.
  virtual void message(const Text& text) = 0;

  // Ends the program at once: no further window event reaches Form2.
  virtual void end() = 0;
};

}  // namespace orindel

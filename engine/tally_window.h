// What the tally engine needs of the window: the entry boxes, clearing, messages and the labels.
#pragma once

#include "integer.h"
#include "text.h"

namespace orindel {

class TallyWindow {
 public:
  virtual ~TallyWindow() = default;

  // The current text of entry box 1 (hours), 2 (minutes) or 3 (seconds).
  virtual Text entryText(int box) const = 0;

  // Empties the three entry boxes, puts the focus in the first and clears the pending key.
  virtual void cle() = 0;

  // A modal message with one OK button under the application title; returns when it is closed.
  virtual void showMessage(const Text& prompt) = 0;

  // The panel flag: 1 while the extended panel is shown, 0 while it is hidden.
  virtual Integer panelFlag() const = 0;

  // Whether the 74-minute limit is chosen.
  virtual bool option1Selected() const = 0;

  // The captions of the total label and the count label.
  virtual void setLabel4(const Text& caption) = 0;
  virtual void setLabel5(const Text& caption) = 0;
};

}  // namespace orindel

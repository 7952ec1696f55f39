// The font-selection dialog with its effects, as the title dialogs offer
// it: face, style, size, underline, strikeout and the font colour, chosen
// from the 16 standard colours of the system palette.
#pragma once

#include "quellix/host/Graphics.h"

namespace quellix {

// Runs the dialog on Font; with TrueTypeOnly it lists scalable faces only.
// On OK the choice is written back into Font (its colour included) and
// the result is true; on Cancel Font stays as it was.
bool ChooseFont(TFont& Font, bool TrueTypeOnly);

// The colour choice the dialog adds to its effects: the 16 standard
// colours with their German names, and the font's own colour as a
// seventeenth entry when it is none of them.
struct TFontColorChoice {
  TColor Color;
  const char* Name;
};
std::vector<TFontColorChoice> FontColorChoices(TColor Current);

}  // namespace quellix

// Text helpers of the control library: shortening a text to a width with "...", the average
// character size of a font, dialog units, splitting a command line, and two name helpers.
// Texts are Windows-1251 bytes, as everywhere in the controls.
#pragma once

#include <string>

#include "gui/Canvas.h"
#include "gui/GdiTypes.h"

namespace vclutils {

// Text when it fits into MaxWidth pixels of the canvas's font; otherwise ever shorter beginnings
// of it followed by "...", the first dropping two characters, until one fits or only "..." is
// left (which is returned even when it does not fit).
std::string MinimizeText(const std::string& Text, const gui::TCanvas& Canvas, int MaxWidth);

// X: the average width of "A".."Z" and "a".."z" in the canvas's font; Y: their height.
gui::TPoint GetAveCharSize(const gui::TCanvas& Canvas);

// Dialog units of the application font: a horizontal unit is a quarter of the average character
// width, a vertical one an eighth of the character height (rounded toward zero).
int DialogUnitsToPixelsX(int DlgUnits);
int DialogUnitsToPixelsY(int DlgUnits);
int PixelsToDialogUnitsX(int PixUnits);
int PixelsToDialogUnitsY(int PixUnits);

// Splits a command line into the program name and the parameters. Tokens are separated by
// blanks and control characters; double quotes group (and are removed), and a doubled quote
// where a token would start is skipped. The parameters are the other tokens joined with single
// blanks, a token that holds a blank quoted again.
void SplitCommandLine(const std::string& CmdLine, std::string& ExeName, std::string& Params);

// The text with its first character upper-cased (Latin and Cyrillic).
std::string AnsiUpperFirstChar(const std::string& S);
// A class name without its leading "T" (either case); names of one character stay as they are.
std::string DropT(const std::string& S);

}  // namespace vclutils

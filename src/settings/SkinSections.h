// The sections of skin.ini by panel area, each read and applied in the file format's order.
#pragma once

class TForm1;

namespace skin {

class Reader;

// "MainForm" .. "ChnlDnC": background, title bar, caption colours, option and channel pictures.
void ApplyFrame(const Reader& reader, TForm1& panel);
// "ButtonCapture" .. "ButtonFreqDn": the tool and frequency buttons.
void ApplyButtons(const Reader& reader, TForm1& panel);
// Every panel slider back to the spare slider's bitmaps, then "SliderVolume" .. "SliderCVolume".
void ApplySliders(const Reader& reader, TForm1& panel);
// "LabelCnlName" .. "FreqSpin": the labels, the channel up-down control and the frequency field.
void ApplyTexts(const Reader& reader, TForm1& panel);

}  // namespace skin

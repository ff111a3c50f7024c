// The panel's own pictures, drawn at start: the background, the title bar, the channel buttons
// in their three states, the title-bar images, the option glyphs and the tool-button glyphs.
// A skin replaces them. Pictures with transparent parts have their transparent colour in the
// lower-left pixel.
#pragma once

#include <QImage>

namespace panelart {

enum class Arrow { Up, Down };
enum class ButtonState { Normal, Hover, Pressed };
enum class TitleIcon { HidePanel, HideAll, Quit, Roll };
enum class ToolGlyph { Scheduler, Capture, Channels, Settings, Teletext };

QImage Background(int width, int height);
QImage TitleBar(int width, int height);
QImage ChannelButton(Arrow arrow, ButtonState state);
QImage MiniArrow(Arrow arrow);
QImage TitleImage(TitleIcon icon);
QImage OptionGlyph(bool checked);
QImage Tool(ToolGlyph glyph);

}  // namespace panelart

// Built-in bitmaps: images compiled into the program from resources/ (a Qt resource file),
// found by name in any letter case. Each is loaded once and shared by every user; it is freed
// when the last user lets go of it.
#pragma once

#include <QImage>
#include <QString>

#include <memory>
#include <string>

namespace gui {

class TBitmap;

// The bitmap of that name (":/bitmaps/NAME.bmp" or ".png"), or nullptr when there is none. The
// shared bitmap must not be changed: Assign it to a bitmap of your own to edit it.
std::shared_ptr<const TBitmap> LoadBuiltinBitmap(const std::string& name);

// A PNG picture of the program's own (a resource path), null when there is none. It is read as
// PNG only: a picture of unknown kind would make Qt load every image format plugin to ask each.
QImage ReadBuiltinPng(const QString& path);

}  // namespace gui

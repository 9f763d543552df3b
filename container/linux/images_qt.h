// The pictures of the container: the tool bar's one image and the program
// icon, drawn here rather than loaded.
#pragma once

#include <QIcon>
#include <QPixmap>

namespace tarvelax {

// ToolButtonOnTop's image, size x size pixels: two windows, the front one
// raised above the other.
QPixmap OnTopImage(int size);

// The program icon: a frame holding an embedded object.
QIcon ProgramIcon();

}  // namespace tarvelax

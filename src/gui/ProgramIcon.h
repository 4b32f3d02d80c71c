#pragma once
// The program icon: a pipe in section, part full of water. The window, the
// desktop's menu and the file manager show the same drawing (the installed
// PNGs are made from it; packaging/icons/dralun.svg is its vector copy).
#include <QIcon>
#include <QImage>

namespace dralun {

QImage ProgramIconImage(int size);
QIcon ProgramIcon();

} // namespace dralun

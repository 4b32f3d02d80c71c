#include "gui/pictures/Pictures.h"

#include <map>

namespace dralun {

namespace {
std::map<int, Picture>& Registry()
{
    static std::map<int, Picture> pictures;
    return pictures;
}
} // namespace

PictureRegistrar::PictureRegistrar(int id, Picture picture) { Registry()[id] = picture; }

const Picture* FindPicture(int id)
{
    auto it = Registry().find(id);
    return it == Registry().end() ? nullptr : &it->second;
}

} // namespace dralun

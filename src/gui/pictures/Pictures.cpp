#include "gui/pictures/Pictures.h"

#include <map>

namespace dralun {

const Picture* FindPicture(int id)
{
    static const std::map<int, Picture> pictures = {
        {195, {{17, 13}, &PaintOrifice}},
        {184, {{17, 6.5}, &PaintTimeCoefficientFormula}},
    };
    auto it = pictures.find(id);
    return it == pictures.end() ? nullptr : &it->second;
}

} // namespace dralun

#include "core/Platform.h"
#include "gui/CHydroApp.h"

int main(int argc, char** argv)
{
    dralun::platform::NoErrorBoxes();
    dralun::CHydroApp app(argc, argv);
    if (!app.InitInstance(app.arguments().mid(1)))
        return 1;
    return app.exec();
}

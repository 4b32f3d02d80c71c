// Writes the program icon as a PNG of the given size, for the desktop's
// icon theme: gen-icon SIZE FILE.png
#include <QGuiApplication>
#include <QImage>
#include <cstdio>
#include <cstdlib>

#include "gui/ProgramIcon.h"

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::fprintf(stderr, "Aufruf: gen-icon GRÖSSE DATEI.png\n");
        return 2;
    }
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const int size = std::atoi(argv[1]);
    if (size < 16 || size > 1024) {
        std::fprintf(stderr, "gen-icon: Größe %s ist keine Kantenlänge von 16 bis 1024\n", argv[1]);
        return 2;
    }
    if (!dralun::ProgramIconImage(size).save(QString::fromLocal8Bit(argv[2]), "PNG")) {
        std::fprintf(stderr, "gen-icon: %s lässt sich nicht schreiben\n", argv[2]);
        return 1;
    }
    return 0;
}

// Writes the program icon as a PNG of the given size, for the desktop's
// icon theme: gen-icon SIZE FILE.png; or as the Windows icon file with
// every size Windows asks for (each a PNG inside): gen-icon --ico FILE.ico
#include <QBuffer>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QtEndian>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "gui/ProgramIcon.h"

namespace {

// An .ico: a 6-byte head, a 16-byte entry per image, then the images.
bool WriteIco(const QString& name)
{
    const int sizes[] = {16, 24, 32, 48, 64, 128, 256};
    QList<QByteArray> pngs;
    for (int size : sizes) {
        QBuffer png;
        png.open(QIODevice::WriteOnly);
        if (!dralun::ProgramIconImage(size).save(&png, "PNG"))
            return false;
        pngs << png.data();
    }
    QByteArray ico;
    const auto u16 = [&ico](quint16 v) { ico.append(reinterpret_cast<const char*>(&(v = qToLittleEndian(v))), 2); };
    const auto u32 = [&ico](quint32 v) { ico.append(reinterpret_cast<const char*>(&(v = qToLittleEndian(v))), 4); };
    u16(0);
    u16(1); // an icon, not a cursor
    u16(quint16(pngs.size()));
    quint32 offset = 6 + 16 * quint32(pngs.size());
    for (qsizetype i = 0; i < pngs.size(); ++i) {
        ico.append(char(sizes[i] % 256)).append(char(sizes[i] % 256)); // 256 is written as 0
        ico.append(char(0)).append(char(0));                            // no palette
        u16(1);
        u16(32);
        u32(quint32(pngs[i].size()));
        u32(offset);
        offset += quint32(pngs[i].size());
    }
    for (const QByteArray& png : pngs)
        ico += png;
    QFile file(name);
    return file.open(QIODevice::WriteOnly) && file.write(ico) == ico.size() && file.flush();
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::fprintf(stderr, "Aufruf: gen-icon GRÖSSE DATEI.png | gen-icon --ico DATEI.ico\n");
        return 2;
    }
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    if (std::string(argv[1]) == "--ico") {
        if (WriteIco(QString::fromLocal8Bit(argv[2])))
            return 0;
        std::fprintf(stderr, "gen-icon: %s lässt sich nicht schreiben\n", argv[2]);
        return 1;
    }
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

#pragma once
// What every Qt program of ours does before and after its application
// object is made: Qt's own dialogs speak German with German dates and
// sizes whatever the system is set to, and the fonts the report is set in
// are there on every system.
#include <QFont>

namespace dralun {

// Makes the system locale, which Qt's own dialogs use for dates and file
// sizes, German. Before the application object exists (on Linux Qt reads
// it from the environment once, then); returns argc for the constructor.
int& TakeGermanSystemLocale(int& argc);

// Windows has no DejaVu fonts: the program brings them in the folder
// "fonts" beside itself and loads them, so a report is set the same on
// every system. Nothing to do elsewhere (the package depends on them).
void LoadProgramFonts();

// The fixed-pitch font of the forms' lists and tables: the system's, but on
// Windows the DejaVu Sans Mono the program brings (Courier New, Windows'
// own, is missing on some systems and far wider than its letters suggest).
QFont FixedPitchFont();

} // namespace dralun

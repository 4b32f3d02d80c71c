#pragma once
// What every Qt program of ours does before and after its application
// object is made: Qt's own dialogs speak German with German dates and
// sizes whatever the system is set to, and the fonts the report is set in
// are there on every system.

namespace dralun {

// Makes the system locale, which Qt's own dialogs use for dates and file
// sizes, German. Before the application object exists (on Linux Qt reads
// it from the environment once, then); returns argc for the constructor.
int& TakeGermanSystemLocale(int& argc);

// Windows has no DejaVu fonts: the program brings them in the folder
// "fonts" beside itself and loads them, so a report is set the same on
// every system. Nothing to do elsewhere (the package depends on them).
void LoadProgramFonts();

} // namespace dralun

#pragma once
// The menu, the key table and the status-bar prompts of the main window, as
// data. Command ids are those of the application's resources; the
// calculators' menus, items and prompts come from their forms' descriptions
// (forms/FormRegistry.h).
#include <QKeySequence>
#include <QString>
#include <vector>

namespace dralun::cmd {

enum : int {
    FileNew = 57600,
    FileOpen = 57601,
    FileSave = 57603,
    FileSaveAs = 57604,
    FilePrintSetup = 57606,
    FilePrint = 57607,
    FilePrintDirect = 57608,
    FilePrintPreview = 57609,
    FileMru = 57616,
    AppAbout = 57664,
    AppExit = 57665,
    EditCopy = 57634,
    EditCut = 57635,
    EditPaste = 57637,
    EditUndo = 57643,
    NextPane = 57680,
    PrevPane = 57681,
    ViewStatusBar = 59393,
    // The project's reports, all calculations in one document.
    FileProjectPrint = 32790,
    FileProjectPdf = 32791,
    // Every digit of the form fields, or the values rounded for their units.
    ViewAllDigits = 32792,
    // The KOSTRA-DWD rain of one cell as a rainfall file in the data directory.
    FileRainImport = 32793,
    // A comma or a point typed is the decimal sign, and numbers show the comma.
    ViewDecimalComma = 32794,
};

struct MenuItem {
    int command; // 0: separator
    QString text;
};

// Every title and item has an access key ("&"), none twice in its menu or on
// the menu bar: a calculator's text from its form's description that has
// none gets the first free letter of its text.
struct Menu {
    QString title;
    std::vector<MenuItem> items; // empty: the title is an item on the menu bar itself
    int command = 0;             // command of a menu-bar item
};

struct KeyBinding {
    QKeySequence keys;
    int command;
};

const std::vector<Menu>& MenuTable();
// The access key of a menu text, lower case ("S&peichern" → 'p'); null
// without one. "&&" is a plain ampersand.
QChar AccessKey(const QString& text);
// Gives the texts that have no access key one that none of the others has:
// the first free letter or digit of the text before its key hint ("\t").
// When every letter of a text is taken, a text holding one of them moves to
// another letter of its own. A text that can get none stays without.
void GiveAccessKeys(std::vector<QString*> texts);
const std::vector<KeyBinding>& KeyTable();
// The status-bar prompt of a command ("" where the string table has none).
QString Prompt(int command);

} // namespace dralun::cmd

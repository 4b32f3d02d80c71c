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
};

struct MenuItem {
    int command; // 0: separator
    const char* text;
};

struct Menu {
    const char* title;
    std::vector<MenuItem> items; // empty: the title is an item on the menu bar itself
    int command = 0;             // command of a menu-bar item
};

struct KeyBinding {
    QKeySequence keys;
    int command;
};

const std::vector<Menu>& MenuTable();
const std::vector<KeyBinding>& KeyTable();
// The status-bar prompt of a command ("" where the string table has none).
QString Prompt(int command);

} // namespace dralun::cmd

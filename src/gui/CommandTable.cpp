#include "gui/CommandTable.h"

#include <algorithm>
#include <map>
#include <string_view>

#include "forms/FormRegistry.h"

namespace dralun::cmd {

namespace {

// The calculator menus, one for each menu title of the forms, in the order
// the forms are listed; a form without a menu place has no item.
std::vector<Menu> FormMenus()
{
    std::vector<Menu> menus;
    for (const FormInfo& info : AllForms()) {
        if (!info.menu)
            continue;
        auto menu = std::find_if(menus.begin(), menus.end(),
                                 [&](const Menu& m) { return std::string_view(m.title) == info.menu; });
        if (menu == menus.end())
            menu = menus.insert(menus.end(), Menu{info.menu, {}});
        menu->items.push_back({info.commandId, info.menuItem});
    }
    return menus;
}

} // namespace

const std::vector<Menu>& MenuTable()
{
    static const std::vector<Menu> menus = [] {
        std::vector<Menu> all = {
            {"&Datei",
             {{FileNew, "&Neu\tStrg+N"},
              {FileOpen, "Ö&ffnen...\tStrg+O"},
              {FileSave, "S&peichern\tStrg+S"},
              {FileSaveAs, "Speichern &unter..."},
              {0, nullptr},
              {FilePrint, "&Drucken...\tStrg+P"},
              {FilePrintPreview, "Sei&tenansicht"},
              {FileProjectPrint, "Projekt &drucken…"},
              {FileProjectPdf, "Projekt als &PDF…"},
              {FilePrintSetup, "Drucker&einrichtung..."},
              {0, nullptr},
              {FileMru, "Letzte Datei"},
              {0, nullptr},
              {AppExit, "&Beenden"}}},
            {"&Bearbeiten",
             {{EditUndo, "&Rückgängig\tStrg+Z"},
              {0, nullptr},
              {EditCut, "&Ausschneiden\tStrg+X"},
              {EditCopy, "&Kopieren\tStrg+C"},
              {EditPaste, "E&infügen\tStrg+V"}}},
            {"&Ansicht", {{ViewStatusBar, "S&tatusleiste"}}},
        };
        for (Menu& menu : FormMenus())
            all.push_back(std::move(menu));
        all.push_back({"Beenden", {}, AppExit});
        all.push_back({"&?", {{AppAbout, "Inf&o über Dralun..."}}});
        return all;
    }();
    return menus;
}

const std::vector<KeyBinding>& KeyTable()
{
    static const std::vector<KeyBinding> keys = {
        {QKeySequence(Qt::CTRL | Qt::Key_N), FileNew},
        {QKeySequence(Qt::CTRL | Qt::Key_O), FileOpen},
        {QKeySequence(Qt::CTRL | Qt::Key_S), FileSave},
        {QKeySequence(Qt::CTRL | Qt::Key_P), FilePrint},
        {QKeySequence(Qt::CTRL | Qt::Key_Z), EditUndo},
        {QKeySequence(Qt::ALT | Qt::Key_Backspace), EditUndo},
        {QKeySequence(Qt::CTRL | Qt::Key_X), EditCut},
        {QKeySequence(Qt::SHIFT | Qt::Key_Delete), EditCut},
        {QKeySequence(Qt::CTRL | Qt::Key_C), EditCopy},
        {QKeySequence(Qt::CTRL | Qt::Key_Insert), EditCopy},
        {QKeySequence(Qt::CTRL | Qt::Key_V), EditPaste},
        {QKeySequence(Qt::SHIFT | Qt::Key_Insert), EditPaste},
        {QKeySequence(Qt::Key_F6), NextPane},
        {QKeySequence(Qt::SHIFT | Qt::Key_F6), PrevPane},
    };
    return keys;
}

QString Prompt(int command)
{
    // The string table: status-bar text, then after "\n" the short name.
    static const std::map<int, const char*> prompts = {
        {FileNew, "Erstellt ein neues Dokument.\nNeu"},
        {FileOpen, "Öffnet ein bestehendes Dokument.\nÖffnen"},
        {FileSave, "Speichert das aktive Dokument.\nSpeichern"},
        {FileSaveAs, "Speichert das aktive Dokument unter neuem Namen.\nSpeichern unter"},
        {FilePrintSetup, "Ändert den Drucker und die Druckoptionen.\nDruckereinrichtung"},
        {FilePrint, "Druckt das aktive Dokument.\nDrucken"},
        {FilePrintPreview, "Zeigt ganze Seiten an.\nSeitenansicht"},
        {FileProjectPrint, "Druckt alle Berechnungen des Projekts.\nProjekt drucken"},
        {FileProjectPdf, "Speichert alle Berechnungen des Projekts als PDF-Datei.\nProjekt als PDF"},
        {FileMru, "Öffnet dieses Dokument."},
        {EditUndo, "Macht die letzte Aktion rückgängig.\nRückgängig"},
        {EditCut, "Entfernt die Markierung und überträgt sie in die Zwischenablage.\nAusschneiden"},
        {EditCopy, "Kopiert die Markierung und überträgt sie in die Zwischenablage.\nKopieren"},
        {EditPaste, "Fügt den Inhalt der Zwischenablage ein.\nEinfügen"},
        {ViewStatusBar, "Blendet die Statusleiste ein oder aus.\nStatusleiste ein-/ausschalten"},
        {AppExit, "Verläßt die Anwendung; fragt, ob Dokumente gespeichert werden sollen.\nBeenden"},
        {AppAbout, "Zeigt Programminformationen und die Versionsnummer an.\nInfo"},
    };
    auto it = prompts.find(command);
    if (it != prompts.end())
        return QString::fromUtf8(it->second).section(QLatin1Char('\n'), 0, 0);
    // A calculator's prompt is part of its form's description.
    if (const FormInfo* info = FindFormByCommand(command))
        return QString::fromUtf8(info->prompt);
    return {};
}

} // namespace dralun::cmd

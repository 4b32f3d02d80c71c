#include "gui/CommandTable.h"

#include <QList>
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
        const QString title = QString::fromUtf8(info.menu);
        auto menu = std::find_if(menus.begin(), menus.end(), [&](const Menu& m) { return m.title == title; });
        if (menu == menus.end())
            menu = menus.insert(menus.end(), Menu{title, {}});
        menu->items.push_back({info.commandId, QString::fromUtf8(info.menuItem)});
    }
    return menus;
}

// Where the access key of a text stands (the index of its "&"), or -1.
qsizetype AccessKeyAt(const QString& text)
{
    for (qsizetype i = 0; i + 1 < text.size(); ++i) {
        if (text[i] != QLatin1Char('&'))
            continue;
        if (text[i + 1] != QLatin1Char('&'))
            return i;
        ++i; // "&&"
    }
    return -1;
}

// The letters and digits a text may take as its key, in the order they stand.
QList<QChar> KeyCandidates(const QString& text)
{
    QList<QChar> keys;
    for (QChar c : text.section(QLatin1Char('\t'), 0, 0))
        if (c.isLetterOrNumber() && !keys.contains(c.toLower()))
            keys.append(c.toLower());
    return keys;
}

// The text with its key on the first occurrence of key (and off elsewhere).
QString WithKey(const QString& text, QChar key)
{
    QString plain = text;
    if (const qsizetype at = AccessKeyAt(plain); at >= 0)
        plain.remove(at, 1);
    const qsizetype tab = plain.indexOf(QLatin1Char('\t'));
    const qsizetype end = tab < 0 ? plain.size() : tab;
    for (qsizetype i = 0; i < end; ++i) {
        if (plain[i] == QLatin1Char('&'))
            ++i; // "&&", a plain ampersand
        else if (plain[i].toLower() == key)
            return plain.insert(i, QLatin1Char('&'));
    }
    return text;
}

void GiveKeysInEveryMenu(std::vector<Menu>& menus)
{
    std::vector<QString*> bar;
    for (Menu& menu : menus) {
        bar.push_back(&menu.title);
        std::vector<QString*> items;
        for (MenuItem& item : menu.items)
            if (item.command != 0)
                items.push_back(&item.text);
        GiveAccessKeys(items);
    }
    GiveAccessKeys(bar);
}

} // namespace

QChar AccessKey(const QString& text)
{
    const qsizetype at = AccessKeyAt(text);
    return at < 0 ? QChar() : text[at + 1].toLower();
}

void GiveAccessKeys(std::vector<QString*> texts)
{
    std::map<QChar, QString*> holder;
    for (QString* text : texts)
        if (const QChar key = AccessKey(*text); !key.isNull() && !holder.count(key))
            holder[key] = text;
    const auto isFree = [&](QChar key) { return !holder.count(key); };
    for (QString* text : texts) {
        if (!AccessKey(*text).isNull())
            continue;
        const QList<QChar> mine = KeyCandidates(*text);
        if (auto free = std::find_if(mine.begin(), mine.end(), isFree); free != mine.end()) {
            *text = WithKey(*text, *free);
            holder[*free] = text;
            continue;
        }
        // Every letter taken: one whose holder can move to a free letter of its own.
        for (QChar key : mine) {
            QString* other = holder[key];
            const QList<QChar> theirs = KeyCandidates(*other);
            auto free = std::find_if(theirs.begin(), theirs.end(), isFree);
            if (free == theirs.end())
                continue;
            *other = WithKey(*other, *free);
            holder[*free] = other;
            *text = WithKey(*text, key);
            holder[key] = text;
            break;
        }
    }
}

const std::vector<Menu>& MenuTable()
{
    static const std::vector<Menu> menus = [] {
        std::vector<Menu> all = {
            {QStringLiteral("&Datei"),
             {{FileNew, QStringLiteral("&Neu\tStrg+N")},
              {FileOpen, QStringLiteral("Ö&ffnen...\tStrg+O")},
              {FileSave, QStringLiteral("S&peichern\tStrg+S")},
              {FileSaveAs, QStringLiteral("Speichern &unter...")},
              {0, {}},
              {FileRainImport, QStringLiteral("Re&gendaten importieren…")},
              {0, {}},
              {FilePrint, QStringLiteral("&Drucken...\tStrg+P")},
              {FilePrintPreview, QStringLiteral("Sei&tenansicht")},
              {FileProjectPrint, QStringLiteral("P&rojekt drucken…")},
              {FileProjectPdf, QStringLiteral("Projekt &als PDF…")},
              {FilePrintSetup, QStringLiteral("Drucker&einrichtung...")},
              {0, {}},
              {FileMru, QStringLiteral("&Letzte Datei")},
              {0, {}},
              {AppExit, QStringLiteral("&Beenden")}}},
            {QStringLiteral("&Bearbeiten"),
             {{EditUndo, QStringLiteral("&Rückgängig\tStrg+Z")},
              {0, {}},
              {EditCut, QStringLiteral("&Ausschneiden\tStrg+X")},
              {EditCopy, QStringLiteral("&Kopieren\tStrg+C")},
              {EditPaste, QStringLiteral("E&infügen\tStrg+V")}}},
            {QStringLiteral("&Ansicht"),
             {{ViewStatusBar, QStringLiteral("S&tatusleiste")},
              {ViewAllDigits, QStringLiteral("&Alle Stellen anzeigen")},
              {ViewDecimalComma, QStringLiteral("&Komma als Dezimalzeichen")}}},
        };
        for (Menu& menu : FormMenus())
            all.push_back(std::move(menu));
        all.push_back({QStringLiteral("&?"), {{AppAbout, QStringLiteral("Inf&o über Dralun...")}}});
        GiveKeysInEveryMenu(all);
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
        {FileRainImport, "Liest den KOSTRA-DWD-Regen einer Zelle und schreibt ihn als Regenreihe ins "
                         "Datenverzeichnis.\nRegendaten importieren"},
        {ViewAllDigits, "Zeigt in den Formularen alle Stellen der Zahlen statt der gerundeten Werte.\nAlle Stellen"},
        {ViewDecimalComma, "Nimmt in den Feldern Komma und Punkt als Dezimalzeichen und zeigt die Zahlen mit Komma.\n"
                           "Komma als Dezimalzeichen"},
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

// The project file: what it holds, what it refuses, and that saving never
// leaves a half written or a foreign file behind.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <string>
#include <vector>

#include "forms/CForm.h"
#include "forms/COrificeDlg.h"
#include "forms/ComputeButton.h"
#include "forms/FormRegistry.h"
#include "project/KeepCalculation.h"
#include "project/ProjectFile.h"
#include "testkit/TempDataDir.h"

namespace dralun {
namespace {

using ::testing::HasSubstr;
using Json = ProjectJsonValue;

Calculation Orifice(const std::string& q)
{
    CSilentSink sink;
    std::unique_ptr<CForm> form = FindFormById(171)->create(sink);
    form->Open();
    form->Type(COrificeDlg::kIdQ, q);
    PressCompute(*form);
    return KeepCalculation(*form, {});
}

std::string Wrapped(const std::string& calculations, int version = 1)
{
    return "{\"format\":\"Dralun-Projekt\",\"version\":" + std::to_string(version) +
           ",\"calculations\":[" + calculations + "]}";
}

TEST(ProjectFile, EmptyFileIsAnEmptyProject)
{
    for (const char* bytes : {"", " \r\n"}) {
        const ProjectRead read = ReadProject(bytes);
        EXPECT_TRUE(read.ok);
        EXPECT_TRUE(read.project.Empty());
    }
}

struct Refusal {
    const char* what;
    std::string bytes;
    const char* reason;
};

TEST(ProjectFile, FilesThatAreNoProjectAreRefusedWithTheReason)
{
    test::TempDataDir data;
    const std::string good = ProjectText([] {
        Project p;
        p.Add(Orifice("50"));
        return p;
    }());
    const std::vector<Refusal> cases = {
        {"plain text", "hello notes.txt\n", "keine JSON-Datei"},
        {"truncated", good.substr(0, good.size() / 2), "keine JSON-Datei"},
        {"an array", "[]", "kein JSON-Objekt"},
        {"other format", "{\"format\":\"Tabelle\",\"version\":1,\"calculations\":[]}", "Formatkennung"},
        {"no version", "{\"format\":\"Dralun-Projekt\",\"calculations\":[]}", "Versionsnummer"},
        {"newer version", Wrapped("", 2), "neueren Version von Dralun gespeichert (Format 2"},
        {"huge version", Wrapped("", 0).replace(Wrapped("", 0).find(":0,") + 1, 1, "18446744073709551615"),
         "neueren Version"},
        {"no list", "{\"format\":\"Dralun-Projekt\",\"version\":1}", "Liste der Berechnungen fehlt"},
        {"duplicate key", "{\"format\":\"Dralun-Projekt\",\"version\":1,\"version\":1,\"calculations\":[]}",
         "\"version\" steht zweimal"},
        {"duplicate field", Wrapped("{\"form\":171,\"inputs\":{\"1000\":\"1\",\"1000\":\"2\"}}"),
         "\"1000\" steht zweimal"},
        {"deep nesting", Wrapped(std::string(100000, '[') + std::string(100000, ']')), "verschachtelt"},
        {"number out of range", Wrapped("{\"form\":1e999}"), "außerhalb des Zahlenbereichs"},
        {"not UTF-8", Wrapped("{\"form\":171,\"name\":\"M\xfc lde\"}"), "keine JSON-Datei"},
    };
    for (const Refusal& r : cases) {
        const ProjectRead read = ReadProject(r.bytes);
        EXPECT_FALSE(read.ok) << r.what;
        EXPECT_THAT(read.error, HasSubstr(r.reason)) << r.what;
    }
}

// Entries the program cannot use are kept, named, and written back as they came.
TEST(ProjectFile, EntriesThatCannotBeUsedAreKeptUnchanged)
{
    test::TempDataDir data;
    const std::string entries = ProjectText([] {
        Project p;
        p.Add(Orifice("50"));
        return p;
    }());
    const Json good = Json::parse(entries)["calculations"][0];
    const std::vector<std::pair<std::string, const char*>> odd = {
        {"{\"form\":4242,\"name\":\"Neu\",\"inputs\":{},\"future\":[1,{\"x\":2}]}", "unbekanntes Formular 4242"},
        {"{\"form\":171,\"inputs\":{\"9999\":\"1\"}}", "kein Feld 9999"},
        {"{\"form\":171,\"inputs\":{\"1000\":\"viel\"}}", "\"viel\" ist keine Zahl"},
        {"{\"form\":171,\"inputs\":{\"x1\":\"1\"}}", "keine Nummer eines Steuerelements"},
        {"{\"form\":171,\"inputs\":{\"1000\":\"" + std::string(20000, '1') + "\"}}", "zu lang"},
        {"{\"form\":171,\"inputs\":{},\"selections\":{\"1\":1e300}}", "keine ganze Zahl"},
        {"{\"form\":-3,\"inputs\":{}}", "außerhalb des Bereichs"},
        {"\"nur ein Text\"", "kein JSON-Objekt"},
    };
    std::string list = good.dump();
    for (const auto& [entry, problem] : odd)
        list += "," + entry;
    const ProjectRead read = ReadProject(Wrapped(list));
    ASSERT_TRUE(read.ok) << read.error;
    ASSERT_EQ(read.project.Size(), odd.size() + 1);
    EXPECT_TRUE(read.project.At(0).Usable());
    for (size_t i = 0; i < odd.size(); ++i) {
        EXPECT_FALSE(read.project.At(i + 1).Usable()) << odd[i].first.substr(0, 60);
        EXPECT_THAT(read.project.At(i + 1).problem, HasSubstr(odd[i].second));
    }
    const Json written = Json::parse(ProjectText(read.project))["calculations"];
    const Json original = Json::parse("[" + list + "]");
    EXPECT_EQ(written, original);
    EXPECT_EQ(read.project.At(1).Name(), "Neu");
}

TEST(ProjectFile, ChangesMarkTheProjectModifiedAndKeepTheOrder)
{
    test::TempDataDir data;
    Project p;
    EXPECT_FALSE(p.Modified());
    p.Add(Orifice("10"));
    p.Add(Orifice("20"));
    p.Add(Orifice("30"));
    EXPECT_TRUE(p.Modified());
    p.Move(2, 0);
    p.Rename(1, "Drossel Zulauf Nord");
    p.Remove(2);
    const ProjectRead read = ReadProject(ProjectText(p));
    ASSERT_TRUE(read.ok);
    EXPECT_FALSE(read.project.Modified());
    ASSERT_EQ(read.project.Size(), 2u);
    EXPECT_EQ(read.project.At(0).calc->inputs.front().second, "30");
    EXPECT_EQ(read.project.At(1).Name(), "Drossel Zulauf Nord");
}

TEST(ProjectFile, SaveReplacesTheFileWholeAndLeavesNoTemporaryFile)
{
    test::TempDataDir data;
    Project p;
    p.Add(Orifice("50"));
    std::string error;
    data.Write("p.dralun", "old");
    ASSERT_TRUE(SaveProjectFile(data.File("p.dralun"), p, &error)) << error;
    const ProjectRead read = LoadProjectFile(data.File("p.dralun"));
    ASSERT_TRUE(read.ok) << read.error;
    EXPECT_EQ(read.project.Size(), 1u);
    // Beside the project only its lock file, which stays for the next save.
    std::vector<std::string> files;
    for (const auto& entry : std::filesystem::directory_iterator(data.Path()))
        files.push_back(entry.path().filename().string());
    std::sort(files.begin(), files.end());
    EXPECT_EQ(files, (std::vector<std::string>{"p.dralun", "p.dralun.lock"}));
    EXPECT_FALSE(SaveProjectFile(data.File("nicht-da/p.dralun"), p, &error));
    EXPECT_THAT(error, HasSubstr("kann nicht als \"p.dralun\" gespeichert werden"));
}

// What a save killed an hour ago left is removed by the next save; a
// younger temporary file may be another program's save in progress.
TEST(ProjectFile, SaveRemovesOnlyTheTemporaryFilesOfSavesLongAgo)
{
    test::TempDataDir data;
    const std::string old = ".dralun-save-0123456789abcdef", young = ".dralun-save-fedcba9876543210";
    data.Write(old, "halb");
    data.Write(young, "halb");
    std::filesystem::last_write_time(data.File(old),
                                     std::filesystem::file_time_type::clock::now() - std::chrono::hours(2));
    ASSERT_TRUE(SaveProjectFile(data.File("p.dralun"), Project(), nullptr));
    EXPECT_FALSE(data.Exists(old));
    EXPECT_TRUE(data.Exists(young));
}

TEST(ProjectFile, LoadNamesTheFileItRefuses)
{
    test::TempDataDir data;
    data.Write("notes.txt", "hello notes.txt");
    const ProjectRead read = LoadProjectFile(data.File("notes.txt"));
    EXPECT_FALSE(read.ok);
    EXPECT_THAT(read.error, HasSubstr("Die Datei \"notes.txt\" ist kein Dralun-Projekt: sie ist keine JSON-Datei"));
    EXPECT_THAT(LoadProjectFile(data.Path()).error, HasSubstr("Verzeichnis"));
    EXPECT_EQ(data.Read("notes.txt"), "hello notes.txt");
}

} // namespace
} // namespace dralun

namespace dralun {
namespace {

// Client and number are kept with the project's calculations; a head
// without them is written as before, so an old project reads and writes as
// it always has.
TEST(ProjectFile, ClientAndNumberKeptOnlyWhereGiven)
{
    struct Case {
        const char* client;
        const char* number;
        std::vector<std::string> keys; // of the entry's head as written
    };
    const Case cases[] = {
        {"", "", {"projekt", "bauwerk", "bearbeiter", "datum", "bemerkung"}},
        {"Stadt Kiel", "2026-017", {"projekt", "bauwerk", "bearbeiter", "datum", "bemerkung", "auftraggeber", "projektnr"}},
        {"", "7", {"projekt", "bauwerk", "bearbeiter", "datum", "bemerkung", "projektnr"}},
    };
    for (const Case& c : cases) {
        Calculation calc = Orifice("0.1");
        calc.header.client = c.client;
        calc.header.number = c.number;
        Project p;
        p.Add(calc);
        const std::string text = ProjectText(p);
        const Json written = Json::parse(text);
        std::vector<std::string> keys;
        for (const auto& [key, value] : written["calculations"][0]["header"].items())
            keys.push_back(key);
        EXPECT_EQ(keys, c.keys);
        const ProjectRead read = ReadProject(text);
        ASSERT_TRUE(read.ok && read.project.At(0).Usable());
        EXPECT_EQ(read.project.At(0).calc->header.client, c.client);
        EXPECT_EQ(read.project.At(0).calc->header.number, c.number);
    }
}

} // namespace
} // namespace dralun

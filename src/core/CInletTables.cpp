#include "core/CInletTables.h"

#include <cerrno>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <utility>
#include <vector>

#include "core/CDataDirectory.h"
#include "core/FileAccess.h"
#include "core/FileStamp.h"
#include "core/Format.h"
#include "core/InletTableKey.h"

namespace dralun {

namespace {

// The tables of the whole program, descrambled; they live as long as the
// program and are replaced as a whole by every good load.
std::int16_t g_store[CInletTables::kTables][CInletTables::kWords] = {};
// The stamps of the files the store was loaded from, replaced with it.
DataFileUse g_stamps[CInletTables::kTables];

constexpr std::uint16_t kNoValueWord = 0xFFF7;

// Slopes of the rows: row r holds s = 0.2 r %.
constexpr double kSlopeStep = 0.2;
constexpr int kLastRow = CInletTables::kRows - 1;

} // namespace

const std::array<const char*, CInletTables::kTables> CInletTables::kFileNames = {
    "B1-0.BIN",  "B1-5.BIN",  "B2-0.BIN",  "B2-5.BIN",  "B3-0.BIN",  "B3-5.BIN",  "B4-0.BIN",  "B4-5.BIN",
    "B5-0.BIN",  "B5-5.BIN",  "B6-0.BIN",  "AB1-0.BIN", "AB1-5.BIN", "AB2-0.BIN", "AB2-5.BIN", "AB3-0.BIN",
    "AB3-5.BIN", "AB4-0.BIN", "AB4-5.BIN", "AB5-0.BIN", "AB5-5.BIN", "AB6-0.BIN", "SP7-0.BIN", "SP8-0.BIN",
    "SP9-0.BIN", "SP10-0.BIN", "SP11-0.BIN", "SP12-0.BIN", "SP13-0.BIN", "SP14-0.BIN", "SP15-0.BIN",
};

const std::array<int, CInletTables::kResults> CInletTables::kResultColumn = {
    0, 1, 5, 9, 13, // gutter at b = 0.30, 0.50, 0.70, 0.85, 1.00 m
    2, 3, 4,        // inlets I, II, III at b = 0.50 m
    6, 7, 8,        // at 0.70 m
    10, 11, 12,     // at 0.85 m
    14, 15, 16,     // at 1.00 m
};

CInletTables::CInletTables() = default;

void CInletTables::ApplyKey(std::int16_t* words, std::size_t count, int& keyPosition)
{
    const int keyLength = static_cast<int>(kInletTableKey.size());
    for (std::size_t i = 0; i < count; ++i) {
        if (keyPosition >= keyLength || keyPosition < 0)
            keyPosition = 0;
        if (static_cast<std::uint16_t>(words[i]) != kNoValueWord)
            words[i] = static_cast<std::int16_t>(words[i] ^ kInletTableKey[static_cast<std::size_t>(keyPosition)]);
        ++keyPosition;
    }
}

bool CInletTables::Fail(LoadProblem problem)
{
    m_problem = std::move(problem);
    return false;
}

int CInletTables::ImplausibleWord(const std::int16_t* table)
{
    for (int w = 0; w < kWords; ++w)
        if (table[w] != kNoValue && (table[w] < 0 || table[w] > kLargestTenths))
            return w;
    return -1;
}

bool CInletTables::LoadTables()
{
    m_problem = {};

    // All files are read into a scratch area first: the store changes only
    // when every table is there and sound.
    std::vector<std::int16_t> scratch(static_cast<std::size_t>(kTables) * kWords);
    std::vector<DataFileUse> stamps(kTables);
    for (int t = 0; t < kTables; ++t) {
        const char* name = kFileNames[static_cast<std::size_t>(t)];
        const std::filesystem::path path = CDataDirectory::File(name);
        const ReadableFile file = OpenForReading(path);
        if (!file) {
            LoadProblem problem;
            problem.failure = file.problem == FileProblem::Missing      ? Failure::Missing
                              : file.problem == FileProblem::NotRegular ? Failure::NotRegular
                              : file.problem == FileProblem::TooLarge   ? Failure::TooLarge
                                                                        : Failure::Unreadable;
            problem.file = name;
            problem.opening = file.problem;
            problem.kind = file.kind;
            problem.size = file.size;
            problem.largest = file.largest;
            problem.error = file.error;
            return Fail(std::move(problem));
        }
        unsigned char bytes[kFileBytes];
        errno = 0;
        const std::size_t read = std::fread(bytes, 1, sizeof bytes, file.file.get());
        if (read < sizeof bytes) {
            LoadProblem problem;
            problem.file = name;
            if (std::ferror(file.file.get())) {
                problem.failure = Failure::Unreadable;
                problem.error = errno != 0 ? errno : EIO;
            } else {
                problem.failure = Failure::Short;
                problem.bytes = read;
            }
            return Fail(std::move(problem));
        }
        // Little-endian words after the header, whatever the host's order.
        std::int16_t* table = scratch.data() + static_cast<std::size_t>(t) * kWords;
        for (int w = 0; w < kWords; ++w) {
            const unsigned low = bytes[kHeaderBytes + 2 * w];
            const unsigned high = bytes[kHeaderBytes + 2 * w + 1];
            table[w] = static_cast<std::int16_t>(static_cast<std::uint16_t>(low | (high << 8)));
        }
        int keyPosition = 0; // the key restarts with every table
        ApplyKey(table, kWords, keyPosition);
        // A capacity is never negative and never more than a gutter can
        // carry: anything else is not a table written with this key.
        const int bad = ImplausibleWord(table);
        if (bad >= 0) {
            LoadProblem problem;
            problem.failure = Failure::Implausible;
            problem.file = name;
            problem.capacity = table[bad] / 10.0;
            problem.slope = kSlopeStep * (bad / kColumns);
            return Fail(std::move(problem));
        }
        stamps[static_cast<std::size_t>(t)] = StampFile(name, path);
    }

    for (int t = 0; t < kTables; ++t) {
        for (int w = 0; w < kWords; ++w)
            g_store[t][w] = scratch[static_cast<std::size_t>(t) * kWords + static_cast<std::size_t>(w)];
        g_stamps[t] = std::move(stamps[static_cast<std::size_t>(t)]);
    }
    return true;
}

int CInletTables::TableIndex(int family, double q)
{
    if (family < 0 || family >= kFamilies || !std::isfinite(q))
        return -1;
    // Cross-fall index: 1.0 % -> 0, 1.5 % -> 1, ... 6.0 % -> 10 for the curb
    // gutter and the inlet bay; whole per cent from 7 % -> 0 to 15 % -> 8
    // for the V-gutter. Truncated towards zero.
    double index = 0;
    if (q < 7.0)
        index = std::trunc(q / 0.5 - 2.0);
    if (q > 6.0)
        index = std::trunc(q) - 7;
    const int count = family == 2 ? kTables - 22 : 11;
    if (!(index >= 0 && index < count))
        return -1;
    return static_cast<int>(index) + 11 * family;
}

std::int16_t CInletTables::StoreWord(int table, int row, int column)
{
    if (table < 0 || table >= kTables || row < 0 || row >= kRows || column < 0 || column >= kColumns)
        return 0;
    return g_store[table][row * kColumns + column];
}

const DataFileUse& CInletTables::Stamp(int table)
{
    static const DataFileUse none;
    return table >= 0 && table < kTables ? g_stamps[table] : none;
}

std::string CInletTables::RowText(int table, int row)
{
    std::string text = Format("Zeile %d: s = %.1f %%; Spalten 0 bis 16 in 0.1 l/s:", row, kSlopeStep * row);
    for (int c = 0; c < kColumns; ++c)
        text += Format(" %d", StoreWord(table, row, c));
    return text;
}

CInletTables::LookUpResult CInletTables::LookUp(const LookUpInput& in, CSteps& steps) const
{
    LookUpResult r;
    const int t = TableIndex(in.family, in.q);
    if (t < 0 || !(in.s >= 0.0 && in.s <= 8.0))
        return r;

    // Row k and the weight w of the following row; 8 % is the last row,
    // taken as it stands.
    int k = kLastRow;
    double w = 0.0;
    if (in.s != 8.0) {
        k = static_cast<int>(in.s / kSlopeStep);
        w = (in.s - kSlopeStep * k) / kSlopeStep;
        if (k >= kLastRow) {
            k = kLastRow;
            w = 0.0;
        }
    }

    const std::int16_t* row = g_store[t] + k * kColumns;
    for (int n = 0; n < kResults; ++n) {
        const int c = kResultColumn[static_cast<std::size_t>(n)];
        const int here = row[c];
        if (k == kLastRow) {
            r.results[static_cast<std::size_t>(n)] = here / 10.0;
        } else {
            const int next = row[kColumns + c];
            r.results[static_cast<std::size_t>(n)] = (here + (next - here) * w) / 10.0;
        }
    }
    if (steps.Recording())
        RecordLookUp(in, r, t, k, w, steps);
    r.found = true;
    return r;
}

InletResultName InletResultNameOf(int family, int n)
{
    static const char* const kWidths[5] = {"0.30", "0.50", "0.70", "0.85", "1.00"};
    static const char* const kWidthSymbols[5] = {"030", "050", "070", "085", "100"};
    static const char* const kGratings[3] = {"des Aufsatzes I (300x500)", "des Aufsatzes II (500x500)",
                                             "des Aufsatzes III (500x800)"};
    static const char* const kBays[3] = {"der Ablaufbucht L I (LB 1.80 m)", "der Ablaufbucht L II (LB 2.70 m)",
                                         "der Ablaufbucht L III (LB 4.20 m)"};
    static const char* const kVariants[3] = {"I", "II", "III"};
    if (n < 0 || n >= CInletTables::kResults)
        return {};
    const int column = CInletTables::kResultColumn[static_cast<std::size_t>(n)];
    if (n < 5)
        return {Format("Leistung der Rinne bei b = %s m (Spalte %d)", kWidths[n], column),
                std::string("R_") + kWidthSymbols[n]};
    const int width = (n - 5) / 3 + 1;
    const int variant = (n - 5) % 3;
    return {Format("Leistung %s bei b = %s m (Spalte %d)", family == 1 ? kBays[variant] : kGratings[variant],
                   kWidths[width], column),
            std::string(kVariants[variant]) + "_" + kWidthSymbols[width]};
}

void CInletTables::RecordLookUp(const LookUpInput& in, const LookUpResult& r, int table, int row, double weight, CSteps& steps) const
{
    const DataFileUse& stamp = Stamp(table);
    const std::string file = stamp.name.empty() ? kFileNames[static_cast<std::size_t>(table)] : stamp.name;
    if (!stamp.name.empty())
        steps.UseFile(stamp);
    steps.Let("qf", in.q);
    steps.Let("s", in.s);
    const int index = table - 11 * in.family;
    steps.Taken(Format("Index der Querneigung: ganzzahliger Teil von %s, Tabelle %s",
                       in.family == 2 ? "qf - 7" : "qf / 0.5 - 2", file.c_str()),
                "i_q", index, "-");
    const bool last = row == kLastRow;
    if (last) {
        steps.Taken("Zeile der Längsneigung: die letzte, s = 8 %", "k", row, "-");
        steps.Taken("Gewicht der folgenden Zeile: keine, die letzte Zeile gilt, wie sie ist", "w", weight, "-");
    } else {
        steps.Taken("Zeile der Längsneigung: ganzzahliger Teil von s / 0.2", "k", row, "-");
        steps.Step("Gewicht der folgenden Zeile k + 1", "w", "(s - 0.2 * k) / 0.2", weight, "-");
    }
    steps.UseRow(file, RowText(table, row));
    if (!last)
        steps.UseRow(file, RowText(table, row + 1));

    const std::int16_t* words = g_store[table] + row * kColumns;
    for (int n = 0; n < kResults; ++n) {
        const int c = kResultColumn[static_cast<std::size_t>(n)];
        const InletResultName name = InletResultNameOf(in.family, n);
        steps.Let("T_k", words[c]);
        if (last) {
            steps.Step(name.text + ", Tabellenwert in 0.1 l/s", "Q" + name.symbol, "T_k / 10", r.results[static_cast<std::size_t>(n)], "l/s");
        } else {
            steps.Let("T_k1", words[kColumns + c]);
            steps.Step(name.text + ", zwischen den Zeilen k und k + 1", "Q" + name.symbol,
                       "(T_k + (T_k1 - T_k) * w) / 10", r.results[static_cast<std::size_t>(n)], "l/s");
        }
    }
}

} // namespace dralun

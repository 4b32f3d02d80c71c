#pragma once
// The inlet capacity tables: 31 pre-computed tables, one per gutter form and
// cross-fall of the carriageway, each listing for the longitudinal slopes
// 0 %, 0.2 %, ... 8 % the capacity of the gutter at five water-spread widths
// and of three inlet variants at four of them. The tables lie in one store
// shared by the whole program; an object of this class loads them from the
// data directory and interpolates one set of 17 capacities for a gutter
// form, a cross-fall and a slope.
//
// Table file (1397 bytes): 3 header bytes, not interpreted; then 697 signed
// 16-bit little-endian words, scrambled with kInletTableKey, forming 41 rows
// (slope s = 0.2 r %) of 17 columns, in tenths of a litre per second:
//   0 gutter at b = 0.30 m, 1 gutter at 0.50 m, 2-4 inlets I-III at 0.50 m,
//   5 gutter at 0.70 m, 6-8 inlets at 0.70 m, 9 gutter at 0.85 m,
//   10-12 inlets at 0.85 m, 13 gutter at 1.00 m, 14-16 inlets at 1.00 m.
// The word 0xFFF7 (-9) marks a cell without a value; it is stored unscrambled.
#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

#include "core/CalcSteps.h"
#include "core/FileAccess.h"

namespace dralun {

class CInletTables {
public:
    static constexpr int kFamilies = 3;
    static constexpr int kTables = 31;
    static constexpr int kRows = 41;
    static constexpr int kColumns = 17;
    static constexpr int kWords = kRows * kColumns; // 697
    static constexpr int kHeaderBytes = 3;
    static constexpr int kFileBytes = kHeaderBytes + 2 * kWords; // 1397
    static constexpr int kResults = 17;
    static constexpr std::int16_t kNoValue = -9; // the word 0xFFF7
    // The largest capacity a sound table holds, in tenths of l/s: 100.0 l/s.
    // The tables' method (Manning-Strickler with kSt = 70 over the gutter
    // section; an inlet never takes more than its gutter carries) gives the
    // most in the deepest section at the steepest slope: the curb gutter at
    // 6 % cross-fall filled to b = 1.00 m (6 cm at the curb, A = 0.030 m2,
    // R = 0.028 m) carries 55.1 l/s at 8 %, the V-gutter at 15 % 48.5 l/s.
    // The bound is nearly twice that, more than a gutter as smooth as
    // steel-trowelled concrete (kSt = 100: 78.7 l/s) would carry; yet a
    // descrambled word of garbage lies in 0 ... 1000 only once in 65 times,
    // so no table of 697 such words passes.
    static constexpr std::int16_t kLargestTenths = 1000;

    // File names as the program asks for them, by table index: B1-0 ... B6-0
    // (curb gutter, 0 to 10), AB1-0 ... AB6-0 (inlet bay, 11 to 21), SP7-0
    // ... SP15-0 (V-gutter, 22 to 30). The data directory matches them
    // without regard to letter case.
    static const std::array<const char*, kTables> kFileNames;
    // File column of each of the 17 results: results 0-4 are the gutter at
    // b = 0.30 ... 1.00 m, result 5 + 3 j + k is inlet variant k at width j.
    static const std::array<int, kResults> kResultColumn;

    // Why the last load failed: the file is missing, cannot be opened or
    // read, is too short, is no regular file (a directory, FIFO, device), is
    // larger than any data file, or holds a value no table can hold.
    enum class Failure { None, Missing, Unreadable, Short, NotRegular, TooLarge, Implausible };
    // What the form needs to say what went wrong.
    struct LoadProblem {
        Failure failure = Failure::None;
        std::string file; // the file that failed ("B2-5.BIN"), empty after a good load
        // A file that could not be opened, as the opening found it (kind,
        // size and bound, errno); None for a file that failed later.
        FileProblem opening = FileProblem::None;
        std::string kind;
        std::uintmax_t size = 0;
        std::uintmax_t largest = 0;
        int error = 0;         // errno of a file that cannot be opened or read
        std::size_t bytes = 0; // what a file too short holds
        double capacity = 0;   // l/s, the first value no table can hold
        double slope = 0;      // %, the slope of its row
    };

    CInletTables();

    // Reads all 31 files from the data directory and descrambles them. The
    // store is replaced only when every file could be read in full and every
    // word is a capacity of 0 ... kLargestTenths or the no-value word; any
    // other file fails the load at once and leaves the store exactly as it
    // was. Nothing can make it wait: a FIFO, a device or a directory of a
    // table's name is refused without being read.
    bool LoadTables();
    Failure LoadFailure() const { return m_problem.failure; }
    // The file that failed the load ("B2-5.BIN"), empty after a good load.
    const std::string& FailedFile() const { return m_problem.file; }
    const LoadProblem& Problem() const { return m_problem; }

    // What is looked up: the family (0 Bordrinne, 1 Straßenablaufbucht,
    // 2 Spitzrinne), the cross-fall of the carriageway q and the
    // longitudinal slope s, both in %.
    struct LookUpInput {
        int family = 0;
        double q = 2.5;
        double s = 0.0;
    };
    struct LookUpResult {
        bool found = false;
        std::array<double, kResults> results = {}; // l/s
    };
    // Interpolates the 17 results (l/s) of the store. A family, cross-fall or
    // slope that has no table or row gives no results (all 0) instead of
    // reading outside the store. The steps name the table file, the
    // cross-fall index, the rows and the weight and give each result.
    LookUpResult LookUp(const LookUpInput& in, CSteps& steps = NoSteps()) const;

    // Combines a table's words with the key, restarting nothing: the key
    // position runs on from keyPosition (0 for the first word of a table).
    // The word 0xFFF7 is left as it is; the key position advances for it as
    // well. The operation is its own inverse for every word but 0xFFF7, so
    // the table files are scrambled with it too.
    static void ApplyKey(std::int16_t* words, std::size_t count, int& keyPosition);
    // One word of the program-wide store (descrambled), for checks.
    static std::int16_t StoreWord(int table, int row, int column);
    // Name, size and SHA-256 of the file a table of the store was loaded
    // from, taken with the table at the load.
    static const DataFileUse& Stamp(int table);
    // What the report shows of one row of a table: its slope and its 17
    // words in tenths of l/s.
    static std::string RowText(int table, int row);
    // Table index for a family and cross-fall, -1 when there is none.
    static int TableIndex(int family, double q);

private:
    bool Fail(LoadProblem problem);
    void RecordLookUp(const LookUpInput& in, const LookUpResult& r, int table, int row, double weight, CSteps& steps) const;
    // The first word of a descrambled table that no table can hold: -1 when
    // there is none.
    static int ImplausibleWord(const std::int16_t* table);

    LoadProblem m_problem;
};

// What result n of a family is in the report: "Leistung der Rinne bei
// b = 0.30 m (Spalte 0)", and the symbol's ending after "Q" (a capacity)
// or "L" (a spacing): "R_030", "II_070".
struct InletResultName {
    std::string text;
    std::string symbol;
};
InletResultName InletResultNameOf(int family, int n);

} // namespace dralun

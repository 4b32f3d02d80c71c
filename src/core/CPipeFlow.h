#pragma once
// Flow in a circular sewer pipe after Prandtl-Colebrook: full flow (vv, Qv)
// from a closed formula, part filling (vt, DrH) from the part-filling table
// of the circular profile by linear interpolation, the full-flow values of
// every diameter of the diameter table, and the pipe-run report Rohr.txt.
//
// Results that cannot be determined (a slope of zero or below, DN 0, a
// part-filling table too short for the lookup) are NaN; whoever shows them
// shows "-". A reach records its steps, the two tables and the rows of them
// it used into the log it is given.
#include <array>
#include <optional>
#include <string>
#include <vector>

#include "core/CDataDirectory.h"
#include "core/CalcSteps.h"

namespace dralun {

class CPipeFlow {
public:
    static constexpr int kMaxDiameters = 19;
    static constexpr int kMaxRows = 100;
    // The nominal diameters DN.ASC may hold, mm.
    static constexpr int kSmallestDN = 50;
    static constexpr int kLargestDN = 3000;

    // The slope inputs: none, bottom levels and length, per cent, 1 : n.
    enum Mode { kNoSlope = 0, kFromLevels = 1, kPercent = 2, kOneIn = 3 };

    // Opens Rohr.txt in the data directory for appending (a missing file is
    // created, the lines earlier openings wrote stay); the file stays open as
    // long as the engine lives, and the first row of this opening is
    // preceded by a header block. A Rohr.txt that is no regular file cannot
    // be opened, and then, as without a report (for computations alone),
    // nothing is written.
    explicit CPipeFlow(bool withReport = true);
    ~CPipeFlow() = default;
    CPipeFlow(const CPipeFlow&) = delete;
    CPipeFlow& operator=(const CPipeFlow&) = delete;

    // J from the slope inputs of the mode; false in mode 0 (J unchanged).
    bool SlopeFromInput(CSteps& steps = NoSteps());
    // vv and Qv from D, J and kb.
    void FullFlow(CSteps& steps = NoSteps());
    // One reach: slope, full flow, then overload or part filling; false in
    // mode 0 (nothing computed).
    bool ComputeReach(CSteps& steps = NoSteps());
    // ratio, vt and DrH from Qt, Qv, vv, D and the part-filling table.
    void PartFilling(CSteps& steps = NoSteps());
    // The three list texts of every diameter at the current slope and kb.
    void FillDiameterList();
    // The list texts of every diameter without full-flow values ("-"), for
    // inputs that were not computed.
    void BlankDiameterList();
    // Whether DN (mm) is one of the diameters of the table.
    bool HasDiameter(double DN) const;

    // The smallest diameter of the table that carries Q without overload.
    struct SufficientDiameter {
        int entry; // 1 to m_diameterCount
        double Qv; // its full-flow discharge, l/s
    };
    // The smallest diameter whose full flow at the current slope m_J and
    // roughness m_kb carries Q (l/s) without overload, Qv >= Q, from the
    // formula of FullFlow; none when no diameter does, when Q <= 0, and when
    // the slope cannot be determined (not a finite fall). Leaves the engine
    // as it is.
    std::optional<SufficientDiameter> SmallestSufficientDiameter(double Q) const;

    // Reads DN.ASC and A110KR.ASC from the data directory, writes
    // dump-rohr.txt, sets the mode to 0. Returns the messages for the user.
    std::vector<std::string> LoadTables();

    // Appends the report row of the last computed reach to Rohr.txt; false
    // when there is no report file or no reach has been computed yet.
    bool AppendReportRow();
    // The report row of the last computed reach, line end included ("" when
    // no reach has been computed).
    std::string ReportRow() const;
    bool HasReport() const { return m_report != nullptr; }

    // Inputs (copied in by the pipe run form).
    int m_mode = kNoSlope;
    double m_Q = 0;            // design discharge, l/s
    double m_Qt = 0;           // discharge carried part-full, l/s (Q, or 0 when overloaded)
    double m_levelTop = 0;     // bottom level at the upper manhole, m above datum
    double m_levelBottom = 0;  // bottom level at the lower manhole, m above datum
    double m_L = 0;            // length of the reach, m
    double m_slopePercent = 0; // %
    double m_slopeN = 0;       // slope 1 : n
    double m_kb = 0;           // operational roughness, mm
    double m_DN = 0;           // nominal diameter, mm

    // Results.
    double m_D = 0;     // inner diameter, m
    double m_J = 0;     // slope of the energy line, m/m
    double m_vv = 0;    // full-flow velocity, m/s
    double m_Qv = 0;    // full-flow discharge, l/s
    double m_ratio = 0; // Qt / Qv
    double m_vt = 0;    // part-filling velocity, m/s
    double m_DrH = 0;   // flow depth, m

    // Diameter table (entries 1 to m_diameterCount, in the order of DN.ASC)
    // and the list texts of each diameter.
    std::array<int, kMaxDiameters + 1> m_diameters{};
    int m_diameterCount = 0;
    std::array<std::string, kMaxDiameters + 1> m_dnText;
    std::array<std::string, kMaxDiameters + 1> m_vvText;
    std::array<std::string, kMaxDiameters + 1> m_QvText;

    // Part-filling table, rows 1 to m_rowCount: Q/Qv, v/vv, h/D.
    std::array<double, kMaxRows + 1> m_fillRatio{};
    std::array<double, kMaxRows + 1> m_velocityRatio{};
    std::array<double, kMaxRows + 1> m_depthRatio{};
    int m_rowCount = 0;

    // The line of the file each diameter and each table row was read from
    // (0: not read from a file), and the stamps of the two files as they
    // were read, for the calculation report.
    std::array<int, kMaxDiameters + 1> m_diameterLine{};
    std::array<int, kMaxRows + 1> m_rowLine{};
    std::optional<DataFileUse> m_diameterFile;
    std::optional<DataFileUse> m_tableFile;

    // A computed reach as the report row and the picture show it, kept when
    // it is computed (a later refresh of the diameter list changes D, vv and
    // Qv of the engine).
    struct Reach {
        double levelTop, levelBottom, L, J, DN, kb, Q, Qv, vv, Qt, vt, DrH;
    };
    const std::optional<Reach>& LastReach() const { return m_lastReach; }

private:
    void WriteReportHeader();
    void UseDiameterRow(CSteps& steps) const;
    void UseTableRows(int i, CSteps& steps) const;

    CFile m_report;
    bool m_headerWritten = false; // the header block of this opening
    std::optional<Reach> m_lastReach;
};

// A number as printf writes it with "%<width>.<decimals>f", or "-" in the
// same width when the value cannot be determined (not finite).
std::string FormatDeterminable(int width, int decimals, double value);

} // namespace dralun

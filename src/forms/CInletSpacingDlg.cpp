#include "forms/CInletSpacingDlg.h"

#include <cmath>
#include <initializer_list>
#include <limits>

#include "core/CDataDirectory.h"
#include "core/CInletSpacing.h"
#include "core/FileAccess.h"
#include "core/Format.h"
#include "core/NumberText.h"

namespace dralun {

namespace {

// Every label line of the table is this many characters long.
constexpr size_t kLineChars = 61;
// Positions of the table: x in pixels from the left plus character widths,
// y in pixels from the top.
constexpr int kLeft = 20;
constexpr int kValueColumn = 16; // the inlet values, in character widths
constexpr int kUnitColumn = 64;  // the unit labels
constexpr int kGutterHead = 170, kGutterWidths = 190, kGutterValues = 210;
constexpr int kInletHead = 270, kInletWidths = 290;
constexpr int kInletRows[3] = {320, 340, 360};
// Lines of the reason when the tables are not available, in pixels.
constexpr int kLineHeight = 20;

// Characters of a UTF-8 text (the labels hold umlauts and "ß").
size_t Characters(const std::string& text)
{
    size_t n = 0;
    for (const char c : text)
        if ((static_cast<unsigned char>(c) & 0xC0) != 0x80)
            ++n;
    return n;
}

// A label line, padded with blanks to its full length so that it covers
// what stood there before.
std::string Padded(const std::string& text)
{
    const size_t n = Characters(text);
    return n >= kLineChars ? text : text + std::string(kLineChars - n, ' ');
}

// A text broken at blanks into at most `lines` lines of a label line's
// length; the last line takes the rest.
std::vector<std::string> Wrapped(const std::string& text, int lines)
{
    std::vector<std::string> out;
    std::string rest = text;
    while (static_cast<int>(out.size()) + 1 < lines && Characters(rest) > kLineChars) {
        // The last blank that leaves at most kLineChars characters before it.
        size_t cut = std::string::npos;
        size_t chars = 0;
        for (size_t i = 0; i < rest.size() && chars <= kLineChars; ++i) {
            if (rest[i] == ' ')
                cut = i;
            if ((static_cast<unsigned char>(rest[i]) & 0xC0) != 0x80)
                ++chars;
        }
        if (cut == std::string::npos || cut == 0)
            break;
        out.push_back(rest.substr(0, cut));
        rest = rest.substr(cut + 1);
    }
    out.push_back(rest);
    return out;
}

// The first entry of the inlet choice: the smallest spacing over all.
constexpr const char* kSmallest = "kleinster Wert";

// The index of a list's text among its entries after the first; -1 for
// the first ("kleinster Wert").
int ChosenIndex(const std::string& text, std::initializer_list<const char*> entries)
{
    int i = 0;
    for (const char* entry : entries) {
        if (text == entry)
            return i;
        ++i;
    }
    return -1;
}

int ChosenVariant(const std::string& text) { return ChosenIndex(text, {"I", "II", "III"}); }
int ChosenWidth(const std::string& text) { return ChosenIndex(text, {"0.50", "0.70", "0.85", "1.00"}); }

std::string Cell(double v) { return std::isfinite(v) ? FormatFixed(6, 2, v) : std::string("     -"); }

} // namespace

std::string InletTablesFailureReason(const CInletTables::LoadProblem& problem)
{
    using F = CInletTables::Failure;
    switch (problem.failure) {
    case F::None: return {};
    case F::Short: return Format("ist zu kurz (%zu statt %d Bytes)", problem.bytes, CInletTables::kFileBytes);
    case F::Implausible:
        return Format("enthält keine gültige Leistungstabelle (%.1f l/s bei %.1f %% Längsneigung)", problem.capacity,
                      problem.slope);
    case F::Missing:
    case F::NotRegular:
    case F::TooLarge:
    case F::Unreadable: break;
    }
    if (problem.opening == FileProblem::None) // opened, but the reading failed
        return "kann nicht gelesen werden (" + ErrorText(problem.error) + ")";
    // The reason as the other readers of the data directory give it, without
    // the full stop: the messages go on after it.
    ReadableFile opening;
    opening.problem = problem.opening;
    opening.kind = problem.kind;
    opening.size = problem.size;
    opening.largest = problem.largest;
    opening.error = problem.error;
    std::string reason = ProblemText(opening);
    if (!reason.empty() && reason.back() == '.')
        reason.pop_back();
    return reason;
}

std::string InletTablesFailureText(const CInletTables::LoadProblem& problem)
{
    if (problem.failure == CInletTables::Failure::None)
        return {};
    const std::string dir = CDataDirectory::Path();
    if (problem.failure == CInletTables::Failure::Missing)
        return "Die Datei " + problem.file + " fehlt im Datenverzeichnis " + dir + ".";
    return "Die Datei " + problem.file + " im Datenverzeichnis " + dir + " " + InletTablesFailureReason(problem) + ".";
}

CInletSpacingDlg::CInletSpacingDlg(IMessageSink& sink) : CForm(kDescription, sink)
{
    using D = CInletSpacingDlg;
    static const Field<D> fields[] = {
        // id         name     label               unit      role       default range
        {kIdS, "s", "Längsneigung [%]", "%", Role::In, "1.0", Range{0, 8}, &D::m_s},
        {kIdQ, "q", "Zufluss [l/s/m]", "l/s/m", Role::In, "0.11", Range{0.01, 1.0}, &D::m_q},
        {kIdAbstand, "abstand", "Abstände in m", "", Role::In, "0", {}, &D::m_spacing},
        {kIdQf, "qf", "Querneigung [%]", "%", Role::In, "2.5", {}, &D::m_crossFall, 3},
        {kIdGamma, "gamma", "Sicherheitsfaktor", "", Role::In, "1.5", {}, &D::m_safety, 3},
        {kIdQd, "qd", "", "l/s/m", Role::Out, "0.0", {}, &D::m_qd},
        {kIdAPlan, "a_plan", "a geplant [m]", "m", Role::In, "0", Range{0, 10000}, &D::m_aPlan},
        {kIdVariant, "ablauf", "Ablauf", "", Role::In, kSmallest, {}, &D::m_variant, 14},
        {kIdWidth, "b", "Wasserspiegelbreite b [m]", "", Role::In, kSmallest, {}, &D::m_width, 14},
    };
    static const ControlDef controls[] = {
        {kIdAbstand, Ctl::Check, "Abstände in m"},
        {kIdQf,
         Ctl::Combo,
         "",
         0,
         {"1.0", "1.5", "2.0", "2.5", "3.0", "3.5", "4.0", "4.5", "5.0", "5.5", "6.0", "7.0", "8.0", "9.0", "10",
          "11", "12", "13", "14", "15"}},
        {kIdGamma, Ctl::Combo, "", 0, {"1.0", "1.1", "1.2", "1.3", "1.4", "1.5", "1.6", "1.7", "1.8", "1.9", "2.0"}},
        {kIdVariant, Ctl::Combo, "", 0, {kSmallest, "I", "II", "III"}},
        {kIdWidth, Ctl::Combo, "", 0, {kSmallest, "0.50", "0.70", "0.85", "1.00"}},
        {kIdCurb, Ctl::Radio, "Bordrinne", 1},
        {kIdBay, Ctl::Radio, "Straßenablaufbucht", 1},
        {kIdVGutter, Ctl::Radio, "Spitzrinne", 1},
    };
    static const Handler<D> handlers[] = {
        {Ev::Click, kIdCurb, &D::OnGutterForm},
        {Ev::Click, kIdBay, &D::OnGutterForm},
        {Ev::Click, kIdVGutter, &D::OnGutterForm},
        {Ev::SelChange, kIdQf, &D::OnCrossFallList},
        {Ev::Leave, kIdQf, &D::OnCrossFallList},
        {Ev::SelChange, kIdGamma, &D::OnCompute},
        {Ev::Leave, kIdGamma, &D::OnCompute},
        {Ev::Click, kIdAbstand, &D::OnCompute},
    };
    Bind<D>(this, fields);
    AddControls(controls);
    SetDemandField(kIdAPlan);
    Connect<D>(this, handlers);
}

double CInletSpacingDlg::CrossFall() const { return ClassicAtof(m_crossFall); }

void CInletSpacingDlg::OnInitDialog()
{
    CheckRadio(kIdCurb);
    m_family = 0;
    m_tablesLoaded = m_tables.LoadTables();
    // Without the tables the form refuses to show capacities for as long as
    // it is open: the message comes once, the reason stays for the picture.
    // No result field is cleared: the design inflow follows the inputs.
    if (!m_tablesLoaded)
        RefuseFields("Die Leistungstabellen der Rinnen und Straßenabläufe konnten nicht geladen werden:\n" +
                         InletTablesFailureText(m_tables.Problem()) +
                         "\nOhne diese Tabellen zeigt das Formular keine Leistungen und Abstände.",
                     {});
    // The table for the defaults is there as soon as the form is shown.
    OnCompute();
}

void CInletSpacingDlg::BeginIfTables()
{
    // The refusal of a form without tables stays for as long as it is open.
    if (m_tablesLoaded)
        BeginComputation();
}

void CInletSpacingDlg::OnCompute()
{
    BeginIfTables();
    if (!ReadForComputation()) {
        RefuseTable();
        return;
    }
    ComputeFromMembers();
}

// A refused computation draws no capacities or spacings of other inputs.
void CInletSpacingDlg::RefuseTable()
{
    m_result = {};
    m_result.shown.fill(std::numeric_limits<double>::quiet_NaN());
    DrawTable();
}

// The compute action after the fields have been read.
void CInletSpacingDlg::ComputeFromMembers()
{
    CSteps steps(RecordingSteps());
    m_result = ComputeInletSpacing({m_family, ClassicAtof(m_crossFall), m_s, m_q, ClassicAtof(m_safety),
                                    m_spacing != 0, m_tablesLoaded, m_aPlan, ChosenVariant(m_variant),
                                    ChosenWidth(m_width)},
                                   m_tables, steps);
    m_qd = m_result.qd;
    CheckPlannedSpacing(steps);
    Record(steps);
    UpdateData(false);
    DrawTable();
}

// The planned spacing against the smallest spacing the table allows an
// inlet. Without capacities for the inputs there is nothing to check.
void CInletSpacingDlg::CheckPlannedSpacing(CSteps& steps)
{
    if (!(m_aPlan > 0) || !std::isfinite(m_result.allowed))
        return;
    // The inlet chosen in words: "Ablauf II", "b = 1.00 m", the smallest over
    // what is not chosen.
    const int variant = ChosenVariant(m_variant), width = ChosenWidth(m_width);
    const std::string bay = m_family == 1 ? "L " : "";
    std::string limit = variant >= 0 && width >= 0 ? "zulässiger Ablaufabstand" : "kleinster zulässiger Ablaufabstand";
    if (variant < 0 && width < 0)
        limit += " der Tabelle";
    if (variant >= 0)
        limit += " für Ablauf " + bay + m_variant;
    if (width >= 0)
        limit += " bei b = " + m_width + " m";
    SetVerdict(CheckDemand(steps, {"Abstand der Straßenabläufe", "geplanter Ablaufabstand", "a_plan", limit, "a_zul", "m"},
                           m_aPlan, m_result.allowed));
}

// A cross-fall that the gutter form has no table for is set to the form's
// usual one: 2.5 % on the carriageway, 7 % in the V-gutter.
void CInletSpacingDlg::CorrectCrossFall()
{
    const int family = IsChecked(kIdVGutter) ? 2 : IsChecked(kIdBay) ? 1 : IsChecked(kIdCurb) ? 0 : -1;
    if (family >= 0 && !InletTableCovers(family, ClassicAtof(m_crossFall)))
        m_crossFall = family == 2 ? "7.0" : "2.5";
}

// The radio button is already checked. The fields are read first, so that
// nothing typed is lost; the cross-fall is corrected for the gutter form.
void CInletSpacingDlg::OnGutterForm()
{
    UpdateData(true);
    if (IsChecked(kIdCurb))
        m_family = 0;
    else if (IsChecked(kIdVGutter))
        m_family = 2;
    else if (IsChecked(kIdBay))
        m_family = 1;
    CorrectCrossFall();
    UpdateData(false);
    OnCompute();
}

void CInletSpacingDlg::OnCrossFallList()
{
    BeginIfTables();
    if (!ReadForComputation()) {
        RefuseTable();
        return;
    }
    CorrectCrossFall();
    UpdateData(false);
    // The fields have just been read and written back: reading them once
    // more would only repeat a range message.
    ComputeFromMembers();
}

void CInletSpacingDlg::DrawTable()
{
    m_drawn.clear();
    auto draw = [this](int xChars, int y, std::string text) {
        m_drawn.push_back({kLeft, xChars, y, std::move(text)});
    };
    const bool bay = m_family == 1;
    const bool spacings = m_spacing != 0;

    // Header lines.
    draw(0, kGutterHead, Padded("Leistung der Rinne bei Wasserspiegelbreite b"));
    draw(0, kGutterWidths, Padded("    b(0.30 m)   b(0.50 m)   b(0.70 m)   b(0.85 m)   b(1.00 m)"));
    draw(0, kGutterValues, std::string(kLineChars, ' '));
    draw(0, kInletHead,
         Padded(bay ? "Leistung der Straßenablaufbuchten, Aufsatz 500x500" : "Leistung der Straßenablauf-Aufsätze"));
    draw(0, kInletWidths, Padded("                b(0.50 m)   b(0.70 m)   b(0.85 m)   b(1.00 m)"));
    static const char* const kGratings[3] = {"  I (300x500) =", " II (500x500) =", "III (500x800) ="};
    static const char* const kBays[3] = {"L I   LB 1.80 m=", "L II  LB 2.70 m=", "L III LB 4.20 m="};
    for (int k = 0; k < 3; ++k)
        draw(0, kInletRows[k], Padded(bay ? kBays[k] : kGratings[k]));

    if (!m_tablesLoaded) {
        // No capacities to show: say why instead of showing zeros.
        // The reason takes two lines at most, the directory the next one.
        int y = kGutterValues;
        const std::string reason = InletTablesFailureReason(m_tables.Problem());
        for (const std::string& line : Wrapped("Tabellen nicht verfügbar: " + m_tables.FailedFile() + " " + reason, 2)) {
            draw(0, y, Padded(line));
            y += kLineHeight;
        }
        draw(0, y, Padded("Datenverzeichnis: " + CDataDirectory::Path()));
        for (const int row : kInletRows)
            draw(kValueColumn, row, "     -           -           -           -   ");
        return;
    }

    // Unit labels.
    const char* unit = spacings ? "[m]  " : "[l/s]";
    for (const int y : {kGutterValues, kInletRows[0], kInletRows[1], kInletRows[2]})
        draw(kUnitColumn, y, unit);

    // Value lines: the capacities, or the lengths of road whose design
    // inflow equals them.
    auto shown = [&](int n) { return m_result.shown[static_cast<size_t>(n)]; };
    const std::string gap = "      ";
    draw(0, kGutterValues,
         "    " + Cell(shown(0)) + gap + Cell(shown(1)) + gap + Cell(shown(2)) + gap + Cell(shown(3)) + gap +
             Cell(shown(4)) + (spacings ? "  " : "   "));
    for (int k = 0; k < 3; ++k)
        draw(kValueColumn, kInletRows[k],
             Cell(shown(5 + k)) + gap + Cell(shown(8 + k)) + gap + Cell(shown(11 + k)) + gap +
                 Cell(shown(14 + k)) + "   ");
}

std::string CInletSpacingDlg::Method() const
{
    return "Abstände von Straßenabläufen nach Tabellen der Ablaufleistung: Leistung zwischen den Zeilen der "
           "Längsneigung geradlinig eingeschaltet, Abstand = Leistung / Bemessungszufluss";
}

std::vector<FormChoice> CInletSpacingDlg::Choices() const
{
    // The check box is a field and shows as 0 or 1; say what it shows.
    std::vector<FormChoice> choices = CForm::Choices();
    choices.push_back({kIdAbstand, "Anzeige", m_spacing != 0 ? "Abstände in m" : "Leistungen in l/s"});
    return choices;
}

const FormLayout& CInletSpacingDlg::Layout() const
{
    // The table is drawn on the form itself, below the controls: its area
    // spans the whole form and lies beneath them, so that its first line
    // (170 pixels from the top) stands under the controls.
    static const FormLayout layout = {
        DrawnAt(0, 0, 3, 4),
        // Four rows of controls at most: the table's first line stands under
        // them.
        LabelAt("Straßenablauf-Abstände nach den Dralun", 0, 0, 1, 2),
        ControlAt(kIdAbstand, 0, 2),
        GroupAt("", 1, 0, 1, 1,
                {
                    FieldAt(kIdS, 0, 0, 8),
                    FieldAt(kIdQ, 1, 0, 8),
                    EditAt(kIdQd, 2, 1, 1, 8),
                    FieldAt(kIdAPlan, 3, 0, 8),
                }),
        GroupAt("", 1, 1, 1, 1,
                {
                    FieldAt(kIdQf, 0, 0),
                    FieldAt(kIdGamma, 1, 0),
                    FieldAt(kIdVariant, 2, 0),
                    FieldAt(kIdWidth, 3, 0),
                }),
        GroupAt("Rinnenform", 1, 2, 1, 1,
                {ControlAt(kIdCurb, 0, 0), ControlAt(kIdBay, 1, 0), ControlAt(kIdVGutter, 2, 0)}),
        PictureAt(kPicture, 0, 3, 2, 1),
        StretchAt(2, 0, 1, 4),
        ButtonColumn(0, 4, 3, {kIdOk, kIdCancel}),
    };
    return layout;
}

} // namespace dralun

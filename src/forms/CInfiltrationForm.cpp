#include "forms/CInfiltrationForm.h"

#include <cmath>
#include <initializer_list>
#include <utility>
#include <vector>

#include "core/CDataDirectory.h"
#include "core/Finite.h"
#include "core/Format.h"
#include "forms/RainfallFileLoad.h"

namespace dralun {

namespace {

const char* const kAreaNames[5] = {"Asmax", "AsmaxR", "Asmittel", "AsmittelR", "AsEingabe"};

const char* const kThresholdNotPositive = "unzulässige Eingabe!\n\nSchwellenhöhe kann nicht <= 0 sein.";
// A bed that rises in the direction of flow is refused in spacing mode: the
// retained water would reach upstream over a negative length, and so would
// V and the infiltration areas.
const char* const kFallingSlopeInSpacingMode =
    "unzulässige Eingabe!\n\nDie Sohlenneigung darf bei der Anwahl des Schwellenabstands\nnicht < 0 sein.";
const char* const kNegativeImmersion =
    "unzulässige Eingabe!\n\nDie Eintauchtiefe an der oberen Schwelle kann nicht < 0 sein.";
const char* const kImmersionNotBelowThreshold =
    "unzulässige Eingabe!\n\nDie Eintauchtiefe an der oberen Schwelle muss kleiner\n"
    "als die Schwellenhöhe sein, sonst ergibt sich kein Schwellenabstand > 0.";
const char* const kNotDeterminable = "unzulässige Eingabe!\n\nMit diesen Eingaben ist kein Ergebnis bestimmbar.";


} // namespace

CInfiltrationForm::CInfiltrationForm(const FormDescription& description, IMessageSink& sink, const Ids& ids,
                                     const Texts& texts)
    : CForm(description, sink), m_ids(ids), m_texts(texts)
{
    std::vector<ControlDef> controls = {
        {kIdModeSpacing, Ctl::Radio, "Schwellenabstand [m]", 1},
        {kIdModeImmersion, Ctl::Radio, "Eintauchtiefe [m]\nobere Schwelle", 1},
        {kIdRainTyped, Ctl::Radio, "Regenspende [l/s/ha]", 2},
        {kIdRainFromFile, Ctl::Radio, "N aus Datei", 2},
        {kIdListDurations, Ctl::Combo, ""},
        {kIdLoadFile, Ctl::Button, "Datei laden"},
    };
    for (int k = 0; k < 5; ++k)
        controls.push_back({ids.firstAreaRadio + k, Ctl::Radio, kAreaNames[k], 3});
    AddControls(controls);
    CompletesInputs({ids.spacing, ids.immersion});

    On(Ev::Click, ids.update, [this] { OnUpdateGeometry(); });
    On(Ev::Click, kIdModeSpacing, [this] { OnSpacingMode(); });
    On(Ev::Click, kIdModeImmersion, [this] { OnImmersionMode(); });
    On(Ev::Click, kIdRainTyped, [this] { OnRainTyped(); });
    On(Ev::Click, kIdRainFromFile, [this] { OnRainFromFile(); });
    On(Ev::Click, kIdLoadFile, [this] { OnLoadFile(); });
    On(Ev::Leave, ids.frequency, [this] { OnLoadFile(); });
    On(Ev::SelChange, kIdListDurations, [this] { OnTakeDuration(); });
    On(Ev::Leave, kIdListDurations, [this] { OnTakeDuration(); });
}

FormLayout CInfiltrationForm::LayoutWith(const char* title, std::vector<LayoutItem> shapeRows, const Ids& ids,
                                         int picture)
{
    std::vector<LayoutItem> shape = std::move(shapeRows);
    int row = 2;
    for (int id : {ids.width, ids.depth, ids.slope, ids.threshold})
        shape.push_back(FieldAt(id, row++, 0, 15));
    shape.push_back(ControlAt(kIdModeSpacing, 6, 0));
    shape.push_back(EditAt(ids.spacing, 6, 1, 1, 15));
    shape.push_back(ControlAt(kIdModeImmersion, 7, 0));
    shape.push_back(EditAt(ids.immersion, 7, 1, 1, 15));
    shape.push_back(StretchAt(17, 0));
    shape.push_back(ControlAt(ids.update, 18, 0, 1, 2));
    // The two thresholds one under the other, so that every field has room
    // for its whole number.
    row = 8;
    const struct {
        const char* heading;
        int A, lu, b;
    } thresholds[] = {{"unten", ids.Au, ids.luU, ids.bU}, {"oben", ids.Ao, ids.luO, ids.bO}};
    for (const auto& t : thresholds) {
        shape.push_back(LabelAt(t.heading, row++, 1, 1, 1, Align::Center));
        for (const auto& [label, id] : {std::pair{"A [m²]", t.A}, {"lu [m]", t.lu}, {"b wsp [m]", t.b}}) {
            shape.push_back(LabelAt(label, row, 0));
            shape.push_back(EditAt(id, row++, 1, 1, 15));
        }
    }
    shape.push_back(LabelAt("V [m³]", row, 0));
    shape.push_back(EditAt(ids.V, row, 1, 1, 15));

    std::vector<LayoutItem> areas;
    for (int k = 0; k < 5; ++k) {
        areas.push_back(ControlAt(ids.firstAreaRadio + k, k, 0));
        areas.push_back(EditAt(ids.areas[k], k, 1, 1, k < 4 ? 15 : 10));
    }
    return {
        GroupAt(title, 0, 0, 3, 1, shape),
        GroupAt("Versickerungsfläche As", 0, 1, 1, 1, areas),
        GroupAt("Boden", 1, 1, 1, 1, {FieldAt(ids.kf, 0, 0, 10), FieldAt(ids.kfu, 1, 0, 10)}),
        GroupAt("Einzugsgebiet", 2, 1, 1, 1,
                {FieldAt(ids.AuPerMetre, 0, 0, 10), FieldAt(ids.Au1, 1, 0, 10), FieldAt(ids.Au2, 2, 0, 10)}),
        GroupAt("Niederschlag", 0, 2, 2, 1,
                {
                    ControlAt(kIdRainTyped, 0, 0), EditAt(ids.rain, 0, 1, 1, 10),
                    LabelAt("N-dauer [min]", 1, 0), EditAt(ids.duration, 1, 1, 1, 10),
                    ControlAt(kIdListDurations, 2, 1),
                    ControlAt(kIdRainFromFile, 3, 0, 1, 2),
                    GroupAt("Datei", 4, 0, 1, 2,
                            {
                                EditAt(ids.fileName, 0, 0, 2, 30),
                                FieldAt(ids.frequency, 1, 0, 10),
                                ControlAt(kIdLoadFile, 2, 1),
                            }),
                }),
        GroupAt("Ergebnisse", 2, 2, 1, 1,
                {FieldAt(ids.governingDuration, 0, 0, 15), FieldAt(ids.Vused, 1, 0, 15),
                 FieldAt(ids.overflow, 2, 0, 15)}),
        PictureAt(picture, 3, 0, 1, 4),
        ButtonColumn(0, 3, 3, {kIdOk, kIdCancel}),
    };
}

void CInfiltrationForm::BindImmersionAndAreas()
{
    using B = CInfiltrationForm;
    const Field<B> fields[] = {
        {m_ids.immersion, "tE", "Eintauchtiefe [m]\nobere Schwelle", "m", Role::In, "0", {}, &B::m_tE},
        {m_ids.areas[0], "Asmax", "Asmax", "m²", Role::Out, "0", {}, &B::m_Asmax},
        {m_ids.areas[1], "AsmaxR", "AsmaxR", "m²", Role::Out, "0", {}, &B::m_AsmaxR},
        {m_ids.areas[2], "Asmittel", "Asmittel", "m²", Role::Out, "0", {}, &B::m_Asmittel},
        {m_ids.areas[3], "AsmittelR", "AsmittelR", "m²", Role::Out, "0", {}, &B::m_AsmittelR},
        {m_ids.areas[4], "AsEingabe", "AsEingabe", "m²", Role::In, "0", {}, &B::m_AsTyped},
    };
    Bind<B>(this, fields);
}

std::string CInfiltrationForm::DefaultRainfallFile() { return CDataDirectory::Path() + "R3943mi.txt"; }

CInfiltrationForm::LongSection CInfiltrationForm::Section() const
{
    return {m_J, m_T, m_hs, m_Ls, m_tE, m_L, m_V, m_computed};
}

void CInfiltrationForm::OnInitDialog()
{
    CheckRadio(kIdModeImmersion);
    CheckRadio(kIdRainTyped);
    CheckRadio(m_ids.defaultAreaRadio);
    Enable(m_ids.spacing, false);
    Enable(m_ids.frequency, false);
    Enable(m_ids.fileName, false);
    OnUpdateGeometry();
}

void CInfiltrationForm::OnRefusedWhole()
{
    SetCompleted(m_ids.spacing, false);
    SetCompleted(m_ids.immersion, false);
}

bool CInfiltrationForm::Refused(const std::string& message)
{
    Refuse(message);
    return false;
}

// The radio buttons in the order of InfiltrationArea.
InfiltrationArea CInfiltrationForm::ChosenArea() const
{
    for (int k = 0; k < 5; ++k)
        if (IsChecked(m_ids.firstAreaRadio + k))
            return static_cast<InfiltrationArea>(k);
    return InfiltrationArea::None;
}

bool CInfiltrationForm::GeometryStep(CSteps& steps)
{
    BeginComputation();
    m_balanced = Balanced::Nothing;
    if (!ReadForComputation())
        return false;

    if (m_hs <= 0)
        return Refused(kThresholdNotPositive);
    if (m_hs > m_T)
        return Refused(m_texts.thresholdAboveDepth);
    if (m_Ls <= 0)
        return Refused(m_texts.spacingNotPositive);

    const InfiltrationMode mode = IsChecked(kIdModeSpacing) ? InfiltrationMode::Spacing : InfiltrationMode::Immersion;
    const InfiltrationThresholds thresholds = ComputeInfiltrationThresholds(
        {mode, m_J, m_hs, m_Ls, m_tE, true}, steps);
    switch (thresholds.status) {
    case InfiltrationThresholdStatus::Ok:
        break;
    case InfiltrationThresholdStatus::FallingSlopeInSpacingMode:
        return Refused(kFallingSlopeInSpacingMode);
    case InfiltrationThresholdStatus::SlopeInImmersionMode:
        return Refused(m_texts.slopeInImmersionMode);
    case InfiltrationThresholdStatus::ImmersionNegative:
        return Refused(kNegativeImmersion);
    case InfiltrationThresholdStatus::ImmersionNotBelowThreshold:
        return Refused(kImmersionNotBelowThreshold);
    }

    // A computed spacing that its own field would refuse at the next reading
    // is refused now, where the user can see why.
    if (mode == InfiltrationMode::Immersion) {
        const FieldInfo* spacing = FindField(m_ids.spacing);
        if (spacing && spacing->range && !(thresholds.Ls >= spacing->range->lo && thresholds.Ls <= spacing->range->hi))
            return Refused("unzulässige Eingabe!\n\nDer berechnete Schwellenabstand" +
                          (std::isfinite(thresholds.Ls) ? Format(" von %.15g m", thresholds.Ls) : std::string()) +
                          Format(" liegt außerhalb\ndes zulässigen Bereichs von %.15g bis %.15g m.\n"
                                 "Bitte Sohlengefälle, Schwellenhöhe oder Eintauchtiefe ändern.",
                                 spacing->range->lo, spacing->range->hi));
    }

    InfiltrationSections sections;
    if (!EvaluateSections(m_hs, thresholds.tE, sections, steps))
        return false;
    const InfiltrationStorage storage = ComputeInfiltrationStorage({thresholds, m_hs, sections}, steps);
    const double As = ChooseInfiltrationArea(storage, ChosenArea(), m_AsTyped, steps);
    // The wetted perimeters are shown only; a shape may leave them undetermined.
    if (!AllFinite({thresholds.Ls, thresholds.tE, thresholds.Lmax, sections.Au, sections.bU, sections.Ao, sections.bO,
                    storage.L, storage.V, storage.Asmax, storage.AsmaxR, storage.Asmittel, storage.AsmittelR, As}))
        return Refused(kNotDeterminable);

    m_Ls = thresholds.Ls;
    m_tE = thresholds.tE;
    SetCompleted(m_ids.spacing, true);
    SetCompleted(m_ids.immersion, true);
    m_L = storage.L;
    m_Au = sections.Au;
    m_luU = sections.luU;
    m_bU = sections.bU;
    m_Ao = sections.Ao;
    m_luO = sections.luO;
    m_bO = sections.bO;
    m_V = storage.V;
    m_Asmax = storage.Asmax;
    m_Asmittel = storage.Asmittel;
    m_AsmaxR = storage.AsmaxR;
    m_AsmittelR = storage.AsmittelR;
    m_As = As;
    m_computed = true;
    UpdateData(false);
    return true;
}

// The geometry alone. The balance of the last "Rechne" does not belong to
// the geometry now shown: its fields show 0, and the form says that the
// results are not those of "Rechne" yet.
void CInfiltrationForm::OnUpdateGeometry()
{
    CSteps steps(RecordingSteps());
    if (!GeometryStep(steps))
        return;
    Record(steps);
    m_governingDuration = 0;
    m_Vused = 0;
    m_overflow = 0;
    LeaveWithoutValue(BalanceFields());
    UpdateData(false);
    MarkResultsStale("Volumenbilanz noch nicht gerechnet – Rechne drücken");
}

// In file mode the balance takes the rows of the file and frequency the form
// shows: loaded now when they are not (as "Datei laden" would), and refused
// when they cannot be, never a balance of other rows or of none.
bool CInfiltrationForm::EnsureRainLoaded()
{
    UpdateData(true);
    if (!FieldInRange(m_ids.frequency))
        return false; // the computation refuses the value out of range
    const bool current = m_rainLoadedFor && m_rainLoadedFor->first == m_fileName && m_rainLoadedFor->second == m_n;
    if (!current)
        OnLoadFile();
    return m_rainLoadedFor && m_rainLoadedFor->first == m_fileName && m_rainLoadedFor->second == m_n &&
           m_rain.HasRain() && !m_rain.HasMissingValues();
}

void CInfiltrationForm::OnCompute()
{
    const bool rainReady = !IsChecked(kIdRainFromFile) || EnsureRainLoaded();
    CSteps steps(RecordingSteps());
    if (!GeometryStep(steps))
        return;
    if (!rainReady) {
        Record(steps);
        const bool missing = m_rainLoadedFor && m_rain.HasMissingValues();
        RefuseBalance("Die Regendaten aus der Datei „" + m_fileName + Format("“ zur Häufigkeit n = %g", m_n) +
                      (missing ? Format(" (Spalte %d) fehlen: die Datei hat dort keine Werte.",
                                        CRainfallTable::ColumnForFrequency(m_n))
                               : std::string(" sind nicht geladen oder enthalten keinen Regen.")) +
                      "\nOhne Regendaten keine Volumenbilanz.");
        UpdateData(false);
        return;
    }
    const InfiltrationCatchment catchment{m_kf, m_kfu, m_As, m_Ls, m_AuPerMetre, m_Au1, m_Au2};
    const bool typed = IsChecked(kIdRainTyped);
    if (!typed && !IsChecked(kIdRainFromFile)) {
        Record(steps);
        return;
    }
    const InfiltrationBalanceResult result =
        ComputeInfiltrationBalance({catchment, m_V, m_r, m_D, typed ? nullptr : &m_rain}, steps);
    // The section holds the rain when the volume used does not exceed the
    // volume between the thresholds; a negative "Überlauf" is the check
    // failed.
    if (result.status == InfiltrationBalanceStatus::Ok)
        SetVerdict(CheckDemand(steps,
                               {"Speichervolumen zwischen zwei Schwellen (ohne Überlauf)",
                                "genutztes Speichervolumen (Zufluss − Versickerung)", "V_genutzt",
                                "vorhandenes Speichervolumen", "V", "m³"},
                               result.Vused, m_V));
    // A balance without a number records no steps; those of the geometry stand.
    Record(steps);
    if (result.status == InfiltrationBalanceStatus::NotDeterminable) {
        RefuseBalance(kNotDeterminable);
        return;
    }
    m_balanced = typed ? Balanced::TypedRain : Balanced::RainfallFile;
    m_Vused = result.Vused;
    m_overflow = result.overflow;
    m_governingDuration = result.governingDuration;
    UpdateData(false);
}

std::string CInfiltrationForm::Method() const
{
    const std::string design = std::string("Bemessung ") + m_texts.designOf + " mit Schwellen";
    switch (m_balanced) {
    case Balanced::TypedRain:
        return design + ": Speichervolumen zwischen zwei Schwellen und Bilanz aus Zufluss und Versickerung für den "
                        "eingegebenen Bemessungsregen";
    case Balanced::RainfallFile:
        return design + " nach dem Verfahren der Regenreihe: Bilanz aus Zufluss und Versickerung für die 18 "
                        "Dauerstufen der Datei, maßgebend ist das größte erforderliche Speichervolumen";
    case Balanced::Nothing:
        break;
    }
    return design + ": Speichervolumen und Versickerungsflächen zwischen zwei Schwellen";
}

// The balance is the program's own; the worksheet of 2024 computes otherwise.
std::string CInfiltrationForm::MethodNote() const
{
    return "Eigene Bilanz des Programms (ohne Zuschlagsfaktor fZ, ohne Regen auf die Versickerungsfläche), nicht "
           "das Verfahren nach DWA-A 138-1 (2024).";
}

std::vector<FormChoice> CInfiltrationForm::Choices() const
{
    static const char* const kAreaWords[5] = {
        "Asmax: mittlere Wasserspiegelbreite mal eingestaute Länge",
        "AsmaxR: wie Asmax, mit den benetzten Schwellenflächen",
        "Asmittel: die Hälfte von Asmax",
        "AsmittelR: die Hälfte von AsmaxR",
        "AsEingabe: eingegeben",
    };
    std::vector<FormChoice> choices;
    if (IsChecked(kIdModeSpacing))
        choices.push_back({kIdModeSpacing, "Vorgegeben", "Schwellenabstand L_s (die Eintauchtiefe folgt)"});
    else if (IsChecked(kIdModeImmersion))
        choices.push_back(
            {kIdModeImmersion, "Vorgegeben", "Eintauchtiefe t_E an der oberen Schwelle (der Schwellenabstand folgt)"});
    if (IsChecked(kIdRainTyped))
        choices.push_back({kIdRainTyped, "Niederschlag", "Regenspende r und Dauer D eingegeben"});
    else if (IsChecked(kIdRainFromFile))
        choices.push_back({kIdRainFromFile, "Niederschlag", "Regenreihe aus Datei zur Häufigkeit n"});
    for (int k = 0; k < 5; ++k)
        if (IsChecked(m_ids.firstAreaRadio + k))
            choices.push_back({m_ids.firstAreaRadio + k, "Versickerungsfläche As", kAreaWords[k]});
    return choices;
}

// The balance is refused; the geometry just computed still stands.
void CInfiltrationForm::RefuseBalance(const std::string& message)
{
    RefuseFields(message, BalanceFields());
}

std::vector<int> CInfiltrationForm::BalanceFields() const
{
    std::vector<int> ids;
    for (const char* name : {"D_mass", "V_genutzt", "Überlauf"})
        if (const FieldInfo* field = FindFieldByName(name))
            ids.push_back(field->id);
    return ids;
}

void CInfiltrationForm::OnSpacingMode()
{
    Enable(m_ids.spacing, true);
    Enable(m_ids.immersion, false);
}

void CInfiltrationForm::OnImmersionMode()
{
    Enable(m_ids.spacing, false);
    Enable(m_ids.immersion, true);
}

void CInfiltrationForm::OnRainTyped()
{
    Enable(m_ids.rain, true);
    Enable(m_ids.duration, true);
    Enable(kIdListDurations, true);
    Enable(m_ids.frequency, false);
    Enable(m_ids.fileName, false);
}

void CInfiltrationForm::OnRainFromFile()
{
    Enable(m_ids.rain, false);
    Enable(m_ids.duration, false);
    Enable(kIdListDurations, false);
    Enable(m_ids.frequency, true);
    Enable(m_ids.fileName, true);
}

void CInfiltrationForm::OnLoadFile()
{
    if (!IsChecked(kIdRainFromFile))
        return;
    // A frequency out of its range chooses no column: its message is shown.
    UpdateData(true);
    if (!FieldInRange(m_ids.frequency))
        return;
    const RainfallFileLoad result = LoadRainfallFile(m_rain, m_fileName, m_n);
    // About the file, not a message of the computation that may follow.
    MessageBox(result.message, result.loaded && !result.warning ? MsgIcon::None : MsgIcon::Exclamation, false);
    if (result.loaded) {
        m_rainLoadedFor.emplace(m_fileName, m_n);
        MarkResultsStale("Regendaten neu geladen – Rechne drücken");
        ResetList(kIdListDurations);
        for (const std::string& entry : m_rain.FillDurationList())
            AddItem(kIdListDurations, entry);
        SetSelection(kIdListDurations, 0);
        // The duration field always shows 5 min after a load, with row 1's intensity.
        m_D = 5;
        m_r = m_rain.RowAt(1).intensity;
    }
    UpdateData(false); // the check file was written by the load
}

void CInfiltrationForm::OnTakeDuration()
{
    const std::optional<CRainfallTable::Rain> rain = m_rain.TakeSelectedDuration(Selection(kIdListDurations));
    if (!rain)
        return;
    UpdateData(true);
    m_r = rain->intensity;
    m_D = rain->durationMinutes;
    UpdateData(false);
    SetFocus(m_ids.rain);
}

} // namespace dralun

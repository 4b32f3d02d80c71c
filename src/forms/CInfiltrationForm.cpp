#include "forms/CInfiltrationForm.h"

#include <cmath>
#include <initializer_list>
#include <vector>

#include "core/CDataDirectory.h"
#include "core/Finite.h"
#include "core/Format.h"

namespace dralun {

namespace {

using Balance = CInfiltrationBalance;

const char* const kAreaNames[5] = {"Asmax", "AsmaxR", "Asmittel", "AsmittelR", "AsEingabe"};

const char* const kNegativeImmersion =
    "unzulässige Eingabe!\n\nDie Eintauchtiefe an der oberen Schwelle kann nicht < 0 sein.";
const char* const kImmersionNotBelowThreshold =
    "unzulässige Eingabe!\n\nDie Eintauchtiefe an der oberen Schwelle muss kleiner\n"
    "als die Schwellenhöhe sein, sonst ergibt sich kein Schwellenabstand > 0.";
const char* const kNotDeterminable = "unzulässige Eingabe!\n\nMit diesen Eingaben ist kein Ergebnis bestimmbar.";


} // namespace

CInfiltrationForm::CInfiltrationForm(int templateId, IMessageSink& sink, const Ids& ids, const Texts& texts)
    : CForm(templateId, sink), m_ids(ids), m_texts(texts)
{
    std::vector<ControlDef> controls = {
        {kIdOk, Ctl::Button, "Rechne"},
        {kIdCancel, Ctl::Button, "Abbrechen"},
        {kSpacingMode, Ctl::Radio, "Schwellenabstand [m]", 1},
        {kImmersionMode, Ctl::Radio, "Eintauchtiefe [m]\nobere Schwelle", 1},
        {kRainTyped, Ctl::Radio, "Regenspende [l/s/ha]", 2},
        {kRainFromFile, Ctl::Radio, "N aus Datei", 2},
        {kDurationList, Ctl::Combo, ""},
        {kLoadFile, Ctl::Button, "Datei laden"},
    };
    for (int k = 0; k < 5; ++k)
        controls.push_back({ids.firstAreaRadio + k, Ctl::Radio, kAreaNames[k], 3});
    AddControls(controls);

    On(Ev::Click, kIdOk, [this] { OnCompute(); });
    On(Ev::Click, ids.update, [this] { OnUpdateGeometry(); });
    On(Ev::Click, kSpacingMode, [this] { OnSpacingMode(); });
    On(Ev::Click, kImmersionMode, [this] { OnImmersionMode(); });
    On(Ev::Click, kRainTyped, [this] { OnRainTyped(); });
    On(Ev::Click, kRainFromFile, [this] { OnRainFromFile(); });
    On(Ev::Click, kLoadFile, [this] { OnLoadFile(); });
    On(Ev::Leave, ids.frequency, [this] { OnLoadFile(); });
    On(Ev::SelChange, kDurationList, [this] { OnTakeDuration(); });
    On(Ev::Leave, kDurationList, [this] { OnTakeDuration(); });
}

std::vector<LayoutItem> CInfiltrationForm::WithSectionRows(std::vector<LayoutItem> items, int row,
                                                           const SectionIds& ids)
{
    // One under the other, so that every field has room for its whole number.
    const struct {
        const char* heading;
        int A, lu, b;
    } thresholds[] = {{"unten", ids.Au, ids.luU, ids.bU}, {"oben", ids.Ao, ids.luO, ids.bO}};
    for (const auto& t : thresholds) {
        items.push_back(LabelAt(t.heading, row++, 1, 1, 1, Align::Center));
        for (const auto& [label, id] : {std::pair{"A [m²]", t.A}, {"lu [m]", t.lu}, {"b wsp [m]", t.b}}) {
            items.push_back(LabelAt(label, row, 0));
            items.push_back(EditAt(id, row++, 1, 1, 15));
        }
    }
    items.push_back(LabelAt("V [m³]", row, 0));
    items.push_back(EditAt(ids.V, row, 1, 1, 15));
    return items;
}

std::string CInfiltrationForm::DefaultRainfallFile() { return CDataDirectory::Path() + "R3943mi.txt"; }

CInfiltrationForm::LongSection CInfiltrationForm::Section() const
{
    return {m_J, m_T, m_hs, m_Ls, m_tE, m_L, m_V, m_computed};
}

void CInfiltrationForm::OnInitDialog()
{
    CheckRadio(kImmersionMode);
    CheckRadio(kRainTyped);
    CheckRadio(m_ids.defaultAreaRadio);
    Enable(m_ids.spacing, false);
    Enable(m_ids.frequency, false);
    Enable(m_ids.fileName, false);
    OnUpdateGeometry();
}

bool CInfiltrationForm::Refused(const std::string& message)
{
    Refuse(message);
    return false;
}

// The radio buttons in the order of Balance::Area.
Balance::Area CInfiltrationForm::ChosenArea() const
{
    for (int k = 0; k < 5; ++k)
        if (IsChecked(m_ids.firstAreaRadio + k))
            return static_cast<Balance::Area>(k);
    return Balance::Area::None;
}

bool CInfiltrationForm::GeometryStep(CSteps& steps)
{
    BeginComputation();
    m_balanced = Balanced::Nothing;
    if (!ReadForComputation())
        return false;

    if (m_hs <= 0)
        return Refused(m_texts.thresholdNotPositive);
    if (m_hs > m_T)
        return Refused(m_texts.thresholdAboveDepth);
    if (m_Ls <= 0)
        return Refused(m_texts.spacingNotPositive);

    const Balance::Mode mode = IsChecked(kSpacingMode) ? Balance::Mode::Spacing : Balance::Mode::Immersion;
    const Balance::Thresholds thresholds =
        Balance::Reach(mode, m_J, m_hs, m_Ls, m_tE, m_texts.fallingSlopeInSpacingMode != nullptr, steps);
    switch (thresholds.refusal) {
    case Balance::Refusal::None:
        break;
    case Balance::Refusal::FallingSlopeInSpacingMode:
        return Refused(m_texts.fallingSlopeInSpacingMode);
    case Balance::Refusal::SlopeInImmersionMode:
        return Refused(m_texts.slopeInImmersionMode);
    case Balance::Refusal::ImmersionNegative:
        return Refused(kNegativeImmersion);
    case Balance::Refusal::ImmersionNotBelowThreshold:
        return Refused(kImmersionNotBelowThreshold);
    }

    // A computed spacing that its own field would refuse at the next reading
    // is refused now, where the user can see why.
    if (mode == Balance::Mode::Immersion) {
        const FieldInfo* spacing = FindField(m_ids.spacing);
        if (spacing && spacing->range && !(thresholds.Ls >= spacing->range->lo && thresholds.Ls <= spacing->range->hi))
            return Refused("unzulässige Eingabe!\n\nDer berechnete Schwellenabstand" +
                          (std::isfinite(thresholds.Ls) ? Format(" von %.15g m", thresholds.Ls) : std::string()) +
                          Format(" liegt außerhalb\ndes zulässigen Bereichs von %.15g bis %.15g m.\n"
                                 "Bitte Sohlengefälle, Schwellenhöhe oder Eintauchtiefe ändern.",
                                 spacing->range->lo, spacing->range->hi));
    }

    Balance::Sections sections;
    if (!EvaluateSections(m_hs, thresholds.tE, sections, steps))
        return false;
    const Balance::Storage storage = Balance::Store(thresholds, m_hs, sections, steps);
    const double As = Balance::ChooseArea(storage, ChosenArea(), m_AsTyped, steps);
    // The wetted perimeters are shown only; a shape may leave them undetermined.
    if (!AllFinite({thresholds.Ls, thresholds.tE, thresholds.Lmax, sections.Au, sections.bU, sections.Ao, sections.bO,
                    storage.L, storage.V, storage.Asmax, storage.AsmaxR, storage.Asmittel, storage.AsmittelR, As}))
        return Refused(kNotDeterminable);

    m_Ls = thresholds.Ls;
    m_tE = thresholds.tE;
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
           m_rain.HasRain();
}

void CInfiltrationForm::OnCompute()
{
    const bool rainReady = !IsChecked(kRainFromFile) || EnsureRainLoaded();
    CSteps steps(RecordingSteps());
    if (!GeometryStep(steps))
        return;
    if (!rainReady) {
        Record(steps);
        RefuseBalance("Die Regendaten aus der Datei „" + m_fileName + Format("“ zur Häufigkeit n = %g", m_n) +
                      " sind nicht geladen oder enthalten keinen Regen.\nOhne Regendaten keine Volumenbilanz.");
        UpdateData(false);
        return;
    }
    const Balance::Catchment catchment{m_kf, m_kfu, m_As, m_Ls, m_AuPerMetre, m_Au1, m_Au2};
    const bool typed = IsChecked(kRainTyped);
    if (!typed && !IsChecked(kRainFromFile)) {
        Record(steps);
        return;
    }
    const Balance::Result result = typed ? Balance::WithTypedRain(catchment, m_V, m_r, m_D, steps)
                                         : Balance::WithRainfallTable(catchment, m_V, m_rain, steps);
    // A balance without a number records no steps; those of the geometry stand.
    Record(steps);
    if (!AllFinite({result.Vused, result.overflow, result.governingDuration})) {
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
    if (IsChecked(kSpacingMode))
        choices.push_back({kSpacingMode, "Vorgegeben", "Schwellenabstand L_s (die Eintauchtiefe folgt)"});
    else if (IsChecked(kImmersionMode))
        choices.push_back(
            {kImmersionMode, "Vorgegeben", "Eintauchtiefe t_E an der oberen Schwelle (der Schwellenabstand folgt)"});
    if (IsChecked(kRainTyped))
        choices.push_back({kRainTyped, "Niederschlag", "Regenspende r und Dauer D eingegeben"});
    else if (IsChecked(kRainFromFile))
        choices.push_back({kRainFromFile, "Niederschlag", "Regenreihe aus Datei zur Häufigkeit n"});
    for (int k = 0; k < 5; ++k)
        if (IsChecked(m_ids.firstAreaRadio + k))
            choices.push_back({m_ids.firstAreaRadio + k, "Versickerungsfläche As", kAreaWords[k]});
    return choices;
}

// The balance is refused; the geometry just computed still stands.
void CInfiltrationForm::RefuseBalance(const std::string& message)
{
    std::vector<int> ids;
    for (const char* name : {"D_mass", "V_genutzt", "Ueberlauf"})
        if (const FieldInfo* field = FindFieldByName(name))
            ids.push_back(field->id);
    RefuseFields(message, ids);
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
    Enable(kDurationList, true);
    Enable(m_ids.frequency, false);
    Enable(m_ids.fileName, false);
}

void CInfiltrationForm::OnRainFromFile()
{
    Enable(m_ids.rain, false);
    Enable(m_ids.duration, false);
    Enable(kDurationList, false);
    Enable(m_ids.frequency, true);
    Enable(m_ids.fileName, true);
}

void CInfiltrationForm::OnLoadFile()
{
    if (!IsChecked(kRainFromFile))
        return;
    // A frequency out of its range chooses no column: its message is shown.
    UpdateData(true);
    if (!FieldInRange(m_ids.frequency))
        return;
    const CRainfallTable::LoadResult result = m_rain.Load(m_fileName, m_n);
    // About the file, not a message of the computation that may follow.
    MessageBox(result.message, result.loaded && !result.warning ? MsgIcon::None : MsgIcon::Exclamation, false);
    if (result.loaded) {
        m_rainLoadedFor.emplace(m_fileName, m_n);
        MarkResultsStale("Regendaten neu geladen – Rechne drücken");
        ResetList(kDurationList);
        for (const std::string& entry : m_rain.FillDurationList())
            AddItem(kDurationList, entry);
        SetSelection(kDurationList, 0);
        // The duration field always shows 5 min after a load, with row 1's intensity.
        m_D = 5;
        m_r = m_rain.RowAt(1).intensity;
    }
    UpdateData(false); // the check file was written by the load
}

void CInfiltrationForm::OnTakeDuration()
{
    const std::optional<CRainfallTable::Rain> rain = m_rain.TakeSelectedDuration(Selection(kDurationList));
    if (!rain)
        return;
    UpdateData(true);
    m_r = rain->intensity;
    m_D = rain->durationMinutes;
    UpdateData(false);
    SetFocus(m_ids.rain);
}

} // namespace dralun

#include "forms/CTimeCoefficientDlg.h"

#include <string>
#include <vector>

#include "core/Format.h"

namespace dralun {

namespace {

// Why the table has no coefficients, as the form says it.
std::string RefusalText(const TimeCoefficientTable& table)
{
    if (table.status == TimeCoefficientStatus::NoFrequency)
        return Format("Die Häufigkeit n%d muss größer als 0 sein.", table.column);
    return "Die erste Regendauer T muss größer als -9 min sein.\n"
           "Für T + 9 <= 0 ist der Zeitbeiwert nicht definiert.";
}

} // namespace

const int CTimeCoefficientDlg::kGrid[kRows][1 + kColumns] = {
    {kIdT1, kIdPhi1_1, kIdPhi1_2, kIdPhi1_3, kIdPhi1_4},
    {kIdT2, kIdPhi2_1, kIdPhi2_2, kIdPhi2_3, kIdPhi2_4},
    {kIdT3, kIdPhi3_1, kIdPhi3_2, kIdPhi3_3, kIdPhi3_4},
    {kIdT4, kIdPhi4_1, kIdPhi4_2, kIdPhi4_3, kIdPhi4_4},
    {kIdT5, kIdPhi5_1, kIdPhi5_2, kIdPhi5_3, kIdPhi5_4},
    {kIdT6, kIdPhi6_1, kIdPhi6_2, kIdPhi6_3, kIdPhi6_4},
    {kIdT7, kIdPhi7_1, kIdPhi7_2, kIdPhi7_3, kIdPhi7_4},
    {kIdT8, kIdPhi8_1, kIdPhi8_2, kIdPhi8_3, kIdPhi8_4},
    {kIdT9, kIdPhi9_1, kIdPhi9_2, kIdPhi9_3, kIdPhi9_4},
    {kIdT10, kIdPhi10_1, kIdPhi10_2, kIdPhi10_3, kIdPhi10_4},
    {kIdT11, kIdPhi11_1, kIdPhi11_2, kIdPhi11_3, kIdPhi11_4},
    {kIdT12, kIdPhi12_1, kIdPhi12_2, kIdPhi12_3, kIdPhi12_4},
    {kIdT13, kIdPhi13_1, kIdPhi13_2, kIdPhi13_3, kIdPhi13_4},
    {kIdT14, kIdPhi14_1, kIdPhi14_2, kIdPhi14_3, kIdPhi14_4},
    {kIdT15, kIdPhi15_1, kIdPhi15_2, kIdPhi15_3, kIdPhi15_4},
    {kIdT16, kIdPhi16_1, kIdPhi16_2, kIdPhi16_3, kIdPhi16_4},
};

CTimeCoefficientDlg::CTimeCoefficientDlg(IMessageSink& sink) : CForm(kDescription, sink)
{
    static const char* const kFrequencyDefaults[kColumns] = {"1.0", "0.5", "0.333", "0.2"};
    // The four frequencies and the first duration are exchanged first,
    // then the table row by row.
    for (int k = 0; k < kColumns; ++k)
        BindField({kIdN1 + k, Format("n%d", k + 1), "n", "1/a", Role::In, Kind::Single,
                   kFrequencyDefaults[k], Range{0.01, 2.0}},
                  &m_n[k]);
    BindField({kGrid[0][0], "T1", "T [min]", "min", Role::In, Kind::Single, "5"}, &m_T[0]);
    // The table's display fields are created disabled: nobody types into them.
    std::vector<int> durations;
    for (int i = 0; i < kRows; ++i) {
        if (i > 0) {
            BindField({kGrid[i][0], Format("T%d", i + 1), "T [min]", "min", Role::Out, Kind::Single, "0"}, &m_T[i]);
            Enable(kGrid[i][0], false);
            durations.push_back(kGrid[i][0]);
        }
        for (int k = 0; k < kColumns; ++k) {
            BindField({kGrid[i][1 + k], Format("phi%d_%d", i + 1, k + 1),
                       Format("Zeitbeiwert bei T%d und n%d", i + 1, k + 1), "1", Role::Out, Kind::Single, "0"},
                      &m_phi[i][k]);
            Enable(kGrid[i][1 + k], false);
        }
    }
    KeepOnRefusal(durations); // they follow T1 whether or not the table can be computed
}

void CTimeCoefficientDlg::OnInitDialog() { OnCompute(); }

void CTimeCoefficientDlg::OnCompute()
{
    BeginComputation();
    const bool inRange = ReadForComputation();
    // The durations follow T1, also when a frequency is refused.
    const TimeCoefficientDurationList durations = TimeCoefficientDurations(m_T[0]);
    for (int i = 1; i < kRows; ++i)
        m_T[i] = durations[static_cast<size_t>(i)];
    if (!inRange) {
        UpdateData(false);
        return;
    }

    CSteps steps(RecordingSteps());
    const TimeCoefficientTable table = ComputeTimeCoefficients({{m_n[0], m_n[1], m_n[2], m_n[3]}, m_T[0]}, steps);
    if (table.status != TimeCoefficientStatus::Ok) {
        Refuse(RefusalText(table));
        UpdateData(false);
        return;
    }
    for (int i = 0; i < kRows; ++i)
        for (int k = 0; k < kColumns; ++k)
            m_phi[i][k] = table.phi[static_cast<size_t>(i)][static_cast<size_t>(k)];
    Record(steps);
    UpdateData(false);
}

std::string CTimeCoefficientDlg::Method() const
{
    return "Zeitbeiwerte der Regenspende für 16 Regendauern T und vier Häufigkeiten n: "
           "φ = (1 / n^0.25 − 0.3684) · 38 / (T + 9)";
}

const FormLayout& CTimeCoefficientDlg::Layout() const
{
    static const FormLayout layout = [] {
        FormLayout table;
        table.push_back(LabelAt("Häufigkeit", 0, 0, 1, 1, Align::Right));
        for (int k = 0; k < kColumns; ++k) {
            table.push_back(LabelAt("n", 0, 1 + k, 1, 1, Align::Center));
            table.push_back(EditAt(kIdN1 + k, 1, 1 + k));
        }
        table.push_back(LabelAt("T [min]", 2, 0, 1, 1, Align::Center));
        table.push_back(LabelAt("Zeitbeiwert", 2, 1, 1, kColumns, Align::Center));
        for (int i = 0; i < kRows; ++i)
            for (int c = 0; c <= kColumns; ++c)
                table.push_back(EditAt(kGrid[i][c], 3 + i, c));

        FormLayout layout;
        layout.push_back(GroupAt("", 0, 0, 2, 1, table));
        layout.push_back(GroupAt("Zeitbeiwert", 0, 1, 1, 1, {PictureAt(kPicture, 0, 0)}));
        layout.push_back(StretchAt(1, 1));
        layout.push_back(ButtonColumn(0, 2, 2, {kIdOk, kIdCancel}));
        return layout;
    }();
    return layout;
}

} // namespace dralun

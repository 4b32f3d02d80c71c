#include "forms/CTimeCoefficientDlg.h"

#include <string>
#include <vector>

#include "core/Format.h"

namespace dralun {

const int CTimeCoefficientDlg::kGrid[kRows][1 + kColumns] = {
    {1004, 1052, 1024, 1038, 1068}, {1005, 1054, 1033, 1039, 1069}, {1006, 1055, 1034, 1045, 1070},
    {1013, 1063, 1035, 1056, 1071}, {1014, 1057, 1044, 1040, 1072}, {1015, 1058, 1053, 1041, 1073},
    {1016, 1059, 1010, 1042, 1074}, {1018, 1060, 1011, 1046, 1075}, {1019, 1007, 1012, 1047, 1076},
    {1030, 1008, 1025, 1048, 1077}, {1031, 1009, 1026, 1061, 1078}, {1032, 1017, 1027, 1062, 1079},
    {1043, 1020, 1028, 1064, 1080}, {1049, 1021, 1029, 1065, 1081}, {1050, 1022, 1036, 1066, 1082},
    {1051, 1023, 1037, 1067, 1083},
};

CTimeCoefficientDlg::CTimeCoefficientDlg(IMessageSink& sink) : CForm(kTemplateId, sink)
{
    static const char* const kFrequencyDefaults[kColumns] = {"1.0", "0.5", "0.333", "0.2"};
    // The four frequencies and the first duration are exchanged first,
    // then the table row by row.
    for (int k = 0; k < kColumns; ++k)
        BindField({1000 + k, Format("n%d", k + 1), "n", "1/a", Role::In, Kind::Single,
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
    static const ControlDef controls[] = {
        {kIdOk, Ctl::Button, "Rechne"},
        {kIdCancel, Ctl::Button, "Abbruch"},
    };
    static const Handler<CTimeCoefficientDlg> handlers[] = {
        {Ev::Click, kIdOk, &CTimeCoefficientDlg::OnCompute},
    };
    AddControls(controls);
    Connect<CTimeCoefficientDlg>(this, handlers);
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

    // 38/(T + 9) has no value for T = -9 and turns negative below it.
    if (!(m_T[0] > -9.0f)) {
        Refuse("Die erste Regendauer T muss größer als -9 min sein.\n"
               "Für T + 9 <= 0 ist der Zeitbeiwert nicht definiert.");
        UpdateData(false);
        return;
    }

    CSteps steps(RecordingSteps());
    const TimeCoefficientTable table = ComputeTimeCoefficients({{m_n[0], m_n[1], m_n[2], m_n[3]}, m_T[0]}, steps);
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
            table.push_back(EditAt(1000 + k, 1, 1 + k));
        }
        table.push_back(LabelAt("T [min]", 2, 0, 1, 1, Align::Center));
        table.push_back(LabelAt("Zeitbeiwert", 2, 1, 1, kColumns, Align::Center));
        for (int i = 0; i < kRows; ++i)
            for (int c = 0; c <= kColumns; ++c)
                table.push_back(EditAt(kGrid[i][c], 3 + i, c));

        FormLayout layout;
        layout.push_back(GroupAt("", 0, 0, 2, 1, table));
        layout.push_back(GroupAt("Zeitbeiwert", 0, 1, 1, 1, {PictureAt(184, 0, 0)}));
        layout.push_back(StretchAt(1, 1));
        layout.push_back(ButtonColumn(0, 2, 2, {kIdOk, kIdCancel}));
        return layout;
    }();
    return layout;
}

} // namespace dralun

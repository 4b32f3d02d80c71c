#pragma once
// Time coefficient of a design rain, phi = 38/(T + 9) * (1/n^0.25 - 0.3684),
// tabulated for 16 durations and 4 frequencies (CTimeCoefficient).
// Single-precision fields.
#include "core/CTimeCoefficient.h"
#include "forms/CForm.h"

namespace dralun {

class CTimeCoefficientDlg final : public CForm {
public:
    static constexpr int kTemplateId = 183;
    static constexpr int kPicture = 184; // the drawing beside the fields
    static constexpr int kRows = kTimeCoefficientRows;
    static constexpr int kColumns = kTimeCoefficientColumns;
    // Control ids: the four frequencies, then by row the duration and phi
    // for n1 ... n4.
    enum : int {
        kIdN1 = 1000, kIdN2 = 1001, kIdN3 = 1002, kIdN4 = 1003, // "n"
        kIdT1 = 1004, kIdPhi1_1 = 1052, kIdPhi1_2 = 1024, kIdPhi1_3 = 1038, kIdPhi1_4 = 1068,
        kIdT2 = 1005, kIdPhi2_1 = 1054, kIdPhi2_2 = 1033, kIdPhi2_3 = 1039, kIdPhi2_4 = 1069,
        kIdT3 = 1006, kIdPhi3_1 = 1055, kIdPhi3_2 = 1034, kIdPhi3_3 = 1045, kIdPhi3_4 = 1070,
        kIdT4 = 1013, kIdPhi4_1 = 1063, kIdPhi4_2 = 1035, kIdPhi4_3 = 1056, kIdPhi4_4 = 1071,
        kIdT5 = 1014, kIdPhi5_1 = 1057, kIdPhi5_2 = 1044, kIdPhi5_3 = 1040, kIdPhi5_4 = 1072,
        kIdT6 = 1015, kIdPhi6_1 = 1058, kIdPhi6_2 = 1053, kIdPhi6_3 = 1041, kIdPhi6_4 = 1073,
        kIdT7 = 1016, kIdPhi7_1 = 1059, kIdPhi7_2 = 1010, kIdPhi7_3 = 1042, kIdPhi7_4 = 1074,
        kIdT8 = 1018, kIdPhi8_1 = 1060, kIdPhi8_2 = 1011, kIdPhi8_3 = 1046, kIdPhi8_4 = 1075,
        kIdT9 = 1019, kIdPhi9_1 = 1007, kIdPhi9_2 = 1012, kIdPhi9_3 = 1047, kIdPhi9_4 = 1076,
        kIdT10 = 1030, kIdPhi10_1 = 1008, kIdPhi10_2 = 1025, kIdPhi10_3 = 1048, kIdPhi10_4 = 1077,
        kIdT11 = 1031, kIdPhi11_1 = 1009, kIdPhi11_2 = 1026, kIdPhi11_3 = 1061, kIdPhi11_4 = 1078,
        kIdT12 = 1032, kIdPhi12_1 = 1017, kIdPhi12_2 = 1027, kIdPhi12_3 = 1062, kIdPhi12_4 = 1079,
        kIdT13 = 1043, kIdPhi13_1 = 1020, kIdPhi13_2 = 1028, kIdPhi13_3 = 1064, kIdPhi13_4 = 1080,
        kIdT14 = 1049, kIdPhi14_1 = 1021, kIdPhi14_2 = 1029, kIdPhi14_3 = 1065, kIdPhi14_4 = 1081,
        kIdT15 = 1050, kIdPhi15_1 = 1022, kIdPhi15_2 = 1036, kIdPhi15_3 = 1066, kIdPhi15_4 = 1082,
        kIdT16 = 1051, kIdPhi16_1 = 1023, kIdPhi16_2 = 1037, kIdPhi16_3 = 1067, kIdPhi16_4 = 1083,
    };
    // The same by row: the duration, then phi for n1 ... n4.
    static const int kGrid[kRows][1 + kColumns];

    // Title, standard buttons.
    static constexpr FormDescription kDescription{
        .templateId = kTemplateId, .title = "Zeitbeiwert", .computeButton = kIdOk};
    explicit CTimeCoefficientDlg(IMessageSink& sink);
    const FormLayout& Layout() const override;
    std::string Method() const override;

private:
    void OnInitDialog() override;
    void OnCompute() override;

    float m_n[kColumns] = {};
    float m_T[kRows] = {};
    float m_phi[kRows][kColumns] = {};
};

} // namespace dralun

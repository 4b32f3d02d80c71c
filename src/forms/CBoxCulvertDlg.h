#pragma once
// Rectangular (frame) culvert: the discharge that a short box culvert of
// clear width b and clear height h with a bed fill passes under the head
// difference h1 - h2, from inlet, outlet and friction losses
// (Manning-Strickler with a composite coefficient of bed and concrete).
// Mode 1: h1 given, the slope follows; mode 2: slope and rise given.
#include "forms/CCulvertDlg.h"

namespace dralun {

class CBoxCulvertDlg final : public CCulvertDlg {
public:
    static constexpr int kTemplateId = 158;
    static constexpr int kPicture = 162; // the drawing beside the fields
    // Control ids.
    enum : int {
        kIdB = 1000,         // "b [m]": clear width
        kIdH = 1001,         // "h [m]": clear height
        kIdT = 1002,         // "t [m]": height of the bed fill
        kIdKStS = 1003,      // "kSt-Sohle"
        kIdKStB = 1004,      // "kSt-D-lasswand"
        kIdL = 1005,         // "Länge [m]"
        kIdI = 1006,         // "Gefälle [%o]"
        kIdQ = 1013,         // "Q [m³/s]"
        kIdV = 1014,         // "v [m/s]"
        kIdH1 = 1015,        // "h1  [m]"
        kIdH2 = 1016,        // "h2 Wasserstand (2)  [m]"
        kIdZetaE = 1018,     // "Eintrittsverlustbeiwert"
        kIdZetaA = 1019,     // "Austrittsverlustbeiwert"
        kIdASohle = 1030,    // "A Sohle (t) [m²]"
        kIdLuSohle = 1031,   // "lu Sohle (t) [m]"
        kIdA = 1032,         // "A Abfluss [m²]"
        kIdLuBeton = 1043,   // "lu Beton [m]"
        kIdAufstau = 1049,   // "Aufstau [cm]"
    };

    // Title, standard buttons and discharge field.
    static constexpr FormDescription kDescription{
        .templateId = kTemplateId, .title = "Rechteckdurchlass", .computeButton = kIdOk, .inflowField = "Qerf",
        .inflowUnit = "m³/s"};
    explicit CBoxCulvertDlg(IMessageSink& sink);
    const FormLayout& Layout() const override;
    std::string Method() const override;

private:
    CulvertCheck Evaluate(CSteps& steps) override;

    double m_b = 0;           // clear width, m
    double m_h = 0;           // clear height, m
    double m_kStConcrete = 0; // Strickler coefficient of the concrete
    double m_concretePerimeter = 0;
};

} // namespace dralun

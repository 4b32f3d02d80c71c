#pragma once
// Round pipe culvert: the discharge that a short circular culvert with a bed
// fill passes under the head difference h1 - h2, from inlet, outlet and
// friction losses (Manning-Strickler with a composite coefficient of bed and
// pipe wall). Mode 1: h1 given, the slope follows; mode 2: slope and
// backwater rise given, h1 follows.
#include "forms/CCulvertDlg.h"

namespace dralun {

class CPipeCulvertDlg final : public CCulvertDlg {
public:
    static constexpr int kTemplateId = 131;
    static constexpr int kPicture = 142; // the drawing beside the fields
    // Control ids.
    enum : int {
        kIdDN = 1000,       // "DN [mm]"
        kIdT = 1001,        // "t [m]": height of the bed fill
        kIdKStS = 1002,     // "kSt-Sohle"
        kIdKStW = 1003,     // "kSt-D-lasswand"
        kIdL = 1004,        // "Länge [m]"
        kIdI = 1005,        // "Gefälle [%o]"
        kIdQ = 1006,        // "Q [m³/s]"
        kIdV = 1013,        // "v [m/s]"
        kIdH1 = 1014,       // "h1  [m]"
        kIdH2 = 1015,       // "h2 Wasserstand (2)  [m]"
        kIdZetaE = 1016,    // "Eintrittsverlustbeiwert"
        kIdZetaA = 1018,    // "Austrittsverlustbeiwert"
        kIdASohle = 1019,   // "A Sohle (t) [m²]"
        kIdLuSohle = 1030,  // "lu Sohle (t) [m]"
        kIdA = 1031,        // "A Abfluss [m²]"
        kIdLuWand = 1032,   // "lu Rohrwand [m]"
        kIdAufstau = 1043,  // "Aufstau [cm]"
        kIdDnPlus = 1012, kIdDnMinus = 1020,
        kIdTPlus = 1017, kIdTMinus = 1021,
        kIdH1Plus = 1022, kIdH1Minus = 1023,
        kIdH2Plus = 1026, kIdH2Minus = 1027,
        kIdDn10 = 1024,     // "DN/10": the bed takes a tenth of the diameter
        kIdRechne = 1025,   // "Rechne" (the form has no button 1)
    };

    // Title, standard buttons and discharge field.
    static constexpr FormDescription kDescription{
        .templateId = kTemplateId, .title = "Rohrdurchlass", .computeButton = kIdRechne, .inflowField = "Qerf",
        .inflowUnit = "m³/s"};
    explicit CPipeCulvertDlg(IMessageSink& sink);
    const FormLayout& Layout() const override;
    std::string Method() const override;
    // The mode and whether the bed takes a tenth of the diameter.
    std::vector<FormChoice> Choices() const override;

private:
    CulvertCheck Evaluate(CSteps& steps) override;
    void OnDn10();
    void ApplyDn10Rule();
    void OnDnPlus();
    void OnDnMinus();
    void OnTPlus();
    void OnTMinus();
    void OnH1Plus();
    void OnH1Minus();
    void OnH2Plus();
    void OnH2Minus();

    double m_DN = 0;      // nominal diameter, mm
    double m_kStWall = 0; // Strickler coefficient of the pipe wall
    double m_wallPerimeter = 0;
};

} // namespace dralun

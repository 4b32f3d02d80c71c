#pragma once
// Throttle section after ATV-A 111: the velocity in a short throttle pipe
// that drains a retention basin, and its discharge; every step of the search
// goes into dump-DrosselA111.txt.
#include <string>
#include <vector>

#include "core/CThrottleSection.h"
#include "forms/CForm.h"

namespace dralun {

class CThrottleSectionDlg final : public CForm {
public:
    static constexpr int kTemplateId = 170;
    static constexpr int kPicture = 170;
    // Control ids.
    enum : int {
        kIdKb = 1000,   // "kb [mm]"
        kIdZeta = 1001, // "zeta(1)"
        kIdMD = 1002,   // "mD"
        kIdDu = 1003,   // "Drosseldurchmesser [mm]"
        kIdL = 1004,    // "Drossellänge [m]"
        kIdI = 1005,    // "Drosselneigung [%o]"
        kIdHRs = 1006,  // "H Rs Auslauf [m NN]"
        kIdHmax = 1013, // "H max Wsp [m NN]"
        kIdV = 1014,    // "v [m/s]"
        kIdQ = 1015,    // "Q [m³/s]"
        kIdVa = 1016,   // "v Anström [m/s]"
        kIdQzul = 1044, // "Qzul [m³/s]": the outflow allowed
    };

    // Every step of the search, in the data directory.
    static constexpr const char* kDumpFile = "dump-DrosselA111.txt";
    static constexpr const char* kCrownWarning = " WSP unterschreitet Rohrscheitel + 0,05 m ";
    static constexpr const char* kAbortWarning = " IE wird <= 0  - Berechnung abgebrochen";
    static constexpr const char* kNoStepWarning =
        "Mit diesen Werten ist keine Fließgeschwindigkeit bestimmbar: in keinem Schritt kommt v nach "
        "Prandtl-Colebrook der geschätzten Geschwindigkeit vu nahe.\n"
        "Bitte prüfen Sie die Wasserspiegel H max Wsp und H Rs Auslauf.";

    // Title, standard buttons and discharge field.
    static constexpr FormDescription kDescription{
        .templateId = kTemplateId, .title = "Rohrdrossel nach ATV-A 111", .computeButton = kIdOk};
    explicit CThrottleSectionDlg(IMessageSink& sink);
    const FormLayout& Layout() const override;
    std::string Method() const override;
    // The throttle keeps the outflow allowed when Q <= Qzul; without one
    // (Qzul = 0) nothing is checked.
    bool StatesVerdict() const override { return true; }

    // The messages of a computation, in the order they arose. Without a step
    // taken (result.best < 0) the last one says why there is no result.
    static std::vector<std::string> Messages(const ThrottleResult& result);
    // Writes the dump file anew: its head, then one line per step (skipped
    // without a message where writes go nowhere or it cannot be created).
    // False when nothing was written.
    static bool WriteDumpFile(const ThrottleResult& result);

private:
    void OnCompute() override;

    double m_kb = 0;     // operational roughness, mm
    double m_zeta = 0;   // inlet loss coefficient
    double m_mD = 0;     // outlet water level as a fraction of the diameter
    double m_du = 0;     // throttle diameter, mm
    double m_L = 0;      // throttle length, m
    double m_I = 0;      // throttle slope, per mille (always disabled)
    double m_outlet = 0; // invert level at the outlet, m above datum
    double m_hmax = 0;   // highest water level in the basin, m above datum
    double m_v = 0;      // velocity in the throttle, m/s
    double m_Q = 0;      // throttle discharge, m³/s
    double m_va = 0;     // approach velocity, m/s
    double m_Qzul = 0;   // outflow allowed, m³/s (0: none)
};

} // namespace dralun

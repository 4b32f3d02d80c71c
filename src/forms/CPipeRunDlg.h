#pragma once
// One reach of a gravity sewer: full flow and part filling of a circular
// pipe after Prandtl-Colebrook for a design discharge, with the slope given
// by the bottom levels and the length, in per cent or as 1 : n. Beside it the
// full-flow values of every diameter of DN.ASC, from which a double click
// takes a diameter; they are results like the fields and are computed with
// them, at the same slope and roughness. The form holds the report Rohr.txt
// open while it lives. The inputs of the reach are the form's own fields:
// they are bound straight to the members of PipeReachInput.
#include <optional>
#include <string>
#include <vector>

#include "core/CPipeRunFlow.h"
#include "core/PipeRunCriteria.h"
#include "core/PipeTables.h"
#include "forms/CForm.h"
#include "forms/PipeRunFiles.h"

namespace dralun {

class CPipeRunDlg final : public CForm, private PipeReachInput {
public:
    static constexpr int kTemplateId = 130;
    static constexpr int kPicture = 133;
    // Control ids.
    enum : int {
        kIdQ = 1000,      // "Q in l/s"
        kIdZo = 1001,     // "Sohle oben / unten in mNN" (oben)
        kIdZu = 1002,     // "Sohle oben / unten in mNN" (unten)
        kIdL = 1003,      // "Länge Haltung"
        kIdI = 1004,      // "Gefälle &%"
        kIdN = 1005,      // "Gefälle 1 : &n"
        kIdKb = 1006,     // "kb in mm"
        kIdVv = 1013,     // "vv m/s" (a result)
        kIdQv = 1014,     // "Qv l/s"
        kIdVt = 1015,     // "vt m/s"
        kIdQt = 1016,     // "Qt l/s"
        kIdDrH = 1018,    // "DrH m"
        kIdDN = 1019,     // "DN"
        kIdModeLevels = 1007, kIdModePercent = 1008, kIdModeOneIn = 1009,
        kIdListDiameters = 1011, kIdListVv = 1066, kIdListQv = 1067,
        kIdRefreshList = 1012, // "Liste aktualisieren"
        kIdCompute = 1017,     // "Rechne"
        kIdAppendRow = 1020,   // "Zeile in Rohr.txt"
        kIdEtaMax = 1021,      // the utilisation allowed, %
        kIdVMin = 1022,        // the least part-filling velocity, m/s (0: not asked)
        kIdHdMax = 1023,       // the largest filling ratio h/d (0: not asked)
    };

    // Title, standard buttons and discharge field.
    static constexpr FormDescription kDescription{
        .templateId = kTemplateId, .title = "Rohr", .computeButton = kIdCompute, .inflowField = "Q",
        .inflowUnit = "l/s"};
    explicit CPipeRunDlg(IMessageSink& sink);
    const FormLayout& Layout() const override;
    std::string Method() const override;
    std::vector<FormChoice> Choices() const override;
    // The length counts only while the slope comes from the bottom levels
    // (the form opens in the 1 : n mode with it enabled).
    bool ModeUses(int id) const override { return id == kIdL ? IsEnabled(kIdZo) : CForm::ModeUses(id); }
    // The design discharge against the full-flow capacity: Q <= Qv, and the
    // criteria chosen beside it (utilisation, self-cleansing, filling).
    bool StatesVerdict() const override { return true; }
    // In the diameter list, the smallest diameter that carries Q without
    // overload at the slope and roughness of the last computation, the one
    // the list shows; none when that computation was refused.
    std::vector<ListMark> ListMarks() const override;

    // The last computed reach, for the picture (kept when a later
    // computation is refused).
    const std::optional<PipeRunReach>& LastReach() const { return m_lastReach; }

private:
    void OnInitDialog() override;
    void OnCompute() override;
    std::string InputProblem() const;
    void ShowLists(bool withValues);
    void OnRefusedWhole() override;
    void UseSlopeMode(PipeSlopeMode chosen);
    void OnSlopeFromLevels();
    void OnSlopeInPercent();
    void OnSlopeOneIn();
    void OnTakeDiameter();
    void OnAppendReportRow();

    PipeTables m_tables;
    CPipeRunReport m_report; // opens Rohr.txt when the form is constructed
    std::optional<PipeRunReach> m_lastReach;
    // The criteria beside Q <= Qv.
    double m_etaMax = 100; // utilisation allowed, %
    double m_vMin = 0;     // least part-filling velocity, m/s; 0: not asked
    double m_hdMax = 0;    // largest filling ratio h/d; 0: not asked

    std::string m_vvText;      // full-flow velocity, m/s
    std::string m_QvText;      // full-flow discharge, l/s
    std::string m_vtText;      // part-filling velocity, m/s
    std::string m_QtText;      // discharge carried part-full, l/s
    std::string m_DrHText;     // flow depth, m
    bool m_listsHaveValues = false; // the lists show the full flow of the last computation
    double m_listJ = 0;             // at this slope, m/m
    double m_listKb = 0;            // and this roughness, mm
};

} // namespace dralun

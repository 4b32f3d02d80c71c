#pragma once
// What the pipe culvert and the box culvert forms share: the two modes that
// tie the upstream level h1 to the culvert slope and the backwater rise, and
// the course of a computation. Mode 1 (radio kIdMode1): h1 given, the slope
// follows. Mode 2 (radio kIdMode2): slope and rise given, h1 follows. The
// mode update runs at opening, on a mode button and at the start of every
// computation.
#include "core/CCulvertFlow.h"
#include "core/CulvertLevels.h"
#include "forms/CForm.h"

namespace dralun {

class CCulvertDlg : public CForm {
public:
    // Control ids both culverts have.
    enum : int {
        kIdMode1 = 1007, // "Oberwasserstand h1 gegeben"
        kIdMode2 = 1008, // "Gefälle I und Aufstau gegeben"
        kIdQerf = 1044,  // "Q erforderlich [m³/s]": the discharge the culvert must pass
    };

    // The mode in words: which of h1 and the slope is given.
    std::vector<FormChoice> Choices() const override;
    // The culvert passes the discharge asked for when Qerf <= Q; without a
    // discharge asked for (Qerf = 0) nothing is checked.
    bool StatesVerdict() const override { return true; }

protected:
    // The control ids of h1, the slope and the rise in this form, and of the
    // step buttons of h1 where it has them (0: none).
    struct LevelFields {
        int h1;
        int slope;
        int rise;
        int h1Plus = 0;
        int h1Minus = 0;
    };
    CCulvertDlg(const FormDescription& description, IMessageSink& sink, LevelFields ids);

    // The fields beside the inputs, alike in both culverts: discharge and
    // velocity, then the areas and perimeters of the bed and of the flow.
    struct ResultFields {
        int q, v, bedArea, bedWidth, flowArea, wallPerimeter;
    };
    // Their panel in the second column, under the picture.
    static LayoutItem ResultPanel(int picture, const ResultFields& ids);

    void OnInitDialog() override;
    void OnMode();
    // A computation: reads the fields, completes the levels, runs the
    // culvert (Evaluate) and records its steps, or refuses and says why; no
    // result of an earlier computation stays beside refused inputs.
    void OnCompute() override;
    // Runs the culvert on the members read; when it passes a discharge, takes
    // its results into the members. Says whether it did, and if not why.
    virtual CulvertCheck Evaluate(CSteps& steps) = 0;

    // Enables the fields of the mode, reads the fields, ties h1, slope and
    // rise together (recording how) and writes the fields. The levels are
    // completed only from numbers inside their ranges, and only when what
    // they complete lands inside its own field's range (a value the user
    // cannot type over in this mode must never hold a later computation
    // back); false when they were not completed, LevelsRefusal() says why
    // when the completion itself fell outside.
    bool UpdateMode(CSteps& steps = NoSteps());
    const std::string& LevelsRefusal() const { return m_levelsRefusal; }

    // The balance of the members read, with the wall's Strickler coefficient.
    CulvertBalanceInput Balance(double kStWall) const;
    // Takes the results both culverts show into the members.
    void TakeResults(const CulvertFlowResult& flow, double bedArea, double bedWidth, double flowArea);

    double m_t = 0;       // depth of the bed fill, m
    double m_kStBed = 0;  // Strickler coefficient of the bed
    double m_zetaIn = 0;  // inlet loss coefficient
    double m_zetaOut = 0; // outlet loss coefficient
    double m_L = 0;       // culvert length, m
    double m_I = 0;       // culvert slope, per mille
    double m_h1 = 0;      // upstream water level, m
    double m_h2 = 0;      // downstream water depth above the bed, m
    double m_rise = 0;    // backwater rise ("Aufstau"), cm
    CulvertMode m_mode = CulvertMode::H1Given;
    double m_Qerf = 0; // discharge asked for, m³/s (0: none)
    double m_Q = 0; // discharge, m³/s
    double m_v = 0; // mean velocity, m/s
    double m_bedArea = 0;
    double m_bedWidth = 0;
    double m_flowArea = 0;

private:
    static std::string RefusalText(const CulvertCheck& check);
    std::string OutsideRange(int id, double value) const;

    LevelFields m_ids;
    std::string m_levelsRefusal;
};

} // namespace dralun

#pragma once
// What the pipe culvert and the box culvert forms share: the two modes that
// tie the upstream level h1 to the culvert slope and the backwater rise.
// Mode 1 (radio 1007): h1 given, the slope follows. Mode 2 (radio 1008):
// slope and rise given, h1 follows. The mode update runs at opening, on a
// mode button and at the start of every computation.
#include "forms/CForm.h"

namespace dralun {

class CCulvertDlg : public CForm {
public:
    static constexpr int kIdMode1 = 1007;
    static constexpr int kIdMode2 = 1008;

    // The mode in words: which of h1 and the slope is given.
    std::vector<FormChoice> Choices() const override;

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
    CCulvertDlg(int templateId, IMessageSink& sink, LevelFields ids);

    // Why a computation whose section is sound still gives no discharge.
    static constexpr const char* kNoDischarge = "Mit diesen Eingaben ist kein Abfluss bestimmbar.\n"
                                                "Bitte prüfen Sie Länge, Verlustbeiwerte und kSt-Werte.";

    void OnInitDialog() override;
    void OnMode();
    // Enables the fields of the mode, reads the fields, ties h1, slope and
    // rise together (recording how) and writes the fields. The levels are
    // completed only from numbers inside their ranges, and only when what
    // they complete lands inside its own field's range (a value the user
    // cannot type over in this mode must never hold a later computation
    // back); false when they were not completed, LevelsRefusal() says why
    // when the completion itself fell outside.
    bool UpdateMode(CSteps& steps = NoSteps());
    const std::string& LevelsRefusal() const { return m_levelsRefusal; }

    double m_L = 0;    // culvert length, m
    double m_I = 0;    // culvert slope, per mille
    double m_h1 = 0;   // upstream water level, m
    double m_h2 = 0;   // downstream water depth above the bed, m
    double m_rise = 0; // backwater rise ("Aufstau"), cm
    int m_mode = 1;

private:
    std::string OutsideRange(int id, double value) const;

    LevelFields m_ids;
    std::string m_levelsRefusal;
};

} // namespace dralun

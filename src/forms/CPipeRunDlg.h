#pragma once
// One reach of a gravity sewer: full flow and part filling of a circular
// pipe after Prandtl-Colebrook for a design discharge, with the slope given
// by the bottom levels and the length, in per cent or as 1 : n. Beside it the
// full-flow values of every diameter of DN.ASC, from which a double click
// takes a diameter; they are results like the fields and are computed with
// them, at the same slope and roughness. The form holds the report Rohr.txt
// open while it lives.
#include <string>
#include <vector>

#include "core/CPipeFlow.h"
#include "forms/CForm.h"

namespace dralun {

class CPipeRunDlg final : public CForm {
public:
    static constexpr int kTemplateId = 130;
    static constexpr int kPictureId = 133;

    explicit CPipeRunDlg(IMessageSink& sink);
    const FormLayout& Layout() const override;
    std::string Method() const override;
    std::vector<FormChoice> Choices() const override;
    // In the diameter list, the smallest diameter that carries Q without
    // overload at the slope and roughness of the last computation, the one
    // the list shows; none when that computation was refused.
    std::vector<ListMark> ListMarks() const override;

    // The engine, for the picture (the last computed reach).
    const CPipeFlow& Pipe() const { return m_pipe; }

private:
    void OnInitDialog() override;
    void OnCompute();
    std::string InputProblem() const;
    void ShowLists(bool withValues);
    void OnRefusedWhole() override;
    void OnSlopeFromLevels();
    void OnSlopeInPercent();
    void OnSlopeOneIn();
    void OnTakeDiameter();
    void OnAppendReportRow();

    CPipeFlow m_pipe; // opens Rohr.txt when the form is constructed

    double m_Q = 0;            // design discharge, l/s
    double m_levelTop = 0;     // bottom level at the upper manhole, m above datum
    double m_levelBottom = 0;  // bottom level at the lower manhole, m above datum
    double m_L = 0;            // length of the reach, m
    double m_slopePercent = 0; // %
    double m_slopeN = 0;       // slope 1 : n
    double m_kb = 0;           // operational roughness, mm
    double m_DN = 0;           // nominal diameter, mm
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

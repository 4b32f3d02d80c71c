#include "forms/COscillatingGutterDlg.h"

#include <string>

#include "core/Format.h"

namespace dralun {

namespace {

constexpr const char* kCondition = "Es muss eingehalten werden! qtmin < qT";

const char* QtminCause(COscillatingGutter::Status state)
{
    using Q = COscillatingGutter::Status;
    switch (state) {
    case Q::NegativeLength: return "die Länge L2 ist negativ (qT < qH oder smin < sf)";
    case Q::NegativeInflow: return "der seitliche Zufluss ist negativ";
    case Q::NoWidth: return "die Gerinnebreite b muss größer als 0 m sein";
    case Q::NoSlope: return "die Gerinnelängsneigung smin muss größer als 0 % sein";
    case Q::Unbounded: return "der Wert liegt außerhalb des darstellbaren Bereichs";
    case Q::Determined: break;
    }
    return "";
}

} // namespace

COscillatingGutterDlg::COscillatingGutterDlg(IMessageSink& sink) : CForm(kTemplateId, sink)
{
    using D = COscillatingGutterDlg;
    static const Field<D> fields[] = {
        // id   name    label                               unit    role     default range
        {1000, "sf", "Straßenlängsneigung", "%", Role::In, "0.1", Range{0, 0.5}, &D::m_sf},
        {1001, "smin", "Gerinnelängsneigung", "%", Role::In, "0.5", Range{0.5, 1}, &D::m_smin},
        {1002, "qH", "Gerinnequerneigung am Hochpunkt", "%", Role::In, "2.5", Range{0.5, 20}, &D::m_qH},
        {1003, "qT", "Gerinnequerneigung am Tiefpunkt", "%", Role::In, "10", Range{0.5, 20}, &D::m_qT},
        {1004, "b", "Gerinnebreite", "m", Role::In, "0.5", Range{0.1, 2}, &D::m_b},
        {1005, "qs", "seitlicher Gerinnezufluss", "l/s/m", Role::In, "0.11", Range{0.0001, 1}, &D::m_qs},
        {1006, "L1", "Abstand", "m", Role::Out, "0", {}, &D::m_L1},
        {1013, "L2", "Abstand", "m", Role::Out, "0", {}, &D::m_L2},
        {1014, "QzuL1", "Zufluss am Ablauf durch L1", "l/s", Role::Out, "0", {}, &D::m_QzuL1},
        {1015, "QzuL2", "Zufluss am Ablauf durch L2", "l/s", Role::Out, "0", {}, &D::m_QzuL2},
        {1016, "qtmin", "Gleichung (9)", "%", Role::Out, "0", {}, &D::m_qtmin},
        {1018, "dhh", "Delta h  Hochpunkt", "cm", Role::Out, "0", {}, &D::m_dhh},
        {1019, "dht", "Delta h  Tiefpunkt", "cm", Role::Out, "0", {}, &D::m_dht},
        {1030, "L", "Abstand", "m", Role::Out, "0", {}, &D::m_L},
    };
    static const ControlDef controls[] = {
        {kIdOk, Ctl::Button, "Rechne"},
        {kIdCancel, Ctl::Button, "Abbruch"},
    };
    static const Handler<D> handlers[] = {
        {Ev::Click, kIdOk, &D::OnCompute},
    };
    Bind<D>(this, fields);
    AddControls(controls);
    Connect<D>(this, handlers);
}

void COscillatingGutterDlg::OnCompute()
{
    BeginComputation();
    if (!ReadForComputation())
        return;

    CSteps steps(RecordingSteps());
    m_gutter.SetInputs(m_sf, m_smin, m_qH, m_qT, m_b, m_qs);
    m_gutter.Compute(steps);
    m_L1 = m_gutter.L1();
    m_L2 = m_gutter.L2();
    m_L = m_gutter.L();
    m_QzuL1 = m_gutter.QzuL1();
    m_QzuL2 = m_gutter.QzuL2();
    m_qtmin = m_gutter.Qtmin(); // NaN shows as not determinable
    m_dhh = m_gutter.Dhh();
    m_dht = m_gutter.Dht();
    Record(steps);

    // The form demands qtmin < qT; say so when it cannot hold or does not.
    if (m_gutter.QtminStatus() != COscillatingGutter::Status::Determined)
        MessageBox(std::string("qtmin nach Gleichung (9) ist nicht bestimmbar: ") + QtminCause(m_gutter.QtminStatus()) +
                       ".\nDie Bedingung qtmin < qT kann so nicht eingehalten werden.",
                   MsgIcon::Exclamation);
    else if (m_qtmin >= m_qT)
        MessageBox("Die Bedingung qtmin < qT ist nicht eingehalten:\nqtmin = " + FormatG6(m_qtmin) +
                       " % ist nicht kleiner als qT = " + FormatG6(m_qT) + " %.",
                   MsgIcon::Exclamation);

    UpdateData(false);
}

std::string COscillatingGutterDlg::Method() const
{
    return "Pendelrinne: Astlängen, Ablaufabstand und Zuflüsse aus dem Höhenunterschied der Querschnitte, "
           "kleinste Querneigung am Tiefpunkt nach Gleichung (9), in einfacher Genauigkeit";
}

const FormLayout& COscillatingGutterDlg::Layout() const
{
    // Label, symbol, field and unit in four columns; the condition under qT and qtmin.
    static const FormLayout layout = [] {
        const struct {
            int id;
            const char* label;
            const char* symbol;
            const char* unit;
        } inputs[] = {
            {1000, "Straßenlängsneigung", "sf", "%"},
            {1001, "Gerinnelängsneigung", "smin", "%"},
            {1002, "Gerinnequerneigung am Hochpunkt", "qH", "%"},
            {1003, "Gerinnequerneigung am Tiefpunkt", "qT", "%"},
            {1004, "Gerinnebreite", "b", "m"},
            {1005, "seitlicher Gerinnezufluss", "qs", "l/s/m"},
        },
          results[] = {
              {1006, "Abstand", "L1", "m"},
              {1013, "Abstand", "L2", "m"},
              {1030, "Abstand", "L=L1+L2", "m"},
              {1014, "Zufluss am Ablauf durch L1", "Qzu[L1]", "l/s"},
              {1015, "Zufluss am Ablauf durch L2", "Qzu[L2]", "l/s"},
              {1018, "Delta h  Hochpunkt", "dhh", "cm"},
              {1019, "Delta h  Tiefpunkt", "dht", "cm"},
              {1016, "Gleichung (9)", "qtmin", "%"},
          };
        auto rows = [](const auto& list) {
            FormLayout grid;
            int row = 0;
            for (const auto& r : list) {
                grid.push_back(LabelAt(r.label, row, 0));
                grid.push_back(LabelAt(r.symbol, row, 1));
                grid.push_back(EditAt(r.id, row, 2));
                grid.push_back(LabelAt(r.unit, row, 3));
                ++row;
                // The condition on a line of its own, under its field.
                if (r.id == 1003 || r.id == 1016)
                    grid.push_back(LabelAt(kCondition, row++, 0, 1, 4, Align::Right));
            }
            return grid;
        };
        FormLayout layout;
        layout.push_back(GroupAt("Eingabe", 0, 0, 1, 1, rows(inputs)));
        layout.push_back(GroupAt("Ergebnis", 1, 0, 1, 1, rows(results)));
        layout.push_back(PictureAt(kPicture, 0, 1, 2, 1));
        layout.push_back(ButtonColumn(0, 2, 2, {kIdOk, kIdCancel}));
        return layout;
    }();
    return layout;
}

} // namespace dralun

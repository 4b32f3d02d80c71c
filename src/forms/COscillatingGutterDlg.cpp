#include "forms/COscillatingGutterDlg.h"

#include <string>
#include <utility>

#include "core/COscillatingGutter.h"
#include "core/Format.h"

namespace dralun {

namespace {

constexpr const char* kCondition = "Es muss eingehalten werden! qtmin < qT";

const char* QtminCause(QtminStatus state)
{
    using Q = QtminStatus;
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

COscillatingGutterDlg::COscillatingGutterDlg(IMessageSink& sink) : CForm(kDescription, sink)
{
    using D = COscillatingGutterDlg;
    static const Field<D> fields[] = {
        // id        name    label                               unit    role     default range
        {kIdSf, "sf", "Straßenlängsneigung", "%", Role::In, "0.1", Range{0, 0.5}, &D::m_sf},
        {kIdSmin, "smin", "Gerinnelängsneigung", "%", Role::In, "0.5", Range{0.5, 1}, &D::m_smin},
        {kIdQH, "qH", "Gerinnequerneigung am Hochpunkt", "%", Role::In, "2.5", Range{0.5, 20}, &D::m_qH},
        {kIdQT, "qT", "Gerinnequerneigung am Tiefpunkt", "%", Role::In, "10", Range{0.5, 20}, &D::m_qT},
        {kIdB, "b", "Gerinnebreite", "m", Role::In, "0.5", Range{0.1, 2}, &D::m_b},
        {kIdQs, "qs", "seitlicher Gerinnezufluss", "l/s/m", Role::In, "0.11", Range{0.0001, 1}, &D::m_qs},
        {kIdL1, "L1", "Abstand", "m", Role::Out, "0", {}, &D::m_L1},
        {kIdL2, "L2", "Abstand", "m", Role::Out, "0", {}, &D::m_L2},
        {kIdQzuL1, "QzuL1", "Zufluss am Ablauf durch L1", "l/s", Role::Out, "0", {}, &D::m_QzuL1},
        {kIdQzuL2, "QzuL2", "Zufluss am Ablauf durch L2", "l/s", Role::Out, "0", {}, &D::m_QzuL2},
        {kIdQtmin, "qtmin", "Gleichung (9)", "%", Role::Out, "0", {}, &D::m_qtmin},
        {kIdDhh, "dhh", "Delta h  Hochpunkt", "cm", Role::Out, "0", {}, &D::m_dhh},
        {kIdDht, "dht", "Delta h  Tiefpunkt", "cm", Role::Out, "0", {}, &D::m_dht},
        {kIdL, "L", "Abstand", "m", Role::Out, "0", {}, &D::m_L},
    };
    Bind<D>(this, fields);
}

void COscillatingGutterDlg::OnCompute()
{
    BeginComputation();
    if (!ReadForComputation())
        return;

    CSteps steps(RecordingSteps());
    const OscillatingGutterResult r = ComputeOscillatingGutter({m_sf, m_smin, m_qH, m_qT, m_b, m_qs}, steps);
    m_L1 = r.L1;
    m_L2 = r.L2;
    m_L = r.L;
    m_QzuL1 = r.QzuL1;
    m_QzuL2 = r.QzuL2;
    m_qtmin = r.qtmin; // NaN shows as not determinable
    m_dhh = r.dhh;
    m_dht = r.dht;
    // The form's condition qtmin < qT, decided where equation (9) gives a
    // value for a gutter with a saw-tooth: without a second branch (smin =
    // sf, or qT = qH) there is nothing to drain and nothing to check.
    if (r.status == QtminStatus::Determined && r.L2 > 0) {
        Verdict verdict = CheckDemand(steps,
                                      {"Querneigung am Tiefpunkt (qtmin < qT)",
                                       "kleinste Querneigung am Tiefpunkt nach Gleichung (9)", "qtmin",
                                       "Querneigung am Tiefpunkt", "qT", "%", true},
                                      static_cast<double>(r.qtmin), static_cast<double>(m_qT));
        SetVerdict(std::move(verdict));
    }
    Record(steps);

    // The form demands qtmin < qT; say so when it cannot hold or does not.
    if (r.status != QtminStatus::Determined)
        MessageBox(std::string("qtmin nach Gleichung (9) ist nicht bestimmbar: ") + QtminCause(r.status) +
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
            {kIdSf, "Straßenlängsneigung", "sf", "%"},
            {kIdSmin, "Gerinnelängsneigung", "smin", "%"},
            {kIdQH, "Gerinnequerneigung am Hochpunkt", "qH", "%"},
            {kIdQT, "Gerinnequerneigung am Tiefpunkt", "qT", "%"},
            {kIdB, "Gerinnebreite", "b", "m"},
            {kIdQs, "seitlicher Gerinnezufluss", "qs", "l/s/m"},
        },
          results[] = {
              {kIdL1, "Abstand", "L1", "m"},
              {kIdL2, "Abstand", "L2", "m"},
              {kIdL, "Abstand", "L=L1+L2", "m"},
              {kIdQzuL1, "Zufluss am Ablauf durch L1", "Qzu[L1]", "l/s"},
              {kIdQzuL2, "Zufluss am Ablauf durch L2", "Qzu[L2]", "l/s"},
              {kIdDhh, "Delta h  Hochpunkt", "dhh", "cm"},
              {kIdDht, "Delta h  Tiefpunkt", "dht", "cm"},
              {kIdQtmin, "Gleichung (9)", "qtmin", "%"},
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
                if (r.id == kIdQT || r.id == kIdQtmin)
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

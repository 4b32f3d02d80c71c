#pragma once
// A small form of the tests' own, for what no calculator does on demand: a
// text result of any length, a refusal of all results or of a part of them.
#include <QPainter>
#include <memory>
#include <string>

#include "forms/CForm.h"
#include "forms/FormRegistry.h"
#include "gui/pictures/Pictures.h"

namespace dralun::test {

class ProbeForm : public CForm {
public:
    static constexpr int kPicture = 9001;
    static constexpr int kIdLength = 10, kIdText = 11, kIdValue = 12;

    explicit ProbeForm(IMessageSink& sink) : CForm(999, sink)
    {
        using D = ProbeForm;
        static const Field<D> fields[] = {
            {kIdLength, "n", "Länge", "", Role::In, "3", {}, &D::length},
            {kIdText, "t", "Text", "", Role::Out, "", {}, &D::text},
            {kIdValue, "r", "Wert", "m", Role::Out, "0", {}, &D::value},
        };
        static const ControlDef controls[] = {{kIdOk, Ctl::Button, "Rechne"}, {kIdCancel, Ctl::Button, "Abbruch"}};
        Bind<D>(this, fields);
        AddControls(controls);
        // Length n < 0 is refused whole; n > 100 gives the text but no value.
        On(Ev::Click, kIdOk, [this] {
            UpdateData(true);
            BeginComputation();
            if (length < 0) {
                Refuse("Unzulässige Eingabe!\n\nDie Länge darf nicht negativ sein.");
            } else {
                text.assign(static_cast<size_t>(length), '8');
                value = length;
                if (length > 100)
                    RefuseFields("Für Texte von mehr als 100 Zeichen ist kein Wert bestimmbar, weil die Länge "
                                 "die Grenze überschreitet.",
                                 {kIdValue});
            }
            UpdateData(false);
        });
    }
    const FormLayout& Layout() const override
    {
        static const FormLayout layout = {
            FieldAt(kIdLength, 0, 0),
            FieldAt(kIdText, 1, 0, 6),
            FieldAt(kIdValue, 2, 0),
            PictureAt(kPicture, 0, 2, 3, 1),
            ButtonColumn(0, 3, 3, {kIdOk, kIdCancel}),
        };
        return layout;
    }
    static const FormInfo& Info()
    {
        static const FormInfo info{.templateId = 999,
                                   .shortName = "probe",
                                   .title = "Probe",
                                   .picture = kPicture,
                                   .computeButton = kIdOk,
                                   .create = [](IMessageSink& sink) -> std::unique_ptr<CForm> {
                                       return std::make_unique<ProbeForm>(sink);
                                   }};
        return info;
    }

    double length = 0, value = 0;
    std::string text;
};

// The probe's picture: a grey box over its whole area.
inline const PictureRegistrar kProbePicture(ProbeForm::kPicture,
                                            {{12, 6}, [](QPainter& painter, const QRectF& area, const CForm&) {
                                                 painter.fillRect(area, Qt::gray);
                                             }});

} // namespace dralun::test

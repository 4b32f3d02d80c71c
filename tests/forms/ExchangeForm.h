#pragma once
// A small form with one field of every kind, for the exchange rules.
#include "forms/CForm.h"

namespace dralun::test {

class ExchangeForm : public CForm {
public:
    explicit ExchangeForm(IMessageSink& sink) : CForm(999, sink)
    {
        using D = ExchangeForm;
        static const Field<D> fields[] = {
            {10, "a", "A", "m", Role::In, "1.5", Range{0.25, 3}, &D::a},
            {11, "b", "B", "m", Role::In, "2", {}, &D::b},
            {12, "s", "S", "-", Role::In, "0.1", Range{0.01, 2}, &D::s},
            {13, "r", "R", "m", Role::Out, "0", {}, &D::r},
            {14, "t", "T", "", Role::In, "C:\\Dralun\\R3943mi.txt", {}, &D::text},
            {15, "c", "Liste", "", Role::In, "2.5", {}, &D::choice, 3},
            {16, "k", "Haken", "", Role::In, "1", {}, &D::check},
            {17, "o", "Aus", "m", Role::Off, "7", {}, &D::off},
        };
        static const ControlDef controls[] = {
            {kIdOk, Ctl::Button, "Rechne"},
            {kIdCancel, Ctl::Button, "Abbruch"},
            {15, Ctl::Combo, "", 0, {"1.0", "2.0", "2.5", "10", "1000"}},
            {16, Ctl::Check, "Haken"},
            {20, Ctl::Radio, "eins", 1},
            {21, Ctl::Radio, "zwei", 1},
            {22, Ctl::Radio, "andere Gruppe", 2},
            {30, Ctl::List, ""},
            {40, Ctl::Button, "zweimal lesen"},
        };
        Bind<D>(this, fields);
        AddControls(controls);
        On(Ev::Click, kIdOk, [this] {
            ++computed;
            BeginComputation();
            readOk = ReadForComputation();
            if (!readOk)
                return;
            r = a * b;
            UpdateData(false);
        });
        On(Ev::Click, 40, [this] {
            UpdateData(true);
            UpdateData(false);
            UpdateData(true);
        });
    }
    const FormLayout& Layout() const override
    {
        static const FormLayout none;
        return none;
    }
    using CForm::AddItem;
    using CForm::MarkResultsStale;
    using CForm::UpdateData;

    double a = 0, b = 0, r = 0;
    float s = 0;
    std::string text, choice;
    int check = 0;
    double off = 0;
    int computed = 0;
    bool readOk = false;
};

} // namespace dralun::test

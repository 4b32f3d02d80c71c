#include "forms/MainFields.h"

#include <string>

#include "forms/CForm.h"

namespace dralun {

namespace {

struct MainNames {
    int form;
    std::vector<const char*> inputs;
    std::vector<const char*> results;
};

const std::vector<MainNames>& Table()
{
    static const std::vector<MainNames> table = {
        {130, {"DN", "I"}, {"Qv", "vv"}},
        {131, {"DN", "t"}, {"Q", "v"}},
        {132, {"B", "h"}, {"Q_Gl7", "v_Parabel"}},
        {143, {"b", "t"}, {"Q", "v"}},
        {152, {"s", "qf"}, {"Q1", "v1"}},
        {154, {"sf", "b"}, {"L"}},
        {158, {"b", "h"}, {"Q", "v"}},
        {165, {"s", "q"}, {"qd"}},
        {166, {"s", "BSt"}, {"L"}},
        {170, {"du", "L"}, {"Q", "v"}},
        {171, {"Q", "h"}, {"d", "v"}},
        {104, {"b", "kf"}, {"V", "Ueberlauf"}},
        {176, {"B", "h"}, {"Qm", "vm"}},
        {183, {"n1", "T1"}, {"phi1_1"}},
        {185, {"B", "kf"}, {"V_genutzt", "Ueberlauf"}},
    };
    return table;
}

std::vector<int> Ids(const CForm& form, bool results)
{
    std::vector<int> ids;
    for (const MainNames& row : Table()) {
        if (row.form != form.TemplateId())
            continue;
        for (const char* name : results ? row.results : row.inputs)
            if (const FieldInfo* field = form.FindFieldByName(name))
                ids.push_back(field->id);
        return ids;
    }
    for (const FieldInfo& f : form.Fields()) {
        const bool isResult = f.role == Role::Out;
        if (isResult == results && ids.size() < (results ? 1u : 2u))
            ids.push_back(f.id);
    }
    return ids;
}

} // namespace

std::vector<int> ReloadButtonIds(const CForm& form)
{
    // "Datei laden" of the infiltration forms, when the rain comes from the
    // file ("N aus Datei").
    struct Reload {
        int form, button, mode;
    };
    static const Reload reloads[] = {{104, 1020, 1053}, {185, 1020, 1053}};
    std::vector<int> ids;
    for (const Reload& r : reloads)
        if (r.form == form.TemplateId() && form.IsChecked(r.mode) && form.IsEnabled(r.button))
            ids.push_back(r.button);
    return ids;
}

std::vector<int> MainInputIds(const CForm& form) { return Ids(form, false); }
std::vector<int> MainResultIds(const CForm& form) { return Ids(form, true); }

} // namespace dralun

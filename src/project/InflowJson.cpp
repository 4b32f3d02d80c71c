#include "project/InflowJson.h"

#include <cmath>

#include "core/Format.h"
#include "project/CalculationJson.h"

namespace dralun {

namespace {

using Json = ProjectJsonValue;

struct Unreadable {
    std::string reason;
};

const Json& Required(const Json& object, const char* key)
{
    const auto it = object.find(key);
    if (it == object.end())
        throw Unreadable{std::string("\"") + key + "\" fehlt"};
    return *it;
}

double FiniteNumber(const Json& object, const char* key)
{
    const Json& value = Required(object, key);
    if (!value.is_number() || !std::isfinite(value.get<double>()))
        throw Unreadable{std::string("\"") + key + "\" ist keine Zahl"};
    return value.get<double>();
}

std::string Text(const Json& object, const char* key)
{
    const Json& value = Required(object, key);
    if (!value.is_string())
        throw Unreadable{std::string("\"") + key + "\" ist kein Text"};
    const std::string& text = value.get_ref<const std::string&>();
    if (text.size() > kLongestName * 4)
        throw Unreadable{std::string("\"") + key + "\" ist zu lang"};
    return text;
}

} // namespace

Json InflowJson(const FormInflow& inflow)
{
    Json areas = Json::array();
    for (const InflowEntry& area : inflow.areas)
        areas.push_back(
            {{"name", area.name}, {"A_m2", area.areaM2}, {"hectares", area.hectares}, {"psi", area.psi}});
    Json rain{{"r", inflow.rain.intensity}};
    if (!inflow.rain.file.empty()) {
        rain["file"] = inflow.rain.file;
        rain["sha256"] = inflow.rain.sha256;
        rain["duration"] = inflow.rain.duration;
        rain["n"] = inflow.rain.n;
    }
    return Json{{"areas", std::move(areas)}, {"rain", std::move(rain)}, {"typed", inflow.typed}};
}

std::optional<FormInflow> InflowFromJson(const Json& json, std::string* problem)
{
    try {
        if (!json.is_object())
            throw Unreadable{"sie ist kein JSON-Objekt"};
        FormInflow inflow;
        const Json& areas = Required(json, "areas");
        if (!areas.is_array())
            throw Unreadable{"\"areas\" ist keine Liste"};
        if (areas.size() > kMostInflowAreas)
            throw Unreadable{Format("sie hat mehr als %zu Flächen", kMostInflowAreas)};
        for (const Json& area : areas) {
            if (!area.is_object())
                throw Unreadable{"eine Fläche ist kein JSON-Objekt"};
            const Json& hectares = Required(area, "hectares");
            if (!hectares.is_boolean())
                throw Unreadable{"\"hectares\" ist nicht true oder false"};
            inflow.areas.push_back(
                {Text(area, "name"), FiniteNumber(area, "A_m2"), hectares.get<bool>(), FiniteNumber(area, "psi")});
        }
        const Json& rain = Required(json, "rain");
        if (!rain.is_object())
            throw Unreadable{"\"rain\" ist kein JSON-Objekt"};
        inflow.rain.intensity = FiniteNumber(rain, "r");
        if (rain.contains("file")) {
            inflow.rain.file = Text(rain, "file");
            inflow.rain.sha256 = Text(rain, "sha256");
            inflow.rain.duration = Text(rain, "duration");
            inflow.rain.n = FiniteNumber(rain, "n");
        }
        inflow.typed = Text(json, "typed");
        return inflow;
    } catch (const Unreadable& e) {
        if (problem)
            *problem = "in der Zufluss-Tabelle: " + e.reason;
        return std::nullopt;
    }
}

} // namespace dralun

#include "project/CalculationJson.h"

#include <charconv>
#include <cmath>
#include <limits>

#include "core/Format.h"
#include "core/NumberText.h"

namespace dralun {

namespace {

using Json = ProjectJsonValue;

// Raised while reading an entry; its text says what is wrong.
struct EntryError {
    std::string text;
};

template <class T>
Json IdMap(const std::vector<std::pair<int, T>>& items)
{
    Json object = Json::object();
    for (const auto& [id, value] : items)
        object[std::to_string(id)] = value;
    return object;
}

const std::string& CheckedText(const Json& value, const std::string& what)
{
    if (!value.is_string())
        throw EntryError{what + " ist kein Text"};
    const std::string& text = value.get_ref<const std::string&>();
    if (text.size() > kLongestProjectText)
        throw EntryError{Format("%s ist mit %zu Zeichen zu lang", what.c_str(), text.size())};
    return text;
}

int ControlId(const std::string& key)
{
    int id = 0;
    const auto [end, ec] = std::from_chars(key.data(), key.data() + key.size(), id);
    if (ec != std::errc() || end != key.data() + key.size() || id < 0 || key.empty() || key[0] == '+')
        throw EntryError{"\"" + key.substr(0, 40) + "\" ist keine Nummer eines Steuerelements"};
    return id;
}

long long Integer(const Json& value, const std::string& what, long long lo, long long hi)
{
    if (!value.is_number_integer())
        throw EntryError{what + " ist keine ganze Zahl"};
    if (value.is_number_unsigned() && value.get<unsigned long long>() > static_cast<unsigned long long>(hi))
        throw EntryError{what + " liegt außerhalb des Bereichs"};
    const long long n = value.get<long long>();
    if (n < lo || n > hi)
        throw EntryError{what + " liegt außerhalb des Bereichs"};
    return n;
}

const Json* Member(const Json& object, const char* key, Json::value_t type, bool required)
{
    const auto it = object.find(key);
    if (it == object.end()) {
        if (required)
            throw EntryError{std::string("\"") + key + "\" fehlt"};
        return nullptr;
    }
    if (it->type() != type)
        throw EntryError{std::string("\"") + key + "\" hat den falschen Typ"};
    return &*it;
}

std::string TextMember(const Json& object, const char* key)
{
    const Json* value = Member(object, key, Json::value_t::string, false);
    return value ? CheckedText(*value, std::string("\"") + key + "\"") : std::string();
}

std::vector<std::string> Texts(const Json& array, const std::string& what)
{
    std::vector<std::string> texts;
    for (const Json& item : array)
        texts.push_back(CheckedText(item, what));
    return texts;
}

// The most columns a kept rating table may name: more than any form has fields.
constexpr std::size_t kMostRatingColumns = 1000;

double Number(const Json& object, const char* key)
{
    const Json* value = object.contains(key) ? &object.at(key) : nullptr;
    if (!value)
        throw EntryError{std::string("\"") + key + "\" fehlt"};
    if (!value->is_number())
        throw EntryError{std::string("\"") + key + "\" ist keine Zahl"};
    return value->get<double>();
}

// A rating table as kept: the request, and the rows as they were shown.
// The columns are known by their ids only; the form names them when the
// table is made anew.
RatingTable ReadRating(const Json& rating)
{
    RatingTable t;
    const Json& request = *Member(rating, "request", Json::value_t::object, true);
    RatingRequest& q = t.request;
    const auto vary = request.find("vary");
    if (vary == request.end())
        throw EntryError{"\"vary\" fehlt"};
    q.vary = static_cast<int>(Integer(*vary, "\"vary\"", 0, std::numeric_limits<int>::max()));
    q.from = Number(request, "from");
    q.to = Number(request, "to");
    q.step = Number(request, "step");
    if (const auto rows = request.find("rows"); rows != request.end())
        q.rows = static_cast<int>(Integer(*rows, "\"rows\"", 0, kMostRatingRows));
    if (const Json* columns = Member(request, "columns", Json::value_t::array, false)) {
        if (columns->size() > kMostRatingColumns)
            throw EntryError{Format("mehr als %zu Spalten", kMostRatingColumns)};
        for (const Json& id : *columns)
            q.columns.push_back(
                static_cast<int>(Integer(id, "eine Spalte", 0, std::numeric_limits<int>::max())));
    }
    t.varied.id = q.vary;
    for (int id : q.columns)
        t.columns.push_back({id, {}, {}, {}});

    const Json& rows = *Member(rating, "rows", Json::value_t::array, true);
    if (rows.size() > static_cast<std::size_t>(kMostRatingRows))
        throw EntryError{Format("%zu Zeilen, höchstens %d", rows.size(), kMostRatingRows)};
    for (const Json& item : rows) {
        if (!item.is_object())
            throw EntryError{"eine Zeile ist kein JSON-Objekt"};
        RatingRow row;
        const Json* input = Member(item, "input", Json::value_t::string, true);
        row.inputText = CheckedText(*input, "eine Eingabe");
        row.input = ParseFieldNumber(row.inputText).value_or(std::nan(""));
        if (const Json* texts = Member(item, "texts", Json::value_t::array, false))
            row.texts = Texts(*texts, "ein Wert");
        if (!q.columns.empty() && row.texts.size() > q.columns.size())
            throw EntryError{"eine Zeile hat mehr Werte als die Tabelle Spalten"};
        row.refused = TextMember(item, "refused");
        row.partly = TextMember(item, "partly");
        for (const std::string& text : row.texts)
            row.values.push_back(row.refused.empty() ? ParseFieldNumber(text).value_or(std::nan("")) : std::nan(""));
        t.rows.push_back(std::move(row));
    }
    return t;
}

Json RatingToJson(const RatingTable& t)
{
    const RatingRequest& q = t.request;
    Json rows = Json::array();
    for (const RatingRow& row : t.rows) {
        rows.push_back(Json{{"input", row.inputText}, {"texts", row.texts}, {"refused", row.refused}});
        if (!row.partly.empty()) // results of the row left out, and why
            rows.back()["partly"] = row.partly;
    }
    return Json{{"request",
                 {{"vary", q.vary}, {"from", q.from}, {"to", q.to}, {"step", q.step}, {"rows", q.rows},
                  {"columns", q.columns}}},
                {"rows", std::move(rows)}};
}

Calculation Read(const Json& entry)
{
    if (!entry.is_object())
        throw EntryError{"der Eintrag ist kein JSON-Objekt"};
    Calculation c;
    const auto form = entry.find("form");
    if (form == entry.end())
        throw EntryError{"\"form\" fehlt"};
    c.form = static_cast<int>(Integer(*form, "\"form\"", 1, 99999));
    c.title = TextMember(entry, "title");
    c.name = TextMember(entry, "name");
    c.time = TextMember(entry, "time");
    c.refused = TextMember(entry, "refused");
    c.mainResult = TextMember(entry, "mainResult");
    for (const auto& [key, value] : Member(entry, "inputs", Json::value_t::object, true)->items())
        c.inputs.emplace_back(ControlId(key), CheckedText(value, "Feld " + key));
    if (const Json* checks = Member(entry, "checks", Json::value_t::object, false))
        for (const auto& [key, value] : checks->items()) {
            if (!value.is_boolean())
                throw EntryError{"Schaltzustand von " + key + " ist nicht true oder false"};
            c.checks.emplace_back(ControlId(key), value.get<bool>());
        }
    if (const Json* selections = Member(entry, "selections", Json::value_t::object, false))
        for (const auto& [key, value] : selections->items())
            c.selections.emplace_back(ControlId(key),
                                      static_cast<int>(Integer(value, "Auswahl in " + key, 0, 1000000)));
    if (const Json* results = Member(entry, "results", Json::value_t::object, false))
        for (const auto& [key, value] : results->items())
            c.results.emplace_back(ControlId(key), CheckedText(value, "Ergebnis " + key));
    if (const Json* lists = Member(entry, "lists", Json::value_t::object, false))
        for (const auto& [key, value] : lists->items()) {
            if (!value.is_array())
                throw EntryError{"Liste " + key + " ist keine Liste"};
            c.lists.emplace_back(ControlId(key), Texts(value, "ein Eintrag der Liste " + key));
        }
    if (const Json* messages = Member(entry, "messages", Json::value_t::array, false))
        c.messages = Texts(*messages, "eine Meldung");
    if (const Json* header = Member(entry, "header", Json::value_t::object, false)) {
        c.header.project = TextMember(*header, "projekt");
        c.header.structure = TextMember(*header, "bauwerk");
        c.header.engineer = TextMember(*header, "bearbeiter");
        c.header.date = TextMember(*header, "datum");
        c.header.remark = TextMember(*header, "bemerkung");
    }
    if (const Json* files = Member(entry, "files", Json::value_t::array, false))
        for (const Json& file : *files) {
            if (!file.is_object())
                throw EntryError{"eine Datendatei ist kein JSON-Objekt"};
            c.files.push_back({TextMember(file, "name"), TextMember(file, "sha256")});
        }
    if (const Json* rating = Member(entry, "rating", Json::value_t::object, false))
        try {
            c.rating = ReadRating(*rating);
        } catch (const EntryError& e) {
            throw EntryError{"in der Wertetabelle: " + e.text};
        }
    return c;
}

} // namespace

Json CalculationToJson(const Calculation& c)
{
    Json files = Json::array();
    for (const KeptDataFile& f : c.files)
        files.push_back(Json{{"name", f.name}, {"sha256", f.sha256}});
    Json entry{{"form", c.form},
                {"title", c.title},
                {"name", c.name},
                {"time", c.time},
                {"inputs", IdMap(c.inputs)},
                {"checks", IdMap(c.checks)},
                {"selections", IdMap(c.selections)},
                {"results", IdMap(c.results)},
                {"lists", IdMap(c.lists)},
                {"messages", c.messages},
                {"refused", c.refused},
                {"mainResult", c.mainResult},
                {"header",
                 {{"projekt", c.header.project},
                  {"bauwerk", c.header.structure},
                  {"bearbeiter", c.header.engineer},
                  {"datum", c.header.date},
                  {"bemerkung", c.header.remark}}},
                {"files", files}};
    if (c.rating)
        entry["rating"] = RatingToJson(*c.rating);
    return entry;
}

std::optional<Calculation> CalculationFromJson(const Json& entry, std::string* problem)
{
    try {
        return Read(entry);
    } catch (const EntryError& e) {
        if (problem)
            *problem = e.text;
        return std::nullopt;
    }
}

} // namespace dralun

#include "project/CalculationJson.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>

#include "core/Format.h"
#include "core/NumberText.h"
#include "project/InflowJson.h"
#include "project/KeptFileJson.h"

namespace dralun {

namespace {

using Json = ProjectJsonValue;

// Raised while reading an entry; its text says what is wrong.
struct EntryError {
    std::string text;
};

template <class T>
Json NameMap(const std::vector<std::pair<std::string, T>>& items)
{
    Json object = Json::object();
    for (const auto& [name, value] : items)
        object[name] = value;
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
        throw EntryError{"\"" + Printable(key, 40) + "\" ist keine Nummer eines Steuerelements"};
    return id;
}

// The longest name of a kind or of one of its values.
constexpr std::size_t kLongestKindName = 200;

// The name of a kind other than a form: a text that begins with a letter.
std::string KindName(const Json& value)
{
    if (!value.is_string())
        throw EntryError{"\"kind\" ist kein Text"};
    const std::string& name = value.get_ref<const std::string&>();
    const bool letter = !name.empty() && ((name[0] >= 'A' && name[0] <= 'Z') || (name[0] >= 'a' && name[0] <= 'z'));
    if (!letter || name.size() > kLongestKindName)
        throw EntryError{"\"" + Printable(name, 40) + "\" ist keine Art einer Berechnung"};
    return name;
}

// The name of a value of a kind other than a form: any text but an empty one.
std::string ValueName(const std::string& key)
{
    if (key.empty() || key.size() > kLongestKindName)
        throw EntryError{"\"" + Printable(key, 40) + "\" ist kein Name eines Werts"};
    return key;
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

// A name or head text: refused beyond its limit, shown without control
// characters (the entry keeps them as they were).
std::string UserText(const Json& object, const char* key, std::size_t longest)
{
    const std::string text = TextMember(object, key);
    const std::size_t characters = CharacterCount(text);
    if (characters > longest || text.size() > 4 * longest)
        throw EntryError{Format("\"%s\" ist mit %zu Zeichen zu lang (höchstens %zu)", key, characters, longest)};
    return Printable(text, longest);
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
    // A form by its template id, another kind by its name.
    const auto form = entry.find("form");
    const auto kind = entry.find("kind");
    if (form == entry.end() && kind == entry.end())
        throw EntryError{"\"form\" fehlt"};
    if (form != entry.end())
        c.form = static_cast<int>(Integer(*form, "\"form\"", 1, 99999));
    else
        c.kind = KindName(*kind);
    c.title = TextMember(entry, "title");
    c.name = UserText(entry, "name", kLongestName);
    c.time = TextMember(entry, "time");
    c.refused = TextMember(entry, "refused");
    c.mainResult = TextMember(entry, "mainResult");
    // Each key is known to be a control id (or a name) before a message names it.
    const bool byId = c.kind.empty();
    auto name = [byId](const std::string& key) { return byId ? std::to_string(ControlId(key)) : ValueName(key); };
    CalcValues inputs, shown;
    for (const auto& [key, value] : Member(entry, "inputs", Json::value_t::object, true)->items()) {
        std::string n = name(key);
        inputs.texts.emplace_back(std::move(n), CheckedText(value, "Feld " + key));
    }
    if (const Json* checks = Member(entry, "checks", Json::value_t::object, false))
        for (const auto& [key, value] : checks->items()) {
            std::string n = name(key);
            if (!value.is_boolean())
                throw EntryError{"Schaltzustand von " + key + " ist nicht true oder false"};
            inputs.switches.emplace_back(std::move(n), value.get<bool>());
        }
    if (const Json* selections = Member(entry, "selections", Json::value_t::object, false))
        for (const auto& [key, value] : selections->items()) {
            std::string n = name(key);
            inputs.choices.emplace_back(std::move(n), static_cast<int>(Integer(value, "Auswahl in " + key, 0, 1000000)));
        }
    if (const Json* columns = byId ? nullptr : Member(entry, "columns", Json::value_t::object, false))
        for (const auto& [key, value] : columns->items()) {
            std::string n = name(key);
            if (!value.is_array())
                throw EntryError{"Spalte " + key + " ist keine Liste"};
            inputs.lists.emplace_back(std::move(n), Texts(value, "ein Eintrag der Spalte " + key));
        }
    if (const Json* results = Member(entry, "results", Json::value_t::object, false))
        for (const auto& [key, value] : results->items()) {
            std::string n = name(key);
            shown.texts.emplace_back(std::move(n), CheckedText(value, "Ergebnis " + key));
        }
    if (const Json* lists = Member(entry, "lists", Json::value_t::object, false))
        for (const auto& [key, value] : lists->items()) {
            std::string n = name(key);
            if (!value.is_array())
                throw EntryError{"Liste " + key + " ist keine Liste"};
            shown.lists.emplace_back(std::move(n), Texts(value, "ein Eintrag der Liste " + key));
        }
    SetKeptValues(c, inputs, shown);
    if (const Json* messages = Member(entry, "messages", Json::value_t::array, false))
        c.messages = Texts(*messages, "eine Meldung");
    if (const Json* header = Member(entry, "header", Json::value_t::object, false)) {
        c.header.project = UserText(*header, "projekt", kLongestHeadText[0]);
        c.header.structure = UserText(*header, "bauwerk", kLongestHeadText[1]);
        c.header.engineer = UserText(*header, "bearbeiter", kLongestHeadText[2]);
        c.header.date = UserText(*header, "datum", kLongestHeadText[3]);
        c.header.remark = UserText(*header, "bemerkung", kLongestHeadText[4]);
        c.header.client = UserText(*header, "auftraggeber", kLongestClient);
        c.header.number = UserText(*header, "projektnr", kLongestNumber);
    }
    if (const Json* files = Member(entry, "files", Json::value_t::array, false))
        for (const Json& file : *files) {
            if (!file.is_object())
                throw EntryError{"eine Datendatei ist kein JSON-Objekt"};
            KeptDataFile kept{TextMember(file, "name"), TextMember(file, "sha256"), nullptr};
            const std::string problem = ReadKeptContent(file, kept);
            if (!problem.empty())
                throw EntryError{problem};
            c.files.push_back(std::move(kept));
        }
    if (const Json* inflow = Member(entry, "inflow", Json::value_t::object, false)) {
        std::string problem;
        c.inflow = InflowFromJson(*inflow, &problem);
        if (!c.inflow)
            throw EntryError{problem};
    }
    if (const Json* rating = Member(entry, "rating", Json::value_t::object, false))
        try {
            c.rating = ReadRating(*rating);
        } catch (const EntryError& e) {
            throw EntryError{"in der Wertetabelle: " + e.text};
        }
    return c;
}

bool Continues(unsigned char byte) { return (byte & 0xC0) == 0x80; }

// The bytes of the control character at text[i], or 0: C0 and DEL, and the
// C1 controls as UTF-8 (C2 80 to C2 9F), which a terminal obeys as well.
std::size_t ControlAt(std::string_view text, std::size_t i, bool lines)
{
    const auto c = static_cast<unsigned char>(text[i]);
    if (c < 0x20)
        return lines && (c == '\n' || c == '\t') ? 0 : 1;
    if (c == 0x7F)
        return 1;
    if (c == 0xC2 && i + 1 < text.size()) {
        const auto d = static_cast<unsigned char>(text[i + 1]);
        return d >= 0x80 && d <= 0x9F ? 2 : 0;
    }
    return 0;
}

constexpr const char* kReplacement = "\xEF\xBF\xBD"; // U+FFFD

} // namespace

std::size_t CharacterCount(std::string_view text)
{
    std::size_t n = 0;
    for (const char c : text)
        n += !Continues(static_cast<unsigned char>(c));
    return n;
}

std::string TypedTextProblem(std::string_view text, std::size_t longest, const std::string& what)
{
    const std::size_t characters = CharacterCount(text);
    if (characters > longest || text.size() > 4 * longest)
        return Format("%s ist mit %zu Zeichen zu lang (höchstens %zu)", what.c_str(), characters, longest);
    for (std::size_t i = 0; i < text.size(); ++i)
        if (ControlAt(text, i, false))
            return Format("%s enthält ein Steuerzeichen (Byte %zu)", what.c_str(), i + 1);
    return {};
}

std::string OfficeTextProblem(const std::string& text, const std::string& what)
{
    const std::size_t characters = CharacterCount(text);
    if (characters > kLongestOffice || text.size() > 4 * kLongestOffice)
        return Format("%s ist mit %zu Zeichen zu lang (höchstens %zu)", what.c_str(), characters, kLongestOffice);
    std::size_t lines = 1;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\n') {
            ++lines;
            continue;
        }
        if (ControlAt(text, i, false))
            return Format("%s enthält ein Steuerzeichen (Byte %zu)", what.c_str(), i + 1);
    }
    if (lines > kMostOfficeLines)
        return Format("%s hat %zu Zeilen (höchstens %zu: Name und %zu Zeilen Anschrift)", what.c_str(), lines,
                      kMostOfficeLines, kMostOfficeLines - 1);
    return {};
}

std::string Printable(std::string_view text, std::size_t longest, bool lines)
{
    std::string out;
    out.reserve(std::min(text.size(), 4 * longest));
    std::size_t characters = 0;
    for (std::size_t i = 0; i < text.size();) {
        if (out.size() >= 4 * longest) // bytes that begin no character
            return out + "\xE2\x80\xA6";
        const auto c = static_cast<unsigned char>(text[i]);
        if (!Continues(c) && ++characters == longest) {
            // The last character that fits: it, or "…" when more follow.
            std::size_t end = i + 1;
            while (end < text.size() && Continues(static_cast<unsigned char>(text[end])))
                ++end;
            if (end < text.size())
                return out + "\xE2\x80\xA6";
        }
        if (const std::size_t control = ControlAt(text, i, lines)) {
            out += kReplacement;
            i += control;
        } else {
            out += text[i++];
        }
    }
    return out;
}

Json CalculationToJson(const Calculation& c)
{
    Json files = Json::array();
    for (const KeptDataFile& f : c.files)
        files.push_back(KeptFileJson(f));
    const CalcValues inputs = KeptInputs(c);
    const CalcValues results = KeptResults(c);
    // A form by its template id, another kind by its name; a kind's table
    // columns after its inputs.
    Json entry = c.kind.empty() ? Json{{"form", c.form}} : Json{{"kind", c.kind}};
    entry["title"] = c.title;
    entry["name"] = Printable(c.name, kLongestName);
    entry["time"] = c.time;
    entry["inputs"] = NameMap(inputs.texts);
    entry["checks"] = NameMap(inputs.switches);
    entry["selections"] = NameMap(inputs.choices);
    if (!c.kind.empty() && !inputs.lists.empty())
        entry["columns"] = NameMap(inputs.lists);
    entry["results"] = NameMap(results.texts);
    entry["lists"] = NameMap(results.lists);
    entry["messages"] = c.messages;
    entry["refused"] = c.refused;
    entry["mainResult"] = c.mainResult;
    entry["header"] = Json{{"projekt", Printable(c.header.project, kLongestHeadText[0])},
                           {"bauwerk", Printable(c.header.structure, kLongestHeadText[1])},
                           {"bearbeiter", Printable(c.header.engineer, kLongestHeadText[2])},
                           {"datum", Printable(c.header.date, kLongestHeadText[3])},
                           {"bemerkung", Printable(c.header.remark, kLongestHeadText[4])}};
    // Written only where given: a project without them stays as it was.
    if (!c.header.client.empty())
        entry["header"]["auftraggeber"] = Printable(c.header.client, kLongestClient);
    if (!c.header.number.empty())
        entry["header"]["projektnr"] = Printable(c.header.number, kLongestNumber);
    entry["files"] = std::move(files);
    if (c.rating)
        entry["rating"] = RatingToJson(*c.rating);
    if (c.inflow)
        entry["inflow"] = InflowJson(*c.inflow);
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

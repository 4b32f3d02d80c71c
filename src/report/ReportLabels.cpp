#include "report/ReportLabels.h"

#include <algorithm>
#include <vector>

#include "forms/CForm.h"
#include "forms/FormHelp.h"
#include "report/Report.h"

namespace dralun {

namespace {

bool EndsWith(const std::string& text, const std::string& tail)
{
    return text.size() >= tail.size() && text.compare(text.size() - tail.size(), tail.size(), tail) == 0;
}

void TrimRight(std::string& text)
{
    while (!text.empty() && (text.back() == ' ' || text.back() == ':'))
        text.pop_back();
}

std::vector<std::string> Words(const std::string& text)
{
    std::vector<std::string> words;
    size_t start = 0;
    while (start < text.size()) {
        const size_t end = text.find(' ', start);
        const std::string word = text.substr(start, end == std::string::npos ? std::string::npos : end - start);
        if (!word.empty())
            words.push_back(word);
        if (end == std::string::npos)
            break;
        start = end + 1;
    }
    return words;
}

std::string Joined(const std::vector<std::string>& words)
{
    std::string text;
    for (const std::string& w : words)
        text += (text.empty() ? "" : " ") + w;
    return text;
}

// The field's unit as the label writes it after the quantity ("DrH m").
bool IsUnitWord(const std::string& word, const std::string& unit)
{
    return !unit.empty() && unit != "-" && unit != "1" && (word == unit || ProgramUnit(word) == ProgramUnit(unit));
}

// Where a field's edit stands in the layout: the grid that holds it, the
// title of the innermost group box around it.
struct Place {
    const std::vector<LayoutItem>* grid = nullptr;
    const LayoutItem* item = nullptr;
    std::string group;
};

bool FindPlace(const std::vector<LayoutItem>& items, int id, const std::string& group, Place& place)
{
    for (const LayoutItem& item : items) {
        if ((item.type == Item::Field || item.type == Item::Edit) && item.id == id) {
            place = {&items, &item, group};
            return true;
        }
        if ((item.type == Item::Group || item.type == Item::Panel) &&
            FindPlace(item.children, id, item.type == Item::Group ? item.text : group, place))
            return true;
    }
    return false;
}

// What tells a field apart from others of the same label: the heading over
// its column ("Bordrinne", "unten"), else its group box ("Kreis").
std::string Qualifier(const CForm& form, int id)
{
    Place place;
    if (!FindPlace(form.Layout(), id, "", place))
        return {};
    if (place.item->type == Item::Edit) {
        const LayoutItem* heading = nullptr;
        for (const LayoutItem& other : *place.grid)
            if (other.type == Item::Label && other.col == place.item->col && other.row < place.item->row &&
                (!heading || other.row > heading->row))
                heading = &other;
        if (heading) {
            std::string text = LabelWithoutUnit(heading->text);
            for (size_t p; (p = text.find(". (")) != std::string::npos;) // "Gleichung. (7)"
                text.erase(p, 1);
            if (!text.empty())
                return text;
        }
    }
    return LabelWithoutUnit(WithoutMnemonic(place.group));
}

// Two fields that share a label naming both ("Sohle oben / unten", "Bö-Neigung
// li re"): the first takes the first side, the second the other.
bool SplitPair(std::string& first, std::string& second)
{
    const std::string label = first;
    if (const size_t slash = label.rfind(" / "); slash != std::string::npos) {
        const std::string right = label.substr(slash + 3);
        if (right.find(' ') != std::string::npos)
            return false;
        first = label.substr(0, slash);
        const size_t lastWord = first.rfind(' ');
        second = (lastWord == std::string::npos ? std::string() : first.substr(0, lastWord + 1)) + right;
        return true;
    }
    if (EndsWith(label, " li re")) {
        const std::string stem = label.substr(0, label.size() - 6);
        first = stem + " links";
        second = stem + " rechts";
        return true;
    }
    return false;
}

} // namespace

std::string RepairedLabel(const std::string& label, const std::string& unit)
{
    std::string text = WithoutMnemonic(label);
    // "Bö. Neigung links 1 :": the ratio's "1 :" belongs to the value.
    {
        std::string trimmed = text;
        while (!trimmed.empty() && trimmed.back() == ' ')
            trimmed.pop_back();
        for (const char* ratio : {" 1 :", " 1:"})
            if (EndsWith(trimmed, ratio)) {
                text = trimmed.substr(0, trimmed.size() - std::char_traits<char>::length(ratio));
                break;
            }
    }
    text = LabelWithoutUnit(text);
    std::vector<std::string> words = Words(text);
    // "Q in l/s", "Sohle oben / unten in mNN", "Druckhöhe in", "DrH m"
    // (not the "m" of "Au je m", which is not the field's unit).
    if (words.size() > 2 && words[words.size() - 2] == "in")
        words.resize(words.size() - 2);
    else if (words.size() > 1 && (IsUnitWord(words.back(), unit) || words.back() == "in"))
        words.pop_back();
    std::string whole = Joined(words);
    TrimRight(whole);
    return whole;
}

std::map<int, std::string> WholeLabels(const CForm& form)
{
    const std::vector<FieldInfo>& fields = form.Fields();
    std::vector<std::string> labels;
    for (const FieldInfo& f : fields) {
        std::string label = FieldMeaning(form.TemplateId(), f.id);
        if (label.empty())
            label = RepairedLabel(f.label, f.unit);
        labels.push_back(label.empty() ? f.name : label);
    }
    auto same = [&](size_t i) {
        std::vector<size_t> found;
        for (size_t k = 0; k < labels.size(); ++k)
            if (labels[k] == labels[i])
                found.push_back(k);
        return found;
    };
    // One kind of telling apart after the other, each only where labels
    // still stand twice.
    for (size_t i = 0; i < labels.size(); ++i) {
        const std::vector<size_t> twins = same(i);
        if (twins.size() == 2 && twins[0] == i)
            SplitPair(labels[twins[0]], labels[twins[1]]);
    }
    for (size_t i = 0; i < labels.size(); ++i) {
        const std::vector<size_t> twins = same(i);
        if (twins.size() < 2 || twins[0] != i)
            continue;
        // Only where the headings tell every one of them apart.
        std::vector<std::string> qualifiers;
        for (size_t k : twins)
            qualifiers.push_back(Qualifier(form, fields[k].id));
        std::vector<std::string> sorted = qualifiers;
        std::sort(sorted.begin(), sorted.end());
        if (sorted.front().empty() || std::adjacent_find(sorted.begin(), sorted.end()) != sorted.end())
            continue;
        for (size_t n = 0; n < twins.size(); ++n)
            labels[twins[n]] = qualifiers[n] + ": " + labels[twins[n]];
    }
    for (size_t i = 0; i < labels.size(); ++i) {
        const std::vector<size_t> twins = same(i);
        if (twins.size() < 2 || twins[0] != i)
            continue;
        for (size_t k : twins) // "Abstand L1"; "n" becomes "n1"
            labels[k] = fields[k].name.rfind(labels[k], 0) == 0 ? fields[k].name : labels[k] + " " + fields[k].name;
    }
    std::map<int, std::string> byId;
    for (size_t i = 0; i < fields.size(); ++i)
        byId[fields[i].id] = labels[i];
    return byId;
}

std::string ProgramUnit(const std::string& unit)
{
    if (unit == "%o" || unit == "o/oo")
        return "‰";
    if (unit == "m1/3/s" || unit == "m^1/3/s")
        return "m^(1/3)/s";
    return unit;
}

} // namespace dralun

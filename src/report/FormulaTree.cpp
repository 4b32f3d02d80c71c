#include "report/FormulaTree.h"

#include <algorithm>
#include <cmath>
#include <map>

#include "core/NumberText.h"

namespace dralun {

namespace {

bool Letter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_'; }
bool Digit(char c) { return c >= '0' && c <= '9'; }




NodePtr Make(Node::Kind kind, std::string text = {})
{
    auto n = std::make_unique<Node>();
    n->kind = kind;
    n->text = std::move(text);
    return n;
}

class Parser {
public:
    explicit Parser(std::string_view text) : m_s(text) {}

    NodePtr Parse()
    {
        NodePtr n = Sum();
        Skip();
        return m_ok && m_i == m_s.size() ? std::move(n) : nullptr;
    }

private:
    void Skip()
    {
        while (m_i < m_s.size() && m_s[m_i] == ' ')
            ++m_i;
    }
    bool Take(char c)
    {
        Skip();
        if (m_i < m_s.size() && m_s[m_i] == c) {
            ++m_i;
            return true;
        }
        return false;
    }
    NodePtr Fail()
    {
        m_ok = false;
        return Make(Node::Number, "0");
    }
    NodePtr Sum()
    {
        NodePtr left = Product();
        for (;;) {
            const char op = Take('+') ? '+' : Take('-') ? '-' : 0;
            if (!op)
                return left;
            NodePtr n = Make(Node::Binary, std::string(1, op));
            n->kids.push_back(std::move(left));
            n->kids.push_back(Product());
            left = std::move(n);
        }
    }
    NodePtr Product()
    {
        NodePtr left = Unary();
        for (;;) {
            const char op = Take('*') ? '*' : Take('/') ? '/' : 0;
            if (!op)
                return left;
            NodePtr n = Make(Node::Binary, std::string(1, op));
            n->kids.push_back(std::move(left));
            n->kids.push_back(Unary());
            left = std::move(n);
        }
    }
    NodePtr Unary()
    {
        if (Take('-')) {
            NodePtr n = Make(Node::Negate);
            n->kids.push_back(Unary());
            return n;
        }
        NodePtr base = Primary();
        if (!Take('^'))
            return base;
        NodePtr n = Make(Node::Power);
        n->kids.push_back(std::move(base));
        n->kids.push_back(Unary());
        return n;
    }
    NodePtr Primary()
    {
        Skip();
        if (m_i >= m_s.size())
            return Fail();
        const char c = m_s[m_i];
        if (c == '(') {
            ++m_i;
            NodePtr n = Make(Node::Paren);
            n->kids.push_back(Sum());
            return Take(')') ? std::move(n) : Fail();
        }
        const size_t start = m_i;
        if (Digit(c) || c == '.') {
            while (m_i < m_s.size() && (Digit(m_s[m_i]) || m_s[m_i] == '.'))
                ++m_i;
            if (m_i < m_s.size() && (m_s[m_i] == 'e' || m_s[m_i] == 'E')) {
                size_t j = m_i + 1;
                if (j < m_s.size() && (m_s[j] == '+' || m_s[j] == '-'))
                    ++j;
                if (j < m_s.size() && Digit(m_s[j])) {
                    while (j < m_s.size() && Digit(m_s[j]))
                        ++j;
                    m_i = j;
                }
            }
            return Make(Node::Number, std::string(m_s.substr(start, m_i - start)));
        }
        if (!Letter(c))
            return Fail();
        while (m_i < m_s.size() && (Letter(m_s[m_i]) || Digit(m_s[m_i])))
            ++m_i;
        std::string name(m_s.substr(start, m_i - start));
        if (!Take('('))
            return Make(Node::Symbol, std::move(name));
        NodePtr n = Make(Node::Call, std::move(name));
        if (!Take(')')) {
            do
                n->kids.push_back(Sum());
            while (Take(','));
            if (!Take(')'))
                return Fail();
        }
        return n;
    }

    std::string_view m_s;
    size_t m_i = 0;
    bool m_ok = true;
};

} // namespace

NodePtr ParseFormula(std::string_view formula) { return Parser(formula).Parse(); }

std::optional<double> EvaluateFormula(const Node& n, const std::function<std::optional<double>(const std::string&)>& symbol)
{
    std::vector<double> kids;
    for (const NodePtr& kid : n.kids) {
        const std::optional<double> v = EvaluateFormula(*kid, symbol);
        if (!v)
            return std::nullopt;
        kids.push_back(*v);
    }
    switch (n.kind) {
    case Node::Number:
        return ParseFieldNumber(n.text);
    case Node::Symbol:
        return symbol(n.text);
    case Node::Paren:
        return kids.at(0);
    case Node::Negate:
        return -kids.at(0);
    case Node::Power:
        return std::pow(kids.at(0), kids.at(1));
    case Node::Binary: {
        const double a = kids.at(0), b = kids.at(1);
        switch (n.text[0]) {
        case '+': return a + b;
        case '-': return a - b;
        case '*': return a * b;
        default: return a / b;
        }
    }
    case Node::Call: {
        using F = double (*)(double);
        static const std::map<std::string, F> one = {
            {"sqrt", [](double x) { return std::sqrt(x); }}, {"abs", [](double x) { return std::fabs(x); }},
            {"log10", [](double x) { return std::log10(x); }}, {"sin", [](double x) { return std::sin(x); }},
            {"cos", [](double x) { return std::cos(x); }},     {"tan", [](double x) { return std::tan(x); }},
            {"asin", [](double x) { return std::asin(x); }},   {"acos", [](double x) { return std::acos(x); }},
            {"atan", [](double x) { return std::atan(x); }},
        };
        if (const auto f = one.find(n.text); f != one.end() && kids.size() == 1)
            return f->second(kids[0]);
        if ((n.text == "min" || n.text == "max") && !kids.empty())
            return n.text == "min" ? *std::min_element(kids.begin(), kids.end())
                                   : *std::max_element(kids.begin(), kids.end());
        return std::nullopt;
    }
    }
    return std::nullopt;
}


} // namespace dralun

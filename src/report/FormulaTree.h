#pragma once
// A formula of a calculation step ("kSt * R^0.666666666666667 * sqrt(s /
// 100)") as a tree: numbers, symbols, calls, parentheses, signs, the four
// operations and powers, as an expression parser reads them. The printed
// page sets it as a textbook does and checks the numbers it puts in.
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace dralun {

struct Node {
    enum Kind { Number, Symbol, Call, Paren, Negate, Binary, Power } kind;
    std::string text; // the number, symbol or function; the operator of a Binary
    std::vector<std::unique_ptr<Node>> kids;
};
using NodePtr = std::unique_ptr<Node>;

// The tree of a formula; nullptr where it does not parse.
NodePtr ParseFormula(std::string_view formula);

// The value of a tree, the symbols looked up; none where a symbol or a
// function is unknown (sqrt, abs, log10, sin, cos, tan, asin, acos, atan,
// min, max are known).
std::optional<double> EvaluateFormula(const Node& n,
                                      const std::function<std::optional<double>(const std::string&)>& symbol);

} // namespace dralun

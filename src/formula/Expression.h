#pragma once
// A parsed formula as a tree of operations, its nodes stored in the order they are computed:
// every node's operands come before it and the root is the last node. Nothing in it depends on a
// log; names are resolved when the expression is bound to one (FormulaProgram).

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace grafolux {

enum class Operation : uint8_t {
    Number,     // a literal
    Reference,  // an item of the log or an earlier definition, maybe at an offset
    Negate,
    Abs,
    Sqrt,
    Add,
    Subtract,
    Multiply,
    Divide,
    Equal,
    NotEqual,
    Less,
    LessEqual,
    Greater,
    GreaterEqual,
    And,
    Or,
    Not,
    Min,
    Max,
    If,  // if(condition, then, else)
};

// How many operands an operation takes: 0 for a leaf.
constexpr int OperandCount(Operation op) {
    switch (op) {
        case Operation::Number:
        case Operation::Reference:
            return 0;
        case Operation::Negate:
        case Operation::Abs:
        case Operation::Sqrt:
        case Operation::Not:
            return 1;
        case Operation::If:
            return 3;
        default:
            return 2;
    }
}

struct ExpressionNode {
    Operation op = Operation::Number;
    size_t column = 0;   // 1-based column of the node's token in the expression's text
    double number = 0;   // Number: its value
    std::string name;    // Reference: the name, bytes as written (without quotes)
    int64_t offset = 0;  // Reference: samples later (negative: earlier); saturated at 64 bits
    std::array<int32_t, 3> operands{-1, -1, -1};  // indices of the operand nodes, in order
};

struct Expression {
    std::string text;  // what errors quote: the whole definition, or the bare expression
    std::vector<ExpressionNode> nodes;  // operands before their users; the root last
};

}  // namespace grafolux

// Arithmetic evaluator behind the value fields: one line of text with
// numbers, + - * / % ^, signs, parentheses and the functions ACOS ASIN ATAN
// COS SIN TAN SQRT RAD DEG (any letter case) gives one double.
//
// It keeps no state between calls and allocates no memory: the text is read
// once into a fixed list of at most 20 operands and 20 operators tagged with
// their parenthesis depth, which are then reduced from the deepest level
// outwards. A text may hold at most 255 characters.
#pragma once

namespace keld {

enum ExpressionError : int {
    kExpressionOk = 0,
    kExpressionMissingNumbers = 1,
    kExpressionInvalidCharacter = 2,
    kExpressionDivideByZero = 3,
    kExpressionInvalidOperator = 4,
    kExpressionTooManyParentheses = 5,
};

// Longest text that is evaluated; any longer one, digits only included,
// fails with kExpressionInvalidCharacter.
inline constexpr int kExpressionMaxLength = 255;
// Most operands (numbers, lone signs, function placeholders) one text may hold.
inline constexpr int kExpressionMaxOperands = 20;

// Evaluates text (zero-terminated). *errorCode is set to 0 first, then to one
// of the ExpressionError codes; on any error the result is 0.
double EvaluateExpression(const char* text, int* errorCode);

// Message text of an error code 0 to 5 ("Ok", "Missing Numbers", ...).
const char* ExpressionErrorText(int code);

} // namespace keld

#include "setup/valueentry/ExpressionEvaluator.h"

#include <cmath>
#include <cstdlib>
#include <cstring>

namespace keld {
namespace {

struct FunctionName {
    const char* name;
    int length;
    char code;  // stands for the function in the working copy
};

// Replaced in this order: ACOS, ASIN and ATAN go before COS, SIN and TAN,
// which would otherwise be found inside them.
constexpr FunctionName kFunctions[] = {
    {"ACOS", 4, 'e'}, {"ASIN", 4, 'f'}, {"ATAN", 4, 'g'}, {"COS", 3, 'c'}, {"SIN", 3, 's'},
    {"TAN", 3, 't'},  {"SQRT", 4, 'h'}, {"RAD", 3, 'i'},  {"DEG", 3, 'j'},
};

// Stored factors, deliberately not derived from pi. The RAD factor is one
// unit in the last place above the double nearest to pi/180.
constexpr double kRadiansPerDegree = 0.0174532925199433;
constexpr double kDegreesPerRadian = 57.29577951308231;

constexpr int kWorkingSize = kExpressionMaxLength + 1;

// Operator groups from the highest precedence to the lowest.
constexpr const char* kOperatorGroups[] = {"efgcsthij", "^", "*/%", "-+"};
constexpr int kGroupCount = 4;

// Character classes, looked up by byte.
enum : unsigned char {
    kDigit = 1,
    kOperandStart = 2,  // digits, "+", "-", "." and "(": the reading stops there
    kOperator = 4,      // ")" and the characters of the operator groups
    kAccepted = 8,      // what the working copy may hold after the names are replaced
    kFunctionCode = 16,
    kNameStart = 32,    // first letter of a function name
};

struct CharacterTable {
    unsigned char classes[256] = {};
    signed char group[256] = {};  // operator group index, -1 for none
};

constexpr CharacterTable MakeCharacterTable()
{
    CharacterTable table;
    auto add = [&table](const char* set, unsigned char bits) {
        for (; *set; ++set)
            table.classes[static_cast<unsigned char>(*set)] |= bits;
    };
    for (int c = 0; c < 256; ++c)
        table.group[c] = -1;
    add("0123456789", kDigit | kOperandStart | kAccepted);
    add("+-.(", kOperandStart | kAccepted);
    add(" E", kAccepted);
    add(")", kOperator | kAccepted);
    for (int g = 0; g < kGroupCount; ++g) {
        add(kOperatorGroups[g], kOperator | kAccepted);
        for (const char* c = kOperatorGroups[g]; *c; ++c)
            table.group[static_cast<unsigned char>(*c)] = static_cast<signed char>(g);
    }
    add(kOperatorGroups[0], kFunctionCode);
    for (const FunctionName& function : kFunctions)
        table.classes[static_cast<unsigned char>(function.name[0])] |= kNameStart;
    return table;
}

constexpr CharacterTable kCharacters = MakeCharacterTable();

bool Is(char c, unsigned char bits)
{
    return (kCharacters.classes[static_cast<unsigned char>(c)] & bits) != 0;
}

signed char GroupOf(char c)
{
    return kCharacters.group[static_cast<unsigned char>(c)];
}

struct OperatorEntry {
    int depth;
    char op;
    signed char group;
    bool negated;  // a function whose name had a "-" directly before it
};

// Overwrites each function name with "0", its code letter and blanks, so
// that the placeholder 0 becomes the left operand of the function operator.
void ReplaceFunctionNames(char* work)
{
    for (const FunctionName& function : kFunctions) {
        for (char* p = work; *p; ++p) {
            if (*p != function.name[0])
                continue;
            int k = 1;
            while (k < function.length && p[k] == function.name[k])
                ++k;
            if (k < function.length)
                continue;
            p[0] = '0';
            p[1] = function.code;
            for (k = 2; k < function.length; ++k)
                p[k] = ' ';
            ++p;  // the search goes on after the code letter
        }
    }
}

double Fail(int* errorCode, int code)
{
    *errorCode = code;
    return 0.0;
}

// A text of digits only is a plain number.
bool OnlyDigits(const char* text)
{
    while (Is(*text, kDigit))
        ++text;
    return *text == '\0';
}

// The working copy with the letters in capitals and the function names
// replaced; false when a character is not accepted. The text fits (the
// caller checked its length).
bool MakeWorkingCopy(const char* text, char (&work)[kWorkingSize])
{
    int length = 0;
    bool mayHoldNames = false;
    for (; text[length]; ++length) {
        char ch = text[length];
        if (ch >= 'a' && ch <= 'z')
            ch = static_cast<char>(ch - 'a' + 'A');
        mayHoldNames |= Is(ch, kNameStart);
        work[length] = ch;
    }
    work[length] = '\0';
    if (mayHoldNames)
        ReplaceFunctionNames(work);
    for (const char* p = work; *p; ++p)
        if (!Is(*p, kAccepted))
            return false;
    return true;
}

// Operands and depth-tagged operators, as read. Before each operand both
// lists hold the same number of entries; after the last operand there is
// one operand more than operators.
struct Terms {
    double operands[kExpressionMaxOperands];
    OperatorEntry operators[kExpressionMaxOperands];
    int operandCount = 0;
    int operatorCount = 0;
    int deepest = 0;
};

// Reads the working copy into `terms`; an error code, or kExpressionOk.
int ReadTerms(const char* work, Terms& terms)
{
    int depth = 0;
    bool closedUnopened = false;  // a ")" took the depth below 0
    const char* p = work;
    for (;;) {
        if (terms.operandCount == kExpressionMaxOperands || terms.operatorCount == kExpressionMaxOperands) {
            // The last operator read has no room left for its right operand.
            return closedUnopened ? kExpressionTooManyParentheses : kExpressionMissingNumbers;
        }
        while (*p && !Is(*p, kOperandStart))
            ++p;
        if (!*p)
            return kExpressionMissingNumbers;
        if (*p == '(') {
            if (++depth > terms.deepest)
                terms.deepest = depth;
            ++p;
            continue;
        }
        // A sign before anything but a digit stands for -1 or +1 times what
        // follows.
        if ((*p == '-' || *p == '+') && !Is(p[1], kDigit)) {
            terms.operands[terms.operandCount++] = *p == '-' ? -1.0 : 1.0;
            terms.operators[terms.operatorCount++] = {depth, '*', GroupOf('*'), false};
            ++p;
            continue;
        }
        // A sign directly before a function name stands before its
        // placeholder 0 and applies to the function's result, as a sign
        // directly before a digit belongs to the number.
        bool negateFunction = *p == '-' && p[1] == '0' && Is(p[2], kFunctionCode);
        char* end;
        terms.operands[terms.operandCount++] = std::strtod(p, &end);
        // The operator search starts one character on, or after the whole
        // number when it is longer, so that the sign of an exponent (1E-5)
        // stays part of the number.
        const char* q = end > p + 1 ? end : p + 1;
        bool more = false;
        for (; *q; ++q) {
            if (!Is(*q, kOperator))
                continue;
            if (*q == ')') {
                if (--depth < 0)
                    closedUnopened = true;
                continue;
            }
            terms.operators[terms.operatorCount++] = {depth, *q, GroupOf(*q), negateFunction};
            more = true;
            ++q;
            break;
        }
        if (!more)
            break;
        p = q;
    }
    // A ")" before its "(" is refused even when a later "(" balances the count.
    return closedUnopened ? kExpressionTooManyParentheses : kExpressionOk;
}

// One operator applied; an error code, or kExpressionOk.
int Apply(char op, double left, double right, double& result)
{
    switch (op) {
    case 'e': result = std::acos(right); break;
    case 'f': result = std::asin(right); break;
    case 'g': result = std::atan(right); break;
    case 'c': result = std::cos(right); break;
    case 's': result = std::sin(right); break;
    case 't': result = std::tan(right); break;
    case 'h': result = std::sqrt(right); break;
    case 'i': result = right * kRadiansPerDegree; break;
    case 'j': result = right * kDegreesPerRadian; break;
    case '^': result = std::pow(left, right); break;
    case '*': result = left * right; break;
    case '/':
        if (right == 0.0 || std::isnan(right))
            return kExpressionDivideByZero;
        result = left / right;
        break;
    case '%': result = std::fmod(left, right); break;
    case '-': result = left - right; break;
    case '+': result = left + right; break;
    default: return kExpressionInvalidOperator;
    }
    return kExpressionOk;
}

// Reduces the terms to one operand: deepest level first; within a level the
// groups in order; within a group from left to right. An error code, or
// kExpressionOk.
int Reduce(Terms& terms)
{
    for (int level = terms.deepest; level >= 0; --level) {
        for (int group = 0; group < kGroupCount; ++group) {
            int i = 0;
            while (i < terms.operatorCount) {
                const OperatorEntry& entry = terms.operators[i];
                if (entry.depth != level || entry.group != group) {
                    ++i;
                    continue;
                }
                double result = 0.0;
                if (int code = Apply(entry.op, terms.operands[i], terms.operands[i + 1], result))
                    return code;
                terms.operands[i] = entry.negated ? -result : result;
                for (int k = i; k + 1 < terms.operatorCount; ++k)
                    terms.operators[k] = terms.operators[k + 1];
                for (int k = i + 1; k + 1 < terms.operandCount; ++k)
                    terms.operands[k] = terms.operands[k + 1];
                --terms.operatorCount;
                --terms.operandCount;
            }
        }
    }
    return kExpressionOk;
}

} // namespace

double EvaluateExpression(const char* text, int* errorCode)
{
    int ignoredCode;
    if (!errorCode)
        errorCode = &ignoredCode;
    *errorCode = kExpressionOk;
    if (!text || !*text)
        return 0.0;
    // Every text must fit the working copy, also one that is read whole; a
    // longer one is refused rather than evaluated in part.
    if (std::strlen(text) > static_cast<size_t>(kExpressionMaxLength))
        return Fail(errorCode, kExpressionInvalidCharacter);
    if (OnlyDigits(text))
        return std::atof(text);

    char work[kWorkingSize];
    if (!MakeWorkingCopy(text, work))
        return Fail(errorCode, kExpressionInvalidCharacter);
    Terms terms;
    if (int code = ReadTerms(work, terms))
        return Fail(errorCode, code);
    if (int code = Reduce(terms))
        return Fail(errorCode, code);
    return terms.operands[0];
}

const char* ExpressionErrorText(int code)
{
    switch (code) {
    case kExpressionOk: return "Ok";
    case kExpressionMissingNumbers: return "Missing Numbers";
    case kExpressionInvalidCharacter: return "Invalid Character";
    case kExpressionDivideByZero: return "Divide By Zero";
    case kExpressionInvalidOperator: return "Invalid Operator";
    case kExpressionTooManyParentheses: return "Too Many Parentheses";
    default: return "Unknown Error";
    }
}

} // namespace keld

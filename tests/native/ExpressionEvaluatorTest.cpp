#include "setup/valueentry/ExpressionEvaluator.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <string>

namespace keld {
namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr double kPi = 3.141592653589793;  // the double nearest to pi

struct Case {
    const char* name;
    const char* text;
    double value;
    int code;
};

std::string CaseName(const testing::TestParamInfo<Case>& info)
{
    return info.param.name;
}

// Equal bit for bit, except that every NaN matches every NaN and 0 matches -0.
testing::AssertionResult SameDouble(double actual, double expected)
{
    if (std::isnan(expected) ? std::isnan(actual) : actual == expected)
        return testing::AssertionSuccess();
    return testing::AssertionFailure() << std::hexfloat << actual << " (" << std::defaultfloat
                                       << actual << ") is not " << std::hexfloat << expected;
}

double Evaluate(const std::string& text, int* code)
{
    *code = -1;  // the evaluator must overwrite it
    return EvaluateExpression(text.c_str(), code);
}

void ExpectCase(const Case& c)
{
    int code;
    double value = Evaluate(c.text, &code);
    EXPECT_EQ(code, c.code) << '"' << c.text << '"';
    EXPECT_TRUE(SameDouble(value, c.value)) << '"' << c.text << '"';
    if (c.code != kExpressionOk) {
        EXPECT_FALSE(std::signbit(value)) << "an error gives +0: \"" << c.text << '"';
    }
}

// --- the documented table of edge cases, every row ---

class DocumentedCases : public testing::TestWithParam<Case> {};

TEST_P(DocumentedCases, GiveTheDocumentedResultAndCode)
{
    ExpectCase(GetParam());
}

INSTANTIATE_TEST_SUITE_P(Table, DocumentedCases,
    testing::Values(Case{"MultiplicationBeforeAddition", "1+2*3", 7, 0},
                    Case{"ParenthesesGroup", "(1+2)*3", 9, 0},
                    Case{"PowerBeforeMultiplication", "1+2*3^2", 19, 0},
                    Case{"PowerLeftToRight", "2^3^2", 64, 0},
                    Case{"MultiplyDivideLeftToRight", "8/2*2", 8, 0},
                    Case{"DivideLeftToRight", "100/10/5", 2, 0},
                    Case{"SubtractLeftToRight", "10-2-3", 5, 0},
                    Case{"SubtractAddLeftToRight", "2-3+4", 3, 0},
                    Case{"Remainder", "10%3", 1, 0},
                    Case{"RemainderTakesSignOfLeft", "-7%3", -1, 0},
                    Case{"SignBelongsToNumberUnderPower", "-2^2", 4, 0},
                    Case{"LoneSignBeforeParenthesis", "-(2)^2", -4, 0},
                    Case{"SignedExponentOperand", "2^-1", 0.5, 0},
                    Case{"SignedRightOperand", "3*-2", -6, 0},
                    Case{"PlusSignBeforeParenthesis", "+(5)", 5, 0},
                    Case{"LeadingDecimalPoints", ".5+.25", 0.75, 0},
                    Case{"UnsignedExponent", "1E5", 100000, 0},
                    Case{"SqrtWithParentheses", "SQRT(16)", 4, 0},
                    Case{"SqrtLowerCaseWithBlank", "sqrt 16", 4, 0},
                    Case{"SqrtMixedCase", "Sqrt(16)", 4, 0},
                    Case{"FunctionAsRightOperand", "2*SQRT(16)", 8, 0},
                    Case{"FunctionBeforePower", "SQRT(16)^2", 16, 0},
                    Case{"NestedFunctions", "SQRT(SQRT(16))", 2, 0},
                    Case{"TwoFunctionsAdded", "SQRT(9)+SQRT(16)", 7, 0},
                    Case{"AcosOfMinusOne", "ACOS(-1)", 3.141592653589793, 0},
                    Case{"RadOf180", "RAD(180)", 3.141592653589794, 0},
                    Case{"DegOfAtanOne", "DEG(ATAN(1))", 44.999999999999986, 0},
                    Case{"UnclosedParenthesis", "(2+3", 5, 0},
                    Case{"DigitsOnly", "123", 123, 0},
                    Case{"BlanksAround", "   7   ", 7, 0},
                    Case{"EmptyText", "", 0, 0},
                    Case{"BlanksOnly", "    ", 0, 1},
                    Case{"EndsWithOperator", "2+", 0, 1},
                    Case{"LoneSign", "-", 0, 1},
                    Case{"EmptyParentheses", "()", 0, 1},
                    Case{"FunctionWithoutOperand", "SQRT", 0, 1},
                    Case{"Letters", "abc", 0, 2},
                    Case{"NumberAndWord", "3 apples", 0, 2},
                    Case{"DivideByZero", "1/0", 0, 3},
                    Case{"DivideByComputedZero", "1/(2-2)", 0, 3},
                    Case{"ClosingWithoutOpening", "5)", 0, 5},
                    Case{"ParenthesisRightAfterNumber", "2(3+4)", 0, 5}),
    CaseName);

// The RAD factor is one unit in the last place above the double nearest to
// pi/180, so RAD(180) lands two units above the double nearest to pi.
TEST(ExactDigits, RadOf180IsTwoUnitsAbovePi)
{
    int code;
    double value = Evaluate("RAD(180)", &code);
    EXPECT_EQ(code, 0);
    EXPECT_EQ(value, 3.141592653589794);
    EXPECT_EQ(value, std::nextafter(std::nextafter(kPi, 4.0), 4.0));
    EXPECT_EQ(Evaluate("RAD(1)", &code), std::nextafter(kPi / 180.0, 1.0));
}

TEST(ExactDigits, AcosOfMinusOneIsThePiDouble)
{
    int code;
    EXPECT_EQ(Evaluate("ACOS(-1)", &code), kPi);
    EXPECT_EQ(Evaluate("ACOS(-1)", &code), std::acos(-1.0));
}

TEST(ExactDigits, DegOfAtanOneIsJustBelow45)
{
    int code;
    double value = Evaluate("DEG(ATAN(1))", &code);
    EXPECT_EQ(code, 0);
    EXPECT_EQ(value, 44.999999999999986);
    EXPECT_LT(value, 45.0);
}

TEST(ExactDigits, ConversionFactorsAreTheStoredConstants)
{
    int code;
    EXPECT_EQ(Evaluate("RAD(1)", &code), 0.0174532925199433);
    EXPECT_EQ(Evaluate("DEG(1)", &code), 57.29577951308231);
    EXPECT_NE(Evaluate("RAD(1)", &code), kPi / 180.0);
    EXPECT_NE(Evaluate("DEG(1)", &code), 180.0 / kPi);
}

// --- the nine functions: each name reaches its own operation ---

class Functions : public testing::TestWithParam<Case> {};

TEST_P(Functions, ApplyTheirOperationToTheOperandOnTheRight)
{
    ExpectCase(GetParam());
}

INSTANTIATE_TEST_SUITE_P(EachName, Functions,
    testing::Values(Case{"Acos", "ACOS(0.5)", std::acos(0.5), 0},
                    Case{"Asin", "ASIN(0.5)", std::asin(0.5), 0},
                    Case{"Atan", "ATAN(0.5)", std::atan(0.5), 0},
                    Case{"Cos", "COS(0.5)", std::cos(0.5), 0},
                    Case{"Sin", "SIN(0.5)", std::sin(0.5), 0},
                    Case{"Tan", "TAN(0.5)", std::tan(0.5), 0},
                    Case{"Sqrt", "SQRT(2)", std::sqrt(2.0), 0},
                    Case{"Rad", "RAD(0.5)", 0.5 * 0.0174532925199433, 0},
                    Case{"Deg", "DEG(0.5)", 0.5 * 57.29577951308231, 0},
                    // ACOS, ASIN and ATAN are replaced before COS, SIN and TAN
                    // could be found inside them.
                    Case{"AcosNotReadAsCos", "ACOS(1)", 0, 0},
                    Case{"AsinNotReadAsSin", "ASIN(1)", std::asin(1.0), 0},
                    Case{"AtanNotReadAsTan", "ATAN(1)", std::atan(1.0), 0},
                    Case{"LowerCaseNames", "acos(0.5)+asin(0.5)", std::acos(0.5) + std::asin(0.5), 0},
                    Case{"NameInsideExpression", "1+COS(0)*2", 3, 0},
                    Case{"FunctionOfFunction", "SIN(RAD(90))", std::sin(90 * 0.0174532925199433), 0},
                    Case{"DegContainsTheLetterE", "DEG(RAD(90))", 90 * 0.0174532925199433 * 57.29577951308231, 0},
                    Case{"ArgumentWithoutParentheses", "COS 0", 1, 0},
                    // Functions of one level go from left to right: the second
                    // SQRT discards the first one's result as its placeholder.
                    Case{"SameLevelFunctionsLeftToRight", "SQRT SQRT 16", 4, 0},
                    Case{"FunctionBindsTighterThanPower", "SQRT 16^2", 16, 0},
                    Case{"FunctionOnlyTakesTheNextOperand", "SQRT 16+9", 13, 0},
                    // A number written before a name stands in its placeholder.
                    Case{"NumberBeforeNameIsDiscarded", "2SQRT(9)", 3, 0}),
    CaseName);

// --- precedence, grouping, signs and reading as the algorithm defines them ---

class Reading : public testing::TestWithParam<Case> {};

TEST_P(Reading, FollowsTheDepthTaggedReduction)
{
    ExpectCase(GetParam());
}

INSTANTIATE_TEST_SUITE_P(Expressions, Reading,
    testing::Values(Case{"AllGroups", "2+3*4^2/8-1", 7, 0},
                    Case{"MultiplyThenRemainder", "2*3%4", 2, 0},
                    Case{"RemainderThenMultiply", "7%4*2", 6, 0},
                    Case{"RemainderOfNegativeRight", "7%-3", 1, 0},
                    Case{"PowerOfParenthesis", "2*(3+4)^2", 98, 0},
                    Case{"DeepestLevelFirst", "((2+3)*(4-1))", 15, 0},
                    Case{"RedundantParentheses", "(((1)))", 1, 0},
                    Case{"TwoUnclosedParentheses", "((2", 2, 0},
                    Case{"UnclosedAfterOperator", "2*(3+4", 14, 0},
                    Case{"DoubleMinus", "--2", 2, 0},
                    Case{"MinusPlusNumber", "-+2", -2, 0},
                    Case{"PlusMinusNumber", "+-2", -2, 0},
                    Case{"SubtractNegative", "3--2", 5, 0},
                    Case{"SubtractPositive", "3-+2", 1, 0},
                    Case{"SignThenBlank", "- 2", -2, 0},
                    Case{"LoneSignBindsAsMultiplication", "2^-(2)", 1, 0},
                    Case{"LoneSignBeforeDecimalPoint", "-.5", -0.5, 0},
                    Case{"LowerCaseExponentLetter", "1e5", 100000, 0},
                    Case{"DecimalNumbers", "25.4*2", 25.4 * 2, 0},
                    Case{"LoneDecimalPointReadsAsZero", ".", 0, 0},
                    Case{"TextAfterExponentPassedOver", "1E5E", 100000, 0},
                    Case{"BlanksBetweenEverything", " 1 + 2 * ( 3 - 1 ) ", 5, 0},
                    Case{"LeadingZerosOnlyDigits", "007", 7, 0},
                    Case{"DigitsOnlyBeyondDoublePrecision", "12345678901234567890",
                         12345678901234567890.0, 0},
                    // The operand search passes over ")" without counting it.
                    Case{"ClosingBeforeFirstOperandPassedOver", ")1", 1, 0},
                    Case{"ClosingAfterOperatorPassedOver", "2*)3", 6, 0},
                    Case{"ParenthesisRightAfterParenthesis", "(2)(3)", 0, 5}),
    CaseName);

// --- values outside a function's domain and remainders by zero are no error ---

INSTANTIATE_TEST_SUITE_P(DomainErrors, Reading,
    testing::Values(Case{"SqrtOfNegative", "SQRT(-1)", kNaN, 0},
                    Case{"AsinBeyondOne", "ASIN(2)", kNaN, 0},
                    Case{"AcosBeyondMinusOne", "ACOS(-1.5)", kNaN, 0},
                    Case{"ZeroToNegativePower", "0^-1", kInf, 0},
                    Case{"RemainderByZero", "5%0", kNaN, 0},
                    Case{"NegativeRemainderByZero", "-5%(2-2)", kNaN, 0},
                    Case{"HugeExponent", "1E999", kInf, 0},
                    Case{"MultiplyIntoInfinity", "1E300*1E300", kInf, 0}),
    CaseName);

// --- each error code, and that an error gives 0 ---

class Errors : public testing::TestWithParam<Case> {};

TEST_P(Errors, GiveTheirCodeAndZero)
{
    ExpectCase(GetParam());
}

INSTANTIATE_TEST_SUITE_P(Codes, Errors,
    testing::Values(Case{"TrailingBlanksAfterOperator", "2*   ", 0, 1},
                    Case{"OpenParenthesisAtEnd", "2*(", 0, 1},
                    Case{"LoneSignAtEnd", "2*-", 0, 1},
                    Case{"FunctionAtEnd", "1+COS", 0, 1},
                    Case{"ClosingThenOperatorAtEnd", "5)+", 0, 1},
                    Case{"Comma", "1,5", 0, 2},
                    Case{"Tab", "1\t+2", 0, 2},
                    Case{"NonAscii", "1\xC3\xA9", 0, 2},
                    Case{"LetterX", "2x3", 0, 2},
                    Case{"UnknownFunction", "LOG(10)", 0, 2},
                    Case{"NameWithExtraLetters", "SQRTX(4)", 0, 2},
                    // Code letters typed by hand become capitals and are refused.
                    Case{"TypedCodeLetter", "0h(4)", 0, 2},
                    Case{"InvalidCharacterBeforeOtherErrors", "1/0+#", 0, 2},
                    Case{"DivideByNegativeZero", "1/-0", 0, 3},
                    Case{"ZeroByZero", "0/0", 0, 3},
                    Case{"DivideByNotANumber", "1/SQRT(-1)", 0, 3},
                    Case{"DivideByComputedZeroInsideFunction", "1/SIN(0)", 0, 3},
                    Case{"DivisionInsideParentheses", "2*(3/(1-1))", 0, 3},
                    Case{"NestedClosingWithoutOpening", "(1+2))", 0, 5},
                    Case{"ClosingAtEnd", "1+2)", 0, 5}),
    CaseName);

TEST(ErrorCode, IsSetToZeroOnSuccessAndForTheEmptyText)
{
    int code = 3;
    EXPECT_EQ(EvaluateExpression("", &code), 0.0);
    EXPECT_EQ(code, 0);
    code = 3;
    EXPECT_EQ(EvaluateExpression("42", &code), 42.0);
    EXPECT_EQ(code, 0);
    code = 3;
    EXPECT_EQ(EvaluateExpression("1+1", &code), 2.0);
    EXPECT_EQ(code, 0);
}

TEST(ErrorCode, EachCallStartsAfresh)
{
    int code;
    EXPECT_EQ(EvaluateExpression("1/0", &code), 0.0);
    EXPECT_EQ(code, 3);
    EXPECT_EQ(EvaluateExpression("1/4", &code), 0.25);
    EXPECT_EQ(code, 0);
    EXPECT_EQ(EvaluateExpression("(", &code), 0.0);
    EXPECT_EQ(code, 1);
    EXPECT_EQ(EvaluateExpression("2*2", &code), 4.0);
    EXPECT_EQ(code, 0);
}

TEST(ErrorText, NamesEachCode)
{
    EXPECT_STREQ(ExpressionErrorText(0), "Ok");
    EXPECT_STREQ(ExpressionErrorText(1), "Missing Numbers");
    EXPECT_STREQ(ExpressionErrorText(2), "Invalid Character");
    EXPECT_STREQ(ExpressionErrorText(3), "Divide By Zero");
    EXPECT_STREQ(ExpressionErrorText(4), "Invalid Operator");
    EXPECT_STREQ(ExpressionErrorText(5), "Too Many Parentheses");
}

TEST(ErrorText, IsNeverNullForOtherCodes)
{
    EXPECT_NE(ExpressionErrorText(-1), nullptr);
    EXPECT_NE(ExpressionErrorText(6), nullptr);
}

TEST(ErrorCode, ConstantsMatchTheNumbers)
{
    EXPECT_EQ(kExpressionOk, 0);
    EXPECT_EQ(kExpressionMissingNumbers, 1);
    EXPECT_EQ(kExpressionInvalidCharacter, 2);
    EXPECT_EQ(kExpressionDivideByZero, 3);
    EXPECT_EQ(kExpressionInvalidOperator, 4);
    EXPECT_EQ(kExpressionTooManyParentheses, 5);
}

// --- a sign in a number's exponent belongs to the number ---

class ExponentSign : public testing::TestWithParam<Case> {};

TEST_P(ExponentSign, StaysInTheNumber)
{
    ExpectCase(GetParam());
}

INSTANTIATE_TEST_SUITE_P(Numbers, ExponentSign,
    testing::Values(Case{"PlusExponent", "1.5E+3", 1500, 0},
                    Case{"MinusExponent", "1E-5", 1e-5, 0},
                    Case{"LowerCaseMinusExponent", "2.5e-3", 2.5e-3, 0},
                    Case{"LowerCasePlusExponent", "2e+1", 20, 0},
                    Case{"NegativeNumberMinusExponent", "-1.5E-3", -1.5e-3, 0},
                    Case{"OperatorAfterSignedExponent", "1E+3+1", 1001, 0},
                    Case{"SignedExponentAsRightOperand", "10*1E-1", 10 * 1e-1, 0},
                    Case{"SignedExponentUnderPower", "1E+1^2", 100, 0},
                    Case{"SignedExponentInsideParentheses", "(2E-1)*10", 2e-1 * 10, 0},
                    // Without digits after it the sign is no exponent: the
                    // number ends before the E and the sign is an operator.
                    Case{"SignWithoutExponentDigits", "1E-(2)", -1, 0},
                    Case{"SignWithoutExponentDigitsAtEnd", "1E+", 0, 1}),
    CaseName);

// --- a sign directly before a function name applies to its result ---

class SignBeforeFunction : public testing::TestWithParam<Case> {};

TEST_P(SignBeforeFunction, AppliesToTheResult)
{
    ExpectCase(GetParam());
}

INSTANTIATE_TEST_SUITE_P(Signs, SignBeforeFunction,
    testing::Values(Case{"Minus", "-SQRT(4)", -2, 0},
                    Case{"MinusAsRightOperand", "2*-SQRT(4)", -4, 0},
                    Case{"Plus", "+SQRT(4)", 2, 0},
                    Case{"MinusLowerCase", "-sqrt 4", -2, 0},
                    Case{"SameAsWithBlank", "- SQRT(4)", -2, 0},
                    Case{"MinusAcos", "-ACOS(-1)", -kPi, 0},
                    Case{"SubtractFunction", "1-SQRT(4)", -1, 0},
                    Case{"SubtractNegatedFunction", "1--SQRT(4)", 3, 0},
                    Case{"InsideParentheses", "(-SQRT(9))*2", -6, 0},
                    Case{"NestedNegations", "-SQRT(-SQRT(16)*-1)", -2, 0},
                    // Like a sign directly before a digit, it makes a negative
                    // operand: -SQRT(4)^2 is (-2)^2 as -2^2 is 4, while a
                    // blank after the sign makes it -1 times what follows.
                    Case{"PowerOfNegatedFunction", "-SQRT(4)^2", 4, 0},
                    Case{"BlankThenPowerOfFunction", "- SQRT(4)^2", -4, 0},
                    Case{"NegatedFunctionAsExponent", "2^-SQRT(4)", 0.25, 0},
                    Case{"DivideByNegatedFunction", "2/-SQRT(4)", -1, 0},
                    Case{"MinusPlusFunction", "-+SQRT(4)", -2, 0},
                    Case{"DoubleMinusFunction", "--SQRT(4)", 2, 0},
                    Case{"ZeroBeforeNameIsANumber", "-0SQRT(4)", 2, 0},
                    Case{"NegatedFunctionAtEnd", "-SQRT", 0, 1},
                    Case{"NegatedFunctionDivisor", "1/-SIN(0)", 0, 3}),
    CaseName);

// --- a ")" that takes the depth below 0 is refused ---

INSTANTIATE_TEST_SUITE_P(ClosingBeforeOpening, Errors,
    testing::Values(Case{"BalancedLater", "1)+(2", 0, 5},
                    Case{"BalancedLaterNested", "(1))+((2", 0, 5},
                    Case{"BalancedLaterWithFunction", "SQRT(4))*(2", 0, 5},
                    Case{"ClosedTwiceOpenedTwice", "1)+2)+((3", 0, 5}),
    CaseName);

// --- text length: 255 characters are evaluated, longer text is refused ---

std::string Padded(const std::string& head, size_t length, const std::string& tail = "")
{
    return head + std::string(length - head.size() - tail.size(), ' ') + tail;
}

TEST(TextLength, TwoHundredFiftyFiveCharactersAreEvaluatedToTheLast)
{
    int code;
    std::string text = Padded("1+1", 255, "+5");
    ASSERT_EQ(text.size(), 255u);
    EXPECT_EQ(Evaluate(text, &code), 7.0);
    EXPECT_EQ(code, 0);
}

TEST(TextLength, TwoHundredFiftySixCharactersAreRefused)
{
    int code;
    EXPECT_EQ(Evaluate(Padded("1+1", 256), &code), 0.0);
    EXPECT_EQ(code, kExpressionInvalidCharacter);
    // Not cut to its first 255 characters and then found to end early.
    EXPECT_EQ(Evaluate(Padded("1+1", 256, "+"), &code), 0.0);
    EXPECT_EQ(code, kExpressionInvalidCharacter);
    EXPECT_EQ(Evaluate(Padded("1+1", 256, "1"), &code), 0.0);
    EXPECT_EQ(code, kExpressionInvalidCharacter);
}

TEST(TextLength, MuchLongerTextIsRefused)
{
    int code;
    EXPECT_EQ(Evaluate(Padded("2", 4000, "*3"), &code), 0.0);
    EXPECT_EQ(code, kExpressionInvalidCharacter);
    EXPECT_EQ(Evaluate(std::string(1000, '('), &code), 0.0);
    EXPECT_EQ(code, kExpressionInvalidCharacter);
}

TEST(TextLength, LongestFunctionTextIsEvaluated)
{
    int code;
    std::string text = Padded("SQRT", 255, "16");
    EXPECT_EQ(Evaluate(text, &code), 4.0);
    EXPECT_EQ(code, 0);
}

TEST(TextLength, DigitsOnlyAreReadWholeUpToTheWorkingCopysSize)
{
    int code;
    std::string digits = "1" + std::string(254, '0');
    EXPECT_EQ(Evaluate(digits, &code), 1e254);
    EXPECT_EQ(code, 0);
    digits += "0";
    EXPECT_EQ(Evaluate(digits, &code), 0.0);
    EXPECT_EQ(code, kExpressionInvalidCharacter);
}

// --- operand count: 20 operands are evaluated, more are refused ---

std::string SumOfOnes(int operands)
{
    std::string text = "1";
    for (int i = 1; i < operands; ++i)
        text += "+1";
    return text;
}

struct OperandCase {
    const char* name;
    std::string text;
    double value;
    int code;
};

void PrintTo(const OperandCase& c, std::ostream* out)
{
    *out << '"' << c.text << '"';
}

class OperandCount : public testing::TestWithParam<OperandCase> {};

TEST_P(OperandCount, StaysWithinTheLists)
{
    int code;
    double value = Evaluate(GetParam().text, &code);
    EXPECT_EQ(code, GetParam().code) << GetParam().text;
    EXPECT_EQ(value, GetParam().value) << GetParam().text;
}

INSTANTIATE_TEST_SUITE_P(Bounds, OperandCount,
    testing::Values(OperandCase{"Nineteen", SumOfOnes(19), 19, 0},
                    OperandCase{"Twenty", SumOfOnes(20), 20, 0},
                    OperandCase{"TwentyOne", SumOfOnes(21), 0, 1},
                    OperandCase{"Thirty", SumOfOnes(30), 0, 1},
                    OperandCase{"TwentyInParentheses", "(" + SumOfOnes(20) + ")", 20, 0},
                    OperandCase{"TwentyWithTrailingBlanks", SumOfOnes(20) + "   ", 20, 0},
                    OperandCase{"TwentyThenOperator", SumOfOnes(20) + "+", 0, 1},
                    OperandCase{"TwentyThenOpenParenthesis", SumOfOnes(20) + "*(", 0, 1},
                    OperandCase{"TwentyThenClosing", SumOfOnes(20) + ")", 0, 5},
                    OperandCase{"TwentyOneAfterEarlyClosing", "1)+" + SumOfOnes(20), 0, 5},
                    OperandCase{"TwentyOneWithLoneSignLast", SumOfOnes(20) + "*-(1)", 0, 1},
                    // A lone sign and a function placeholder each take one; a
                    // sign directly before a function name takes none.
                    OperandCase{"TwentyWithLoneSign", "-(1)+" + SumOfOnes(18), 17, 0},
                    OperandCase{"TwentyOneWithLoneSign", "-(1)+" + SumOfOnes(19), 0, 1},
                    OperandCase{"TwentyWithFunction", "SQRT(4)+" + SumOfOnes(18), 20, 0},
                    OperandCase{"TwentyOneWithFunction", "SQRT(4)+" + SumOfOnes(19), 0, 1},
                    OperandCase{"TwentyWithNegatedFunction", "-SQRT(4)+" + SumOfOnes(18), 16, 0},
                    OperandCase{"TwentyOneWithNegatedFunction", "-SQRT(4)+" + SumOfOnes(19), 0, 1},
                    OperandCase{"TwentyWithPowers", "2^2^2^2^2^1^1^1^1^1^1^1^1^1^1^1^1^1^1^1", 65536, 0},
                    OperandCase{"TwentyDeeplyNested", "1+(1+(1+(1+(1+(1+(1+(1+(1+(1+(1+(1+(1+(1+(1+"
                                                      "(1+(1+(1+(1+(1)))))))))))))))))))",
                                20, 0}),
    [](const testing::TestParamInfo<OperandCase>& info) { return std::string(info.param.name); });

TEST(OperandCount, TwentyOneOperandsAreRefusedForAnyOperator)
{
    for (char op : std::string("+-*/%^")) {
        std::string text = "1";
        for (int i = 1; i < 21; ++i)
            text += std::string(1, op) + "1";
        int code;
        EXPECT_EQ(Evaluate(text, &code), 0.0) << text;
        EXPECT_EQ(code, kExpressionMissingNumbers) << text;
        text.resize(text.size() - 2);  // 20 operands
        Evaluate(text, &code);
        EXPECT_EQ(code, 0) << text;
    }
}

// --- defensive arguments ---

TEST(Arguments, NullTextIsTheEmptyText)
{
    int code = 3;
    EXPECT_EQ(EvaluateExpression(nullptr, &code), 0.0);
    EXPECT_EQ(code, 0);
}

TEST(Arguments, NullCodeIsAllowed)
{
    EXPECT_EQ(EvaluateExpression("2*3", nullptr), 6.0);
    EXPECT_EQ(EvaluateExpression("1/0", nullptr), 0.0);
}

TEST(Arguments, TextIsNotModified)
{
    char text[] = "sqrt(16)+acos(1)";
    int code;
    EXPECT_EQ(EvaluateExpression(text, &code), 4.0);
    EXPECT_STREQ(text, "sqrt(16)+acos(1)");
}

} // namespace
} // namespace keld

// libFuzzer target of the expression evaluator: any bytes, as a
// zero-terminated text, must give a code from 0 to 5, and 0 whenever the
// code is not 0. The sanitizers catch any read or write outside the
// evaluator's fixed lists.
#include "setup/valueentry/ExpressionEvaluator.h"

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    std::vector<char> text(size + 1);
    if (size)
        std::memcpy(text.data(), data, size);
    text[size] = '\0';

    int code = -1;
    double value = keld::EvaluateExpression(text.data(), &code);
    if (code < 0 || code > 5)
        __builtin_trap();
    if (code != 0 && !(value == 0.0 && !__builtin_signbit(value)))
        __builtin_trap();
    if (!keld::ExpressionErrorText(code))
        __builtin_trap();

    // No state survives a call: the same text gives the same outcome.
    int again = -1;
    double second = keld::EvaluateExpression(text.data(), &again);
    if (again != code || std::memcmp(&second, &value, sizeof value) != 0)
        __builtin_trap();
    return 0;
}

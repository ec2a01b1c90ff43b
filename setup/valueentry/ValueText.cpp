#include "setup/valueentry/ValueText.h"

#include "setup/ProfileDouble.h"
#include "setup/valueentry/ExpressionEvaluator.h"

#include <cstdio>
#include <cstdlib>

namespace keld {

std::string FormatFieldValue(double value, unsigned short kind, bool inchUnits, int decimalPlaces)
{
    int places = decimalPlaces;
    if ((kind & VF_LENGTH) && !inchUnits) {
        value *= kInchToMillimetre;
        if (places > 0)
            --places;
    }
    places = places < 0 ? 0 : (places > 9 ? 9 : places);
    char format[] = "%.?lf";
    format[2] = static_cast<char>('0' + places);
    char text[512];
    std::snprintf(text, sizeof text, format, value);
    std::string shown = text;
    if (shown.find('.') != std::string::npos) {
        while (!shown.empty() && shown.back() == '0')
            shown.pop_back();
        if (!shown.empty() && shown.back() == '.')
            shown.pop_back();
    }
    return shown;
}

std::string StoredValueText(double value, unsigned short kind, bool inchUnits, int decimalPlaces)
{
    const std::string shown = FormatFieldValue(value, kind, inchUnits, decimalPlaces);
    // What the next start shows for `text`, read as it reads the files.
    auto showsAgain = [&](const std::string& text) {
        return FormatFieldValue(ParseProfileDouble(text, value), kind, inchUnits, decimalPlaces) == shown;
    };
    std::string plain = FormatProfileDouble(value);
    if (showsAgain(plain))
        return plain;
    char text[64];
    for (int digits = 7;; ++digits) {
        std::snprintf(text, sizeof text, "%.*g", digits, value);
        // 17 digits give the value itself back.
        if (digits >= 17 || showsAgain(text))
            return text;
    }
}

FieldReading ReadFieldText(const std::string& text, unsigned short kind, bool inchUnits, double stored,
                           double minValue, double maxValue)
{
    FieldReading reading;
    double value = stored;
    if (!text.empty()) {
        if (kind & VF_EXPRESSION) {
            value = EvaluateExpression(text.c_str(), &reading.errorCode);
            if (reading.errorCode != 0)
                return reading;
        } else {
            value = std::atof(text.c_str());
        }
        if ((kind & VF_LENGTH) && !inchUnits)
            value *= kMillimetreToInch;
    }
    if (!(value <= maxValue))
        value = maxValue;
    else if (value < minValue)
        value = minValue;
    reading.value = value;
    return reading;
}

}  // namespace keld

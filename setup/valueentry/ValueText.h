// Text rules of the value fields: how a stored value is shown in inch or
// metric units and how typed text becomes a stored value.
#pragma once
#include <string>

namespace keld {

// Bits of a value field's kind.
inline constexpr unsigned short VF_EXPRESSION = 0x0001;  // text is an expression
inline constexpr unsigned short VF_LENGTH = 0x0008;      // inches, shown in display units

// Stored inch value to metric text, and metric text to stored inches; two
// constants, neither computed from the other.
inline constexpr double kInchToMillimetre = 25.4;
inline constexpr double kMillimetreToInch = 0.03937007874015748;

// The text a field shows for `value` (storage units). `decimalPlaces` is the
// inch figure; metric lengths show one place fewer. Places outside 0..9 are
// taken as the nearer bound.
std::string FormatFieldValue(double value, unsigned short kind, bool inchUnits, int decimalPlaces);

// The text to store for `value` (storage units) so that it is shown again as
// it is shown now: the "%g" text where that reads back to the same display
// (in these units, at these places), else the fewest more significant
// digits that do (30 mm is stored as 1.1811024, not 1.1811).
std::string StoredValueText(double value, unsigned short kind, bool inchUnits, int decimalPlaces);

struct FieldReading {
    int errorCode = 0;  // 0, or the evaluator's error code
    double value = 0;   // storage units, limited; valid when errorCode is 0
};

// Reads typed text: empty text keeps `stored`; expressions are evaluated,
// other text is read like atof; metric lengths are converted to inches; the
// result is limited to min..max, a not-a-number result becoming max.
FieldReading ReadFieldText(const std::string& text, unsigned short kind, bool inchUnits, double stored,
                           double minValue, double maxValue);

}  // namespace keld

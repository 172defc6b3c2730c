#include "editor/TextForms.h"

#include <cmath>
#include <limits>

#include "figures/Types.h"

std::string IntToText(int32_t value) { return std::to_string(value); }

std::string AngleToText(float radians) {
    const float degrees = radians * 180.0f / kPi;
    // A typed 23 comes back as 22.999998; the nearest whole degree shows it as typed.
    const float rounded = std::round(degrees);
    constexpr float kLimit = 2147483520.0f;  // the largest float below 2^31
    if (!(std::fabs(rounded) <= kLimit)) return IntToText(std::signbit(rounded) ? std::numeric_limits<int32_t>::min()
                                                                                 : std::numeric_limits<int32_t>::max());
    return IntToText(static_cast<int32_t>(rounded));
}

std::string ComponentToText(float component) {
    std::string text = IntToText(static_cast<int32_t>(component));
    while (text.size() < 3) text.insert(text.begin(), '0');
    return text;
}

float DegreesToRadians(float degrees) { return degrees * kPi / 180.0f; }

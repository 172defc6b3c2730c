// The three forms in which the editor shows numbers.
#pragma once

#include <cstdint>
#include <string>

// Plain decimal: "-" for negatives, no leading zeros.
std::string IntToText(int32_t value);

// Radians to whole degrees, converted in single precision (times 180, then over pi) and rounded to the nearest.
std::string AngleToText(float radians);

// A 0..255 component truncated to an integer, zero-padded to at least three digits ("007", "216").
std::string ComponentToText(float component);

// Degrees to radians as the editor stores angles: single precision, the product first, then the quotient.
float DegreesToRadians(float degrees);

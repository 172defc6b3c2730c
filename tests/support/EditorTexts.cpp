#include "tests/support/EditorTexts.h"

#include <cstdint>

#include "editor/TextForms.h"

std::vector<std::string> EditorTexts() {
    std::vector<std::string> texts{"Regular Star Polygon", "Isotoxal Star Polygon", "BG Color: ", "Star Color: "};
    for (const std::string label : {"Number Of Vertices:  ", "Density:  ", "Angle Offset: ", "Alpha:  "}) {
        texts.push_back(label);
        for (int32_t value = 0; value <= 360; ++value) texts.push_back(label + IntToText(value));
    }
    for (int component = 0; component <= 255; ++component)
        texts.push_back(ComponentToText(static_cast<float>(component)));
    return texts;
}

// The six numeric boxes: committing the typed digits to a figure, and re-rendering a box's text.
#include <cerrno>
#include <charconv>
#include <cstdlib>
#include <limits>

#include "editor/Game.h"
#include "editor/TextForms.h"

namespace {
enum NumericBox { kRegularVertices, kRegularDensity, kRegularOffset, kIsotoxalVertices, kIsotoxalAlpha, kIsotoxalOffset };

constexpr int32_t kRegularMinVertices = 2;
constexpr int32_t kRegularMaxVertices = 100;
constexpr int32_t kIsotoxalMinVertices = 2;
constexpr int32_t kIsotoxalMaxVertices = 250;
constexpr float kMaxOffsetDegrees = 360.0f;
constexpr float kMinAlphaDegrees = 5.0f;
constexpr float kMaxAlphaDegrees = 180.0f;

// Digits only, so the one way to fail is a number beyond the type's range: then false.
bool Convert(const std::string& text, int32_t& value) {
    return std::from_chars(text.data(), text.data() + text.size(), value).ec != std::errc::result_out_of_range;
}
// strtof rather than from_chars: not every standard library the editor is built with converts floats that way.
bool Convert(const std::string& text, float& value) {
    errno = 0;
    value = std::strtof(text.c_str(), nullptr);
    return errno != ERANGE;
}

// editText holds digits only. Empty text means the box's empty-text value; the text is consumed.
// Beyond the conversion's range the value saturates, so it clamps like any other large entry.
template <typename Number>
Number TakeNumber(std::string& text, const char* emptyValue) {
    if (text.empty()) text.append(emptyValue);  // append, not assign: GCC 12 at -O3 warns falsely on the latter
    Number value{};
    if (!Convert(text, value)) value = std::numeric_limits<Number>::max();
    text.clear();
    return value;
}

int32_t TakeInteger(std::string& text, const char* emptyValue) { return TakeNumber<int32_t>(text, emptyValue); }
float TakeDegrees(std::string& text) { return TakeNumber<float>(text, "0"); }

// The largest density that still makes a star of n points: (n - 1) / 2, never below 1.
int32_t LimitDensity(int32_t density, int32_t vertexCount) {
    const int32_t half = vertexCount / 2;
    if (density >= half) density = (vertexCount % 2 == 1) ? half : half - 1;
    return density == 0 ? 1 : density;
}
}  // namespace

void Game::CommitRegularVertexCount() {
    const int32_t typed = TakeInteger(editText, "2");
    int32_t n = typed == 0 ? kRegularMinVertices : (typed > kRegularMaxVertices ? kRegularMaxVertices : typed);
    if (regularStar->density >= n / 2) {
        regularStar->density = LimitDensity(regularStar->density, n);
        RefreshRegularDensity(false);
    }
    if (n < 5) {
        regularStar->density = 1;
        RefreshRegularDensity(false);
        if (n < kRegularMinVertices) n = kRegularMinVertices;
    }
    regularStar->vertexCount = n;
    regularStar->UpdateVertices();
}

void Game::CommitRegularDensity() {
    const int32_t typed = TakeInteger(editText, "0");
    // The points do not depend on the density: the next frame joins the same points anew.
    regularStar->density = LimitDensity(typed < 1 ? 1 : typed, regularStar->vertexCount);
}

void Game::CommitRegularAngleOffset() {
    const float degrees = TakeDegrees(editText);
    regularStar->angleOffset = DegreesToRadians(degrees > kMaxOffsetDegrees ? kMaxOffsetDegrees : degrees);
    regularStar->UpdateVertices();
}

void Game::CommitIsotoxalVertexCount() {
    const int32_t typed = TakeInteger(editText, "2");
    isotoxalStar->vertexCount =
        typed < kIsotoxalMinVertices ? kIsotoxalMinVertices : (typed > kIsotoxalMaxVertices ? kIsotoxalMaxVertices : typed);
    isotoxalStar->UpdateVertices();
}

void Game::CommitIsotoxalAlpha() {
    float degrees = TakeDegrees(editText);
    if (degrees < kMinAlphaDegrees) degrees = kMinAlphaDegrees;
    if (degrees > kMaxAlphaDegrees) degrees = kMaxAlphaDegrees;
    isotoxalStar->alpha = DegreesToRadians(degrees);
    isotoxalStar->UpdateVertices();
}

void Game::CommitIsotoxalAngleOffset() {
    const float degrees = TakeDegrees(editText);
    isotoxalStar->angleOffset = DegreesToRadians(degrees > kMaxOffsetDegrees ? kMaxOffsetDegrees : degrees);
    isotoxalStar->UpdateVertices();
}

void Game::RefreshRegularVertexCount(bool selected) { RefreshNumeric(kRegularVertices, selected); }
void Game::RefreshRegularDensity(bool selected) { RefreshNumeric(kRegularDensity, selected); }
void Game::RefreshRegularAngleOffset(bool selected) { RefreshNumeric(kRegularOffset, selected); }
void Game::RefreshIsotoxalVertexCount(bool selected) { RefreshNumeric(kIsotoxalVertices, selected); }
void Game::RefreshIsotoxalAlpha(bool selected) { RefreshNumeric(kIsotoxalAlpha, selected); }
void Game::RefreshIsotoxalAngleOffset(bool selected) { RefreshNumeric(kIsotoxalOffset, selected); }

PlacedTexture& Game::NumericTexture(int box) {
    return box < 3 ? regularLabelTextures[static_cast<size_t>(box)] : isotoxalLabelTextures[static_cast<size_t>(box - 3)];
}

const std::string& Game::NumericLabel(int box) const {
    return box < 3 ? regularLabels[static_cast<size_t>(box)] : isotoxalLabels[static_cast<size_t>(box - 3)];
}

std::string Game::NumericValueText(int box) const {
    switch (box) {
        case kRegularVertices: return IntToText(regularStar->vertexCount);
        case kRegularDensity: return IntToText(regularStar->density);
        case kRegularOffset: return AngleToText(regularStar->angleOffset);
        case kIsotoxalVertices: return IntToText(isotoxalStar->vertexCount);
        case kIsotoxalAlpha: return AngleToText(isotoxalStar->alpha);
        default: return AngleToText(isotoxalStar->angleOffset);
    }
}

// An open box shows its label and the digits typed so far; a closed one its figure's value.
void Game::RefreshNumeric(int box, bool selected) {
    PlacedTexture& slot = NumericTexture(box);
    slot.texture.reset();
    const std::string text = NumericLabel(box) + (selected ? editText : NumericValueText(box));
    slot.texture = std::make_unique<Texture>(text, fontPath, labelFontSize, TextColorFor(selected));
}

void Game::CommitNumeric(int box) {
    switch (box) {
        case kRegularVertices: return CommitRegularVertexCount();
        case kRegularDensity: return CommitRegularDensity();
        case kRegularOffset: return CommitRegularAngleOffset();
        case kIsotoxalVertices: return CommitIsotoxalVertexCount();
        case kIsotoxalAlpha: return CommitIsotoxalAlpha();
        default: return CommitIsotoxalAngleOffset();
    }
}

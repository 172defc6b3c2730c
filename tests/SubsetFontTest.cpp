// The web page ships only the printable-ASCII part of the font (packaging/web/SubsetFont.cmake): every text the
// editor can show must come out of SDL_ttf with the same pixels from that subset as from the full font.
#include <gtest/gtest.h>

#include <SDL.h>
#include <SDL_ttf.h>

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "tests/support/EditorTexts.h"
#include "tests/support/TestSupport.h"

using testing_support::FontPtr;
using testing_support::SurfacePtr;

namespace {
constexpr const char* kFullFont = "Resources/Baloo.ttf";
constexpr const char* kSubsetFont = STAR_SUBSET_FONT;
constexpr int kPointSizes[] = {30, 40, 50, 60};  // the labels' 40 and the titles' 50, and scalings of them
constexpr SDL_Color kTextColor{98, 146, 99, 255};
constexpr Uint32 kLatinSmallEWithAcute = 0xE9;

struct TtfSession {
    TtfSession() : ok(TTF_Init() == 0) {}
    ~TtfSession() {
        if (ok) TTF_Quit();
    }
    TtfSession(const TtfSession&) = delete;
    TtfSession& operator=(const TtfSession&) = delete;
    bool ok;
};

bool SamePixels(const SDL_Surface& a, const SDL_Surface& b) {
    if (a.w != b.w || a.h != b.h || a.format->format != b.format->format) return false;
    const size_t rowBytes = static_cast<size_t>(a.w) * a.format->BytesPerPixel;
    for (int row = 0; row < a.h; ++row) {
        const auto* rowA = static_cast<const uint8_t*>(a.pixels) + static_cast<ptrdiff_t>(row) * a.pitch;
        const auto* rowB = static_cast<const uint8_t*>(b.pixels) + static_cast<ptrdiff_t>(row) * b.pitch;
        if (std::memcmp(rowA, rowB, rowBytes) != 0) return false;
    }
    return true;
}
}  // namespace

TEST(SubsetFont, RendersEveryEditorTextAsTheFullFontDoes) {
    const TtfSession ttf;
    ASSERT_TRUE(ttf.ok) << SDL_GetError();
    const std::vector<std::string> texts = EditorTexts();
    for (const int pointSize : kPointSizes) {
        const FontPtr full(TTF_OpenFont(kFullFont, pointSize));
        const FontPtr subset(TTF_OpenFont(kSubsetFont, pointSize));
        ASSERT_TRUE(full && subset) << SDL_GetError();
        // Without this the test could pass by comparing the full font with a copy of itself.
        ASSERT_TRUE(TTF_GlyphIsProvided32(full.get(), kLatinSmallEWithAcute));
        ASSERT_FALSE(TTF_GlyphIsProvided32(subset.get(), kLatinSmallEWithAcute)) << kSubsetFont << " is no subset";
        int differing = 0;
        for (const std::string& text : texts) {
            const SurfacePtr fromFull(TTF_RenderText_Blended(full.get(), text.c_str(), kTextColor));
            const SurfacePtr fromSubset(TTF_RenderText_Blended(subset.get(), text.c_str(), kTextColor));
            ASSERT_TRUE(fromFull && fromSubset) << SDL_GetError();
            if (!SamePixels(*fromFull, *fromSubset) && ++differing <= 10)
                ADD_FAILURE() << '"' << text << "\" at " << pointSize << " pt differs with the subset font";
        }
        EXPECT_EQ(differing, 0) << "texts differing at " << pointSize << " pt, of " << texts.size();
    }
}

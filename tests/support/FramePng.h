// Writes what the current OpenGL context has drawn as a PNG; shared by the suite and the first-frame catcher.
#pragma once

#include <string>

namespace testing_support {

// Reads the back buffer (width x height from the bottom-left corner) and writes it top row first. Returns false
// when the picture could not be written.
bool WriteFramePng(const std::string& path, int width, int height);

}  // namespace testing_support

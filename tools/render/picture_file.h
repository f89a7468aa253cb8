// Writing a rendered picture (top-down 32-bit pixels, blue in the low byte, alpha in the high
// byte) as a PNG with its alpha, or as a 32-bit BMP, for looking at renders outside the program.
#pragma once

#include <cstdint>
#include <string>

namespace render_tool {

/// Writes width x height pixels to path as an RGBA PNG. False when the file cannot be written.
[[nodiscard]] bool WritePng(const std::string& path, const uint32_t* pixels, int32_t width, int32_t height);

/// Writes width x height pixels to path as a bottom-up 32-bit BMP. False when it cannot be written.
[[nodiscard]] bool WriteBmp(const std::string& path, const uint32_t* pixels, int32_t width, int32_t height);

}  // namespace render_tool

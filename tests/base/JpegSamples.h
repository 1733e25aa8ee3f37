#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace zv::test {

// A JPEG of one colour. `pixel` holds one value per component: one for a
// grey picture, three for RGB, four for the inks of a CMYK picture as
// Adobe's programs store them (inverted: 255 = no ink), written as YCCK.
std::string SolidJpeg(int width, int height, const std::vector<std::uint8_t>& pixel);

} // namespace zv::test

#pragma once
// The SVG text of the pictures in resources/pictures, compiled in at build time, for documents that
// carry the pictures themselves (svg_canvas.h). The Qt side reads the same files from its resources.

#include <string_view>

namespace corvane {

// The whole file of the picture with this file name (without ".svg"); empty when there is none.
std::string_view PictureSource(std::string_view name);

} // namespace corvane

#pragma once
// Drawing with Qt from the command line: an application object made for the drawing, without a
// display, and the drawn bytes handed to the output.

#include <QBuffer>

#include <functional>
#include <ostream>
#include <string>

namespace corvane::cli {

// Runs `draw` on a buffer, with a Qt application object (Qt draws text only with one) made for it
// when the program has none, and writes the buffer's bytes to `out`. `draw` returns why it could not
// draw, empty when it drew; so does this, and then nothing is written.
std::string DrawWithQt(std::ostream& out, const std::function<std::string(QBuffer& buffer)>& draw);

} // namespace corvane::cli

// Where a song command's finished text goes: stdout, or the file --out names.
#include "cli/written_text.h"

#include <fstream>
#include <iostream>

namespace corvane::cli {

bool WriteText(const std::string& text, const std::string& out)
{
    if (out.empty()) {
        std::cout << text;
        return true;
    }
    std::ofstream file(out, std::ios::binary);
    file << text;
    // Closing flushes what is still buffered; a full disk shows only then.
    file.close();
    if (!file) {
        std::cerr << "corvane-cli: cannot write " << out << '\n';
        return false;
    }
    return true;
}

} // namespace corvane::cli

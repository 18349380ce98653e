#include "guitar/voicing.h"

namespace corvane {

std::string VoicingText(const Voicing& v)
{
    std::string text;
    for (int value : v) {
        text += std::to_string(value);
        text += ' ';
    }
    return text;
}

} // namespace corvane

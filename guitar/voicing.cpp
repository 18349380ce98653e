// The six-string voicing's text.
#include "guitar/voicing.h"

namespace corvane {

std::string VoicingText(const Voicing& v) { return ValuesText(v); }

} // namespace corvane

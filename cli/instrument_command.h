#pragma once
// The instruments on the command line: identify on N strings, and the output of N-string results.

#include <ostream>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "cli/identify_command.h"
#include "guitar/frets.h"

namespace corvane::cli {

struct InstrumentRecord;

// True when `request` names another instrument than the six-string guitar: RunInstrumentIdentify then
// answers it.
bool IsInstrumentIdentify(const IdentifyRequest& request);
int RunInstrumentIdentify(const IdentifyRequest& request, std::ostream& out, std::ostream& err);

} // namespace corvane::cli

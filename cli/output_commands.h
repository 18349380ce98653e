#pragma once
// Writing results in the chosen format, to stdout or a file: `voicings --format ...` and `diagram`.

#include <cstddef>
#include <string>

#include "cli/chord_request.h"
#include "cli/formats.h"

namespace corvane::cli {

struct OutputOptions {
    std::string format = "records";
    std::string out; // a file; empty: stdout
    int columns = export_sheet::kDefaultColumns;
    std::size_t limit = SIZE_MAX;
    bool leftHanded = false;
};

// Exit statuses: 0 written, 1 the output could not be written, 2 bad input.
constexpr int kWriteFailed = 1;
constexpr int kNoVoicing = 1; // the search found nothing: stderr says why
constexpr int kBadOutputInput = 2;

// Writes the evaluated results of `request`; `asJson` is the older --json flag.
int WriteVoicings(const ChordRequest& request, const Evaluation& ev, OutputOptions options, bool asJson);

// Draws one fingering typed as a guitarist writes it; svg unless options.format says png.
int WriteDiagram(const std::string& frets, const OutputOptions& options);

} // namespace corvane::cli

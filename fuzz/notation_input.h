#pragma once
// A fuzz input that chooses the notation it is read in: a first byte 0x01, then one byte for the
// notation and the key it counts from, then the text. Any other input is text in the program's own
// notation, so the corpora of plain names keep their meaning.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

#include "theory/notation.h"

namespace corvane::fuzz {

struct NotationInput {
    Notation notation = Notation::Parts;
    std::optional<NotationKey> key;
    std::string text;
};

inline NotationInput ReadNotationInput(const uint8_t* data, size_t size)
{
    NotationInput input;
    if (size >= 2 && data[0] == 0x01) {
        const int choice = data[1];
        input.notation = kNotations[static_cast<size_t>(choice % static_cast<int>(kNotations.size()))];
        if (choice / 6 % 2 == 0)
            input.key = KeyOf(choice / 12 % 12, choice / 144 % 2 == 1);
        data += 2;
        size -= 2;
    }
    input.text.assign(reinterpret_cast<const char*>(data), size);
    return input;
}

} // namespace corvane::fuzz

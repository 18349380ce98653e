#pragma once
// The MIDI numbers the program sends and the ones its synthesizer understands, named once.

#include <cstdint>

namespace corvane::midi {

// Status bytes; the low nibble is the channel, 0 being the one the program plays on.
constexpr std::uint8_t kStatusBit = 0x80; // set on status bytes, clear on data bytes
constexpr std::uint8_t kNoteOff = 0x80;
constexpr std::uint8_t kNoteOn = 0x90;
constexpr std::uint8_t kPolyPressure = 0xA0;
constexpr std::uint8_t kControlChange = 0xB0;
constexpr std::uint8_t kProgramChange = 0xC0;
constexpr std::uint8_t kChannelPressure = 0xD0;
constexpr std::uint8_t kPitchBend = 0xE0;
constexpr std::uint8_t kSystemCommon = 0xF0; // 0xF0..0xF7: cancel running status
constexpr std::uint8_t kRealTime = 0xF8; // 0xF8..0xFF: leave running status alone

constexpr std::uint8_t kStrumVelocity = 100;

// Output volume: the low word is the left (or only) channel, the high word the right one.
constexpr std::uint32_t kFullVolume = 0x0000FFFF;
constexpr std::uint32_t kVolumeWordMax = 0xFFFF;

// The system's first MIDI output, the only one the program opens.
constexpr int kDefaultDevice = 0;

} // namespace corvane::midi

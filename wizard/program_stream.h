#pragma once

// The packets of an MPEG-2 program stream, as a DVD's VOB files hold them: 2048-byte packs,
// each a pack header and packets that start 00 00 01 and a stream id. The bytes may be damaged
// or made to harm: every length is checked against what is held, and every step moves on.

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string_view>

namespace kelvarro {

// The byte at `i` as the unsigned value the formats define; `i` must lie within `bytes`.
inline std::uint8_t ByteAt(std::string_view bytes, std::size_t i) { return static_cast<std::uint8_t>(bytes[i]); }

// Private stream 1, which carries AC3, DTS and LPCM sound behind a substream id.
inline constexpr std::uint8_t kPrivateStream1 = 0xBD;
// The first video stream; a DVD has only this one.
inline constexpr std::uint8_t kVideoStream = 0xE0;

// The index of the next 00 00 01 at or behind `from`; npos when there is none.
std::size_t FindStartCode(std::string_view bytes, std::size_t from);

// Whether `bytes` begin with the pack header of an MPEG-2 program stream.
bool StartsWithMpeg2Pack(std::string_view bytes);

// The system clock reference of the MPEG-2 pack header that `bytes` begin with, in ticks of
// 90 kHz; none where they begin with none.
std::optional<std::uint64_t> PackClock(std::string_view bytes);

// Called with the stream id and the payload (the bytes behind the packet's header) of each
// packet of private stream 1 or of the first video stream.
using PacketFound = std::function<void(std::uint8_t stream_id, std::string_view payload)>;

// Walks the packs and packets of `bytes`, handing on each wanted packet that lies whole within
// them; bytes between them that are neither are passed over up to the next start code.
// Returns how many bytes were taken: a pack header or packet cut off at the end is not, so that
// the caller can hand it in again with the bytes that follow.
std::size_t WalkPackets(std::string_view bytes, const PacketFound& found);

}  // namespace kelvarro

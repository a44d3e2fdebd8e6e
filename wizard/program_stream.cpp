#include "wizard/program_stream.h"

#include <cstring>

namespace kelvarro {
namespace {

constexpr std::uint8_t kPackStart = 0xBA;
// The lowest stream id that starts a packet with a length (the system header).
constexpr std::uint8_t kFirstPacketId = 0xBB;
constexpr std::size_t kPackHeader = 14;
constexpr std::size_t kPacketHeader = 6;

// The payload behind an MPEG-2 packet header: flags, then the header's own length. Nothing
// when the header is not of that kind or runs past the packet.
std::string_view Payload(std::string_view packet) {
  if (packet.size() < 3 || (ByteAt(packet, 0) & 0xC0) != 0x80) return {};
  const std::size_t header = 3 + std::size_t{ByteAt(packet, 2)};
  return header <= packet.size() ? packet.substr(header) : std::string_view();
}

}  // namespace

std::size_t FindStartCode(std::string_view bytes, std::size_t from) {
  // The 01 is looked for, then the two zeros before it: a 01 is rare in the data.
  for (std::size_t at = from + 2; at < bytes.size();) {
    const void* one = std::memchr(bytes.data() + at, 1, bytes.size() - at);
    if (one == nullptr) break;
    at = static_cast<std::size_t>(static_cast<const char*>(one) - bytes.data());
    if (bytes[at - 1] == 0 && bytes[at - 2] == 0) return at - 2;
    ++at;
  }
  return std::string_view::npos;
}

bool StartsWithMpeg2Pack(std::string_view bytes) {
  return bytes.size() >= kPackHeader && FindStartCode(bytes.substr(0, 3), 0) == 0 && ByteAt(bytes, 3) == kPackStart &&
         (ByteAt(bytes, 4) & 0xC0) == 0x40;
}

std::optional<std::uint64_t> PackClock(std::string_view bytes) {
  if (!StartsWithMpeg2Pack(bytes)) return std::nullopt;
  // 33 bits in bytes 4 to 8, behind and between marker bits: 3, 2, 8, 5, 2, 8 and 5 of them.
  const auto bits = [&](std::size_t i, unsigned shift, unsigned mask) {
    return std::uint64_t{ByteAt(bytes, i)} >> shift & mask;
  };
  return bits(4, 3, 0x07) << 30 | bits(4, 0, 0x03) << 28 | bits(5, 0, 0xFF) << 20 | bits(6, 3, 0x1F) << 15 |
         bits(6, 0, 0x03) << 13 | bits(7, 0, 0xFF) << 5 | bits(8, 3, 0x1F);
}

std::size_t WalkPackets(std::string_view bytes, const PacketFound& found) {
  std::size_t at = 0;
  for (;;) {
    const std::size_t start = FindStartCode(bytes, at);
    if (start == std::string_view::npos) {
      // Zeros at the very end may begin the next start code.
      std::size_t end = bytes.size();
      while (end > at && end + 2 > bytes.size() && bytes[end - 1] == 0) --end;
      return end;
    }
    if (start + 4 > bytes.size()) return start;
    const std::uint8_t id = ByteAt(bytes, start + 3);
    if (id == kPackStart) {
      if (start + kPackHeader > bytes.size()) return start;
      const std::size_t end = start + kPackHeader + static_cast<std::size_t>(ByteAt(bytes, start + 13) & 0x07);
      if (end > bytes.size()) return start;
      at = end;
      continue;
    }
    if (id < kFirstPacketId) {
      // An end code, or a start code of the streams' own data where a packet should be.
      at = start + 4;
      continue;
    }
    if (start + kPacketHeader > bytes.size()) return start;
    const std::size_t end =
        start + kPacketHeader + static_cast<std::size_t>(ByteAt(bytes, start + 4) << 8 | ByteAt(bytes, start + 5));
    if (end > bytes.size()) return start;
    if (id == kPrivateStream1 || id == kVideoStream) {
      found(id, Payload(bytes.substr(start + kPacketHeader, end - start - kPacketHeader)));
    }
    at = end;
  }
}

}  // namespace kelvarro

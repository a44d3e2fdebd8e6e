#include "wizard/title_set_info.h"

#include <algorithm>
#include <string_view>

#include "wizard/program_stream.h"

namespace kelvarro {
namespace {

constexpr std::string_view kMagic = "DVDVIDEO-VTS";
constexpr std::size_t kVideoAttributes = 0x200;
constexpr std::size_t kAudioCount = 0x203;
constexpr std::size_t kAudioEntries = 0x204;
constexpr std::size_t kEntryBytes = 8;
constexpr std::size_t kMostStreams = 8;
// The sector of the program chain table, and the byte of a program chain where its eight audio
// control words start.
constexpr std::size_t kChainTableSector = 0xCC;
constexpr std::uint64_t kSectorBytes = 2048;
constexpr std::size_t kChainTableHead = 16;
constexpr std::size_t kAudioControl = 0x0C;

std::uint32_t Word(std::string_view bytes, std::size_t i) {
  return std::uint32_t{ByteAt(bytes, i)} << 8 | ByteAt(bytes, i + 1);
}
std::uint32_t Long(std::string_view bytes, std::size_t i) { return Word(bytes, i) << 16 | Word(bytes, i + 2); }

// Exactly `length` bytes from `offset`, or nothing.
std::optional<std::string> ReadExactly(FileSystem& files, const std::string& path, std::uint64_t offset,
                                       std::size_t length) {
  std::string bytes;
  if (!files.ReadPart(path, offset, length, bytes).empty() || bytes.size() != length) return std::nullopt;
  return bytes;
}

// The audio control words of the table's first program chain, the title's: bit 15 set where the
// title carries the stream, bits 14-8 its number among the substreams of its coding. None where
// the table cannot be read.
std::optional<std::string> AudioControl(FileSystem& files, const std::string& path, std::string_view head) {
  const std::uint64_t table = std::uint64_t{Long(head, kChainTableSector)} * kSectorBytes;
  const std::optional<std::string> table_head = ReadExactly(files, path, table, kChainTableHead);
  if (!table_head || Word(*table_head, 0) == 0) return std::nullopt;
  return ReadExactly(files, path, table + Long(*table_head, 12) + kAudioControl, 2 * kMostStreams);
}

std::optional<AudioCoding> CodingOf(unsigned code) {
  switch (code) {
    case 0:
      return AudioCoding::kAc3;
    case 2:
    case 3:
      return AudioCoding::kMpeg;
    case 4:
      return AudioCoding::kLpcm;
    case 6:
      return AudioCoding::kDts;
    default:
      return std::nullopt;
  }
}

std::uint8_t FirstId(AudioCoding coding) {
  switch (coding) {
    case AudioCoding::kDts:
      return 0x88;
    case AudioCoding::kLpcm:
      return 0xA0;
    case AudioCoding::kMpeg:
      return 0xC0;
    case AudioCoding::kAc3:
      break;
  }
  return kFirstAc3;
}

// Two letters, in lower case; "" for anything else, which is not shown.
std::string Language(char first, char second) {
  const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
  first = lower(first);
  second = lower(second);
  if (first < 'a' || first > 'z' || second < 'a' || second > 'z') return "";
  return {first, second};
}

}  // namespace

std::optional<TitleSetInfo> ReadTitleSetInfo(FileSystem& files, const std::string& path) {
  const std::optional<std::string> head = ReadExactly(files, path, 0, kAudioEntries + kMostStreams * kEntryBytes);
  if (!head || head->compare(0, kMagic.size(), kMagic) != 0) return std::nullopt;
  TitleSetInfo info;
  info.video_format = ByteAt(*head, kVideoAttributes) >> 4 & 0x03;
  info.display_aspect = ByteAt(*head, kVideoAttributes) >> 2 & 0x03;
  const std::optional<std::string> control = AudioControl(files, path, *head);
  const std::size_t count = std::min<std::size_t>(ByteAt(*head, kAudioCount), kMostStreams);
  for (std::size_t i = 0; i < count; ++i) {
    const std::string_view entry = std::string_view(*head).substr(kAudioEntries + i * kEntryBytes, kEntryBytes);
    const std::optional<AudioCoding> coding = CodingOf(ByteAt(entry, 0) >> 5);
    // Where the title's program chain cannot be read, the logical stream is the physical one,
    // as on most discs.
    const std::uint32_t word = control ? Word(*control, 2 * i) : 0x8000 | static_cast<std::uint32_t>(i) << 8;
    const unsigned number = word >> 8 & 0x7F;
    if (!coding || (word & 0x8000) == 0 || number >= kMostStreams) continue;
    ListedStream stream{*coding, static_cast<std::uint8_t>(FirstId(*coding) + number), "", 0};
    if ((ByteAt(entry, 0) >> 2 & 0x03) == 1) stream.language = Language(entry[2], entry[3]);
    if (ByteAt(entry, 5) <= 4) stream.code_extension = ByteAt(entry, 5);
    info.audio.push_back(stream);
  }
  return info;
}

}  // namespace kelvarro

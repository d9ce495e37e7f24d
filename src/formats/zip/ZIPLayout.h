#pragma once

// The fixed parts of a ZIP archive that both the reader and the writer use:
// record signatures and sizes, and the two compression methods an .xlsx uses.

#include <cstddef>
#include <cstdint>

namespace tamsel::zip {

inline constexpr std::uint32_t kLocalHeaderSignature = 0x04034B50;    // "PK\3\4"
inline constexpr std::uint32_t kCentralHeaderSignature = 0x02014B50;  // "PK\1\2"
inline constexpr std::uint32_t kEndRecordSignature = 0x06054B50;      // "PK\5\6"

inline constexpr std::size_t kLocalHeaderSize = 30;
inline constexpr std::size_t kCentralHeaderSize = 46;
inline constexpr std::size_t kEndRecordSize = 22;

inline constexpr std::uint16_t kMethodStored = 0;
inline constexpr std::uint16_t kMethodDeflate = 8;

}  // namespace tamsel::zip

#pragma once

// Record numbers of the BIFF5/BIFF8 record stream that the reader looks at.

#include <cstdint>

namespace tamsel::xls::biff {

inline constexpr std::uint16_t kFormula = 0x0006;
inline constexpr std::uint16_t kEOF = 0x000A;
inline constexpr std::uint16_t kFilePass = 0x002F;
inline constexpr std::uint16_t kContinue = 0x003C;
inline constexpr std::uint16_t kCodePage = 0x0042;
inline constexpr std::uint16_t kBoundSheet = 0x0085;
inline constexpr std::uint16_t kMulRK = 0x00BD;
inline constexpr std::uint16_t kRString = 0x00D6;
inline constexpr std::uint16_t kSST = 0x00FC;
inline constexpr std::uint16_t kLabelSST = 0x00FD;
inline constexpr std::uint16_t kNumber = 0x0203;
inline constexpr std::uint16_t kLabel = 0x0204;
inline constexpr std::uint16_t kBoolErr = 0x0205;
inline constexpr std::uint16_t kString = 0x0207;
inline constexpr std::uint16_t kRK = 0x027E;
inline constexpr std::uint16_t kBOF = 0x0809;

// The version field of a BOF record.
inline constexpr std::uint16_t kBIFF5 = 0x0500;
// The substream type field of a BOF record.
inline constexpr std::uint16_t kGlobalsSubstream = 0x0005;
inline constexpr std::uint16_t kWorksheetSubstream = 0x0010;
// The sheet type byte of a BOUNDSHEET record.
inline constexpr std::uint8_t kWorksheetSheet = 0x00;

}  // namespace tamsel::xls::biff

#pragma once

// The errors of the .xls reader: domain "XLSParser", code 1, and the message
// shown after "Failed to read file: ".

#include <string>

#include "model/ReaderError.h"

namespace tamsel::xls {

inline constexpr const char* kFileTooSmallMessage = "File is too small to be an XLS file.";
inline constexpr const char* kNotOLE2Message = "Not a valid XLS/OLE2 file.";
inline constexpr const char* kNoWorkbookStreamMessage = "Could not find Workbook stream in the XLS file.";
inline constexpr const char* kPasswordProtectedMessage =
    "The workbook is password-protected. Save it without a password and open it again.";
inline constexpr const char* kTooMuchTextMessage =
    "The workbook is damaged: its cells repeat far more text than the file holds.";

inline ReaderError xlsError(std::string message) { return ReaderError{"XLSParser", 1, std::move(message)}; }

}  // namespace tamsel::xls

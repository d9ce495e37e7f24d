#pragma once

// The one table of file formats. Import, export, `tamsel-cli rows`, the CLI's
// help and the window's file kinds all read it; a new format is one entry
// here plus its folder. The lower-cased extension alone chooses: every
// extension no entry reads goes to the delimited text reader, and every
// extension no entry writes is written as a primer file (.nsub).

#include <span>
#include <string_view>
#include <vector>

#include "formats/ReadResult.h"

namespace tamsel {

struct FileFormat {
  std::string_view id = {};
  // Lower-cased, without the dot; the first is the one an export gives.
  std::vector<std::string_view> extensions = {};
  // The export chooser's title; empty when the format is not written.
  std::string_view exportTitle = {};
  // The open dialog's name of the kind, and its MIME type where one exists.
  std::string_view kindTitle = {};
  std::string_view mimeType = {};
  // The kind's place among the open dialog's kinds (text kinds first).
  int openDialogPosition = 0;
  // Not text: a terminal would show it as garbage.
  bool binary = false;
  // Whether its reader hands its cells to ReadOptions::rows as it reads them.
  bool streamsRows = false;
  ReadFunction read = nullptr;    // nullptr: not read
  WriteFunction write = nullptr;  // nullptr: not written

  std::string_view extension() const { return extensions.front(); }
};

// Every format, in the export chooser's order ("Helmvard Primer (.nsub)" first).
std::span<const FileFormat> fileFormats();

// The formats the export chooser offers, in its order; the position is the
// chooser's index.
const std::vector<const FileFormat*>& exportFormats();

// The formats of the open dialog's kinds, in its order.
std::vector<const FileFormat*> openDialogFormats();

// The format that reads a file of this extension (lower-cased, no dot): the
// delimited text reader's for any extension no format claims.
const FileFormat& formatReading(std::string_view extension);

// The format that writes a file of this extension: .nsub for any extension no
// writer claims.
const FileFormat& formatWriting(std::string_view extension);

// True when `format` is read by the reader every unclaimed extension goes to,
// so that any name of its kind may be offered for reading.
bool readsAnyExtension(const FileFormat& format);

}  // namespace tamsel

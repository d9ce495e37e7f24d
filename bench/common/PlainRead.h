#pragma once

// The whole file in one buffer with a single read and nothing else: the
// floor programs' first step, so their figures leave out any work a reader
// adds around the read (zero-filling the buffer, size checks).

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstddef>
#include <cstdio>
#include <cstdlib>
#include <memory>

namespace tamsel::bench {

struct PlainFile {
  std::unique_ptr<unsigned char[]> bytes;  // not initialised before the read
  std::size_t size = 0;
};

// Exits with a message when the file cannot be read.
inline PlainFile readPlain(const char* path) {
  const int fd = ::open(path, O_RDONLY);
  struct stat status {};
  if (fd < 0 || ::fstat(fd, &status) != 0) {
    std::perror(path);
    std::exit(1);
  }
  PlainFile file{std::unique_ptr<unsigned char[]>(new unsigned char[static_cast<std::size_t>(status.st_size)]),
                 static_cast<std::size_t>(status.st_size)};
  for (std::size_t done = 0; done < file.size;) {
    const ssize_t got = ::read(fd, file.bytes.get() + done, file.size - done);
    if (got <= 0) {
      std::fprintf(stderr, "%s: read failed\n", path);
      std::exit(1);
    }
    done += static_cast<std::size_t>(got);
  }
  ::close(fd);
  return file;
}

}  // namespace tamsel::bench

#pragma once

// For tests only: the write call of FileIO.cpp can be replaced, so that a
// test can make a write fail the way a full disk does.

#include <sys/types.h>

#include <cstddef>

namespace tamsel {

// The system call that writes file data. Tests put in one that fails the way
// a full disk does; nullptr restores write(2).
using WriteCall = ssize_t (*)(int fd, const void* data, std::size_t size);
void setWriteCallForTesting(WriteCall call);

}  // namespace tamsel

#pragma once

namespace tamsel {

// Has the allocator map large buffers (a file's bytes, a sheet's rows, a
// primer table) and so give their pages back as soon as they are freed.
// Left alone, its sliding threshold soon serves them from the heap, which
// keeps their pages until the program ends: the peak of an import would stay
// with a window for as long as it is open. Called once, first thing in main.
void returnLargeBuffersWhenFreed();

}  // namespace tamsel

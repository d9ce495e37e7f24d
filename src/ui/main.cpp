#include <cstdio>
#include <string_view>

#if defined(__GLIBC__)
#include <malloc.h>
#endif

#include "Tamsel2App.h"
#include "Version.h"

int main(int argc, char** argv) {
  // Answered before the window system is reached, so it works without a display.
  for (int i = 1; i < argc && std::string_view(argv[i]) != "--"; ++i) {
    if (std::string_view(argv[i]) == "--version" || std::string_view(argv[i]) == "-v") {
      std::printf("tamsel %s\n", tamsel::kVersion);
      return 0;
    }
  }
#if defined(__GLIBC__)
  // Large buffers (a file's bytes, a sheet's rows) are mapped and so given
  // back when freed. Otherwise the allocator's sliding threshold soon serves
  // them from the heap, which keeps their pages for the life of the window.
  mallopt(M_MMAP_THRESHOLD, 128 * 1024);
#endif
  tamsel::Tamsel2App app(argc, argv);
  return app.run();
}

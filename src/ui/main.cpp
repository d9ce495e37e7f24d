#include <cstdio>
#include <string_view>

#include "Tamsel2App.h"
#include "app/ProcessMemory.h"
#include "Version.h"

int main(int argc, char** argv) {
  // Answered before the window system is reached, so it works without a display.
  for (int i = 1; i < argc && std::string_view(argv[i]) != "--"; ++i) {
    if (std::string_view(argv[i]) == "--version" || std::string_view(argv[i]) == "-v") {
      std::printf("tamsel %s\n", tamsel::kVersion);
      return 0;
    }
  }
  tamsel::returnLargeBuffersWhenFreed();
  tamsel::Tamsel2App app(argc, argv);
  return app.run();
}

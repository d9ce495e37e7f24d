#include "Tamsel2App.h"

int main(int argc, char** argv) {
  tamsel::Tamsel2App app(argc, argv);
  return app.run();
}

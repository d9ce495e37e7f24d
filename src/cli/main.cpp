#include <iostream>

int main() {
  std::cout << "tamsel-cli: converts primer lists between file formats\n";
  return 0;
}

// Does what the sanitizers report, to show that a report ends a test program
// with its own exit status: "overflow" adds past INT_MAX, "heap" reads past
// an allocation.

#include <climits>
#include <cstdio>
#include <cstring>
#include <memory>

int main(int argc, char** argv) {
  if (argc == 2 && std::strcmp(argv[1], "overflow") == 0) {
    volatile int value = INT_MAX;
    std::printf("%d\n", value + argc);
    return 0;
  }
  if (argc == 2 && std::strcmp(argv[1], "heap") == 0) {
    const auto bytes = std::make_unique<volatile char[]>(4);
    std::printf("%d\n", bytes[argc + 2]);
    return 0;
  }
  return 2;
}

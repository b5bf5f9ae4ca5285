// Built into the test programs of a sanitizer build: a sanitizer report ends
// the program at once, with an exit status no test gives otherwise (86 for
// UndefinedBehaviorSanitizer, 87 for AddressSanitizer), so that it can never
// pass for an ordinary failure or go unnoticed.

extern "C" const char* __ubsan_default_options() {
  return "halt_on_error=1:exitcode=86:print_stacktrace=1";
}

extern "C" const char* __asan_default_options() { return "halt_on_error=1:exitcode=87"; }

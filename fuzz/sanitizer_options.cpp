// AddressSanitizer settings built into every fuzzer (ASAN_OPTIONS still overrides them).
// Freed memory waits in a quarantine before it is reused, so that a late use of it is caught;
// by default the quarantine holds 256 MB, and the allocator keeps every page it ever handed
// out for each size of block. Inputs of different sizes make blocks of ever new sizes, so a
// long run climbed to 900 MB and more without any leak of ours. Our objects live for one input,
// so a small quarantine still catches every late use among them, and memory stays flat.
extern "C" const char* __asan_default_options() {
  return "quarantine_size_mb=16:allocator_release_to_os_interval_ms=1000";
}

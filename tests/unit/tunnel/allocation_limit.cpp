// Under AddressSanitizer this program refuses single allocations above 14 MB
// and lets them return null, so that the sizing operations' handling of a
// failed allocation can be tested without using gigabytes of memory.
#if defined(__SANITIZE_ADDRESS__)
// The sanitizer runtime looks this hook up by name.
extern "C" const char* __asan_default_options();
extern "C" const char* __asan_default_options() { return "allocator_may_return_null=1:max_allocation_size_mb=14"; }
#endif

# Warnings, sanitizers and output folders shared by every target.
option(ORBALT_WARNINGS_AS_ERRORS "Treat compiler warnings as errors" OFF)
option(ORBALT_SANITIZE "Build native code with AddressSanitizer and UBSan" OFF)
option(ORBALT_FUZZ "Build the rooms for libFuzzer (Clang) and the fuzz harnesses instead of the tests" OFF)

set(CMAKE_CXX_STANDARD 17)
set(CMAKE_CXX_STANDARD_REQUIRED ON)
set(CMAKE_CXX_EXTENSIONS OFF)

# Beyond -Wall -Wextra, warnings that catch real slips here and that the tree
# keeps clean: names that hide others, casts that drop const or hide their
# kind, format strings that are not literals, classes deleted through a base
# without a virtual destructor, functions defined without a declaration
# (file-local ones belong in an anonymous namespace), and GCC's checks for
# conditions and branches that repeat each other.
add_compile_options(-Wall -Wextra -Wshadow -Wformat=2 -Wcast-qual -Wimplicit-fallthrough -Wmissing-declarations
                    "$<$<COMPILE_LANGUAGE:CXX>:-Wold-style-cast;-Wnon-virtual-dtor;-Woverloaded-virtual>"
                    "$<$<C_COMPILER_ID:GNU>:-Wduplicated-cond;-Wduplicated-branches;-Wlogical-op>")
if(ORBALT_WARNINGS_AS_ERRORS)
  add_compile_options(-Werror)
endif()

if(ORBALT_SANITIZE AND NOT WIN32)
  add_compile_options(-fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined)
  add_link_options(-fsanitize=address,undefined)
endif()

# The rooms get libFuzzer's coverage hooks without its main, which only the
# harnesses link (-fsanitize=fuzzer in fuzz/). -O1 keeps the runs fast while
# the sanitizers still see every access.
if(ORBALT_FUZZ)
  add_compile_options(-O1 -fsanitize=fuzzer-no-link,address,undefined -fno-omit-frame-pointer
                      -fno-sanitize-recover=undefined)
  add_link_options(-fsanitize=address,undefined)
endif()

set(CMAKE_RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bin)
set(CMAKE_ARCHIVE_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/lib)

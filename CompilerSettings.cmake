# The language and the code generation every build of the game's code shares:
# the game, its tools and tests, and the fuzz targets built apart with clang.
set(CMAKE_CXX_STANDARD 17)
set(CMAKE_CXX_STANDARD_REQUIRED ON)
set(CMAKE_CXX_EXTENSIONS OFF)
if(NOT CMAKE_BUILD_TYPE)
  set(CMAKE_BUILD_TYPE RelWithDebInfo)
endif()

# A replay recorded on one machine must play the same game on every other, so
# the world's float arithmetic has to give the same bits on every Debian
# architecture: each operation rounded once to its own type, as IEEE 754 says.
# No multiply-add is fused into one rounding (arm64 and others would), no
# fast-math reordering, whatever CXXFLAGS a builder brings (these come after
# them on the command line); and 32-bit x86 computes in SSE registers, not in
# the x87's 80-bit ones. The library calls the world makes are sqrt and
# Allegro's fixsqrt, both correctly rounded everywhere (docs/MAINTAINERS.md).
add_compile_options(-ffp-contract=off -fno-fast-math)
include(CheckCXXSourceCompiles)
check_cxx_source_compiles("#ifndef __i386__\n#error not 32-bit x86\n#endif\nint main() { return 0; }"
  WISPEN_TARGET_I386)
if(WISPEN_TARGET_I386)
  add_compile_options(-msse2 -mfpmath=sse)
endif()

# Compiler and linker flags every target shares.

# Warnings are always on; turning them into errors is our choice (the presets,
# scripts/test.sh and CI), never a packager's: their next compiler brings new ones.
option(BUDDYCARE_WERROR "Treat compiler warnings as errors" OFF)
add_compile_options(-Wall -Wextra)
if(BUDDYCARE_WERROR)
  add_compile_options(-Werror)
endif()

if(BUDDYCARE_SANITIZE)
  add_compile_options(-fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined)
  add_link_options(-fsanitize=address,undefined)
endif()
if(BUDDYCARE_FUZZ)
  add_compile_options(-fsanitize=fuzzer-no-link,address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined)
  add_link_options(-fsanitize=address,undefined)
endif()

# The hardening a Debian package asks for, in every native build, so the
# program a developer tests is the one that ships. Flags a packager passes
# (dpkg-buildflags) come first and are not repeated.
option(BUDDYCARE_HARDEN "Build with stack protector, fortified calls, PIE, full RELRO and immediate binding" ON)
if(BUDDYCARE_HARDEN AND NOT EMSCRIPTEN)
  include(CheckPIESupported)
  check_pie_supported()
  set(CMAKE_POSITION_INDEPENDENT_CODE ON)
  if(NOT CMAKE_CXX_FLAGS MATCHES "-fstack-protector")
    add_compile_options(-fstack-protector-strong)
  endif()
  add_compile_options(-Wformat -Werror=format-security)
  # Fortified calls need the optimiser (glibc warns without it), and the
  # sanitizers replace the same calls with their own checks.
  string(TOUPPER "${CMAKE_BUILD_TYPE}" build_type)
  set(optimising "${CMAKE_CXX_FLAGS} ${CMAKE_CXX_FLAGS_${build_type}}")
  if(optimising MATCHES "-O[1-3sz]" AND NOT CMAKE_CXX_FLAGS MATCHES "_FORTIFY_SOURCE"
     AND NOT BUDDYCARE_SANITIZE AND NOT BUDDYCARE_FUZZ)
    add_compile_definitions(_FORTIFY_SOURCE=2)
  endif()
  add_link_options(LINKER:-z,relro LINKER:-z,now)
endif()

# Nothing of where the tree was built may end up in what ships: assert
# messages and debug information name files relative to the source tree.
# The build folder comes last: g++ tries the last map first, and the folder
# debug information is compiled in must read the same from any build folder,
# or the build ID of the program differs.
add_compile_options(-ffile-prefix-map=${PROJECT_SOURCE_DIR}/= -ffile-prefix-map=${PROJECT_BINARY_DIR}=.)

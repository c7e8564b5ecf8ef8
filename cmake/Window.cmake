# The SDL backend beside the toolkit, and the window program built on it.
pkg_check_modules(SDL2 REQUIRED IMPORTED_TARGET sdl2 SDL2_image SDL2_ttf)
# Sound and speech are opened at run time (platform/sdl/SoundLibraries.h):
# their headers are needed, their libraries are not linked.
pkg_check_modules(SOUND REQUIRED sdl2 SDL2_mixer espeak-ng)
pkg_check_modules(FONTCONFIG REQUIRED IMPORTED_TARGET fontconfig)
# JPEGs decoded at the size they are shown, inside the decoder.
pkg_check_modules(TURBOJPEG REQUIRED IMPORTED_TARGET libturbojpeg)
find_package(CLI11 REQUIRED)

file(GLOB BUDDYCARE_SDL_SOURCES CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/platform/sdl/*.cpp)
add_library(buddycare_sdl STATIC ${BUDDYCARE_SDL_SOURCES})
target_link_libraries(buddycare_sdl PUBLIC buddycare_platform PkgConfig::SDL2 PkgConfig::FONTCONFIG PkgConfig::TURBOJPEG ${CMAKE_DL_LIBS})
target_include_directories(buddycare_sdl SYSTEM PUBLIC ${SOUND_INCLUDE_DIRS})

add_library(buddycare_launch OBJECT ${PROJECT_SOURCE_DIR}/app/main.cpp ${PROJECT_SOURCE_DIR}/app/Launch.cpp)
target_link_libraries(buddycare_launch PUBLIC buddycare_app buddycare_sdl CLI11::CLI11)
target_compile_definitions(buddycare_launch PRIVATE BUDDYCARE_VERSION="${PROJECT_VERSION}")

# The program in the build folder plays from the source tree's resources.
add_executable(buddycare ${PROJECT_SOURCE_DIR}/app/Resources.cpp)
target_link_libraries(buddycare PRIVATE buddycare_launch)
target_compile_definitions(buddycare PRIVATE
  BUDDYCARE_SOURCE_RESOURCES="${PROJECT_SOURCE_DIR}/resources"
  BUDDYCARE_BUILD_DIR="${PROJECT_BINARY_DIR}")

# The one that is installed knows no build folder: it reads only its own
# share folder, and the package carries no path of the machine it was built on.
add_executable(buddycare_installed ${PROJECT_SOURCE_DIR}/app/Resources.cpp)
target_link_libraries(buddycare_installed PRIVATE buddycare_launch)
set_target_properties(buddycare_installed PROPERTIES
  OUTPUT_NAME buddycare RUNTIME_OUTPUT_DIRECTORY ${PROJECT_BINARY_DIR}/installed)

# One library per layer. Each links only the layer below it
# (state <- platform <- screens <- app), so a screen that includes SDL finds no
# SDL headers and a layer that calls upwards does not link. The window
# program, the headless driver, the browser build, the tests, the fuzzers and
# the benchmarks all link these same libraries.

file(GLOB BUDDYCARE_STATE_SOURCES CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/state/*.cpp)
add_library(buddycare_state STATIC ${BUDDYCARE_STATE_SOURCES})
target_include_directories(buddycare_state PUBLIC ${PROJECT_SOURCE_DIR})

# The toolkit: controls, navigation, run loop, storyboard loader, headless driver.
file(GLOB BUDDYCARE_PLATFORM_SOURCES CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/platform/*.cpp)
if(EMSCRIPTEN)
  # The page reads its catalogues from JSON (web/glue), not through the C
  # library, and keeps its progress in the page's storage, not in a file.
  list(FILTER BUDDYCARE_PLATFORM_SOURCES EXCLUDE REGEX "/platform/(Gettext|ProgressFile)\\.cpp$")
endif()
add_library(buddycare_platform STATIC ${BUDDYCARE_PLATFORM_SOURCES})
target_link_libraries(buddycare_platform PUBLIC buddycare_state nlohmann_json::nlohmann_json)

file(GLOB_RECURSE BUDDYCARE_SCREEN_SOURCES CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/screens/*.cpp)
add_library(buddycare_screens STATIC ${BUDDYCARE_SCREEN_SOURCES})
target_link_libraries(buddycare_screens PUBLIC buddycare_platform)

# Start-up and the registry, without the window: the window's own start-up
# (Launch.cpp, main.cpp) and the resource lookup, which differs between the
# program in its build folder and the installed one, go into the programs.
file(GLOB BUDDYCARE_APP_SOURCES CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/app/*.cpp)
list(FILTER BUDDYCARE_APP_SOURCES EXCLUDE REGEX "/app/(main|Launch|Resources)\\.cpp$")
if(EMSCRIPTEN)
  # The page has no command line.
  list(FILTER BUDDYCARE_APP_SOURCES EXCLUDE REGEX "/app/CommandLine\\.cpp$")
endif()
add_library(buddycare_app STATIC ${BUDDYCARE_APP_SOURCES})
target_link_libraries(buddycare_app PUBLIC buddycare_screens)
if(NOT EMSCRIPTEN)
  find_package(CLI11 REQUIRED)
  target_link_libraries(buddycare_app PUBLIC CLI11::CLI11)
  target_compile_definitions(buddycare_app PRIVATE BUDDYCARE_VERSION="${PROJECT_VERSION}")
endif()

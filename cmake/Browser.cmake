# The browser build (the "web" preset): emscripten's compiler, its own libc++,
# and from the system only nlohmann-json, which is header-only. Giving emcc
# the whole of /usr/include would let the system libc shadow emscripten's.
find_path(BUDDYCARE_NLOHMANN_DIR nlohmann/json.hpp PATHS /usr/include NO_CMAKE_FIND_ROOT_PATH REQUIRED)
set(only_nlohmann ${PROJECT_BINARY_DIR}/only-nlohmann)
file(MAKE_DIRECTORY ${only_nlohmann})
file(CREATE_LINK ${BUDDYCARE_NLOHMANN_DIR}/nlohmann ${only_nlohmann}/nlohmann SYMBOLIC)
add_library(nlohmann_json INTERFACE)
target_include_directories(nlohmann_json SYSTEM INTERFACE ${only_nlohmann})
add_library(nlohmann_json::nlohmann_json ALIAS nlohmann_json)

# The libc++ of Debian's emscripten lacks the floating-point <charconv> calls;
# every unit gets them from the glue first. Exceptions are WebAssembly's own:
# emulated ones send every call that may unwind through a JavaScript
# trampoline, which made starting the game several times slower.
add_compile_options(-fwasm-exceptions "SHELL:-include ${PROJECT_SOURCE_DIR}/web/glue/CharconvCompat.h")
add_link_options(-fwasm-exceptions)
# The page compiles the code as it first runs it, and nearly all of it runs
# once, at start-up: small code over fast code, across the libraries at link.
add_compile_options(-Os -flto)
add_link_options(-Os -flto)

# emcc's JavaScript optimiser needs Debian's Node.js modules (acorn), which a
# Node.js installed from elsewhere does not look for.
set(CMAKE_CXX_LINKER_LAUNCHER ${CMAKE_COMMAND} -E env NODE_PATH=/usr/share/nodejs)

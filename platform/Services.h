#pragma once

namespace bc {

class Audio;
class Console;
class PictureCatalog;
class Random;
class RunLoop;
class Translator;

// What a screen reaches beyond its own controls. The application owns all of
// it and hands the same set to every screen it makes.
struct Services {
    RunLoop& runLoop;
    Console& console;
    Random& random;
    PictureCatalog& pictures;
    Audio& audio;
    const Translator& translator;
};

} // namespace bc

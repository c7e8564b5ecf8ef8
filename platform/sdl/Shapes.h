#pragma once

#include "platform/Geometry.h"

#include <SDL.h>

namespace bc::sdl {

// SDL draws only square shapes; the toolkit's controls are rounded, so these
// build rounded outlines out of triangles. All sizes are in pixels.
void fillRoundedRect(SDL_Renderer* renderer, SDL_FRect rect, float radius, Color color);
// A band of `thickness` just inside the rect's edge, following its corners.
void strokeRoundedRect(SDL_Renderer* renderer, SDL_FRect rect, float radius, float thickness, Color color);
void fillCircle(SDL_Renderer* renderer, float cx, float cy, float radius, Color color);

} // namespace bc::sdl

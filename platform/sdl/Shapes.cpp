#include "platform/sdl/Shapes.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace bc::sdl {

namespace {

constexpr float kPi = 3.14159265358979f;

// Enough segments that a corner looks round at its size, never too many.
int segmentsFor(float radius)
{
    return std::clamp(static_cast<int>(radius / 2.0f) + 3, 3, 24);
}

// The outline, clockwise from the top-left corner, with the same number of
// points per corner for any radius so two outlines pair up point by point.
std::vector<SDL_FPoint> outline(SDL_FRect r, float radius, int segments)
{
    radius = std::clamp(radius, 0.0f, std::min(r.w, r.h) / 2.0f);
    const SDL_FPoint centres[4] = {
        {r.x + radius, r.y + radius},
        {r.x + r.w - radius, r.y + radius},
        {r.x + r.w - radius, r.y + r.h - radius},
        {r.x + radius, r.y + r.h - radius},
    };
    std::vector<SDL_FPoint> points;
    points.reserve(static_cast<std::size_t>(4 * (segments + 1)));
    for (int corner = 0; corner < 4; ++corner) {
        const float start = kPi + corner * kPi / 2.0f;
        for (int i = 0; i <= segments; ++i) {
            const float a = start + (kPi / 2.0f) * static_cast<float>(i) / static_cast<float>(segments);
            points.push_back({centres[corner].x + radius * std::cos(a), centres[corner].y + radius * std::sin(a)});
        }
    }
    return points;
}

// A solid colour replaces what is below it, so the software renderer may skip
// blending: for a triangle that spares it a scratch surface the triangle's size.
class SolidFill {
public:
    SolidFill(SDL_Renderer* renderer, Color color) : renderer_(renderer)
    {
        SDL_GetRenderDrawBlendMode(renderer_, &previous_);
        if (color.a == 255) {
            SDL_SetRenderDrawBlendMode(renderer_, SDL_BLENDMODE_NONE);
        }
    }
    ~SolidFill() { SDL_SetRenderDrawBlendMode(renderer_, previous_); }
    SolidFill(const SolidFill&) = delete;
    SolidFill& operator=(const SolidFill&) = delete;

private:
    SDL_Renderer* renderer_;
    SDL_BlendMode previous_ = SDL_BLENDMODE_BLEND;
};

SDL_Vertex vertex(SDL_FPoint p, Color c)
{
    return SDL_Vertex{p, SDL_Color{c.r, c.g, c.b, c.a}, SDL_FPoint{0, 0}};
}

} // namespace

void fillRoundedRect(SDL_Renderer* renderer, SDL_FRect rect, float radius, Color color)
{
    if (rect.w <= 0 || rect.h <= 0 || color.a == 0) {
        return;
    }
    SolidFill solid(renderer, color);
    if (radius < 0.5f) {
        SDL_SetRenderDrawColor(renderer, color.r, color.g, color.b, color.a);
        SDL_RenderFillRectF(renderer, &rect);
        return;
    }
    const auto points = outline(rect, radius, segmentsFor(radius));
    std::vector<SDL_Vertex> vertices;
    vertices.reserve(points.size() + 1);
    vertices.push_back(vertex({rect.x + rect.w / 2, rect.y + rect.h / 2}, color));
    for (const auto& p : points) {
        vertices.push_back(vertex(p, color));
    }
    const int n = static_cast<int>(points.size());
    std::vector<int> indices;
    indices.reserve(static_cast<std::size_t>(3 * n));
    for (int i = 0; i < n; ++i) {
        indices.insert(indices.end(), {0, 1 + i, 1 + (i + 1) % n});
    }
    SDL_RenderGeometry(renderer, nullptr, vertices.data(), static_cast<int>(vertices.size()), indices.data(),
                       static_cast<int>(indices.size()));
}

void strokeRoundedRect(SDL_Renderer* renderer, SDL_FRect rect, float radius, float thickness, Color color)
{
    if (rect.w <= 0 || rect.h <= 0 || thickness <= 0 || color.a == 0) {
        return;
    }
    SolidFill solid(renderer, color);
    thickness = std::min(thickness, std::min(rect.w, rect.h) / 2.0f);
    radius = std::clamp(radius, 0.0f, std::min(rect.w, rect.h) / 2.0f);
    const SDL_FRect inner{rect.x + thickness, rect.y + thickness, rect.w - 2 * thickness, rect.h - 2 * thickness};
    const int segments = segmentsFor(radius);
    const auto outer = outline(rect, radius, segments);
    const auto in = outline(inner, std::max(0.0f, radius - thickness), segments);
    std::vector<SDL_Vertex> vertices;
    vertices.reserve(outer.size() * 2);
    for (std::size_t i = 0; i < outer.size(); ++i) {
        vertices.push_back(vertex(outer[i], color));
        vertices.push_back(vertex(in[i], color));
    }
    const int n = static_cast<int>(outer.size());
    std::vector<int> indices;
    indices.reserve(static_cast<std::size_t>(6 * n));
    for (int i = 0; i < n; ++i) {
        const int j = (i + 1) % n;
        indices.insert(indices.end(), {2 * i, 2 * j, 2 * i + 1, 2 * i + 1, 2 * j, 2 * j + 1});
    }
    SDL_RenderGeometry(renderer, nullptr, vertices.data(), static_cast<int>(vertices.size()), indices.data(),
                       static_cast<int>(indices.size()));
}

void fillCircle(SDL_Renderer* renderer, float cx, float cy, float radius, Color color)
{
    fillRoundedRect(renderer, SDL_FRect{cx - radius, cy - radius, 2 * radius, 2 * radius}, radius, color);
}

} // namespace bc::sdl

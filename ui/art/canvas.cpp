#include "ui/art/canvas.h"

#include <algorithm>
#include <cmath>

namespace stowkeep::ui::art {

Colour rgb(std::uint32_t rrggbb, float alpha) {
    return {static_cast<float>((rrggbb >> 16) & 0xFF) / 255.0f,
            static_cast<float>((rrggbb >> 8) & 0xFF) / 255.0f,
            static_cast<float>(rrggbb & 0xFF) / 255.0f, alpha};
}

Colour mix(Colour a, Colour b, float t) {
    return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t,
            a.a + (b.a - a.a) * t};
}

Shape roundRect(float left, float top, float width, float height, float radius) {
    float cx = left + width / 2, cy = top + height / 2;
    float hx = width / 2 - radius, hy = height / 2 - radius;
    return [=](float x, float y) {
        float qx = std::abs(x - cx) - hx, qy = std::abs(y - cy) - hy;
        float outside = std::hypot(std::max(qx, 0.0f), std::max(qy, 0.0f));
        return outside + std::min(std::max(qx, qy), 0.0f) - radius;
    };
}

Shape circle(float cx, float cy, float radius) {
    return [=](float x, float y) { return std::hypot(x - cx, y - cy) - radius; };
}

Shape capsule(Point a, Point b, float halfWidth) {
    return [=](float x, float y) {
        float px = x - a.x, py = y - a.y, dx = b.x - a.x, dy = b.y - a.y;
        float length = dx * dx + dy * dy;
        float t = length > 0 ? std::clamp((px * dx + py * dy) / length, 0.0f, 1.0f) : 0.0f;
        return std::hypot(px - dx * t, py - dy * t) - halfWidth;
    };
}

Shape polygon(std::vector<Point> points) {
    return [points = std::move(points)](float x, float y) {
        float best = 1e30f;
        bool inside = false;
        for (size_t i = 0, j = points.size() - 1; i < points.size(); j = i++) {
            Point a = points[j], b = points[i];
            float ex = b.x - a.x, ey = b.y - a.y, wx = x - a.x, wy = y - a.y;
            float t = std::clamp((wx * ex + wy * ey) / (ex * ex + ey * ey), 0.0f, 1.0f);
            best = std::min(best, std::hypot(wx - ex * t, wy - ey * t));
            if ((a.y > y) != (b.y > y) && x < a.x + (y - a.y) * ex / ey)
                inside = !inside;
        }
        return inside ? -best : best;
    };
}

Shape unite(Shape a, Shape b) {
    return [=](float x, float y) { return std::min(a(x, y), b(x, y)); };
}

Shape subtract(Shape a, Shape b) {
    return [=](float x, float y) { return std::max(a(x, y), -b(x, y)); };
}

Shape outline(Shape shape, float halfWidth) {
    return [=](float x, float y) { return std::abs(shape(x, y)) - halfWidth; };
}

Shape rotated(Shape shape, Point centre, float radians) {
    float c = std::cos(radians), s = std::sin(radians);
    return [=](float x, float y) {
        float dx = x - centre.x, dy = y - centre.y;
        return shape(centre.x + dx * c + dy * s, centre.y - dx * s + dy * c);
    };
}

Paint solid(Colour colour) {
    return [=](float, float) { return colour; };
}

Paint verticalGradient(float top, Colour topColour, float bottom, Colour bottomColour) {
    return [=](float, float y) {
        return mix(topColour, bottomColour, std::clamp((y - top) / (bottom - top), 0.0f, 1.0f));
    };
}

Canvas::Canvas(int width, int height, double scale)
    : width_(std::max(1, static_cast<int>(std::lround(width * scale)))),
      height_(std::max(1, static_cast<int>(std::lround(height * scale)))),
      scale_(static_cast<float>(scale)),
      pixels_(static_cast<size_t>(width_) * static_cast<size_t>(height_), Colour{0, 0, 0, 0}) {}

void Canvas::fill(const Shape& shape, const Paint& paint, float opacity) {
    for (int py = 0; py < height_; ++py) {
        for (int px = 0; px < width_; ++px) {
            float x = (static_cast<float>(px) + 0.5f) / scale_;
            float y = (static_cast<float>(py) + 0.5f) / scale_;
            float coverage = std::clamp(0.5f - shape(x, y) * scale_, 0.0f, 1.0f);
            if (coverage <= 0)
                continue;
            Colour c = paint(x, y);
            float a = c.a * coverage * opacity;
            Colour& d = pixels_[static_cast<size_t>(py) * static_cast<size_t>(width_) +
                                static_cast<size_t>(px)];
            d = {c.r * a + d.r * (1 - a), c.g * a + d.g * (1 - a), c.b * a + d.b * (1 - a),
                 a + d.a * (1 - a)};
        }
    }
}

Bitmap Canvas::bitmap() const {
    Bitmap result{width_, height_, {}};
    result.pixels.reserve(pixels_.size());
    auto byte = [](float v) {
        return static_cast<std::uint32_t>(std::lround(std::clamp(v, 0.0f, 1.0f) * 255.0f));
    };
    for (const Colour& c : pixels_)
        result.pixels.push_back(byte(c.a) << 24 | byte(c.r) << 16 | byte(c.g) << 8 | byte(c.b));
    return result;
}

} // namespace stowkeep::ui::art

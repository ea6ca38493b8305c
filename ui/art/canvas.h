#pragma once

#include "ui/artwork.h"

#include <cstdint>
#include <functional>
#include <vector>

namespace stowkeep::ui::art {

struct Colour {
    float r = 0, g = 0, b = 0, a = 1; // straight alpha, 0 .. 1
};

Colour rgb(std::uint32_t rrggbb, float alpha = 1.0f);
Colour mix(Colour a, Colour b, float t);

struct Point {
    float x = 0, y = 0;
};

// A shape as a signed distance in logical pixels: negative inside, positive outside.
using Shape = std::function<float(float x, float y)>;
// The colour of a shape at a logical point.
using Paint = std::function<Colour(float x, float y)>;

Shape roundRect(float left, float top, float width, float height, float radius);
Shape circle(float cx, float cy, float radius);
Shape capsule(Point a, Point b, float halfWidth); // a thick line with round ends
Shape polygon(std::vector<Point> points);
Shape unite(Shape a, Shape b);
Shape subtract(Shape a, Shape b);
Shape outline(Shape shape, float halfWidth); // a band along the shape's edge
Shape rotated(Shape shape, Point centre, float radians);

Paint solid(Colour colour);
Paint verticalGradient(float top, Colour topColour, float bottom, Colour bottomColour);

// An anti-aliased drawing surface for artwork of `width` x `height` logical pixels drawn
// at `scale` device pixels per logical pixel.
class Canvas {
  public:
    Canvas(int width, int height, double scale);
    void fill(const Shape& shape, const Paint& paint, float opacity = 1.0f);
    Bitmap bitmap() const; // premultiplied 0xAARRGGBB

  private:
    int width_, height_;
    float scale_;
    std::vector<Colour> pixels_; // premultiplied while drawing
};

} // namespace stowkeep::ui::art

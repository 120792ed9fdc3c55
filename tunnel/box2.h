#pragma once
// An axis-aligned box in the x-y plane: section limits, profile boxes and the
// mesh's segment boxes. Widening moves each side outward where needed.
#include <cstddef>

#include "tunnel/point2.h"

struct Box2 {
    float xmin = 0.0f, ymin = 0.0f, xmax = 0.0f, ymax = 0.0f;

    // The box that holds exactly one point.
    static Box2 At(const Point2& p) { return Box2{p.x, p.y, p.x, p.y}; }
    // The box of count points, at least one: At the first, widened by the
    // rest. Plain minima and maxima in locals, so loops over many points stay
    // short.
    static Box2 Around(const Point2* points, size_t count) {
        float x0 = points[0].x, y0 = points[0].y, x1 = x0, y1 = y0;
        for (size_t i = 1; i < count; ++i) {
            const float x = points[i].x, y = points[i].y;
            x0 = x < x0 ? x : x0;
            x1 = x > x1 ? x : x1;
            y0 = y < y0 ? y : y0;
            y1 = y > y1 ? y : y1;
        }
        return Box2{x0, y0, x1, y1};
    }

    void Widen(const Point2& p) {
        if (p.x < xmin) xmin = p.x;
        if (p.x > xmax) xmax = p.x;
        if (p.y < ymin) ymin = p.y;
        if (p.y > ymax) ymax = p.y;
    }
    void Widen(const Box2& b) {
        if (b.xmin < xmin) xmin = b.xmin;
        if (b.xmax > xmax) xmax = b.xmax;
        if (b.ymin < ymin) ymin = b.ymin;
        if (b.ymax > ymax) ymax = b.ymax;
    }
    // Bounds included: a point on a side is inside.
    bool Contains(const Point2& p) const { return xmin <= p.x && p.x <= xmax && ymin <= p.y && p.y <= ymax; }
};

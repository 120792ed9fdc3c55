#pragma once
// A point of a section profile in the x-y plane.

struct Point2 {
    float x = 0.0f, y = 0.0f;
};

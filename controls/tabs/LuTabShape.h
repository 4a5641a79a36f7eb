#pragma once

#include "platform/framework/Messages.h"

#include <array>

namespace lu {

// The outline of one tab, listed from the base corner at the strip's start round to the base
// corner at its end.
class TLuTabShape {
public:
    static constexpr int MaxPoints = 20;

    // Raises rtl::ERangeError beyond MaxPoints.
    void Add(framework::TPoint point);
    int Count() const { return m_count; }
    // Raises rtl::ERangeError outside the points held.
    const framework::TPoint& operator[](int index) const;
    framework::TPoint& operator[](int index);
    const framework::TPoint* Points() const { return m_points.data(); }

private:
    std::array<framework::TPoint, MaxPoints> m_points{};
    int m_count = 0;
};

} // namespace lu

#include "controls/tabs/LuTabShape.h"

#include "platform/rtl/Exceptions.h"

#include <string>

namespace lu {

namespace {

void CheckPointIndex(int index, int count) {
    if (index < 0 || index >= count)
        throw rtl::ERangeError("Tab shape point " + std::to_string(index) + " out of range");
}

} // namespace

void TLuTabShape::Add(framework::TPoint point) {
    CheckPointIndex(m_count, MaxPoints);
    m_points[static_cast<std::size_t>(m_count++)] = point;
}

const framework::TPoint& TLuTabShape::operator[](int index) const {
    CheckPointIndex(index, m_count);
    return m_points[static_cast<std::size_t>(index)];
}

framework::TPoint& TLuTabShape::operator[](int index) {
    CheckPointIndex(index, m_count);
    return m_points[static_cast<std::size_t>(index)];
}

} // namespace lu

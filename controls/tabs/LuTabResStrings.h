#pragma once

#include "platform/framework/ResString.h"

// The texts the tab unit raises.
namespace lu {

inline constexpr framework::TResString SPageIndexError{
    "%d is an invalid PageIndex value. PageIndex must be between 0 and %d"};
inline constexpr framework::TResString SCannotChangePageVisible{
    "You cannot change the Visible property of a page"};
inline constexpr framework::TResString STabShapePointCount{"Incorrect number of points in tab shape"};
inline constexpr framework::TResString SRegionCacheCapacity{
    "Capacity must be -1 (to cache all regions) or > 0"};
inline constexpr framework::TResString SSaveDCError{"Error saving device context"};
inline constexpr framework::TResString SRestoreDCError{"Error restoring device context"};
inline constexpr framework::TResString SCreateRegionError{"Error creating region"};

} // namespace lu

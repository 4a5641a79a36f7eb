#pragma once

// The common unit of the control library: what every control shades and frames itself with.
#include "controls/common/LuColorMath.h"
#include "controls/common/LuHotTrack.h"

#pragma once

// The whole graphics device.

#include "platform/gdi/Blit.h"
#include "platform/gdi/CallLog.h"
#include "platform/gdi/Color.h"
#include "platform/gdi/DeviceCaps.h"
#include "platform/gdi/DeviceContext.h"
#include "platform/gdi/Drawing.h"
#include "platform/gdi/Faults.h"
#include "platform/gdi/FontEngine.h"
#include "platform/gdi/FrameControls.h"
#include "platform/gdi/Geometry.h"
#include "platform/gdi/Objects.h"
#include "platform/gdi/Png.h"
#include "platform/gdi/Text.h"
#include "platform/gdi/Themes.h"
#include "platform/gdi/WordBreak.h"

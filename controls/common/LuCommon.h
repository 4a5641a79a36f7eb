#pragma once

// The common unit of the control library: what every control shades and frames itself with.
#include "controls/common/LuArrows.h"
#include "controls/common/LuBlinkingControls.h"
#include "controls/common/LuBorders.h"
#include "controls/common/LuCanvasText.h"
#include "controls/common/LuColorMath.h"
#include "controls/common/LuComStartup.h"
#include "controls/common/LuCommonTypes.h"
#include "controls/common/LuDesignerNotify.h"
#include "controls/common/LuFonts.h"
#include "controls/common/LuFrameController.h"
#include "controls/common/LuGrafx.h"
#include "controls/common/LuHotTrack.h"
#include "controls/common/LuOldPropReader.h"
#include "controls/common/LuRegIniFile.h"

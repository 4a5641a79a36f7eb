#pragma once

// The tab unit of the control library: the tab control, its tabs and colours, its region cache,
// its scroll arrows and its close button, and the page control with its tab sheets.
#include "controls/tabs/LuCustomTabControl.h"
#include "controls/tabs/LuPageControl.h"
#include "controls/tabs/LuTabCaption.h"
#include "controls/tabs/LuTabChildButton.h"
#include "controls/tabs/LuTabCloseButton.h"
#include "controls/tabs/LuTabColors.h"
#include "controls/tabs/LuTabControlProperties.h"
#include "controls/tabs/LuTabData.h"
#include "controls/tabs/LuTabRegionCache.h"
#include "controls/tabs/LuTabResStrings.h"
#include "controls/tabs/LuTabScroller.h"
#include "controls/tabs/LuTabShape.h"
#include "controls/tabs/LuTabSheet.h"
#include "controls/tabs/LuTabTypes.h"

#pragma once

// The container controls of the forms: the panel, the group box and the panel's dock manager.
#include "controls/panel/LuCustomPanel.h"
#include "controls/panel/LuGroupBox.h"
#include "controls/panel/LuPanelDockManager.h"

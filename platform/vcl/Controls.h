#pragma once
// The control classes in one include.
#include "platform/vcl/Control.h"
#include "platform/vcl/CustomControl.h"
#include "platform/vcl/GraphicControl.h"
#include "platform/vcl/WinControl.h"

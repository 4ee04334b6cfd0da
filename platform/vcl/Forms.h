#pragma once
// Forms, the screen and the application in one include.
#include "platform/vcl/Application.h"
#include "platform/vcl/Form.h"
#include "platform/vcl/Screen.h"

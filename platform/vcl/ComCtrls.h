#pragma once
// The common controls of the class library, one class (or a class and its parts) per file.
#include "platform/vcl/ComCtrls/ComTypes.h"
#include "platform/vcl/ComCtrls/ListView.h"
#include "platform/vcl/ComCtrls/PageControl.h"
#include "platform/vcl/ComCtrls/TabControl.h"
#include "platform/vcl/ComCtrls/TreeView.h"

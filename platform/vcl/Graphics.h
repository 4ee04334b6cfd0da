#pragma once
// The class library's drawing objects over the drawing layer, one header each: TFont, TPen,
// TBrush, TCanvas, TGraphic, TBitmap, TIcon.
#include "platform/vcl/Bitmap.h"
#include "platform/vcl/Brush.h"
#include "platform/vcl/Canvas.h"
#include "platform/vcl/Font.h"
#include "platform/vcl/Graphic.h"
#include "platform/vcl/GraphicsObject.h"
#include "platform/vcl/Icon.h"
#include "platform/vcl/Pen.h"

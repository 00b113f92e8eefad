#pragma once

#include <string>

namespace VSTGUI {
namespace UIViewCreator {

// Attribute names of the UI description format.
static const std::string kAttrClass = "class";
static const std::string kAttrName = "name";
static const std::string kAttrOrigin = "origin";
static const std::string kAttrSize = "size";
static const std::string kAttrTransparent = "transparent";
static const std::string kAttrMouseEnabled = "mouse-enabled";
static const std::string kAttrWantsFocus = "wants-focus";
static const std::string kAttrVisible = "visible";
static const std::string kAttrOpacity = "opacity";
static const std::string kAttrBitmap = "bitmap";
static const std::string kAttrDisabledBitmap = "disabled-bitmap";
static const std::string kAttrTooltip = "tooltip";
static const std::string kAttrCustomViewName = "custom-view-name";
static const std::string kAttrSubController = "sub-controller";
static const std::string kAttrTemplate = "template";
static const std::string kAttrBackgroundColor = "background-color";
static const std::string kAttrBackgroundColorDrawStyle = "background-color-draw-style";
static const std::string kAttrBackgroundOffset = "background-offset";
static const std::string kAttrControlTag = "control-tag";
static const std::string kAttrDefaultValue = "default-value";
static const std::string kAttrMinValue = "min-value";
static const std::string kAttrMaxValue = "max-value";
static const std::string kAttrWheelIncValue = "wheel-inc-value";
static const std::string kAttrHandleBitmap = "handle-bitmap";
static const std::string kAttrHandleOffset = "handle-offset";
static const std::string kAttrBitmapOffset = "bitmap-offset";
static const std::string kAttrZoomFactor = "zoom-factor";
static const std::string kAttrOrientation = "orientation";
static const std::string kAttrReverseOrientation = "reverse-orientation";
static const std::string kAttrMode = "mode";
static const std::string kAttrFreeClick = "free-click";
static const std::string kAttrDrawFrame = "draw-frame";
static const std::string kAttrDrawBack = "draw-back";
static const std::string kAttrDrawValue = "draw-value";
static const std::string kAttrDrawValueFromCenter = "draw-value-from-center";
static const std::string kAttrDrawValueInverted = "draw-value-inverted";
static const std::string kAttrFrameColor = "frame-color";
static const std::string kAttrBackColor = "back-color";
static const std::string kAttrValueColor = "value-color";
static const std::string kAttrFrameWidth = "frame-width";
static const std::string kAttrFont = "font";
static const std::string kAttrFontColor = "font-color";
static const std::string kAttrShadowColor = "shadow-color";
static const std::string kAttrTextAlignment = "text-alignment";
static const std::string kAttrTextInset = "text-inset";
static const std::string kAttrStyleNoFrame = "style-no-frame";
static const std::string kAttrStyleNoText = "style-no-text";
static const std::string kAttrStyleNoDraw = "style-no-draw";
static const std::string kAttrTitle = "title";
static const std::string kAttrValuePrecision = "value-precision";
static const std::string kAttrAngleStart = "angle-start";
static const std::string kAttrAngleRange = "angle-range";
static const std::string kAttrValueInset = "value-inset";
static const std::string kAttrCoronaInset = "corona-inset";
static const std::string kAttrCoronaColor = "corona-color";
static const std::string kAttrHandleColor = "handle-color";
static const std::string kAttrHandleShadowColor = "handle-shadow-color";
static const std::string kAttrHandleLineWidth = "handle-line-width";
static const std::string kAttrCircleDrawing = "circle-drawing";
static const std::string kAttrCoronaDrawing = "corona-drawing";
static const std::string kAttrCoronaFromCenter = "corona-from-center";
static const std::string kAttrCoronaInverted = "corona-inverted";
static const std::string kAttrCoronaDashDot = "corona-dash-dot";
static const std::string kAttrCoronaOutline = "corona-outline";
static const std::string kAttrSkipHandleDrawing = "skip-handle-drawing";
static const std::string kAttrHeightOfOneImage = "height-of-one-image";
static const std::string kAttrSubPixmaps = "sub-pixmaps";
static const std::string kAttrOnColor = "on-color";
static const std::string kAttrOffColor = "off-color";

// Values of list attributes.
static const std::string kHorizontal = "horizontal";
static const std::string kVertical = "vertical";
static const std::string kLeft = "left";
static const std::string kCenter = "center";
static const std::string kRight = "right";
static const std::string kTrue = "true";
static const std::string kFalse = "false";

} // UIViewCreator
} // VSTGUI

// Forward declarations and the small enumerations shared by the whole library.
#pragma once

#include <cstdint>
#include <cstddef>

namespace VSTGUI {

using int8 = int8_t;
using uint8 = uint8_t;
using int16 = int16_t;
using uint16 = uint16_t;
using int32 = int32_t;
using uint32 = uint32_t;
using int64 = int64_t;
using uint64 = uint64_t;

// Coordinates are in logical pixels (scale factor 1 draws one pixel per unit).
using CCoord = double;
using UTF8StringPtr = const char*;
using UTF8StringBuffer = char*;
using IdStringPtr = const char*;
using CViewAttributeID = uint32_t;

enum CMessageResult
{
	kMessageUnknown = 0,
	kMessageNotified
};

enum CMouseEventResult
{
	kMouseEventNotImplemented = 0,
	kMouseEventHandled,
	kMouseEventNotHandled,
	kMouseDownEventHandledButDontNeedMovedOrUpEvents,
	kMouseMoveEventHandledButDontNeedMoreEvents
};

enum CMouseWheelAxis
{
	kMouseWheelAxisX = 0,
	kMouseWheelAxisY
};

// Same numbers as the VST 3 SDK's Steinberg::Vst::KnobModes.
enum CKnobMode
{
	kCircularMode = 0,
	kRelativCircularMode,
	kLinearMode
};

enum CHoriTxtAlign
{
	kLeftText = 0,
	kCenterText,
	kRightText
};

// Style bits shared by sliders and other oriented controls.
enum CViewStyle
{
	kHorizontal = 1 << 0,
	kVertical = 1 << 1,
	kLeft = 1 << 2,
	kRight = 1 << 3,
	kTop = 1 << 4,
	kBottom = 1 << 5
};

struct CPoint;
struct CRect;
struct CColor;
struct CButtonState;
struct VstKeyCode;
struct CGraphicsTransform;
class UTF8String;
class CBaseObject;
class CView;
class CViewContainer;
class CFrame;
class CControl;
class IControlListener;
class CDrawContext;
class COffscreenContext;
class CGraphicsPath;
class CBitmap;
class CFontDesc;
class CVSTGUITimer;
class CResourceDescription;
class IViewListener;
class CKnobBase;
class CKnob;
class CSwitchBase;
class CVerticalSwitch;
class CHorizontalSwitch;
class COnOffButton;
class CParamDisplay;
class CTextLabel;
class VSTGUIEditorInterface;

class UIAttributes;
class IUIDescription;
class UIDescription;
class IController;
class IViewCreator;
class IViewFactory;
class UIViewFactory;
class VST3Editor;
class VST3EditorDelegate;

using CFontRef = CFontDesc*;

} // VSTGUI

#include "public.sdk/source/vst/vstguieditor.h"
#include "base/source/updatehandler.h"
#include "pluginterfaces/base/keycodes.h"

namespace Steinberg {
namespace Vst {

namespace {

// The arguments of IPlugView::onKeyDown/onKeyUp as the view layer's key code. False when
// they name no key the views know.
bool toVstKeyCode (char16 key, int16 keyCode, int16 modifiers, VSTGUI::VstKeyCode& code)
{
	code = {};
	// Up to KEY_EQUALS the SDK's virtual keys and VSTGUI's have the same numbers.
	if (keyCode >= VKEY_FIRST_CODE && keyCode <= KEY_EQUALS)
		code.virt = static_cast<unsigned char> (keyCode);
	else if (keyCode == 0 && key != 0)
		code.character = static_cast<int32_t> (key);
	else
		return false;
	// The host's kCommandKey is Ctrl here, which the views (and the X11 layer) call
	// MODIFIER_CONTROL; its kControlKey (macOS Control) is their MODIFIER_COMMAND.
	if (modifiers & kShiftKey)
		code.modifier |= VSTGUI::MODIFIER_SHIFT;
	if (modifiers & kAlternateKey)
		code.modifier |= VSTGUI::MODIFIER_ALTERNATE;
	if (modifiers & kCommandKey)
		code.modifier |= VSTGUI::MODIFIER_CONTROL;
	if (modifiers & kControlKey)
		code.modifier |= VSTGUI::MODIFIER_COMMAND;
	return true;
}

} // namespace

VSTGUIEditor::VSTGUIEditor (void* controller, ViewRect* size)
: EditorView (static_cast<EditController*> (controller), size)
{
	// Parameter changes reach their dependents (the editor's controls) only through the
	// SDK's update handler; make sure it exists.
	UpdateHandler::instance ();
}

VSTGUIEditor::~VSTGUIEditor () { stopIdleTimer (); }

void VSTGUIEditor::setIdleRate (int32 millisec)
{
	idleRate = millisec > 0 ? millisec : 1;
	if (timer)
		timer->setFireTime (static_cast<uint32> (idleRate));
}

tresult PLUGIN_API VSTGUIEditor::isPlatformTypeSupported (FIDString /*type*/)
{
	// No parent window type here; VST3Editor serves X11 parents when the window layer is
	// linked in.
	return kResultFalse;
}

tresult PLUGIN_API VSTGUIEditor::attached (void* parent, FIDString type)
{
	if (!parent || isPlatformTypeSupported (type) != kResultTrue)
		return kResultFalse;
	VSTGUI::PlatformType platformType = VSTGUI::PlatformType::kDefaultNative;
	if (type && FIDStringsEqual (type, kPlatformTypeX11EmbedWindowID))
		platformType = VSTGUI::PlatformType::kX11EmbedWindowID;
	if (!open (parent, platformType))
		return kResultFalse;
	startIdleTimer ();
	return EditorView::attached (parent, type);
}

tresult PLUGIN_API VSTGUIEditor::removed ()
{
	close ();
	stopIdleTimer ();
	return EditorView::removed ();
}

tresult PLUGIN_API VSTGUIEditor::onSize (ViewRect* newSize)
{
	if (newSize && frame)
		frame->setViewSize (VSTGUI::CRect (0, 0, newSize->getWidth (), newSize->getHeight ()));
	return EditorView::onSize (newSize);
}

tresult PLUGIN_API VSTGUIEditor::onKeyDown (char16 key, int16 keyCode, int16 modifiers)
{
	VSTGUI::VstKeyCode code;
	if (!frame || !toVstKeyCode (key, keyCode, modifiers, code))
		return kResultFalse;
	return frame->onKeyDown (code) == 1 ? kResultTrue : kResultFalse;
}

tresult PLUGIN_API VSTGUIEditor::onKeyUp (char16 key, int16 keyCode, int16 modifiers)
{
	VSTGUI::VstKeyCode code;
	if (!frame || !toVstKeyCode (key, keyCode, modifiers, code))
		return kResultFalse;
	return frame->onKeyUp (code) == 1 ? kResultTrue : kResultFalse;
}

void VSTGUIEditor::beginEdit (VSTGUI::int32 index)
{
	if (controller)
		controller->beginEdit (static_cast<ParamID> (index));
}

void VSTGUIEditor::endEdit (VSTGUI::int32 index)
{
	if (controller)
		controller->endEdit (static_cast<ParamID> (index));
}

VSTGUI::int32 VSTGUIEditor::getKnobMode () const
{
	switch (EditController::getHostKnobMode ())
	{
		case Vst::kRelativCircularMode: return VSTGUI::kRelativCircularMode;
		case Vst::kLinearMode: return VSTGUI::kLinearMode;
		default: return VSTGUI::kCircularMode;
	}
}

VSTGUI::CMessageResult VSTGUIEditor::notify (VSTGUI::CBaseObject* /*sender*/, const char* message)
{
	if (message == VSTGUI::CVSTGUITimer::kMsgTimer)
	{
		onIdle ();
		return VSTGUI::kMessageNotified;
	}
	return VSTGUI::kMessageUnknown;
}

void VSTGUIEditor::onIdle ()
{
	UpdateHandler::instance ()->triggerDeferedUpdates ();
	if (frame)
		frame->idle ();
}

void VSTGUIEditor::startIdleTimer ()
{
	if (!timer)
		timer = VSTGUI::makeOwned<VSTGUI::CVSTGUITimer> (static_cast<VSTGUI::CBaseObject*> (this),
		                                                 static_cast<VSTGUI::uint32> (idleRate), true);
}

void VSTGUIEditor::stopIdleTimer () { timer = nullptr; }

} // Vst
} // Steinberg

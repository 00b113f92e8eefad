#include "public.sdk/source/vst/vstguieditor.h"
#include "base/source/updatehandler.h"

namespace Steinberg {
namespace Vst {

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

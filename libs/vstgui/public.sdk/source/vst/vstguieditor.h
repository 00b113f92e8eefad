// The SDK's base for editors made with VSTGUI: an EditorView that owns a CFrame and
// runs the frame's idle on a timer of the UI thread's run loop.
#pragma once

#include "public.sdk/source/vst/vsteditcontroller.h"
#include "vstgui/lib/cframe.h"
#include "vstgui/lib/cvstguitimer.h"

namespace Steinberg {
namespace Vst {

class VSTGUIEditor : public EditorView, public VSTGUI::VSTGUIEditorInterface, public VSTGUI::CBaseObject
{
public:
	// controller is an EditController*.
	VSTGUIEditor (void* controller, ViewRect* size = nullptr);
	~VSTGUIEditor () override;

	// Makes the frame in the parent window; false when that is not possible.
	virtual bool PLUGIN_API open (void* parent, const VSTGUI::PlatformType& platformType =
	                                                VSTGUI::PlatformType::kDefaultNative) = 0;
	virtual void PLUGIN_API close () = 0;

	// Period of the idle timer in ms (default 10).
	void setIdleRate (int32 millisec);
	int32 getIdleRate () const { return idleRate; }

	virtual bool beforeSizeChange (const ViewRect& /*newSize*/, const ViewRect& /*oldSize*/) { return true; }

	// No window system is served yet: every platform type answers kResultFalse.
	tresult PLUGIN_API isPlatformTypeSupported (FIDString type) SMTG_OVERRIDE;
	tresult PLUGIN_API onSize (ViewRect* newSize) SMTG_OVERRIDE;
	// The host's keys go to the frame (its focus view, then up the parents). kResultTrue
	// only when a view used the key, so the host keeps every other key for its commands.
	tresult PLUGIN_API onKeyDown (char16 key, int16 keyCode, int16 modifiers) SMTG_OVERRIDE;
	tresult PLUGIN_API onKeyUp (char16 key, int16 keyCode, int16 modifiers) SMTG_OVERRIDE;

	// VSTGUIEditorInterface
	void beginEdit (VSTGUI::int32 index) SMTG_OVERRIDE;
	void endEdit (VSTGUI::int32 index) SMTG_OVERRIDE;
	// The module-wide host knob mode (EditController::getHostKnobMode) as a CKnobMode.
	VSTGUI::int32 getKnobMode () const SMTG_OVERRIDE;

	OBJ_METHODS (VSTGUIEditor, EditorView)
	DEFINE_INTERFACES
	END_DEFINE_INTERFACES (EditorView)
	REFCOUNT_METHODS (EditorView)

protected:
	tresult PLUGIN_API attached (void* parent, FIDString type) SMTG_OVERRIDE;
	tresult PLUGIN_API removed () SMTG_OVERRIDE;

	VSTGUI::CMessageResult notify (VSTGUI::CBaseObject* sender, const char* message) SMTG_OVERRIDE;

	// One idle step: deferred SDK updates, then the frame's redraw.
	virtual void onIdle ();
	void startIdleTimer ();
	void stopIdleTimer ();

private:
	VSTGUI::SharedPointer<VSTGUI::CVSTGUITimer> timer;
	int32 idleRate {10};
};

} // Vst
} // Steinberg

#pragma once

#include "../lib/controls/icontrollistener.h"

namespace VSTGUI {

// The object in charge of the views a UI description builds: it resolves tag names,
// names the control listener, may make custom views, checks each built view and makes
// sub-controllers for parts of the view tree. A sub-controller is owned by the view
// that names it and deleted with it.
class IController : public IControlListener
{
public:
	virtual int32_t getTagForName (UTF8StringPtr /*name*/, int32_t registeredTag) const
	{
		return registeredTag;
	}
	virtual IControlListener* getControlListener (UTF8StringPtr /*controlTagName*/) { return this; }
	virtual CView* createView (const UIAttributes& /*attributes*/, const IUIDescription* /*description*/)
	{
		return nullptr;
	}
	// Called for each built view, after the views inside it; returns the view to use.
	virtual CView* verifyView (CView* view, const UIAttributes& /*attributes*/,
	                           const IUIDescription* /*description*/)
	{
		return view;
	}
	virtual IController* createSubController (UTF8StringPtr /*name*/,
	                                          const IUIDescription* /*description*/)
	{
		return nullptr;
	}
};

} // VSTGUI

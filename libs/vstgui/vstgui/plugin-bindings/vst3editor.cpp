#include "vst3editor.h"
#include "../lib/coffscreencontext.h"
#include "../lib/controls/ccontrol.h"
#include "../lib/controls/ctextlabel.h"
#include "../uidescription/detail/uiviewcreatorattributes.h"
#include "base/source/fobject.h"
#include "base/source/updatehandler.h"
#include "pluginterfaces/base/ustring.h"
#if VSTGUI_X11_WINDOWS
#include "../lib/platform/linux/x11framewindow.h"
#endif
#include <algorithm>
#include <cstdint>
#include <vector>

namespace VSTGUI {

using namespace Steinberg;
using Steinberg::Vst::EditController;
using Steinberg::Vst::ParamID;
using Steinberg::Vst::ParamValue;
using Steinberg::Vst::Parameter;

//------------------------------------------------------------------------
// Ties the controls of one parameter to it, both ways. It is a dependent of the
// parameter, so every change of the parameter's value (setParamNormalized from the
// host, or from another control) reaches the controls synchronously.
class VST3Editor::ParameterBinding : public FObject, public IControlListener
{
public:
	ParameterBinding (EditController* editController, Parameter* parameter)
	: editController (editController), parameter (parameter)
	{
		parameter->addRef ();
		parameter->addDependent (this);
	}

	void unbind ()
	{
		for (auto* c : controls)
		{
			c->unregisterControlListener (this);
			c->forget ();
		}
		controls.clear ();
		parameter->removeDependent (this);
	}

	void addControl (CControl* control)
	{
		if (std::find (controls.begin (), controls.end (), control) != controls.end ())
			return;
		control->remember ();
		control->registerControlListener (this);
		controls.push_back (control);
		updateControl (control, editController->getParamNormalized (getID ()));
	}

	size_t getControlCount () const { return controls.size (); }
	ParamID getID () const { return parameter->getInfo ().id; }

	// IDependent
	void PLUGIN_API update (FUnknown* /*changedUnknown*/, int32 message) override
	{
		if (message != IDependent::kChanged)
			return;
		ParamValue value = editController->getParamNormalized (getID ());
		auto copy = controls;
		for (auto* c : copy)
			updateControl (c, value);
	}

	// IControlListener
	void valueChanged (CControl* control) override
	{
		ParamValue value = normalizedValue (control);
		if (value == editController->getParamNormalized (getID ()))
			return;
		editController->setParamNormalized (getID (), value);
		editController->performEdit (getID (), value);
	}
	void controlBeginEdit (CControl* /*control*/) override { editController->beginEdit (getID ()); }
	void controlEndEdit (CControl* /*control*/) override { editController->endEdit (getID ()); }

	OBJ_METHODS (ParameterBinding, FObject)

private:
	~ParameterBinding () override { parameter->release (); }

	bool stepped () const { return parameter->getInfo ().stepCount > 0; }

	ParamValue normalizedValue (CControl* control) const
	{
		if (stepped ())
			return parameter->toNormalized (control->getValue ());
		return control->getValueNormalized ();
	}

	void updateControl (CControl* c, ParamValue value)
	{
		const auto& info = parameter->getInfo ();
		c->setMouseEnabled ((info.flags & Vst::ParameterInfo::kIsReadOnly) == 0);
		if (auto* label = dynamic_cast<CTextLabel*> (c))
		{
			Vst::String128 text {};
			parameter->toString (value, text);
			char utf8[256] {};
			UString (text, 128).toAscii (utf8, sizeof (utf8));
			label->setText (UTF8String (utf8));
			label->invalid ();
			return;
		}
		if (stepped ())
		{
			// Stepped parameters show their plain steps: a 3-position switch gets 0..2.
			c->setMin (static_cast<float> (parameter->toPlain (0.)));
			c->setMax (static_cast<float> (parameter->toPlain (1.)));
			c->setDefaultValue (static_cast<float> (parameter->toPlain (info.defaultNormalizedValue)));
			c->setValue (static_cast<float> (parameter->toPlain (value)));
		}
		else
		{
			c->setDefaultValue (c->getMin () +
			                    static_cast<float> (info.defaultNormalizedValue) * c->getRange ());
			c->setValueNormalized (static_cast<float> (value));
		}
		c->invalid ();
	}

	EditController* editController;
	Parameter* parameter;
	std::vector<CControl*> controls;
};

//------------------------------------------------------------------------
VST3Editor::VST3Editor (EditController* controller, UTF8StringPtr templateName, UTF8StringPtr xmlFile)
: VSTGUIEditor (controller), templateName (templateName ? templateName : ""), xmlFile (xmlFile ? xmlFile : "")
{
	description = new UIDescription (CResourceDescription (this->xmlFile.c_str ()));
	init ();
}

VST3Editor::VST3Editor (UIDescription* desc, EditController* controller, UTF8StringPtr templateName,
                        UTF8StringPtr xmlFile)
: VSTGUIEditor (controller), templateName (templateName ? templateName : ""), xmlFile (xmlFile ? xmlFile : "")
{
	description = desc;
	if (description)
		description->remember ();
	else
		description = new UIDescription (CResourceDescription (this->xmlFile.c_str ()));
	init ();
}

VST3Editor::~VST3Editor ()
{
	close ();
	description->forget ();
}

bool VST3Editor::init ()
{
	delegate = dynamic_cast<VST3EditorDelegate*> (getController ());
	if (!description->isParsed () && !description->parse ())
	{
		lastError = description->getLastError ();
		return false;
	}
	const UIAttributes* attributes = description->getViewAttributes (templateName.c_str ());
	if (!attributes)
	{
		lastError = "no template named '" + templateName + "'";
		return false;
	}
	CPoint size;
	if (!attributes->getPointAttribute (UIViewCreator::kAttrSize, size) || size.x <= 0. || size.y <= 0. ||
	    size.x > 16384. || size.y > 16384.)
	{
		lastError = "template '" + templateName + "' has no usable size";
		return false;
	}
	templateSize = size;
	ViewRect r (0, 0, static_cast<int32> (size.x), static_cast<int32> (size.y));
	setRect (r);
	return true;
}

tresult PLUGIN_API VST3Editor::isPlatformTypeSupported (FIDString type)
{
#if VSTGUI_X11_WINDOWS
	if (type && FIDStringsEqual (type, kPlatformTypeX11EmbedWindowID))
		return kResultTrue;
#endif
	return VSTGUIEditor::isPlatformTypeSupported (type);
}

bool PLUGIN_API VST3Editor::open (void* parent, const PlatformType& type)
{
#if VSTGUI_X11_WINDOWS
	if (type == PlatformType::kX11EmbedWindowID || type == PlatformType::kDefaultNative)
	{
		if (window)
		{
			lastError = "the editor is open already";
			return false;
		}
		if (!parent)
		{
			lastError = "no parent window";
			return false;
		}
		// A frame opened offscreen before (renderToPNG) goes into the window as it is.
		const bool newFrame = !frame;
		if (newFrame)
		{
			if (!description->isParsed () || templateSize.x <= 0.)
			{
				if (lastError.empty ())
					lastError = "the UI description is not usable";
				return false;
			}
			frame = new CFrame (CRect (0, 0, templateSize.x, templateSize.y), this);
			if (!buildContent (templateName.c_str ()))
			{
				CFrame* f = frame;
				frame = nullptr;
				f->close ();
				return false;
			}
		}
		std::string error;
		window = X11::FrameWindow::create (frame, static_cast<unsigned long> (reinterpret_cast<uintptr_t> (parent)),
		                                   plugFrame, error);
		if (!window)
		{
			if (newFrame)
			{
				releaseBindings ();
				CFrame* f = frame;
				frame = nullptr;
				f->close ();
			}
			lastError = error;
			return false;
		}
		if (newFrame && delegate)
			delegate->didOpen (this);
		return true;
	}
#else
	(void)parent;
	(void)type;
#endif
	lastError = "no window system support";
	return false;
}

tresult PLUGIN_API VST3Editor::onSize (ViewRect* newSize)
{
	tresult result = VSTGUIEditor::onSize (newSize);
#if VSTGUI_X11_WINDOWS
	if (newSize && window)
		window->setSize (CPoint (newSize->getWidth (), newSize->getHeight ()));
#endif
	return result;
}

bool VST3Editor::openOffscreen ()
{
	if (frame)
		return true;
	if (!description->isParsed () || templateSize.x <= 0.)
	{
		if (lastError.empty ())
			lastError = "the UI description is not usable";
		return false;
	}
	auto context = COffscreenContext::create (templateSize);
	if (!context)
	{
		lastError = "cannot make an offscreen surface";
		return false;
	}
	frame = new CFrame (CRect (0, 0, templateSize.x, templateSize.y), this);
	frame->setDrawContext (context);
	if (!buildContent (templateName.c_str ()))
	{
		CFrame* f = frame;
		frame = nullptr;
		f->close ();
		return false;
	}
	startIdleTimer ();
	if (delegate)
		delegate->didOpen (this);
	return true;
}

bool VST3Editor::buildContent (UTF8StringPtr name)
{
	CView* view = description->createView (name, this);
	if (!view)
	{
		lastError = description->getLastError ();
		return false;
	}
	frame->addView (view);
	bindControls (frame);
	lastError.clear ();
	return true;
}

void VST3Editor::bindControls (CViewContainer* container)
{
	EditController* controller = getController ();
	if (!controller)
		return;
	std::vector<CControl*> controls;
	container->getChildViewsOfType<CControl> (controls, true);
	for (auto* c : controls)
	{
		if (c->getTag () < 0)
			continue;
		auto id = static_cast<ParamID> (c->getTag ());
		if (delegate && delegate->isPrivateParameter (id))
			continue;
		Parameter* parameter = controller->getParameterObject (id);
		if (!parameter)
			continue;
		auto it = bindings.find (id);
		if (it == bindings.end ())
			it = bindings.emplace (id, new ParameterBinding (controller, parameter)).first;
		it->second->addControl (c);
	}
}

void VST3Editor::releaseBindings ()
{
	for (auto& b : bindings)
	{
		b.second->unbind ();
		b.second->release ();
	}
	bindings.clear ();
}

size_t VST3Editor::getBoundControlCount (ParamID id) const
{
	auto it = bindings.find (id);
	return it == bindings.end () ? 0 : it->second->getControlCount ();
}

void PLUGIN_API VST3Editor::close ()
{
	if (!frame)
		return;
	if (delegate)
		delegate->willClose (this);
	stopIdleTimer ();
	// The window lets go of the frame first (and of the host's run loop); a drag in
	// progress ends there as cancelled.
	window.reset ();
	CFrame* f = frame;
	frame = nullptr;
	// Controls end their open edits (a wheel edit, a drag) as they leave the frame; the
	// bindings, still in place, pass those ends to the host. Nothing is sent after.
	f->close ();
	releaseBindings ();
}

bool VST3Editor::exchangeView (UTF8StringPtr name)
{
	if (!name || !description->hasTemplate (name))
	{
		lastError = std::string ("no template named '") + (name ? name : "") + "'";
		return false;
	}
	if (!frame)
	{
		templateName = name;
		return init ();
	}
	// The old controls end their open edits as they leave, through their bindings.
	frame->removeAll ();
	releaseBindings ();
	if (!buildContent (name))
		return false;
	templateName = name;
	return true;
}

bool VST3Editor::renderToPNG (const std::string& filePath)
{
	if (!frame && !openOffscreen ())
		return false;
	auto context = COffscreenContext::create (CPoint (frame->getWidth (), frame->getHeight ()));
	if (!context)
	{
		lastError = "cannot make an offscreen surface";
		return false;
	}
	frame->drawAll (context);
	if (!context->writePNG (filePath))
	{
		lastError = "cannot write '" + filePath + "'";
		return false;
	}
	return true;
}

void VST3Editor::beginEdit (int32_t /*index*/) {}
void VST3Editor::endEdit (int32_t /*index*/) {}

void VST3Editor::valueChanged (CControl* /*pControl*/) {}

CView* VST3Editor::createView (const UIAttributes& attributes, const IUIDescription* desc)
{
	const std::string* name = attributes.getAttributeValue (UIViewCreator::kAttrCustomViewName);
	if (!name || !delegate)
		return nullptr;
	return delegate->createCustomView (name->c_str (), attributes, desc, this);
}

CView* VST3Editor::verifyView (CView* view, const UIAttributes& attributes, const IUIDescription* desc)
{
	return delegate ? delegate->verifyView (view, attributes, desc, this) : view;
}

IController* VST3Editor::createSubController (UTF8StringPtr name, const IUIDescription* desc)
{
	return delegate ? delegate->createSubController (name, desc, this) : nullptr;
}

} // VSTGUI

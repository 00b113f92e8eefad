#pragma once

// The sub-controller of the editor's about view: one on/off button and one text label.
// While the button is on the label shows "<version>, <format> <architecture>", while it
// is off the label is empty. Everything runs on the UI thread.

#include "base/source/fstring.h"
#include "source/controller/plugarchitecture.h"
#include "source/version.h"
#include "vstgui/lib/controls/cbuttons.h"
#include "vstgui/lib/controls/ctextlabel.h"
#include "vstgui/lib/iviewlistener.h"
#include "vstgui/uidescription/icontroller.h"

namespace Steinberg {
namespace Vst {

/** Owner is the edit controller that creates it (PlugController); the owner keeps a
    non-owning list of its about controllers, from which each one removes itself on
    destruction. The editor view that names the sub-controller owns the object. */
template <typename Owner>
class PlugAboutController : public VSTGUI::IController, public VSTGUI::ViewListenerAdapter
{
public:
	/** wrapped: the host runs the plug-in through the Audio Unit wrapper. */
	PlugAboutController (Owner* owner, bool wrapped)
	: aboutOwner (owner), formatText ("VST3"), versionText (PLUG_VERSION_SHORT_STR)
	{
		architectureText = ::Steinberg::Vst::architectureText ().c_str ();
		if (wrapped)
			formatText = "AU";
	}

	~PlugAboutController () override
	{
		if (aboutLabel)
			forgetLabel ();
		if (aboutButton)
			forgetButton ();
		if (aboutOwner)
			aboutOwner->removeAboutController (this);
	}

	PlugAboutController (const PlugAboutController&) = delete;
	PlugAboutController& operator= (const PlugAboutController&) = delete;

	/** Rewrites the label from the remembered button's value; other controls are ignored. */
	void valueChanged (VSTGUI::CControl* control) override
	{
		if (control == nullptr || control != aboutButton)
			return;

		String text;
		// On as the button shows itself: at its maximum. Any other value is off, also
		// the default (0.5 unless the description sets one) that an Alt-click resets it
		// to; NaN compares unequal and is off too.
		if (control->getValue () == control->getMax ())
		{
			text = versionText;
			text.append (", ");
			text.append (formatText);
			text.append (" ");
			text.append (architectureText);
		}
		text.toMultiByte (kCP_Utf8);
		// Without a label (none verified, or it is gone) there is nothing to show.
		if (aboutLabel)
			aboutLabel->setText (VSTGUI::UTF8String (text.text8 ()));
	}

	/** Remembers the about view's label and button as the editor builds them. A second
	    label or button replaces the first, which is let go of completely (listener
	    unregistered), so that no view keeps a pointer to this object after it is gone. */
	VSTGUI::CView* verifyView (VSTGUI::CView* view, const VSTGUI::UIAttributes& /*attributes*/,
	                           const VSTGUI::IUIDescription* /*description*/) override
	{
		if (view == nullptr)
			return nullptr;

		if (auto* label = dynamic_cast<VSTGUI::CTextLabel*> (view))
		{
			if (label != aboutLabel)
			{
				if (aboutLabel)
					forgetLabel ();
				aboutLabel = label;
				aboutLabel->registerViewListener (this);
			}
			aboutLabel->setText (VSTGUI::UTF8String (""));
		}
		if (auto* button = dynamic_cast<VSTGUI::COnOffButton*> (view))
		{
			if (button != aboutButton)
			{
				if (aboutButton)
					forgetButton ();
				aboutButton = button;
				aboutButton->registerControlListener (this);
			}
			valueChanged (aboutButton);
		}
		return view;
	}

	/** Only the label is listened to as a view; it may go before this object does. */
	void viewWillDelete (VSTGUI::CView* view) override
	{
		if (view == nullptr)
			return;
		if (view == aboutLabel)
			forgetLabel ();
		if (view == aboutButton)
			forgetButton ();
	}

	const String& getFormatText () const { return formatText; }
	const String& getVersionText () const { return versionText; }
	const String& getArchitectureText () const { return architectureText; }
	VSTGUI::CTextLabel* getLabel () const { return aboutLabel; }
	VSTGUI::COnOffButton* getButton () const { return aboutButton; }

private:
	void forgetLabel ()
	{
		aboutLabel->unregisterViewListener (this);
		aboutLabel = nullptr;
	}
	void forgetButton ()
	{
		aboutButton->unregisterControlListener (this);
		aboutButton = nullptr;
	}

	Owner* aboutOwner;                           // not owned; outlives this object
	VSTGUI::COnOffButton* aboutButton {nullptr}; // not owned
	VSTGUI::CTextLabel* aboutLabel {nullptr};    // not owned
	String formatText;                           // "VST3" or "AU"
	String versionText;
	String architectureText;
};

} // namespace Vst
} // namespace Steinberg

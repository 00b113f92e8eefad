#pragma once

#include "../lib/vstguifwd.h"
#include <string>

namespace VSTGUI {

class IUIDescription
{
public:
	virtual ~IUIDescription () noexcept = default;

	// Null when the description has no bitmap of that name.
	virtual CBitmap* getBitmap (UTF8StringPtr name) const = 0;
	// A font of the description or a built-in "~ ..." font; null otherwise.
	virtual CFontRef getFont (UTF8StringPtr name) const = 0;
	// A colour name of the description, a built-in "~ ..." colour or "#rrggbb[aa]".
	virtual bool getColor (UTF8StringPtr name, CColor& color) const = 0;
	// The tag of a control-tag name (through the controller's getTagForName); -1 when unknown.
	virtual int32_t getTagForName (UTF8StringPtr name) const = 0;
	virtual IControlListener* getControlListener (UTF8StringPtr name) const = 0;
	virtual IController* getController () const = 0;

	virtual UTF8StringPtr lookupColorName (const CColor& color) const = 0;
	virtual UTF8StringPtr lookupFontName (const CFontRef font) const = 0;
	virtual UTF8StringPtr lookupBitmapName (const CBitmap* bitmap) const = 0;
	virtual UTF8StringPtr lookupControlTagName (const int32_t tag) const = 0;

	virtual const IViewFactory* getViewFactory () const = 0;
};

} // VSTGUI

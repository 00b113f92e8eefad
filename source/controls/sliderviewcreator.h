// UI description support for the slider family: the attributes every slider shares
// (mode, orientation, handle offset, zoom factor) and the creator of "CSlider" views.
// The "CSlider" creator registers itself with the view factory when the module loads.
#pragma once

#include "vstgui/uidescription/iviewcreator.h"
#include <array>
#include <string>

namespace VSTGUI {
namespace UIViewCreator {

// Abstract: the derived creator names the view and makes it.
class SliderBaseCreator : public ViewCreatorAdapter
{
public:
	bool apply (CView* view, const UIAttributes& attributes,
	            const IUIDescription* description) const override;
	bool getAttributeNames (StringList& attributeNames) const override;
	AttrType getAttributeType (const std::string& attributeName) const override;
	bool getAttributeValue (CView* view, const std::string& attributeName, std::string& stringValue,
	                        const IUIDescription* desc) const override;
	bool getPossibleListValues (const std::string& attributeName,
	                            ConstStringPtrList& values) const override;

	// The texts of the "mode" attribute; position = CSliderMode value.
	static const std::array<std::string, 6>& getModeStrings ();
};

class SliderCreator : public SliderBaseCreator
{
public:
	SliderCreator ();
	~SliderCreator () noexcept override;
	SliderCreator (const SliderCreator&) = delete;
	SliderCreator& operator= (const SliderCreator&) = delete;

	IdStringPtr getViewName () const override;
	IdStringPtr getBaseViewName () const override;
	UTF8StringPtr getDisplayName () const override;
	CView* create (const UIAttributes& attributes, const IUIDescription* description) const override;
	bool apply (CView* view, const UIAttributes& attributes,
	            const IUIDescription* description) const override;
	bool getAttributeNames (StringList& attributeNames) const override;
	AttrType getAttributeType (const std::string& attributeName) const override;
	bool getAttributeValue (CView* view, const std::string& attributeName, std::string& stringValue,
	                        const IUIDescription* desc) const override;
};

} // UIViewCreator
} // VSTGUI

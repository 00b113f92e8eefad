#pragma once

#include "../lib/vstguibase.h"
#include "iviewcreator.h"
#include <string>

namespace VSTGUI {

class IViewFactory
{
public:
	virtual ~IViewFactory () noexcept = default;

	virtual CView* createView (const UIAttributes& attributes, const IUIDescription* description) const = 0;
	virtual bool applyAttributeValues (CView* view, const UIAttributes& attributes,
	                                   const IUIDescription* desc) const = 0;
	virtual bool applyCustomViewAttributeValues (CView* customView, IdStringPtr baseViewName,
	                                             const UIAttributes& attributes,
	                                             const IUIDescription* desc) const = 0;
};

// Creates views by the "class" attribute through the registered view creators.
// Creators register themselves, usually as static objects:
//     static MyCreator myCreator; // its constructor: UIViewFactory::registerViewCreator (*this);
// The creators of this library's views are registered before the first use.
class UIViewFactory : public NonAtomicReferenceCounted, public IViewFactory
{
public:
	UIViewFactory () = default;
	~UIViewFactory () noexcept override = default;

	// Null for an unknown class or when the creator makes nothing.
	CView* createView (const UIAttributes& attributes, const IUIDescription* description) const override;
	// Applies the attributes with every creator from the base class up to the view's.
	bool applyAttributeValues (CView* view, const UIAttributes& attributes,
	                           const IUIDescription* desc) const override;
	bool applyCustomViewAttributeValues (CView* customView, IdStringPtr baseViewName,
	                                     const UIAttributes& attributes,
	                                     const IUIDescription* desc) const override;

	// The view's attributes as text, asking the creators of the chain of className.
	bool getAttributeValue (CView* view, IdStringPtr className, const std::string& attributeName,
	                        std::string& stringValue, const IUIDescription* desc) const;
	// The type of an attribute for className's chain (kUnknownType when no creator knows it).
	IViewCreator::AttrType getAttributeType (IdStringPtr className, const std::string& attributeName) const;
	bool getAttributeNames (IdStringPtr className, IViewCreator::StringList& attributeNames) const;
	bool getPossibleListValues (IdStringPtr className, const std::string& attributeName,
	                            IViewCreator::ConstStringPtrList& values) const;

	// The creator registered under viewName, or null.
	static const IViewCreator* getViewCreator (IdStringPtr viewName);
	// Registering a second creator under the same name replaces the first.
	static void registerViewCreator (const IViewCreator& viewCreator);
	static void unregisterViewCreator (const IViewCreator& viewCreator);
};

} // VSTGUI

#pragma once

#include "../lib/vstguifwd.h"
#include <list>
#include <string>

namespace VSTGUI {

// Makes views of one class from UI description attributes and reads them back.
// A creator's view class derives from its base view name's class; the factory applies
// the creators of the whole chain, the base first.
class IViewCreator
{
public:
	virtual ~IViewCreator () noexcept = default;

	enum AttrType
	{
		kUnknownType,
		kBooleanType,
		kIntegerType,
		kFloatType,
		kStringType,
		kColorType,
		kFontType,
		kBitmapType,
		kPointType,
		kRectType,
		kTagType,
		kListType,
		kGradientType
	};

	using StringList = std::list<std::string>;
	using ConstStringPtrList = std::list<const std::string*>;

	virtual IdStringPtr getViewName () const = 0;
	virtual IdStringPtr getBaseViewName () const = 0;
	virtual UTF8StringPtr getDisplayName () const = 0;
	virtual CView* create (const UIAttributes& attributes, const IUIDescription* description) const = 0;
	virtual bool apply (CView* view, const UIAttributes& attributes,
	                    const IUIDescription* description) const = 0;
	virtual bool getAttributeNames (StringList& attributeNames) const = 0;
	virtual AttrType getAttributeType (const std::string& attributeName) const = 0;
	virtual bool getAttributeValue (CView* view, const std::string& attributeName,
	                                std::string& stringValue, const IUIDescription* desc) const = 0;
	virtual bool getPossibleListValues (const std::string& attributeName,
	                                    ConstStringPtrList& values) const = 0;
	virtual bool getAttributeValueRange (const std::string& attributeName, double& minValue,
	                                     double& maxValue) const = 0;
};

// IViewCreator with default answers: apply and getAttributeNames succeed doing nothing,
// every attribute is of unknown type, values and ranges are not known.
class ViewCreatorAdapter : public IViewCreator
{
public:
	UTF8StringPtr getDisplayName () const override { return getViewName (); }
	bool apply (CView*, const UIAttributes&, const IUIDescription*) const override { return true; }
	bool getAttributeNames (StringList&) const override { return true; }
	AttrType getAttributeType (const std::string&) const override { return kUnknownType; }
	bool getAttributeValue (CView*, const std::string&, std::string&,
	                        const IUIDescription*) const override
	{
		return false;
	}
	bool getPossibleListValues (const std::string&, ConstStringPtrList&) const override
	{
		return false;
	}
	bool getAttributeValueRange (const std::string&, double&, double&) const override
	{
		return false;
	}
};

} // VSTGUI

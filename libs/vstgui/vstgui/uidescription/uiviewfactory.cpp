#include "uiviewfactory.h"
#include "uiattributes.h"
#include "../lib/cview.h"
#include <map>
#include <string>
#include <vector>

namespace VSTGUI {

namespace UIViewCreator {
// Defined with the library's creators; registers them once.
void registerStandardCreators ();
} // UIViewCreator

namespace {

using Registry = std::map<std::string, const IViewCreator*>;

Registry& registry ()
{
	static Registry reg;
	static bool initialized = false;
	if (!initialized)
	{
		initialized = true;
		UIViewCreator::registerStandardCreators ();
	}
	return reg;
}

// The creators from the most derived (className) to the base, cut at 32 levels so a
// loop of base names cannot hang.
std::vector<const IViewCreator*> creatorChain (IdStringPtr className)
{
	std::vector<const IViewCreator*> chain;
	std::string name = className ? className : "";
	auto& reg = registry ();
	while (!name.empty () && chain.size () < 32)
	{
		auto it = reg.find (name);
		if (it == reg.end ())
			break;
		chain.push_back (it->second);
		IdStringPtr base = it->second->getBaseViewName ();
		if (!base || name == base)
			break;
		name = base;
	}
	return chain;
}

} // namespace

void UIViewFactory::registerViewCreator (const IViewCreator& viewCreator)
{
	IdStringPtr name = viewCreator.getViewName ();
	if (!name)
		return;
	registry ()[name] = &viewCreator;
}

void UIViewFactory::unregisterViewCreator (const IViewCreator& viewCreator)
{
	IdStringPtr name = viewCreator.getViewName ();
	if (!name)
		return;
	auto& reg = registry ();
	auto it = reg.find (name);
	if (it != reg.end () && it->second == &viewCreator)
		reg.erase (it);
}

const IViewCreator* UIViewFactory::getViewCreator (IdStringPtr viewName)
{
	if (!viewName)
		return nullptr;
	auto& reg = registry ();
	auto it = reg.find (viewName);
	return it == reg.end () ? nullptr : it->second;
}

CView* UIViewFactory::createView (const UIAttributes& attributes, const IUIDescription* description) const
{
	const std::string* className = attributes.getAttributeValue ("class");
	if (!className)
		return nullptr;
	const IViewCreator* creator = getViewCreator (className->c_str ());
	if (!creator)
		return nullptr;
	CView* view = creator->create (attributes, description);
	if (!view)
		return nullptr;
	if (!applyCustomViewAttributeValues (view, className->c_str (), attributes, description))
	{
		view->forget ();
		return nullptr;
	}
	return view;
}

bool UIViewFactory::applyAttributeValues (CView* view, const UIAttributes& attributes,
                                          const IUIDescription* desc) const
{
	const std::string* className = attributes.getAttributeValue ("class");
	if (!className)
		return false;
	return applyCustomViewAttributeValues (view, className->c_str (), attributes, desc);
}

bool UIViewFactory::applyCustomViewAttributeValues (CView* view, IdStringPtr baseViewName,
                                                    const UIAttributes& attributes,
                                                    const IUIDescription* desc) const
{
	if (!view)
		return false;
	auto chain = creatorChain (baseViewName);
	if (chain.empty ())
		return false;
	// Base class first, so a derived creator can override what its base set.
	bool result = true;
	for (auto it = chain.rbegin (); it != chain.rend (); ++it)
		if (!(*it)->apply (view, attributes, desc))
			result = false;
	return result;
}

bool UIViewFactory::getAttributeValue (CView* view, IdStringPtr className, const std::string& attributeName,
                                       std::string& stringValue, const IUIDescription* desc) const
{
	for (auto* creator : creatorChain (className))
		if (creator->getAttributeValue (view, attributeName, stringValue, desc))
			return true;
	return false;
}

IViewCreator::AttrType UIViewFactory::getAttributeType (IdStringPtr className,
                                                        const std::string& attributeName) const
{
	for (auto* creator : creatorChain (className))
	{
		auto type = creator->getAttributeType (attributeName);
		if (type != IViewCreator::kUnknownType)
			return type;
	}
	return IViewCreator::kUnknownType;
}

bool UIViewFactory::getAttributeNames (IdStringPtr className, IViewCreator::StringList& attributeNames) const
{
	auto chain = creatorChain (className);
	if (chain.empty ())
		return false;
	for (auto it = chain.rbegin (); it != chain.rend (); ++it)
		(*it)->getAttributeNames (attributeNames);
	return true;
}

bool UIViewFactory::getPossibleListValues (IdStringPtr className, const std::string& attributeName,
                                           IViewCreator::ConstStringPtrList& values) const
{
	for (auto* creator : creatorChain (className))
		if (creator->getPossibleListValues (attributeName, values))
			return true;
	return false;
}

} // VSTGUI

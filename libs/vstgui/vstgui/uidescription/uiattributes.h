#pragma once

#include "../lib/vstguibase.h"
#include "../lib/crect.h"
#include <string>
#include <unordered_map>
#include <vector>

namespace VSTGUI {

// The attributes of one element of a UI description: name -> text. The typed getters
// parse the text and answer false when the attribute is absent or does not parse.
// Points and rectangles are written "x, y" and "left, top, right, bottom".
class UIAttributes : public NonAtomicReferenceCounted
{
	using Map = std::unordered_map<std::string, std::string>;

public:
	UIAttributes () = default;
	UIAttributes (const UIAttributes&) = default;
	~UIAttributes () noexcept override = default;

	bool hasAttribute (const std::string& name) const;
	// The attribute's text, or null when it is absent.
	const std::string* getAttributeValue (const std::string& name) const;
	void setAttribute (const std::string& name, const std::string& value);
	void setAttribute (const std::string& name, std::string&& value);
	void removeAttribute (const std::string& name);

	void setBooleanAttribute (const std::string& name, bool value);
	// "true" or "false" only.
	bool getBooleanAttribute (const std::string& name, bool& value) const;
	void setIntegerAttribute (const std::string& name, int32_t value);
	bool getIntegerAttribute (const std::string& name, int32_t& value) const;
	void setDoubleAttribute (const std::string& name, double value);
	// A finite number, the whole text.
	bool getDoubleAttribute (const std::string& name, double& value) const;
	void setPointAttribute (const std::string& name, const CPoint& p);
	bool getPointAttribute (const std::string& name, CPoint& p) const;
	void setRectAttribute (const std::string& name, const CRect& r);
	bool getRectAttribute (const std::string& name, CRect& r) const;
	// Comma separated, blanks around the items removed.
	void setStringArrayAttribute (const std::string& name, const std::vector<std::string>& values);
	bool getStringArrayAttribute (const std::string& name, std::vector<std::string>& values) const;

	size_t size () const { return map.size (); }
	Map::const_iterator begin () const { return map.begin (); }
	Map::const_iterator end () const { return map.end (); }

	// Text parsers shared with the view creators.
	static bool stringToPoint (const std::string& text, CPoint& p);
	static bool stringToDouble (const std::string& text, double& value);
	static bool stringToInteger (const std::string& text, int32_t& value);
	static bool stringToRect (const std::string& text, CRect& r);

private:
	Map map;
};

} // VSTGUI

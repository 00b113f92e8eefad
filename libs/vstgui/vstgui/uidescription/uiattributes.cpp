#include "uiattributes.h"
#include "uiviewcreator.h"
#include "../lib/numbertext.h"

namespace VSTGUI {

namespace {
std::string trim (const std::string& s)
{
	size_t b = s.find_first_not_of (" \t\r\n");
	if (b == std::string::npos)
		return {};
	size_t e = s.find_last_not_of (" \t\r\n");
	return s.substr (b, e - b + 1);
}

std::vector<std::string> splitComma (const std::string& s)
{
	std::vector<std::string> parts;
	size_t start = 0;
	while (true)
	{
		size_t pos = s.find (',', start);
		parts.push_back (trim (s.substr (start, pos == std::string::npos ? std::string::npos : pos - start)));
		if (pos == std::string::npos)
			break;
		start = pos + 1;
	}
	return parts;
}
} // namespace

bool UIAttributes::stringToDouble (const std::string& text, double& value)
{
	return textToDouble (trim (text), value);
}

bool UIAttributes::stringToInteger (const std::string& text, int32_t& value)
{
	return textToInteger (trim (text), value);
}

bool UIAttributes::stringToPoint (const std::string& text, CPoint& p)
{
	auto parts = splitComma (text);
	if (parts.size () != 2)
		return false;
	double x, y;
	if (!stringToDouble (parts[0], x) || !stringToDouble (parts[1], y))
		return false;
	p = CPoint (x, y);
	return true;
}

bool UIAttributes::stringToRect (const std::string& text, CRect& r)
{
	auto parts = splitComma (text);
	if (parts.size () != 4)
		return false;
	double v[4];
	for (int i = 0; i < 4; ++i)
		if (!stringToDouble (parts[i], v[i]))
			return false;
	r = CRect (v[0], v[1], v[2], v[3]);
	return true;
}

bool UIAttributes::hasAttribute (const std::string& name) const { return map.find (name) != map.end (); }

const std::string* UIAttributes::getAttributeValue (const std::string& name) const
{
	auto it = map.find (name);
	return it == map.end () ? nullptr : &it->second;
}

void UIAttributes::setAttribute (const std::string& name, const std::string& value) { map[name] = value; }
void UIAttributes::setAttribute (const std::string& name, std::string&& value) { map[name] = std::move (value); }
void UIAttributes::removeAttribute (const std::string& name) { map.erase (name); }

void UIAttributes::setBooleanAttribute (const std::string& name, bool value)
{
	setAttribute (name, value ? "true" : "false");
}

bool UIAttributes::getBooleanAttribute (const std::string& name, bool& value) const
{
	const std::string* v = getAttributeValue (name);
	if (!v)
		return false;
	if (*v == "true")
		value = true;
	else if (*v == "false")
		value = false;
	else
		return false;
	return true;
}

void UIAttributes::setIntegerAttribute (const std::string& name, int32_t value)
{
	setAttribute (name, std::to_string (value));
}

bool UIAttributes::getIntegerAttribute (const std::string& name, int32_t& value) const
{
	const std::string* v = getAttributeValue (name);
	return v && stringToInteger (*v, value);
}

void UIAttributes::setDoubleAttribute (const std::string& name, double value)
{
	setAttribute (name, UIViewCreator::doubleToString (value, 8));
}

bool UIAttributes::getDoubleAttribute (const std::string& name, double& value) const
{
	const std::string* v = getAttributeValue (name);
	return v && stringToDouble (*v, value);
}

void UIAttributes::setPointAttribute (const std::string& name, const CPoint& p)
{
	std::string s;
	UIViewCreator::pointToString (p, s);
	setAttribute (name, s);
}

bool UIAttributes::getPointAttribute (const std::string& name, CPoint& p) const
{
	const std::string* v = getAttributeValue (name);
	return v && stringToPoint (*v, p);
}

void UIAttributes::setRectAttribute (const std::string& name, const CRect& r)
{
	setAttribute (name, UIViewCreator::doubleToString (r.left) + ", " + UIViewCreator::doubleToString (r.top) +
	                        ", " + UIViewCreator::doubleToString (r.right) + ", " +
	                        UIViewCreator::doubleToString (r.bottom));
}

bool UIAttributes::getRectAttribute (const std::string& name, CRect& r) const
{
	const std::string* v = getAttributeValue (name);
	return v && stringToRect (*v, r);
}

void UIAttributes::setStringArrayAttribute (const std::string& name, const std::vector<std::string>& values)
{
	std::string s;
	for (size_t i = 0; i < values.size (); ++i)
	{
		if (i)
			s += ",";
		s += values[i];
	}
	setAttribute (name, s);
}

bool UIAttributes::getStringArrayAttribute (const std::string& name, std::vector<std::string>& values) const
{
	const std::string* v = getAttributeValue (name);
	if (!v)
		return false;
	values = splitComma (*v);
	return true;
}

} // VSTGUI

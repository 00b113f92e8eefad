#pragma once

#include "vstguifwd.h"
#include <string>

namespace VSTGUI {

// A UTF-8 text that owns its bytes. A null pointer gives the empty string.
class UTF8String
{
public:
	UTF8String (UTF8StringPtr str = nullptr) : string (str ? str : "") {}
	UTF8String (const std::string& str) : string (str) {}
	UTF8String (std::string&& str) noexcept : string (std::move (str)) {}

	size_t getByteCount () const { return string.size (); }
	// Number of code points.
	size_t length () const
	{
		size_t n = 0;
		for (unsigned char c : string)
			if ((c & 0xC0) != 0x80)
				++n;
		return n;
	}
	bool empty () const { return string.empty (); }
	UTF8StringPtr data () const { return string.c_str (); }
	UTF8StringPtr get () const { return string.c_str (); }
	operator UTF8StringPtr () const { return string.c_str (); }
	const std::string& getString () const { return string; }

	void assign (UTF8StringPtr str) { string = str ? str : ""; }
	void clear () { string.clear (); }

	bool operator== (const UTF8String& o) const { return string == o.string; }
	bool operator!= (const UTF8String& o) const { return string != o.string; }
	bool operator== (UTF8StringPtr str) const { return string == (str ? str : ""); }
	bool operator!= (UTF8StringPtr str) const { return !(*this == str); }
	UTF8String& operator+= (const UTF8String& o)
	{
		string += o.string;
		return *this;
	}
	UTF8String operator+ (const UTF8String& o) const { return UTF8String (string + o.string); }

private:
	std::string string;
};

} // VSTGUI

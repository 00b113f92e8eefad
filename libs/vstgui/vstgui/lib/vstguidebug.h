// Assertions: vstgui_assert calls doAssert, which hands the failure to the installed
// handler. Without a handler doAssert returns and the caller carries on; a handler may
// throw, and the exception passes on to the caller of the failing operation.
#pragma once

#include "vstguifwd.h"
#include <cstddef>

namespace VSTGUI {

using AssertionHandler = void (*) (const char* filename, const char* line, const char* desc);

void setAssertionHandler (AssertionHandler handler);
bool hasAssertionHandler ();
void doAssert (const char* filename, const char* line, const char* desc = nullptr) noexcept (false);

} // VSTGUI

namespace VSTGUI {
namespace Detail {
// The part of a path after its last separator.
constexpr const char* fileNameOf (const char* path)
{
	const char* name = path;
	for (const char* p = path; *p; ++p)
		if (*p == '/' || *p == '\\')
			name = p + 1;
	return name;
}
constexpr size_t lengthOf (const char* text)
{
	size_t n = 0;
	while (text[n])
		++n;
	return n;
}
// A copy of a compile-time text, so that only the copy ends up in the binary.
template <size_t N>
struct StaticText
{
	constexpr explicit StaticText (const char* from)
	{
		for (size_t i = 0; i < N; ++i)
			text[i] = from[i];
	}
	char text[N + 1] {};
};
} // Detail
} // VSTGUI

#define VSTGUI_MAKE_STRING_PRIVATE_DONT_USE(x) #x
#define VSTGUI_MAKE_STRING(x) VSTGUI_MAKE_STRING_PRIVATE_DONT_USE (x)

// The source file's own name ("cslider.cpp"). __FILE__ is the path the compiler was given,
// on the build machine, and is only read at compile time here, so it stays out of the binary.
#define VSTGUI_FILE_NAME                                                                  \
	([] {                                                                                  \
		static constexpr VSTGUI::Detail::StaticText<VSTGUI::Detail::lengthOf (                \
		    VSTGUI::Detail::fileNameOf (__FILE__))>                                           \
		    name (VSTGUI::Detail::fileNameOf (__FILE__));                                     \
		return name.text;                                                                     \
	}())

// Always active: the check is cheap and a handler decides what a failure means.
#define vstgui_assert(x, ...)                                                             \
	if (!(x))                                                                              \
		VSTGUI::doAssert (VSTGUI_FILE_NAME, VSTGUI_MAKE_STRING (__LINE__), ##__VA_ARGS__);

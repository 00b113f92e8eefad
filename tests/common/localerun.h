// ctest may run a test and its run under another locale (ORD3L_TEST_LOCALE) at the same
// time, so files a test writes carry the locale's name: "" normally, "de_DE.UTF-8-" there.
#pragma once

#include <cstdlib>
#include <string>

inline std::string localeRunFilePrefix ()
{
	const char* name = std::getenv ("ORD3L_TEST_LOCALE");
	return name && *name ? std::string (name) + "-" : std::string ();
}

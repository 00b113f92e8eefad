// The tests' main: with ORD3L_TEST_LOCALE set, the process first switches to that locale,
// as Qt and GTK hosts do at start-up, so that the same tests show whether anything reads
// or writes numbers through the locale. A locale that cannot be set fails the run.

#include <gtest/gtest.h>

#include <clocale>
#include <cstdio>
#include <cstdlib>
#include <locale>
#include <stdexcept>

int main (int argc, char** argv)
{
	::testing::InitGoogleTest (&argc, argv);
	const char* name = std::getenv ("ORD3L_TEST_LOCALE");
	if (name && *name)
	{
		try
		{
			// Sets the C library's locale and the C++ global one.
			std::locale::global (std::locale (name));
		}
		catch (const std::runtime_error&)
		{
			std::fprintf (stderr, "the locale %s is not installed (scripts/test.sh creates it)\n", name);
			return 1;
		}
		std::printf ("running under the locale %s (decimal mark '%s')\n", name,
		             std::localeconv ()->decimal_point);
	}
	return RUN_ALL_TESTS ();
}

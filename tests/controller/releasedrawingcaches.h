#pragma once

// Text drawing fills cairo's and fontconfig's process-wide caches, which they keep until
// exit. A test program that draws registers this environment once, so that at the end
// the leak checker sees only the program's own allocations.

#include <cairo.h>
#include <fontconfig/fontconfig.h>
#include <gtest/gtest.h>

namespace ord3ltest {

class ReleaseDrawingCaches : public ::testing::Environment
{
public:
	void TearDown () override
	{
		cairo_debug_reset_static_data ();
		FcFini ();
	}
};

} // namespace ord3ltest

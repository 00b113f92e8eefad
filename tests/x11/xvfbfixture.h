// Base fixture of the tests that need an X server: one Xvfb per test process, started
// before the first test of a suite and stopped after the last one; without an Xvfb
// program every such test is skipped.
#pragma once

#include "xvfbserver.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace x11test {

class XvfbTest : public testing::Test
{
protected:
	static void SetUpTestSuite () { startServer ("1024x768x24"); }

	// Fixtures that need another screen call this from their own SetUpTestSuite.
	static void startServer (const char* screen)
	{
		skipReason ().clear ();
		if (XvfbServer::findProgram ().empty ())
		{
			skipReason () = "no Xvfb program on PATH or in /usr/bin (Debian package xvfb)";
			return;
		}
		server () = std::make_unique<XvfbServer> ();
		if (!server ()->start (startError (), screen))
			server ().reset ();
	}

	static void TearDownTestSuite () { server ().reset (); }

	void SetUp () override
	{
		if (!skipReason ().empty ())
			GTEST_SKIP () << skipReason ();
		ASSERT_TRUE (server ()) << "Xvfb did not start: " << startError ();
	}

	static std::unique_ptr<XvfbServer>& server ()
	{
		static std::unique_ptr<XvfbServer> instance;
		return instance;
	}
	static std::string& skipReason ()
	{
		static std::string reason;
		return reason;
	}
	static std::string& startError ()
	{
		static std::string error;
		return error;
	}
};

} // namespace x11test

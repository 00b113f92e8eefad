#pragma once

// A controller initialised without a host context, released after each test.

#include "source/controller/plugcontroller.h"

#include <gtest/gtest.h>

namespace ord3ltest {

class ControllerFixture : public ::testing::Test
{
protected:
	void SetUp () override
	{
		controller = new Steinberg::Vst::PlugController ();
		ASSERT_EQ (controller->initialize (nullptr), Steinberg::kResultOk);
	}
	void TearDown () override
	{
		controller->terminate ();
		controller->release ();
	}

	Steinberg::Vst::PlugController* controller {nullptr};
};

} // namespace ord3ltest
